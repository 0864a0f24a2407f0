#pragma once

#include "registers/RegisterWindowBase.h"

#include <QString>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace ui
{
class DataControl;
class DBGrid;
class MaskEdBox;
} // namespace ui

// The client register: establishments, herds, hunting districts and private
// persons (table Zaklad of the dictionaries). The main window opens it for
// browsing, with its choose button hidden; the batch register opens it as a
// picker that writes the chosen client into the batch being edited, as the
// establishment of origin ("W") or as the ordering party ("Z").
class FormZaklad : public RegisterWindowBase
{
    Q_OBJECT

public:
    explicit FormZaklad(QWidget *parent = nullptr);

    // The list and its data control.
    ui::DBGrid *DBGridLekarz;
    ui::DataControl *DataDane;

    // Browse controls.
    QRadioButton *OptionN; // sort by name
    QRadioButton *OptionP; // sort by identifier
    QComboBox *ComboSzukajWg;
    QLineEdit *TextSzuk;
    QPushButton *ComLaborDod;
    QPushButton *ComLaborKor;
    QPushButton *ComLaborKas;
    QPushButton *ComLaborZamk;
    QPushButton *ComUzyj; // "&Pobierz": takes the current client into the batch
    QLabel *LabelWPZ;     // hidden: the pick kind, "W" or "Z"

    // The edit frame.
    QGroupBox *FrameEdycja;
    QComboBox *ComboTypWNI;
    QLineEdit *TextIDKlient;
    QLineEdit *TextKodPIW;
    QLineEdit *TextNazwa;
    QLineEdit *TextMiejscowosc;
    QLineEdit *TextUlica;
    ui::MaskEdBox *MEBKodPoczt;
    QLineEdit *TextMiasto;
    QLineEdit *TextTelefon;
    QLineEdit *TextMail;
    QLineEdit *TextUwagi;
    QPushButton *ComZapisz;
    QPushButton *ComAnuluj;

    bool AddingClient = false;
    QString EditedClientId; // IdRzezni of the row under correction

    void Form_Activate() override;
    void OptionN_Click();
    void OptionP_Click();
    void TextSzuk_Change();
    void ComLaborDod_Click();
    void ComLaborKor_Click();
    void ComLaborKas_Click();
    void ComLaborZamk_Click();
    void ComUzyj_Click();
    void ComZapisz_Click();
    void ComAnuluj_Click();
    void ComboTypWNI_Click();
    void DBGridLekarz_RowColChange();
    void DBGridLekarz_DblClick();
    void PickClient();

    static inline const QString PostalCodeMask = QStringLiteral("##-###");

private:
    void BuildBrowseControls();
    void BuildEditFrame();
    void LayOut();
    void ConnectHandlers();

    void ClearEditBoxes();
    void LoadClient();
    void LoadPostalCode(const QString &code);
    bool CheckEditBoxes();
    bool ClientExists(const QString &id) const;
    void WriteClient(dao::Recordset &rs, const QString &id) const;
};
