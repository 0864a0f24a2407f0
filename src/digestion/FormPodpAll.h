#pragma once

#include "foundation/RecordWrite.h"
#include "platform/db/Bookmark.h"
#include "platform/db/Recordset.h"

#include <QDialog>
#include <QString>

#include <optional>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ui
{
class DBGrid;
class DataControl;
} // namespace ui

// The one list window for the equipment and reagent-series lists of StaleDb
// (Waga, Termometr, Mieszadlo, Trychinoskop, HCLseria, PepsynaSeria, Sito).
// Closing it tells the windows that pick from these lists to refill them.
class FormPodpAll : public QDialog
{
    Q_OBJECT

public:
    explicit FormPodpAll(QWidget *parent = nullptr);

    // Shows the list of `table` under its heading, values up to maxLength
    // characters, and returns when the window is closed. Database errors of
    // the opening go to the caller.
    static void Open(const QString &table, const QString &heading, int maxLength);

    QLabel *LabelOpis; // the list's heading
    QLabel *LabelTyp;  // hidden: the kind of value ("string")
    ui::DataControl *DataPodp;
    ui::DBGrid *DBGridPodp;
    QPushButton *ComDodaj;
    QPushButton *ComPopraw;
    QPushButton *ComUsun;
    QPushButton *ComZamk;
    QGroupBox *FrmEdycja;
    QLineEdit *TxtNr;
    QLineEdit *TextWartosc; // the value box
    QPushButton *ComZapisz;
    QPushButton *ComAnuluj;

    // The close button acts as "&Zamknij", and not while the frame is open.
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void ComDodaj_Click();
    void ComPopraw_Click();
    void ComUsun_Click();
    void ComZapisz_Click();
    void ComAnuluj_Click();
    void ComZamk_Click();
    void DBGridPodp_RowColChange();

    dao::Recordset List() const;
    bool HasRow() const;
    // The list's buttons, grid and data control (false while the frame is open).
    void EnableList(bool enabled);
    void ShowFrame(const QString &caption);

    QString table_;  // as the opener named it
    FrameEdit edit_; // "&Zapisz" appends, or writes over the entry under correction
};
