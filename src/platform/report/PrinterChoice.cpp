#include "PrinterChoice.h"

#include "platform/ui/ShowModal.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPrinterInfo>
#include <QPushButton>
#include <QVBoxLayout>

namespace report
{

namespace
{

PrinterChoice::PrinterSource &source()
{
    static PrinterChoice::PrinterSource printers;
    return printers;
}

QStringList availablePrinters()
{
    return source() ? source()() : QPrinterInfo::availablePrinterNames();
}

} // namespace

PrinterChoice::PrinterChoice(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("PrinterChoice"));
    setWindowTitle(QStringLiteral("Drukarka"));
    ListDrukarki = new QListWidget(this);
    ListDrukarki->setObjectName(QStringLiteral("ListDrukarki"));
    ComOK = new QPushButton(QStringLiteral("OK"), this);
    ComOK->setObjectName(QStringLiteral("ComOK"));
    ComAnuluj = new QPushButton(QStringLiteral("Anuluj"), this);
    ComAnuluj->setObjectName(QStringLiteral("ComAnuluj"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ComOK);
    buttons->addWidget(ComAnuluj);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Wybierz drukarkę:"), this));
    layout->addWidget(ListDrukarki);
    layout->addLayout(buttons);

    connect(ComOK, &QPushButton::clicked, this, [this] {
        if (const QListWidgetItem *item = ListDrukarki->currentItem())
            chosen_ = item->text();
        hide();
    });
    connect(ComAnuluj, &QPushButton::clicked, this, &QWidget::hide);
    connect(ListDrukarki, &QListWidget::itemDoubleClicked, ComOK, &QPushButton::click);
}

void PrinterChoice::fill(const QString &current)
{
    const QStringList printers = availablePrinters();
    ListDrukarki->addItems(printers);
    const QString preferred =
        printers.contains(current) ? current : QPrinterInfo::defaultPrinterName();
    const int row = int(printers.indexOf(preferred));
    ListDrukarki->setCurrentRow(row >= 0 ? row : 0);
    ComOK->setEnabled(!printers.isEmpty());
}

std::optional<QString> PrinterChoice::Choose(const QString &current, QWidget *parent)
{
    PrinterChoice dialog(parent);
    dialog.fill(current);
    ui::ShowModal(dialog);
    return dialog.chosen_;
}

void PrinterChoice::SetPrinterSource(PrinterSource printers)
{
    source() = std::move(printers);
}

} // namespace report
