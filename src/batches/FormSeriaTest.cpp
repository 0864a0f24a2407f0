#include "batches/FormSeriaTest.h"
#include "platform/ui/ShowModal.h"
#include "platform/ui/WindowRegistry.h"

#include "batches/ResultPrintSettings.h"
#include "foundation/Globals.h"
#include "foundation/Messages.h"
#include "foundation/RecordsetProcedures.h"
#include "platform/db/DaoError.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/NamedControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace
{

const QString NoChoice = QStringLiteral("---");
const QString SecondRecipients =
    QStringLiteral("PIW pochodzenia materiału w przypadku zakładów utylizacyjnych");

QComboBox *pickList(QWidget *parent, const char *name, const QString &first)
{
    auto *combo = ui::Named(new QComboBox(parent), name);
    combo->setEditable(true);
    combo->addItems({first, NoChoice});
    return combo;
}

// The table or one of its fields is missing: the staging file is older than
// the program.
bool OutdatedTable(const RuntimeError &error)
{
    return error.Number() == dao::err::TableNotFound || error.Number() == dao::err::ItemNotFound;
}

} // namespace

bool FormSeriaTest::Confirm(const QString &inspectorate)
{
    FormSeriaTest &settings = ui::WindowRegistry::Instance<FormSeriaTest>();
    settings.TextOtrzymuja1->setText(inspectorate);
    FormRequest = QStringLiteral("OK");
    ui::ShowModal(settings);
    return FormRequest != QLatin1String("ANULUJ");
}

FormSeriaTest::FormSeriaTest(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormSeriaTest"));
    setWindowTitle(QStringLiteral("Wydruk wyniku"));
    buildControls();
    connect(ComOk, &QPushButton::clicked, this, &FormSeriaTest::ComOk_Click);
    connect(ComAnulujFr, &QPushButton::clicked, this, &FormSeriaTest::ComAnulujFr_Click);
    connect(CheckLogoPCA, &QCheckBox::toggled, this, &FormSeriaTest::CheckLogoPCA_Click);
}

void FormSeriaTest::buildControls()
{
    FrameUstawienia =
        ui::Named(new QGroupBox(QStringLiteral("Ustawienia wydruku:"), this), "FrameUstawienia");
    TextData = ui::TextBox(FrameUstawienia, "TextData", 10);
    TextEgz = ui::TextBox(FrameUstawienia, "TextEgz", 20);
    CheckLogoPCA = ui::Named(new QCheckBox(QStringLiteral("Drukuj logo PCA"), FrameUstawienia),
                             "CheckLogoPCA");
    ComOk = ui::Named(new QPushButton(QStringLiteral("&OK"), this), "ComOk");
    ComAnulujFr = ui::Named(new QPushButton(QStringLiteral("&Anuluj"), this), "ComAnulujFr");

    auto *copies = new QHBoxLayout;
    copies->addWidget(new QLabel(QStringLiteral("Data:"), FrameUstawienia));
    copies->addWidget(TextData);
    copies->addSpacing(12);
    copies->addWidget(new QLabel(QStringLiteral("Wydrukowano"), FrameUstawienia));
    copies->addWidget(TextEgz);
    copies->addWidget(new QLabel(QStringLiteral("... egz."), FrameUstawienia));
    auto *frame = new QVBoxLayout(FrameUstawienia);
    frame->addLayout(copies);
    frame->addWidget(buildParameters());
    frame->addWidget(buildRecipients());
    frame->addWidget(CheckLogoPCA);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ComOk);
    buttons->addWidget(ComAnulujFr);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(FrameUstawienia);
    layout->addLayout(buttons);
    ComOk->setDefault(true);
}

QGroupBox *FormSeriaTest::buildParameters()
{
    auto *frame =
        ui::Named(new QGroupBox(QStringLiteral("Parametry:"), FrameUstawienia), "FrameParametry");
    ComboPlatnik = pickList(frame, "ComboPlatnik", QStringLiteral("właściciel"));
    ComboRachunek = pickList(frame, "ComboRachunek", QStringLiteral("pozycja z cennika"));
    auto *grid = new QGridLayout(frame);
    grid->addWidget(new QLabel(QStringLiteral("Płatnik"), frame), 0, 0);
    grid->addWidget(ComboPlatnik, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Rachunek"), frame), 1, 0);
    grid->addWidget(ComboRachunek, 1, 1);
    return frame;
}

QGroupBox *FormSeriaTest::buildRecipients()
{
    auto *frame =
        ui::Named(new QGroupBox(QStringLiteral("Otrzymują:"), FrameUstawienia), "FrameOtrzymuja");
    Option1 = ui::Named(new QRadioButton(frame), "Option1");
    Option2 = ui::Named(new QRadioButton(frame), "Option2");
    TextOtrzymuja1 = ui::TextBox(frame, "TextOtrzymuja1", 150);
    TextOtrzymuja2 = ui::TextBox(frame, "TextOtrzymuja2", 150);
    TextOtrzymuja1->setMinimumWidth(420);
    auto *grid = new QGridLayout(frame);
    grid->addWidget(Option1, 0, 0);
    grid->addWidget(TextOtrzymuja1, 0, 1);
    grid->addWidget(Option2, 1, 0);
    grid->addWidget(TextOtrzymuja2, 1, 1);
    return frame;
}

void FormSeriaTest::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    Form_Activate();
}

void FormSeriaTest::Form_Activate()
{
    try {
        const ResultPrintSettings::TestSeries stored = ResultPrintSettings::ReadTestSeries(StaleDb);
        testName_ = stored.test;
        series_ = stored.series;
    } catch (const RuntimeError &error) {
        ShowError(QStringLiteral("Drukowanie"), error);
    }
    ComboPlatnik->setCurrentText(NoChoice);
    ComboRachunek->setCurrentText(NoChoice);
    TextEgz->setText(QStringLiteral("1"));
    TextData->setText(WorkingDate.toString(QStringLiteral("dd.MM.yyyy")));
    Option1->setChecked(true);
    TextOtrzymuja2->setText(SecondRecipients);
}

void FormSeriaTest::CheckLogoPCA_Click()
{
    QPalette palette = CheckLogoPCA->palette();
    palette.setColor(QPalette::WindowText,
                     CheckLogoPCA->isChecked() ? QColor(Qt::blue) : QColor(Qt::black));
    CheckLogoPCA->setPalette(palette);
}

void FormSeriaTest::storeSettings()
{
    ResultPrintSettings::Sheet sheet;
    sheet.testSeries = {testName_, series_};
    sheet.payer = ComboPlatnik->currentText();
    sheet.account = ComboRachunek->currentText();
    sheet.copies = TextEgz->text();
    sheet.date = TextData->text();
    sheet.recipients = Option2->isChecked() ? TextOtrzymuja2->text() : TextOtrzymuja1->text();
    sheet.logoPca = CheckLogoPCA->isChecked();
    ResultPrintSettings::StoreSheet(RobotDb, sheet);
}

void FormSeriaTest::ComOk_Click()
{
    try {
        storeSettings();
    } catch (const RuntimeError &error) {
        reportUnstoredSettings(error);
    }
    TouchTables(RobotDb, {"WynikTMP", "SeriaTest"});
    try {
        ResultPrintSettings::StoreTestSeries(StaleDb, {testName_, series_});
    } catch (const RuntimeError &error) {
        ShowError(QStringLiteral("Drukowanie"), error);
    }
    hide();
}

// An outdated staging file keeps its old message and the print goes on, as
// it always did; any other failure would print the previous settings, so the
// print stops.
void FormSeriaTest::reportUnstoredSettings(const RuntimeError &error)
{
    if (OutdatedTable(error)) {
        ui::MsgBox(
            QStringLiteral("Brak pola na wpisanie danych o serii testu! Masz nieaktualną bazę "
                           "danych Robot.mdb!"),
            ui::vbOKOnly);
        return;
    }
    ShowError(QStringLiteral("Drukowanie"), error);
    FormRequest = QStringLiteral("ANULUJ");
}

void FormSeriaTest::ComAnulujFr_Click()
{
    FormRequest = QStringLiteral("ANULUJ");
    hide();
}

void FormSeriaTest::reject()
{
    ComAnulujFr_Click();
}
