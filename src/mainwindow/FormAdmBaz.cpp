#include "mainwindow/FormAdmBaz.h"

#include "foundation/Globals.h"
#include "foundation/Messages.h"
#include "foundation/TextProcedures.h"
#include "foundation/frmLoginLab.h"
#include "mainwindow/TableCleaner.h"
#include "platform/ui/DialogText.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/NamedControls.h"
#include "platform/ui/ShowModal.h"
#include "platform/ui/WaitPointer.h"
#include "platform/ui/WindowRegistry.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

FormAdmBaz::FormAdmBaz(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormAdmBaz"));
    setWindowTitle(QStringLiteral("Administrator"));
    buildControls();
    connect(CheckAllPartie, &QCheckBox::toggled, this, &FormAdmBaz::CheckAllPartie_Click);
    connect(CheckZaklad, &QCheckBox::toggled, this, &FormAdmBaz::CheckZaklad_Click);
    connect(ComWyczysc, &QPushButton::clicked, this, &FormAdmBaz::ComWyczysc_Click);
    connect(ComZamk, &QPushButton::clicked, this, &FormAdmBaz::ComZamk_Click);
    Form_Load();
}

void FormAdmBaz::buildControls()
{
    Label2 = ui::Named(new QLabel(QStringLiteral("CZYSZCZENIE BAZY DANYCH"), this), "Label2");
    Label2->setAlignment(Qt::AlignCenter);
    Frame1Import = ui::Named(new QGroupBox(QStringLiteral(" Usuń dane "), this), "Frame1Import");
    auto *boxes = new QVBoxLayout(Frame1Import);
    const auto box = [&](const char *name, const QString &caption) {
        auto *check = ui::Named(new QCheckBox(caption, Frame1Import), name);
        boxes->addWidget(check);
        return check;
    };
    CheckAllProbki = box("CheckAllProbki", QStringLiteral("  Wszystkie próbki"));
    CheckAllPartie = box("CheckAllPartie", QStringLiteral("  Wszytkie partie"));
    CheckMatZuz = box("CheckMatZuz", QStringLiteral("  Materiały zużyte"));
    CheckZaklad = box("CheckZaklad", QStringLiteral("  Zakłady"));
    CheckPIW = box("CheckPIW", QStringLiteral("  Powiatowe Insp. Wet."));
    CheckWIW = box("CheckWIW", QStringLiteral("  Wojewódzkie Insp. Wet."));
    CheckArch = box("CheckArch", QStringLiteral("  Archiwum"));
    // No archive database is ever opened, so there is nothing it could empty.
    CheckArch->setEnabled(false);
    LabOpis = ui::Named(new QLabel(this), "LabOpis");
    LabOpis->setTextFormat(Qt::PlainText);
    LabOpis->setWordWrap(true);
    ComWyczysc = ui::Named(new QPushButton(QStringLiteral("&Wyczyść"), this), "ComWyczysc");
    ComWyczysc->setToolTip(QStringLiteral("Usuwa całkowicie dane z zaznaczonych tabel!"));
    ComZamk = ui::Named(new QPushButton(QStringLiteral("&Zamknij"), this), "ComZamk");
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label2);
    layout->addWidget(Frame1Import);
    layout->addWidget(LabOpis);
    layout->addLayout(ui::ButtonRow({ComWyczysc, ComZamk}));
}

void FormAdmBaz::Open()
{
    FormAdmBaz &form = ui::WindowRegistry::Instance<FormAdmBaz>();
    if (!frmLoginLab::SignedIn().IsAdministrator())
        form.ComWyczysc->setEnabled(false);
    ui::ShowModal(form);
}

void FormAdmBaz::Form_Load()
{
    // A label breaks lines only at LF, not at the CR the text is written with.
    LabOpis->setText(ui::ScreenText(QStringLiteral(
        "Uwaga!\rWciśnięcie przycisku 'Wyczyść' spowoduje całkowite usunięcie danych z "
        "zaznaczonych tabel.\rCzynność może być wykonana tylko przez administratora programu!")));
}

void FormAdmBaz::CheckAllPartie_Click(bool checked)
{
    if (!checked)
        return;
    CheckAllProbki->setChecked(true);
    CheckMatZuz->setChecked(true);
}

void FormAdmBaz::CheckZaklad_Click(bool checked)
{
    if (!checked)
        return;
    CheckAllPartie->setChecked(true);
    CheckAllProbki->setChecked(true);
    CheckMatZuz->setChecked(true);
}

void FormAdmBaz::RequireChecked(QCheckBox *required, QCheckBox *checked,
                                const QString &requiredName, const QString &checkedName)
{
    if (required->isChecked() || !checked->isChecked())
        return;
    ui::MsgBox(QStringLiteral("Musisz zaznaczyć pole ") + requiredName +
                   QStringLiteral(" jeśli zaznaczone jest pole ") + checkedName +
                   QStringLiteral("."),
               ui::vbExclamation, QStringLiteral("KONTROLA INTEGRALNOŚCI"));
    cleanOk_ = false;
}

void FormAdmBaz::ClearTable(QCheckBox *box, dao::Database db, const QString &table)
{
    if (!box->isChecked())
        return;
    try {
        if (!TableCleaner::Empty(db, table)) {
            ui::MsgBox(QStringLiteral("Nie wszystko usunięte! Powtórz operację czyszczenia!"));
            cleanOk_ = false;
        }
    } catch (const RuntimeError &error) {
        ShowError(QStringLiteral("Czyszczenie tabeli ") + table, error);
        cleanOk_ = false;
    }
}

QString FormAdmBaz::confirmationText() const
{
    QString text = QStringLiteral("Czy na pewno usunąć dane z zaznaczonych tabel?");
    if (CheckAllPartie->isChecked())
        text += QStringLiteral("\rRazem z partiami zostaną usunięte wszystkie nastawienia i tace "
                               "bieżącego miesiąca.");
    return text;
}

void FormAdmBaz::ComWyczysc_Click()
{
    cleanOk_ = true;
    RequireChecked(CheckAllProbki, CheckAllPartie, QStringLiteral("'Wszystkie próbki'"),
                   QStringLiteral("'Wszystkie partie'"));
    RequireChecked(CheckMatZuz, CheckAllPartie, QStringLiteral("'Materiały zużyte'"),
                   QStringLiteral("'Wszystkie partie'"));
    RequireChecked(CheckAllPartie, CheckZaklad, QStringLiteral("'Wszystkie partie'"),
                   QStringLiteral("'Zakład'"));
    if (!cleanOk_)
        return;
    if (ui::MsgBox(confirmationText(), ui::vbYesNo + ui::vbQuestion + ui::vbDefaultButton2,
                   QStringLiteral("USUWANIE DANYCH!")) != ui::vbYes)
        return;
    clearTables();
    if (cleanOk_)
        ui::MsgBox(QStringLiteral("Czyszczenie tabel zakończone powodzeniem!"), ui::vbInformation,
                   QStringLiteral("INFORMACJA"));
    else
        ui::MsgBox(QStringLiteral("Nie wszystkie tabele zostały poprawnie usunięte!\rZamknij i "
                                  "uruchom program ponownie a następnie powtórz operację "
                                  "czyszczenia!"),
                   ui::vbExclamation, QStringLiteral("INFORMACJA"));
}

void FormAdmBaz::clearTables()
{
    // The busy pointer for as long as the tables are being emptied.
    ui::WaitPointer pointer;
    pointer.Show();
    ClearTable(CheckAllProbki, MonthDb, QStringLiteral("BADANIE"));
    // The trays and runs of the month go with its batches, children first.
    clearRunTable(QStringLiteral("POZYCJAN"));
    clearRunTable(QStringLiteral("NASTAWIENIE"));
    ClearTable(CheckAllPartie, MonthDb, QStringLiteral("PARTIA"));
    ClearTable(CheckMatZuz, MonthDb, QStringLiteral("ZUZYTE"));
    ClearTable(CheckZaklad, StaleDb, QStringLiteral("ZAKLAD"));
    ClearTable(CheckPIW, StaleDb, QStringLiteral("PIW"));
    ClearTable(CheckWIW, StaleDb, QStringLiteral("WIW"));
}

// A month file made before runs were kept has no runs or trays to leave
// behind; the operator did not choose these tables, so their absence is no
// failure of the cleaning.
void FormAdmBaz::clearRunTable(const QString &table)
{
    try {
        if (!MonthDb.TableDefs().Contains(table))
            return;
    } catch (const RuntimeError &) {
        // ClearTable reports a database that cannot be read.
    }
    ClearTable(CheckAllPartie, MonthDb, table);
}

void FormAdmBaz::ComZamk_Click()
{
    for (QCheckBox *box :
         {CheckAllProbki, CheckAllPartie, CheckMatZuz, CheckZaklad, CheckPIW, CheckWIW, CheckArch})
        box->setChecked(false);
    hide();
}

void FormAdmBaz::reject()
{
    ComZamk_Click();
}
