#pragma once

#include "registers/RegisterRecords.h"
#include "registers/RegisterWindowBase.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace ui
{
class DataControl;
class DBGrid;
class MaskEdBox;
} // namespace ui

// The register of the county (PIW) or regional (WIW) veterinary
// inspectorates: a list ordered by code or by name, a search that moves the
// list to the first row beginning with the typed text, and an edit frame.
// Three states: browsing, editing (frame shown) and searching (search box
// shown); `Klawisze` switches the browse controls, and leaves the chosen order
// option enabled.
class InspectorateWindow : public RegisterWindowBase
{
    Q_OBJECT

public:
    InspectorateWindow(const InspectorateKind &kind, QWidget *parent = nullptr);

    QLabel *Label9; // the heading
    ui::DataControl *DataZlew;
    ui::DBGrid *DBGridZlew;
    QRadioButton *OptionK; // "Wg kodów"
    QRadioButton *OptionN; // "Wg nazwy"
    QLineEdit *TextSzuk;
    QPushButton *ComSzukAkc;
    QPushButton *ComZlewSzuk;
    QPushButton *ComZlewKas;
    QPushButton *ComZlewKor;
    QPushButton *ComZlewDod;
    QPushButton *ComZlewZamk;

    QGroupBox *FramZlewnia;
    QLineEdit *MEBKod; // the code
    QLineEdit *TextNazwa;
    ui::MaskEdBox *MEBKodPoczt;
    QLineEdit *TextMiejsc;
    QLineEdit *TextAdres;
    QLineEdit *TextTelefon;
    QLineEdit *TextMail;
    QLineEdit *TextMailSzyfr; // county register only
    QPlainTextEdit *TextUwagi;
    QPushButton *ComZlewZap;
    QPushButton *ComZlewRez;

    void Klawisze(bool flag) override;

    static inline const QString PostalCodeMask = QStringLiteral("##-###");

protected:
    void resizeEvent(QResizeEvent *event) override;
    // The opener's binding: the order by code and the given statement.
    void OpenOn(const QString &sql);
    QMenu *menu1 = nullptr; // the popup menu, county register only

private:
    void OptionK_Click();
    void OptionN_Click();
    void ComZlewSzuk_Click();
    void TextSzuk_Change();
    void ComSzukAkc_Click();
    void ComZlewDod_Click();
    void ComZlewKor_Click();
    void ComZlewKas_Click();
    void ComZlewZap_Click();
    void ComZlewRez_Click();
    void ComZlewZamk_Click();
    void DBGridZlew_RowColChange();
    void Form_Resize();

    void Bind(const QString &sql);
    void ResetPostalCode();

    const InspectorateKind &kind_;
};
