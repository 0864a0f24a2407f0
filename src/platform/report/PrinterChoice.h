#pragma once

#include <QDialog>
#include <QStringList>

#include <functional>
#include <optional>

class QListWidget;
class QPushButton;

namespace report
{

// The choice of printer and nothing else: the system's printers in a list,
// "OK" takes the one selected, "Anuluj" keeps the earlier choice. Nothing is
// printed here.
class PrinterChoice : public QDialog
{
    Q_OBJECT

public:
    explicit PrinterChoice(QWidget *parent = nullptr);

    QListWidget *ListDrukarki;
    QPushButton *ComOK;
    QPushButton *ComAnuluj;

    // Shows the printers with `current` (or else the system's default)
    // selected; the printer chosen, or nothing when the operator gave up.
    static std::optional<QString> Choose(const QString &current, QWidget *parent = nullptr);

    // Where the printer names come from; unset, the system's print queues.
    using PrinterSource = std::function<QStringList()>;
    static void SetPrinterSource(PrinterSource source);

private:
    void fill(const QString &current);

    std::optional<QString> chosen_;
};

} // namespace report
