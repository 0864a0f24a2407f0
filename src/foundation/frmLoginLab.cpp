#include "foundation/frmLoginLab.h"
#include "foundation/OperatorStore.h"

#include "foundation/Globals.h"
#include "foundation/Messages.h"
#include "foundation/ProgramEnd.h"
#include "foundation/RegionalSettings.h"
#include "foundation/ScramblePassword.h"
#include "foundation/TextProcedures.h"
#include "platform/db/DaoError.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/NamedControls.h"
#include "platform/ui/ShowModal.h"
#include "platform/ui/WindowRegistry.h"

#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace
{

const QString AlarmCaption = QStringLiteral("ALARM!!!");
constexpr quint8 LoginAttempts = 3;
constexpr quint8 PasswordAttempts = 4;

QLineEdit *textBox(QWidget *parent, const char *name)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    return box;
}

} // namespace

void frmLoginLab::Open(const QString &program)
{
    frmLoginLab &login = ui::WindowRegistry::Instance<frmLoginLab>();
    login.TextProg->setText(program);
    ui::ShowModal(login);
}

SignedInOperator frmLoginLab::SignedIn()
{
    if (!ui::WindowRegistry::Exists<frmLoginLab>())
        return {};
    const frmLoginLab &login = ui::WindowRegistry::Instance<frmLoginLab>();
    return {UpperCaseKeepLength(TrimBlanks(login.TextOperatRodz->text())),
            login.TextNazwisko->text(), login.TextOperat->text(), login.TextLogin->text()};
}

frmLoginLab::frmLoginLab(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmLoginLab"));
    setWindowTitle(QStringLiteral("LOGOWANIE"));
    buildControls();
    connect(CmdTmp, &QPushButton::clicked, this, &frmLoginLab::CmdTmp_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmLoginLab::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmLoginLab::cmdCancel_Click);
    TextLogin->installEventFilter(this);
    Form_Load();
}

void frmLoginLab::buildControls()
{
    TextLogin = textBox(this, "TextLogin");
    txtPassword = textBox(this, "txtPassword");
    txtPassword->setEchoMode(QLineEdit::Password);
    TextNazwisko = new QLabel(this);
    TextNazwisko->setObjectName(QStringLiteral("TextNazwisko"));
    TextOperat = textBox(this, "TextOperat");
    TextOperatRodz = textBox(this, "TextOperatRodz");
    TextProg = textBox(this, "TextProg");
    for (QLineEdit *hidden : {TextOperat, TextOperatRodz, TextProg})
        hidden->setVisible(false);
    cmdOK = ui::CommandButton(this, "cmdOK", QStringLiteral("&OK"));
    cmdCancel = ui::CommandButton(this, "cmdCancel", QStringLiteral("&Anuluj"));
    CmdTmp = ui::CommandButton(this, "CmdTmp", QString());
    CmdTmp->setVisible(false);

    auto *grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Login:"), this), 0, 0);
    grid->addWidget(TextLogin, 0, 1);
    grid->addWidget(TextNazwisko, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Hasło:"), this), 2, 0);
    grid->addWidget(txtPassword, 2, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    grid->addLayout(buttons, 3, 0, 1, 2);
    setTabOrder(TextLogin, txtPassword);
    setTabOrder(txtPassword, cmdOK);
    setTabOrder(cmdOK, cmdCancel);
}

bool frmLoginLab::dateFormatAccepted() const
{
    const QDate today = QDate::currentDate();
    return today.toString(QStringLiteral("dd.MM.yyyy")) == ShortDateText(today);
}

void frmLoginLab::Form_Load()
{
    if (!dateFormatAccepted()) {
        ui::MsgBox(
            QStringLiteral("Aby system działał prawidłowo w ustawieniach regionalnych windows\r"
                           "zmień format daty systemowej na: dd.MM.rrrr"),
            ui::vbInformation, QStringLiteral("FORMAT DATY"));
        EndProgram();
        return;
    }
    failures_ = 0;
    TextLogin->clear();
    TextNazwisko->clear();
    txtPassword->clear();
    CmdTmp->setDefault(true);
}

void frmLoginLab::TextLogin_GotFocus()
{
    TextNazwisko->clear();
    txtPassword->clear();
    cmdOK->setDefault(false);
    CmdTmp->setDefault(true);
}

void frmLoginLab::CmdTmp_Click()
{
    txtPassword->clear();
    // The move of the focus looks the login up; an unknown one gives the
    // login box back with its own default button, which must stand.
    CmdTmp->setDefault(false);
    cmdOK->setDefault(true);
    txtPassword->setFocus();
}

void frmLoginLab::TextLogin_LostFocus()
{
    const QString login = TextLogin->text();
    if (TrimBlanks(login).isEmpty())
        return;
    try {
        const std::optional<OperatorStore::Account> account =
            OperatorStore::FindLogin(StaleDb, login);
        if (account) {
            TextNazwisko->setText(account->surname);
            failures_ = 0;
            txtPassword->clear();
            txtPassword->setFocus();
            CmdTmp->setDefault(false);
            cmdOK->setDefault(true);
            return;
        }
        ++failures_;
        if (failures_ >= LoginAttempts) {
            ShowAlarm(QStringLiteral("Nieprawidłowy Login - Wyjście z programu!"), AlarmCaption, 1,
                      false);
            failSignIn();
            return;
        }
        ShowAlarm(QStringLiteral("Nieprawidłowy Login - Spróbuj ponownie!"), AlarmCaption, 1,
                  false);
        // The window is not active again yet when the alarm has closed, so the
        // login box would get the focus without its own handler: Enter would
        // then check a password that was never typed.
        TextLogin->setFocus();
        TextLogin_GotFocus();
        // "{Home}+{End}": the login box is still losing the focus that brought
        // us here, which drops a selection made now; the next login typed must
        // replace this one, so select once that has finished.
        QTimer::singleShot(0, TextLogin, [this] {
            if (focusWidget() == TextLogin)
                TextLogin->selectAll();
        });
    } catch (const RuntimeError &error) {
        if (error.Number() != dao::err::ItemNotFound)
            ShowError(QStringLiteral("Błąd logowania!"), error);
    }
}

void frmLoginLab::cmdOK_Click()
{
    try {
        const std::optional<OperatorStore::Account> account =
            OperatorStore::FindLogin(StaleDb, TextLogin->text());
        if (!account)
            return;
        QString typed = txtPassword->text();
        const QString scrambled = ScramblePassword(typed);
        const QString &stored = account->scrambledPassword;
        // Trailing blanks of the stored value do not count; a scrambled text
        // that itself ends in a blank must still match its stored form.
        if (scrambled == TrimBlanks(stored) || scrambled == stored) {
            LoginOk = true;
            TextOperat->setText(account->number);
            TextOperatRodz->setText(account->kind);
            OperatorSurname = account->surname;
            ProgramFolder = QStringLiteral("C:\\MervaskLab");
            hide();
            return;
        }
        ++failures_;
        if (failures_ >= PasswordAttempts) {
            ShowAlarm(QStringLiteral("Nie znasz hasła dostępu!"), AlarmCaption, 1, false);
            failSignIn();
            return;
        }
        ShowAlarm(QStringLiteral("Nieprawidłowe hasło, spróbuj ponownie!"), AlarmCaption, 1, false);
        txtPassword->setFocus();
        txtPassword->selectAll();
    } catch (const RuntimeError &error) {
        ShowError(error.Number() == dao::err::ItemNotFound
                      ? QStringLiteral("Błąd ustalenia hasła: 3265!")
                      : QStringLiteral("Błąd ustalenia hasła!"),
                  error);
    }
}

void frmLoginLab::cmdCancel_Click()
{
    LoginOk = false;
    hide();
    EndProgram();
}

void frmLoginLab::failSignIn()
{
    LoginOk = false;
    hide();
}

void frmLoginLab::reject()
{
    // Esc and the window's close box give up, as the cancel button does.
    cmdCancel_Click();
}

bool frmLoginLab::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == TextLogin) {
        // Switching to another window (a message box) is no change of field.
        if (event->type() == QEvent::FocusIn &&
            static_cast<QFocusEvent *>(event)->reason() != Qt::ActiveWindowFocusReason)
            TextLogin_GotFocus();
        else if (event->type() == QEvent::FocusOut) {
            const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                TextLogin_LostFocus();
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmLoginLab::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && CmdTmp->isDefault()) {
        // The hidden button takes Enter while the login is typed.
        CmdTmp->click();
        return;
    }
    QDialog::keyPressEvent(event);
}
