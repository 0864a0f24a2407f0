#include "foundation/FormOperat.h"
#include "platform/ui/ShowModal.h"

#include "foundation/Globals.h"
#include "foundation/Messages.h"
#include "foundation/OperatorStore.h"
#include "foundation/RecordWrite.h"
#include "foundation/RecordsetProcedures.h"
#include "foundation/TextProcedures.h"
#include "foundation/frmLoginLab.h"
#include "platform/db/DaoError.h"
#include "platform/db/Recordset.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/EnterAsTab.h"
#include "platform/ui/MaskEdBox.h"
#include "platform/ui/NamedControls.h"
#include "platform/ui/SendKeys.h"
#include "platform/ui/WindowRegistry.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace
{

const QString WindowCaption = QStringLiteral("OPERATORZY");
const QString NoRights = QStringLiteral("Nie posiadasz uprawnień administratora!");
const QString Unchanged = QStringLiteral("*****");
constexpr int NameLength = 50;
constexpr int LoginLength = 50;
const QString LoginTaken = QStringLiteral("Taki login juz istnieje!");
constexpr int NumberLength = 5;

} // namespace

void FormOperat::Open()
{
    ui::ShowModal(ui::WindowRegistry::Instance<FormOperat>());
}

FormOperat::FormOperat(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormOperat"));
    setWindowTitle(WindowCaption);
    buildControls();
    connectHandlers();
    // Enter moves on through the frame's fields in the order they are shown.
    new ui::EnterAsTab(this);
    const QList<QWidget *> order{MaskEdBoxKod, TextLogin,   TextNazw,   TextPass1,
                                 TextPass2,    ComboOperat, ComOperZap, ComOperRez};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    Form_Load();
}

void FormOperat::buildControls()
{
    Label1 = ui::Named(new QLabel(QStringLiteral("OPERATORZY SYSTEMU"), this), "Label1");
    Label1->setAlignment(Qt::AlignCenter);
    DataOperat = ui::Named(new ui::DataControl(this), "DataOperat");
    DBGridOper = ui::Named(new ui::DBGrid(this), "DBGridOper");
    // The name's column takes the width of the names, as long as they come.
    DBGridOper->Bind(DataOperat, {{QStringLiteral("NUMER"), QStringLiteral("OP_NUMER"), 60},
                                  {QStringLiteral("NAZWISKO"), QStringLiteral("OP_NAZWISKO")},
                                  {QStringLiteral("OP_KLUCZ"), QStringLiteral("OP_KLUCZ")},
                                  {QStringLiteral("OP_HASLO"), QStringLiteral("OP_HASLO")},
                                  {QStringLiteral("RODZAJ"), QStringLiteral("OP_RODZAJ"), 110},
                                  {QStringLiteral("LOGIN"), QStringLiteral("OP_LOGIN"), 120}});
    // The sort key and the scrambled password mean nothing to the reader.
    DBGridOper->setColumnHidden(2, true);
    DBGridOper->setColumnHidden(3, true);
    DBGridOper->setMinimumWidth(560);
    ComOperDod = ui::CommandButton(this, "ComOperDod", QStringLiteral("&Dodaj"));
    ComOperKor = ui::CommandButton(this, "ComOperKor", QStringLiteral("&Popraw"));
    ComOperKas = ui::CommandButton(this, "ComOperKas", QStringLiteral("&Usuń"));
    ComOperZamk = ui::CommandButton(this, "ComOperZamk", QStringLiteral("&Zamknij"));

    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {ComOperDod, ComOperKor, ComOperKas, ComOperZamk})
        buttons->addWidget(b);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(DBGridOper);
    layout->addWidget(DataOperat);
    layout->addLayout(buttons);
    layout->addWidget(buildFrame());
}

QGroupBox *FormOperat::buildFrame()
{
    FrameOperat = ui::Named(new QGroupBox(this), "FrameOperat");
    MaskEdBoxKod = ui::Named(new ui::MaskEdBox(FrameOperat), "MaskEdBoxKod");
    MaskEdBoxKod->setMaxLength(NumberLength);
    TextNazw = ui::Named(new QLineEdit(FrameOperat), "TextNazw");
    TextNazw->setMaxLength(NameLength);
    TextPass1 = ui::Named(new QLineEdit(FrameOperat), "TextPass1");
    TextPass2 = ui::Named(new QLineEdit(FrameOperat), "TextPass2");
    for (QLineEdit *password : {TextPass1, TextPass2}) {
        password->setEchoMode(QLineEdit::Password);
        password->installEventFilter(this);
    }
    ComboOperat = ui::Named(new QComboBox(FrameOperat), "ComboOperat");
    ComboOperat->addItems(
        {QStringLiteral("Operator"), QStringLiteral("Asystent"), QStringLiteral("Administrator")});
    TextLogin = ui::Named(new QLineEdit(FrameOperat), "TextLogin");
    TextLogin->setMaxLength(LoginLength);
    ComOperZap = ui::CommandButton(FrameOperat, "ComOperZap", QStringLiteral("Z&apisz"));
    ComOperRez = ui::CommandButton(FrameOperat, "ComOperRez", QStringLiteral("&Anuluj"));

    auto *grid = new QGridLayout(FrameOperat);
    const QList<QPair<QString, QWidget *>> rows{{QStringLiteral("Kod operatora"), MaskEdBoxKod},
                                                {QStringLiteral("Login"), TextLogin},
                                                {QStringLiteral("Nazwisko i imię"), TextNazw},
                                                {QStringLiteral("Hasło"), TextPass1},
                                                {QStringLiteral("Powtórzenie"), TextPass2},
                                                {QStringLiteral("Typ operatora"), ComboOperat}};
    for (int row = 0; row < rows.size(); ++row) {
        grid->addWidget(new QLabel(rows[row].first, FrameOperat), row, 0);
        grid->addWidget(rows[row].second, row, 1);
    }
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ComOperZap);
    buttons->addWidget(ComOperRez);
    grid->addLayout(buttons, int(rows.size()), 0, 1, 2);
    FrameOperat->setVisible(false);
    return FrameOperat;
}

void FormOperat::connectHandlers()
{
    connect(ComOperDod, &QPushButton::clicked, this, &FormOperat::ComOperDod_Click);
    connect(ComOperKor, &QPushButton::clicked, this, &FormOperat::ComOperKor_Click);
    connect(ComOperKas, &QPushButton::clicked, this, &FormOperat::ComOperKas_Click);
    connect(ComOperZamk, &QPushButton::clicked, this, &FormOperat::ComOperZamk_Click);
    connect(ComOperZap, &QPushButton::clicked, this, &FormOperat::ComOperZap_Click);
    connect(ComOperRez, &QPushButton::clicked, this, &FormOperat::ComOperRez_Click);
    // Only the user's typing counts: the "*****" placed by "&Popraw" is no change.
    for (QLineEdit *password : {TextPass1, TextPass2})
        connect(password, &QLineEdit::textEdited, this, [this] { passwordChanged_ = true; });
}

void FormOperat::Form_Load()
{
    TrapErrors(WindowCaption,
               [this] { DataOperat->setRecordset(OperatorStore::OpenList(StaleDb)); });
    passwordChanged_ = false;
}

void FormOperat::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    Form_Activate();
}

void FormOperat::Form_Activate()
{
    // The backup closes the databases with every recordset on them; the
    // list is then opened anew.
    if (!DataOperat->Recordset().IsOpen())
        Form_Load();
    passwordChanged_ = false;
    if (!signedInAdministrator()) {
        ComOperDod->setEnabled(false);
        ComOperKas->setEnabled(false);
    }
}

bool FormOperat::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn && (watched == TextPass1 || watched == TextPass2))
        ui::SendHomeShiftEnd();
    return QDialog::eventFilter(watched, event);
}

bool FormOperat::signedInAdministrator() const
{
    return frmLoginLab::SignedIn().IsAdministrator();
}

bool FormOperat::currentRowIsOwn() const
{
    const dao::Recordset rs = DataOperat->Recordset();
    if (!rs.IsOpen() || rs.BOF() || rs.EOF())
        return false;
    return FieldText(rs, "OP_NUMER") == frmLoginLab::SignedIn().number &&
           FieldText(rs, "OP_NAZWISKO") == OperatorSurname;
}

void FormOperat::refuse(const QString &text, const QString &caption)
{
    ShowAlarm(text, caption, 1, false);
}

void FormOperat::Klawisze(bool enabled)
{
    for (QWidget *control :
         {static_cast<QWidget *>(ComOperKor), static_cast<QWidget *>(ComOperZamk),
          static_cast<QWidget *>(DataOperat), static_cast<QWidget *>(DBGridOper)})
        control->setEnabled(enabled);
    if (signedInAdministrator()) {
        ComOperDod->setEnabled(enabled);
        ComOperKas->setEnabled(enabled);
    }
}

void FormOperat::ComOperDod_Click()
{
    if (!signedInAdministrator()) {
        refuse(NoRights);
        return;
    }
    TrapErrors(WindowCaption, [this] {
        MaskEdBoxKod->setText(OperatorStore::NextNumber(StaleDb));
        edit_.StartAdding();
        // The list stays disabled while the frame is open, so that nothing
        // moves under an account being written.
        Klawisze(false);
        FrameOperat->setTitle(QStringLiteral("   NOWY OPERATOR   "));
        for (QLineEdit *field : {TextNazw, TextLogin, TextPass1, TextPass2})
            field->clear();
        ComboOperat->setCurrentIndex(0);
        FrameOperat->setVisible(true);
        TextLogin->setFocus();
    });
}

void FormOperat::ComOperKor_Click()
{
    if (!signedInAdministrator() && !currentRowIsOwn()) {
        refuse(NoRights);
        return;
    }
    if (DataOperat->RowCount() == 0) {
        QApplication::beep();
        return;
    }
    TrapErrors(WindowCaption, [this] { openForCorrection(); });
}

void FormOperat::openForCorrection()
{
    const dao::Recordset rs = DataOperat->Recordset();
    edit_.StartCorrecting(RememberRow(rs));
    loadedLogin_ = FieldText(rs, "OP_LOGIN");
    Klawisze(false);
    MaskEdBoxKod->setText(FieldText(rs, "OP_NUMER"));
    TextNazw->setText(FieldText(rs, "OP_NAZWISKO"));
    TextLogin->setText(FieldText(rs, "OP_LOGIN"));
    ComboOperat->setCurrentIndex(
        ComboOperat->findText(FieldText(rs, "OP_RODZAJ"), Qt::MatchFixedString));
    TextPass1->setText(Unchanged);
    TextPass2->setText(Unchanged);
    passwordChanged_ = false;
    if (!signedInAdministrator())
        ComboOperat->setEnabled(false);
    FrameOperat->setTitle(QStringLiteral("        KOREKTA DANYCH OPERATORA        "));
    FrameOperat->setVisible(true);
    TextLogin->setFocus();
}

void FormOperat::ComOperZap_Click()
{
    const dao::Recordset list = DataOperat->Recordset();
    const int shownRows = list.IsOpen() ? list.RecordCount() : 0;
    try {
        if (edit_.IsAdding())
            saveNew();
        else
            saveCorrection();
    } catch (const RuntimeError &error) {
        showSaveFailure(error, shownRows);
    }
}

// Nothing was written. An account that another workstation changed or
// deleted meanwhile is shown as it is now, so that a new correction starts
// from it; any other failure leaves the frame open as it was, and the list
// as it was before the save (without a new account the save took back).
void FormOperat::showSaveFailure(const RuntimeError &error, int shownRows)
{
    ShowError(WindowCaption, error);
    const dao::Recordset list = DataOperat->Recordset();
    const bool takenBack = list.IsOpen() && list.RecordCount() != shownRows;
    const std::optional<LoadedRow> loaded = edit_.Target();
    if (error.Number() == dao::err::DataChanged || error.Number() == dao::err::RecordDeleted) {
        FrameOperat->setVisible(false);
        edit_.Close();
        Klawisze(true);
    } else if (!takenBack) {
        return;
    }
    TrapErrors(WindowCaption, [&] {
        dao::Recordset rs = DataOperat->Recordset();
        rs.Requery();
        if (loaded && rs.PositionOf(loaded->Bookmark()) >= 0)
            rs.setBookmark(loaded->Bookmark());
        else if (rs.RecordCount() > 0)
            rs.MoveFirst();
    });
}

// A failed check leaves the frame open and the list disabled.
void FormOperat::saveNew()
{
    if (!signedInAdministrator()) {
        refuse(NoRights);
        return;
    }
    if (!SprLogin()) {
        TextLogin->setFocus();
        return;
    }
    if (!BadajHaslo() || !ZapiszOperat(true, true, true))
        return;
    FrameOperat->setVisible(false);
    edit_.Close();
    Klawisze(true);
}

void FormOperat::saveCorrection()
{
    // Logins are unique without regard to letter case, so a change of case
    // alone is no new login. The login compared is the one the frame was
    // filled with, not the row read again.
    const bool newLogin =
        TrimBlanks(TextLogin->text()).compare(loadedLogin_, Qt::CaseInsensitive) != 0;
    if (newLogin && !SprLogin()) {
        TextLogin->setFocus();
        return;
    }
    if (passwordChanged_ && !BadajHaslo())
        return;
    if (!ZapiszOperat(false, passwordChanged_, newLogin))
        return;
    FrameOperat->setVisible(false);
    edit_.Close();
    Klawisze(true);
}

bool FormOperat::SprLogin()
{
    if (TextLogin->text().isEmpty()) {
        refuse(QStringLiteral("Wpisz login operatora!"));
        TextLogin->setFocus();
        return false;
    }
    // The sign-in finds a login without regard to letter case.
    const bool taken = OperatorStore::LoginTaken(StaleDb, TextLogin->text());
    if (taken)
        refuse(LoginTaken);
    return !taken;
}

bool FormOperat::BadajHaslo()
{
    const QString password = TextPass1->text();
    const QString lengthCaption = QStringLiteral("Od 3 do 10 znaków");
    if (password.size() < 3)
        refuse(QStringLiteral("Hasło za krótkie"), lengthCaption);
    else if (password.size() > 10)
        refuse(QStringLiteral("Hasło za długie"), lengthCaption);
    else if (password != TextPass2->text())
        refuse(QStringLiteral("Niezgodność haseł!"));
    else if (TextNazw->text().isEmpty())
        refuse(QStringLiteral("Wprowadź nazwisko operatora"));
    else
        return true;
    return false;
}

bool FormOperat::ZapiszOperat(bool adding, bool writePassword, bool newLogin)
{
    dao::Recordset rs = DataOperat->Recordset();
    OperatorStore::Entry entry{MaskEdBoxKod->Text(), TextNazw->text(), ComboOperat->currentText(),
                               TextLogin->text(), std::nullopt};
    if (writePassword)
        entry.password = TextPass1->text();
    // Another workstation may have taken the offered number or the login
    // since the checks: the save checks them again as it writes.
    bool saved = true;
    if (adding) {
        const std::optional<QString> number = OperatorStore::Add(StaleDb, rs, entry);
        if (number)
            MaskEdBoxKod->setText(*number);
        saved = number.has_value();
    } else {
        saved = OperatorStore::Change(rs, edit_.Target().value(), entry, newLogin);
    }
    if (!saved) {
        refuse(LoginTaken);
        TextLogin->setFocus();
        return false;
    }
    rs.setBookmark(rs.LastModified());
    return true;
}

void FormOperat::ComOperKas_Click()
{
    if (DataOperat->RowCount() == 0) {
        QApplication::beep();
        return;
    }
    Klawisze(false);
    bool reread = false;
    TrapErrors(WindowCaption, [&] {
        dao::Recordset rs = DataOperat->Recordset();
        const QString surname = TrimBlanks(FieldText(rs, "OP_NAZWISKO"));
        try {
            if (ConfirmDelete(QStringLiteral("Czy usunąć tego operatora?"), surname)) {
                OperatorStore::Delete(rs);
                QApplication::beep();
            }
        } catch (const RuntimeError &error) {
            // An account gone meanwhile leaves the list as one's own delete does.
            reread = !LockedElsewhere(error);
            throw;
        }
    });
    try {
        if (reread)
            DataOperat->Refresh();
    } catch (const RuntimeError &) {
        // The failure reported already says that the list is not right.
    }
    Klawisze(true);
}

void FormOperat::ComOperRez_Click()
{
    FrameOperat->setVisible(false);
    edit_.Close();
    Klawisze(true);
}

void FormOperat::ComOperZamk_Click()
{
    hide();
}

void FormOperat::reject()
{
    if (FrameOperat->isVisible())
        ComOperRez_Click();
    QDialog::reject();
}
