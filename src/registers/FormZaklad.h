#pragma once

#include "registers/Client.h"
#include "registers/RegisterWindowBase.h"

#include <QString>

#include <optional>

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
// persons (table Zaklad of the dictionaries). Its rules and statements live in
// ClientStore. The main window opens it for browsing (Open), with its choose
// button hidden; the batch register opens it as a picker (PickClient) and
// fills its frame from the client chosen.
class FormZaklad : public RegisterWindowBase
{
    Q_OBJECT

public:
    explicit FormZaklad(QWidget *parent = nullptr);

    // The register for browsing and editing, shown modally.
    static void Open();
    // The register as a picker: kind "W" for the establishment of origin, "Z"
    // for the ordering party. The client taken with "&Pobierz" or a
    // double-click; nothing when the window is closed without a choice.
    static std::optional<Client> PickClient(const QString &kind);

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

    // Takes the current client as the pick and closes the window.
    void TakeCurrentClient();

    static inline const QString PostalCodeMask = QStringLiteral("##-###");

private:
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

    void BuildBrowseControls();
    void BuildEditFrame();
    void LayOut();
    void ConnectHandlers();

    void ClearEditBoxes();
    void LoadClient();
    void LoadPostalCode(const QString &code);
    Client EditedClient() const;
    bool CheckEditBoxes(const Client &entry);

    std::optional<Client> picked_;
};
