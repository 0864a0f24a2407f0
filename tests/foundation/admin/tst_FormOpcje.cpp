#include "AdminFixture.h"
#include "FixtureTest.h"
#include "OtherWorkstation.h"
#include "Press.h"

#include "foundation/FormOpcje.h"
#include "foundation/Globals.h"
#include "platform/ui/WindowRegistry.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QTabBar>
#include <QtTest>

namespace
{

QVariant param(const QString &key, const char *field = "PARAM3")
{
    return AdminFixture::Row(StaleDb, "PARAMETRY", "KLUCZ", key).value(QLatin1String(field));
}

void setState(const QString &key, const QString &value)
{
    StaleDb.Execute("UPDATE PARAMETRY SET PARAM3 = " + value + " WHERE KLUCZ = '" + key + "'");
}

FormOpcje &opened()
{
    FormOpcje &form = ui::WindowRegistry::Instance<FormOpcje>();
    form.show();
    return form;
}

} // namespace

// The options window: which boxes load from which rows, what can be
// changed, and what a save stores.
class FormOpcjeTest : public FixtureTest<AdminFixture>
{
    Q_OBJECT

private slots:
    void onlyEditingAndMailColumnCanBeChanged()
    {
        setState("zastzero", "1");
        setState("matzuz", "0");
        FormOpcje &form = opened();
        QVERIFY(form.CheckEdycja->isEnabled() && form.CheckEmailWynik->isEnabled());
        for (QCheckBox *box : {form.CheckWczPlikSzyfr, form.CheckZastZero, form.CheckIgnBrakPr,
                               form.CheckDostZamNrPr, form.CheckMatZuz})
            QVERIFY2(!box->isEnabled(), qPrintable(box->objectName()));
        QVERIFY(form.CheckZastZero->isChecked() && !form.CheckEdycja->isChecked());
        // Every save stores the materials question on.
        QVERIFY(form.CheckMatZuz->isChecked());
        PRESS(&form, "ComZapisz");
        QCOMPARE(param("matzuz").toBool(), true);
        QCOMPARE(param("zastzero").toBool(), true);
    }

    void savedOptionsReadBack()
    {
        FormOpcje &form = opened();
        form.CheckEdycja->setChecked(true);
        form.CheckEmailWynik->setChecked(true);
        PRESS(&form, "ComZapisz");
        QCOMPARE(param("EmailWynik", "PARAM1").toString(), QStringLiteral("EmailSzyfr"));
        form.CheckEdycja->setChecked(false);
        form.CheckEmailWynik->setChecked(false);
        form.hide(); // and opened again
        form.show();
        QVERIFY(form.CheckEdycja->isChecked() && form.CheckEmailWynik->isChecked());

        // A greyed box is saved as unchecked.
        form.CheckEmailWynik->setCheckState(Qt::PartiallyChecked);
        PRESS(&form, "ComZapisz");
        QCOMPARE(param("EmailWynik").toBool(), false);
        QCOMPARE(param("EmailWynik", "PARAM1").toString(), QStringLiteral("Email"));
    }

    void nullStateLoadsUncheckedAndSavesFalse()
    {
        setState("edycja", "NULL");
        FormOpcje &form = opened();
        QVERIFY(form.CheckEdycja->isEnabled() && !form.CheckEdycja->isChecked());
        PRESS(&form, "ComZapisz");
        QCOMPARE(param("edycja"), QVariant(false));
    }

    void keyWithoutExactlyOneRowIsLeftAlone_data()
    {
        QTest::addColumn<int>("rows");
        QTest::newRow("missing") << 0;
        QTest::newRow("twice") << 2;
    }

    void keyWithoutExactlyOneRowIsLeftAlone()
    {
        QFETCH(int, rows);
        if (rows == 0)
            StaleDb.Execute(QStringLiteral("DELETE FROM PARAMETRY WHERE KLUCZ = 'EmailWynik'"));
        else
            AdminFixture::AddRow(StaleDb, "PARAMETRY",
                                 {{"KLUCZ", "EmailWynik"}, {"PARAM1", "Email"}, {"PARAM3", true}});
        FormOpcje &form = opened();
        QVERIFY(!form.CheckEmailWynik->isEnabled() && !form.CheckEmailWynik->isChecked());
        PRESS(&form, "ComZapisz");
        const QList<QVariant> mailColumns = AdminFixture::Column(StaleDb, "PARAMETRY", "PARAM1");
        QCOMPARE(mailColumns.count(QStringLiteral("Email")), rows);
        QCOMPARE(AdminFixture::Column(StaleDb, "PARAMETRY", "PARAM3").count(true),
                 rows == 2 ? 2 : 1);
    }

    // Another workstation changes an option or deletes its row while the
    // window is open: the save is refused with the engine's message and
    // writes none of the options, so nothing of the other's is lost.
    void saveOverOptionsChangedElsewhereIsRefused_data()
    {
        QTest::addColumn<QString>("statement");
        QTest::addColumn<QString>("message");
        QTest::newRow("changed") << "UPDATE PARAMETRY SET PARAM3 = 1 WHERE KLUCZ = 'zastzero'"
                                 << QStringLiteral("3197Inny użytkownik zmienił ten rekord, od "
                                                   "kiedy został odczytany. Odśwież dane i "
                                                   "spróbuj ponownie.");
        QTest::newRow("deleted") << "DELETE FROM PARAMETRY WHERE KLUCZ = 'EmailWynik'"
                                 << QStringLiteral("3167Rekord jest usunięty.");
    }

    void saveOverOptionsChangedElsewhereIsRefused()
    {
        QFETCH(QString, statement);
        QFETCH(QString, message);
        FormOpcje &form = opened();
        QVERIFY(!form.CheckEdycja->isChecked() && !form.CheckEmailWynik->isChecked());
        QTest::mouseClick(form.CheckEdycja, Qt::LeftButton);
        QTest::mouseClick(form.CheckEmailWynik, Qt::LeftButton);
        QVERIFY(other_workstation::Run({statement}));
        const QList<QVariantList> others{AdminFixture::Column(StaleDb, "PARAMETRY", "KLUCZ"),
                                         AdminFixture::Column(StaleDb, "PARAMETRY", "PARAM1"),
                                         AdminFixture::Column(StaleDb, "PARAMETRY", "PARAM3")};
        ui::ScriptedUi scripted;
        scripted.Answer("OK");
        PRESS(&form, "ComZapisz");
        SCRIPTED_UI_VERIFY(scripted);
        QCOMPARE(scripted.Last().title, QStringLiteral("Opcje"));
        QCOMPARE(scripted.Last().text, message);
        QVERIFY(form.isVisible());
        const QList<QVariantList> now{AdminFixture::Column(StaleDb, "PARAMETRY", "KLUCZ"),
                                      AdminFixture::Column(StaleDb, "PARAMETRY", "PARAM1"),
                                      AdminFixture::Column(StaleDb, "PARAMETRY", "PARAM3")};
        QCOMPARE(now, others);
        QCOMPARE(param("edycja").toBool(), false);
    }

    void cancelWritesNothingAndTabsSwitchTheOptions()
    {
        FormOpcje &form = opened();
        form.CheckEdycja->setChecked(true);
        PRESS(&form, "ComZamk");
        QCOMPARE(param("edycja").toBool(), false);
        form.TabStrip1->setCurrentIndex(1);
        QVERIFY(!form.Frame1->isVisibleTo(&form));
        form.TabStrip1->setCurrentIndex(0);
        QVERIFY(form.Frame1->isVisibleTo(&form));
    }
};

int main(int argc, char **argv)
{
    return other_workstation::MainWithStatements<FormOpcjeTest>(argc, argv);
}
#include "tst_FormOpcje.moc"
