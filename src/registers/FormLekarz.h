#pragma once

#include "registers/RegisterWindowBase.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ui
{
class DataControl;
class DBGrid;
class MaskEdBox;
} // namespace ui

// The register of the veterinarians who take samples (table Lekarz); the
// batch register offers their names. A vet can be added from scratch or as a
// copy of another vet's practice data.
class FormLekarz : public RegisterWindowBase
{
    Q_OBJECT

public:
    explicit FormLekarz(QWidget *parent = nullptr);

    // Opens the register on the vets by surname and first name.
    static void Open();

    ui::DataControl *DataLekarz;
    ui::DBGrid *DBGridLekarz;
    QPushButton *ComLaborDod;
    QPushButton *ComLaborKor;
    QPushButton *ComLaborKas;
    QPushButton *ComKopiuj;
    QPushButton *ComLaborZamk;

    QGroupBox *FrameLabor;
    QLineEdit *TextLekarzNr;
    QLineEdit *TextImie;
    QLineEdit *TextNazwisko;
    ui::MaskEdBox *MEBKodPoczt;
    QLineEdit *TextMiasto;
    QLineEdit *TextAdres;
    QLineEdit *TextTelefon;
    QLineEdit *TextMail;
    QLineEdit *TextUwagi;
    QLineEdit *TextID;    // hidden: IDLekarz
    QLineEdit *TextNazwa; // hidden: the practice's name
    QPushButton *ComLaborZap;
    QPushButton *ComLaborRez;

    static inline const QString PostalCodeMask = QStringLiteral("##-###");

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void ComLaborDod_Click();
    void ComKopiuj_Click();
    void ComLaborKor_Click();
    void ComLaborKas_Click();
    void ComLaborZap_Click();
    void ComLaborRez_Click();
    void ComLaborZamk_Click();
    void DBGridLekarz_RowColChange();
    void Form_Resize();

    // The list by name, or by number.
    void Bind(bool byName);
    void ResetPostalCode();
    void LoadPostalCode(const QString &code);

    QLabel *heading_;
};
