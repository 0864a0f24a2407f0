#include "PrintingFixture.h"

#include "batches/FormSeriaTest.h"
#include "foundation/Globals.h"
#include "platform/ui/ScriptedUi.h"
#include "platform/ui/ShowModal.h"
#include "platform/ui/WindowRegistry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <functional>
#include <memory>

using F = PrintingFixture;

namespace
{

const QString SecondLine =
    QStringLiteral("PIW pochodzenia materiału w przypadku zakładów utylizacyjnych");

FormSeriaTest &Dialog()
{
    return ui::WindowRegistry::Instance<FormSeriaTest>();
}

// Shows the dialog as the print does and lets `operate` work in it.
void ShowDialog(const std::function<void(FormSeriaTest &)> &operate)
{
    ui::ScriptedUi scripted;
    scripted.AnswerWindow(QStringLiteral("FormSeriaTest"), [&](QWidget &) { operate(Dialog()); });
    FormRequest = QStringLiteral("OK");
    ui::ShowModal(Dialog());
    SCRIPTED_UI_VERIFY(scripted);
}

QVariantMap Settings()
{
    dao::Recordset rs = RobotDb.OpenRecordset(QStringLiteral("SeriaTest"));
    QVariantMap values;
    rs.MoveFirst();
    for (const char *field :
         {"Test", "Seria", "Platnik", "Rachunek", "Egz", "Data", "Otrzymuja", "LogoPCA"})
        values.insert(QLatin1String(field), rs(QLatin1String(field)).Value());
    rs.Close();
    return values;
}

} // namespace

// The print settings dialog: what every showing resets, what OK stores and
// keeps, and that every way out other than OK stores nothing.
class tst_FormSeriaTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<PrintingFixture> fixture_;

private slots:
    void init()
    {
        fixture_ = std::make_unique<PrintingFixture>();
        QVERIFY(fixture_->IsValid());
    }
    void cleanup() { fixture_.reset(); }

    void everyShowingStartsAfresh()
    {
        ShowDialog([](FormSeriaTest &d) {
            d.ComboPlatnik->setCurrentText(QStringLiteral("właściciel"));
            d.TextEgz->setText(QStringLiteral("3"));
            d.TextData->setText(QStringLiteral("01.01.2020"));
            d.Option2->setChecked(true);
            d.TextOtrzymuja2->setText(QStringLiteral("inny"));
            d.TextOtrzymuja1->setText(QStringLiteral("PIW Łódź"));
            d.CheckLogoPCA->setChecked(true);
            d.ComAnulujFr->click();
        });
        ShowDialog([](FormSeriaTest &d) {
            QCOMPARE(d.ComboPlatnik->currentText(), QStringLiteral("---"));
            QCOMPARE(d.ComboRachunek->currentText(), QStringLiteral("---"));
            QCOMPARE(d.TextEgz->text(), QStringLiteral("1"));
            QCOMPARE(d.TextData->text(), QStringLiteral("05.03.2024"));
            QVERIFY(d.Option1->isChecked());
            QCOMPARE(d.TextOtrzymuja2->text(), SecondLine);
            QCOMPARE(d.TextOtrzymuja1->text(), QStringLiteral("PIW Łódź"));
            QVERIFY(d.CheckLogoPCA->isChecked());
            d.ComOk->click();
        });
    }

    void okStoresTheSettings_data()
    {
        QTest::addColumn<bool>("second");
        QTest::addColumn<bool>("logo");
        QTest::addColumn<QString>("recipients");
        QTest::newRow("first line, untrimmed") << false << true << "  PIW Łódź, ul. Długa 1  ";
        QTest::newRow("second line") << true << false << SecondLine;
    }

    void okStoresTheSettings()
    {
        QFETCH(bool, second);
        QFETCH(bool, logo);
        QFETCH(QString, recipients);
        ShowDialog([&](FormSeriaTest &d) {
            d.TextOtrzymuja1->setText(QStringLiteral("  PIW Łódź, ul. Długa 1  "));
            (second ? d.Option2 : d.Option1)->setChecked(true);
            d.CheckLogoPCA->setChecked(logo);
            QCOMPARE(d.CheckLogoPCA->palette().color(QPalette::WindowText),
                     logo ? QColor(Qt::blue) : QColor(Qt::black));
            d.ComboPlatnik->setCurrentText(QStringLiteral(" właściciel "));
            d.TextEgz->setText(QStringLiteral(" 2 "));
            d.ComOk->click();
        });
        const QVariantMap stored = Settings();
        QCOMPARE(stored["Otrzymuja"].toString(), recipients);
        QCOMPARE(stored["LogoPCA"].toString(), logo ? QStringLiteral("T") : QStringLiteral("N"));
        QCOMPARE(stored["Platnik"].toString(), QStringLiteral("właściciel"));
        QCOMPARE(stored["Rachunek"].toString(), QStringLiteral("---"));
        QCOMPARE(stored["Egz"].toString(), QStringLiteral("2"));
        QCOMPARE(stored["Data"].toString(), QStringLiteral("05.03.2024"));
        QCOMPARE(FormRequest, QStringLiteral("OK"));
    }

    // The dialog has no fields for the test name and series: OK passes the
    // stored ones on to the sheet and keeps them, or creates the empty row.
    void okKeepsTheTestName_data()
    {
        QTest::addColumn<bool>("stored");
        QTest::newRow("stored") << true;
        QTest::newRow("missing") << false;
    }

    void okKeepsTheTestName()
    {
        QFETCH(bool, stored);
        if (stored)
            F::AddRow(StaleDb, QStringLiteral("PARAMETRY"),
                      {{"KLUCZ", "Test"},
                       {"PARAM1", "Trichinella D'Or"},
                       {"PARAM2", "S-17/2024"},
                       {"KOMENT", "x"}});
        ShowDialog([](FormSeriaTest &d) { d.ComOk->click(); });
        ShowDialog([](FormSeriaTest &d) { d.ComOk->click(); });

        const QString name = stored ? QStringLiteral("Trichinella D'Or") : QString();
        const QString series = stored ? QStringLiteral("S-17/2024") : QString();
        QCOMPARE(Settings()["Test"].toString(), name);
        QCOMPARE(Settings()["Seria"].toString(), series);
        dao::Recordset rs =
            StaleDb.OpenRecordset(QStringLiteral("SELECT * FROM PARAMETRY WHERE KLUCZ = 'Test'"));
        QCOMPARE(rs.RecordCount(), 1);
        QCOMPARE(rs(QStringLiteral("PARAM1")).Value().toString(), name);
        QCOMPARE(rs(QStringLiteral("PARAM2")).Value().toString(), series);
        QCOMPARE(rs(QStringLiteral("KOMENT")).Value().toString(),
                 stored ? QStringLiteral("x")
                        : QStringLiteral("Nazwa testu i nr serii - dotyczy wydruku wyniki"));
    }

    void otherWaysOutStoreNothing_data()
    {
        QTest::addColumn<QString>("way");
        QTest::newRow("Anuluj") << "Anuluj";
        QTest::newRow("Esc") << "Esc";
        QTest::newRow("close button") << "close";
    }

    void otherWaysOutStoreNothing()
    {
        QFETCH(QString, way);
        const QVariantMap before = Settings();
        ShowDialog([&](FormSeriaTest &d) {
            d.TextEgz->setText(QStringLiteral("5"));
            d.CheckLogoPCA->setChecked(true);
            if (way == QLatin1String("Anuluj"))
                d.ComAnulujFr->click();
            else if (way == QLatin1String("Esc"))
                QTest::keyClick(&d, Qt::Key_Escape);
            else
                d.close();
        });
        QCOMPARE(FormRequest, QStringLiteral("ANULUJ"));
        QCOMPARE(Settings(), before);
    }

    // A staging file without the recipients' column keeps its old message;
    // a missing row is simply restored.
    void outdatedStagingFile()
    {
        RobotDb.Execute(QStringLiteral("DELETE FROM SeriaTest"));
        ShowDialog([](FormSeriaTest &d) { d.ComOk->click(); });
        QCOMPARE(F::RowCount(RobotDb, "SeriaTest"), 1);

        RobotDb.Execute(QStringLiteral("ALTER TABLE SeriaTest DROP COLUMN Otrzymuja"));
        ui::ScriptedUi scripted;
        scripted.AnswerWindow(QStringLiteral("FormSeriaTest"),
                              [](QWidget &) { Dialog().ComOk->click(); });
        scripted.Answer(QStringLiteral("OK"));
        FormRequest = QStringLiteral("OK");
        ui::ShowModal(Dialog());
        SCRIPTED_UI_VERIFY(scripted);
        QCOMPARE(scripted.Last().text, QStringLiteral("Brak pola na wpisanie danych o serii testu! "
                                                      "Masz nieaktualną bazę danych Robot.mdb!"));
        QCOMPARE(scripted.Last().style, 0);
        QCOMPARE(FormRequest, QStringLiteral("OK"));
    }
};

QTEST_MAIN(tst_FormSeriaTest)
#include "tst_FormSeriaTest.moc"
