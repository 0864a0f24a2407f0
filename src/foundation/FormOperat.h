#pragma once

#include "foundation/RecordWrite.h"
#include "platform/RuntimeError.h"

#include <QDialog>

class QComboBox;
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

// The operator accounts (OPERATORZY of StaleDb): who may sign in, with which
// login, password and kind. Administrators add, correct and delete any
// account; every other operator may only correct his own account and may not
// change his kind. While the edit frame is open the list stays disabled, and
// a correction is written into the account that was opened for it.
class FormOperat : public QDialog
{
    Q_OBJECT

public:
    explicit FormOperat(QWidget *parent = nullptr);

    // Shown modally. Errors go to the caller.
    static void Open();

    QLabel *Label1; // "OPERATORZY SYSTEMU"
    ui::DataControl *DataOperat;
    ui::DBGrid *DBGridOper;
    QPushButton *ComOperDod;  // "&Dodaj"
    QPushButton *ComOperKor;  // "&Popraw"
    QPushButton *ComOperKas;  // "&Usuń"
    QPushButton *ComOperZamk; // "&Zamknij"

    QGroupBox *FrameOperat;
    ui::MaskEdBox *MaskEdBoxKod; // "Kod operatora"
    QLineEdit *TextNazw;         // "Nazwisko i imię"
    QLineEdit *TextPass1;        // "Hasło"
    QLineEdit *TextPass2;        // "Powtórzenie"
    QComboBox *ComboOperat;      // "Typ operatora"
    QLineEdit *TextLogin;        // "Login"
    QPushButton *ComOperZap;     // "Z&apisz"
    QPushButton *ComOperRez;     // "&Anuluj"

    // Enables or disables the list and its buttons; adding and deleting
    // follow only for an administrator.
    void Klawisze(bool enabled);
    bool SprLogin();
    bool BadajHaslo();
    // False, with the login's refusal shown, when the login was taken.
    bool ZapiszOperat(bool adding, bool writePassword, bool newLogin);

    bool PasswordChanged() const { return passwordChanged_; }

    // Esc and the title bar's close: an open frame is cancelled first, as
    // "&Anuluj" does, so that the window comes back with its list usable.
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load();
    void Form_Activate();
    void ComOperDod_Click();
    void ComOperKor_Click();
    void ComOperZap_Click();
    void ComOperKas_Click();
    void ComOperRez_Click();
    void ComOperZamk_Click();

    void buildControls();
    QGroupBox *buildFrame();
    void connectHandlers();
    bool signedInAdministrator() const;
    bool currentRowIsOwn() const;
    void openForCorrection();
    void saveNew();
    void saveCorrection();
    void refuse(const QString &text, const QString &caption = QStringLiteral("ALARM!!!"));
    void showSaveFailure(const RuntimeError &error, int shownRows);

    bool passwordChanged_ = false;
    FrameEdit
        edit_; // a new account, or the one opened by "&Popraw" as the frame was filled from it
    QString loadedLogin_;
};
