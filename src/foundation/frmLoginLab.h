#pragma once

#include <QDialog>

#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;

// The operator signed in on this workstation, as the rights checks read it.
struct SignedInOperator {
    QString kind;    // OP_RODZAJ, trimmed and in upper case
    QString surname; // OP_NAZWISKO as recognised at sign-in
    QString number;  // OP_NUMER
    QString login;   // the login as typed

    bool IsAdministrator() const { return kind == QLatin1String("ADMINISTRATOR"); }
    // The kind whose rights are the narrowest.
    bool IsOperator() const { return kind == QLatin1String("OPERATOR"); }
};

// The sign-in window. Shown modally once at start-up, then only hidden: it
// holds the signed-in operator's number, kind and surname for the whole run.
// On return the caller reads LoginOk.
class frmLoginLab : public QDialog
{
    Q_OBJECT

public:
    explicit frmLoginLab(QWidget *parent = nullptr);

    // Shown modally for the program named `program` (the main window's name).
    static void Open(const QString &program);

    // Who signed in; empty before anyone did.
    static SignedInOperator SignedIn();

    QLineEdit *TextLogin;      // the login as typed
    QLineEdit *txtPassword;    // the password, masked
    QLabel *TextNazwisko;      // the recognised operator's surname
    QLineEdit *TextOperat;     // after sign-in: OP_NUMER
    QLineEdit *TextOperatRodz; // after sign-in: OP_RODZAJ
    QLineEdit *TextProg;       // hidden; the name its opener gave
    QPushButton *cmdOK;
    QPushButton *cmdCancel;
    QPushButton *CmdTmp; // the default button while the login is typed

    // The shared count of failed logins and passwords.
    quint8 FailureCount() const { return failures_; }

    void reject() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void Form_Load();
    void TextLogin_GotFocus();
    void TextLogin_LostFocus();
    void CmdTmp_Click();
    void cmdOK_Click();
    void cmdCancel_Click();

    void buildControls();
    bool dateFormatAccepted() const;
    void failSignIn();
    quint8 failures_ = 0;
};
