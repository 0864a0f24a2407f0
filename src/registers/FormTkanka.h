#pragma once

#include "registers/RegisterWindowBase.h"

class QGroupBox;
class QLineEdit;
class QPushButton;

namespace ui
{
class DataControl;
class DBGrid;
} // namespace ui

// The register of sampled materials (tissues, table Tkanka) with their codes
// and names in the central-lab dictionary. Its names feed the sample
// register's material list.
class FormTkanka : public RegisterWindowBase
{
    Q_OBJECT

public:
    explicit FormTkanka(QWidget *parent = nullptr);

    // Opens the register on the tissues in number order.
    static void Open();

    ui::DataControl *DataTkanka;
    ui::DBGrid *DBGridTkanka;
    QPushButton *ComDodaj;
    QPushButton *ComPopraw;
    QPushButton *ComUsun;
    QPushButton *ComZamknij;

    QGroupBox *FrameTkanka;
    QLineEdit *TextID; // the number, shown and never typed
    QLineEdit *TextNazwa;
    QLineEdit *TextKodCLab;
    QLineEdit *TextNazCLab;
    QLineEdit *TextUwagi;
    QPushButton *ComZapisz;
    QPushButton *ComAnuluj;

private:
    void ComDodaj_Click();
    void ComPopraw_Click();
    void ComUsun_Click();
    void ComZapisz_Click();
    void ComAnuluj_Click();
    void ComZamknij_Click();
    void DBGridTkanka_RowColChange();

    void Bind();
};
