#include "FixtureTest.h"
#include "Press.h"
#include "SamplesFixture.h"

#include "foundation/Globals.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/ScriptedUi.h"
#include "samples/FormBadanie.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using F = SamplesFixture;

namespace
{

const QString Samples12 =
    QStringLiteral("SELECT * FROM Badanie WHERE Partia = 12 ORDER BY NrProbki");

void duplicate(FormBadanie &form, const QString &from, const QString &to)
{
    PRESS(&form, "ComDuplikuj");
    QVERIFY(form.FrameDuplikuj->isVisible());
    QVERIFY(!form.DBGridBad->isEnabled() && !form.ComZamk->isEnabled());
    RETYPE(&form, "TextNrProbkiOd", from);
    RETYPE(&form, "TextNrProbkiDo", to);
    PRESS(&form, "ComDuplikujOK");
}

} // namespace

// Copying a sample over a range of carcass numbers, and the description and
// the negative result written into the whole batch.
class tst_FormBadanieFill : public FixtureTest<SamplesFixture>
{
    Q_OBJECT

protected:
    void Prepare() override
    {
        F::AddBatch(11);
        F::AddBatch(12);
        F::AddSample(11, 1, 40, 400);
        F::AddSample(12, 12, 3, 9,
                     {{QStringLiteral("NrTacy"), 4},
                      {QStringLiteral("Plec"), QStringLiteral("Knur")},
                      {QStringLiteral("Wynik"), QStringLiteral("nie stwierdzono")},
                      {QStringLiteral("Opis"), QStringLiteral("mała")},
                      {QStringLiteral("Uwagi"), QStringLiteral("a\r\nb")}});
    }

private slots:
    void nothingToDuplicate()
    {
        ui::ScriptedUi ui;
        ui.Answer(QStringLiteral("OK"));
        F::Open(ui, 11, [](FormBadanie &form) {
            form.DataBad->Recordset().Delete();
            form.DataBad->Refresh();
            PRESS(&form, "ComDuplikuj");
            QVERIFY(form.FrameDuplikuj->isHidden());
        });
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(ui.Last().text, QStringLiteral("Brak danych do duplikacji!"));
        QCOMPARE(ui.Last().title, QStringLiteral("DRUKOWANIE"));
        QCOMPARE(ui.Last().Icon(), ui::vbExclamation);
    }

    // Each copy is a new sample with its own numbers and its own code, the
    // rest taken from the sample copied.
    void rangeMakesOneCopyPerNumber()
    {
        ui::ScriptedUi ui;
        F::Open(ui, 12, [&](FormBadanie &form) {
            ui.Answer(QStringLiteral("OK"));
            duplicate(form, QStringLiteral("x"), QStringLiteral("22"));
            QCOMPARE(ui.Last().text,
                     QStringLiteral("Wprowadź prawidłowy zakres numeru tuszy od-do!"));
            ui.Answer(QStringLiteral("OK"));
            RETYPE(&form, "TextNrProbkiOd", QStringLiteral("23"));
            PRESS(&form, "ComDuplikujOK");
            QCOMPARE(ui.Last().text,
                     QStringLiteral("Nr 'OD' nie może być większy od numeru 'DO'\rPopraw!"));
            QCOMPARE(ui.Last().title, QStringLiteral("INFORMACJA"));
            RETYPE(&form, "TextNrProbkiOd", QStringLiteral("20"));
            PRESS(&form, "ComDuplikujOK");
            QVERIFY(form.FrameDuplikuj->isHidden() && form.FrameProbka->isHidden());
            QVERIFY(form.DBGridBad->isEnabled());
            duplicate(form, QStringLiteral("30"), QStringLiteral("30"));
        });
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(F::Texts(Samples12, QStringLiteral("NrProbki")),
                 QStringList({"12", "20", "21", "22", "30"}));
        QCOMPARE(F::Texts(Samples12, QStringLiteral("IDProbkiNr")),
                 QStringList({"012", "020", "021", "022", "030"}));
        QCOMPARE(F::Texts(Samples12, QStringLiteral("NrDzien")),
                 QStringList({"3", "41", "42", "43", "44"}));
        QCOMPARE(F::Texts(Samples12, QStringLiteral("NrOgolny")),
                 QStringList({"9", "401", "402", "403", "404"}));
        const QVariantMap copy = F::Rows(MonthDb, Samples12).value(4);
        QCOMPARE(copy.value(QStringLiteral("NrTacy")).toInt(), 4);
        QCOMPARE(copy.value(QStringLiteral("Plec")).toString(), QStringLiteral("Knur"));
        QCOMPARE(copy.value(QStringLiteral("Wynik")).toString(), QStringLiteral("nie stwierdzono"));
        QCOMPARE(copy.value(QStringLiteral("Opis")).toString(), QStringLiteral("mała"));
        QCOMPARE(copy.value(QStringLiteral("Uwagi")).toString(), QStringLiteral("a\r\nb"));
        QCOMPARE(copy.value(QStringLiteral("IDProbki")).toString(),
                 F::Wni + QStringLiteral("03004032024"));
    }

    // A range running into a stored carcass number stops there: the copies
    // before it stay, and the frame stays open over the disabled list.
    void rangeStopsAtAnExistingNumber()
    {
        F::AddSample(12, 15, 8, 10);
        ui::ScriptedUi ui;
        F::Open(ui, 12, [&](FormBadanie &form) {
            ui.Answer(QStringLiteral("OK"));
            duplicate(form, QStringLiteral("13"), QStringLiteral("17"));
            QCOMPARE(ui.Last().text,
                     QStringLiteral("Nr tuszy 15 już istnieje w edytowanej partii!\rPopraw!"));
            QCOMPARE(ui.Last().title, QStringLiteral("INFORMACJA"));
            QVERIFY(form.FrameDuplikuj->isVisible());
            QVERIFY(!form.DBGridBad->isEnabled() && !form.ComDodajPr->isEnabled());
            QCOMPARE(form.focusWidget(), form.TextNrProbkiOd);
            PRESS(&form, "ComAnulujFrD");
            QVERIFY(form.DBGridBad->isEnabled());
        });
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(F::Texts(Samples12, QStringLiteral("NrProbki")),
                 QStringList({"12", "13", "14", "15"}));
    }

    void descriptionIntoTheWholeBatch()
    {
        F::AddSample(12, 13, 4, 10);
        ui::ScriptedUi ui;
        F::Open(ui, 12, [&](FormBadanie &form) {
            PRESS(&form, "ComDodajPr");
            RETYPE(&form, "ComboOpis", QStringLiteral("Próbka zepsuta"));
            ui.Answer(QStringLiteral("No"));
            PRESS(&form, "ComOpisPr");
            QVERIFY(form.FrameProbka->isVisible());
            QCOMPARE(ui.Last().text, QStringLiteral("Czy na pewno wstawić 'Opis i stan próbki w "
                                                    "chwili przyjęcia'\rdo wszystkich próbek "
                                                    "edytownej partii?"));
            QCOMPARE(ui.Last().title, QStringLiteral("Wysyłanie!"));
            QCOMPARE(ui.Last().style, ui::vbYesNo | ui::vbQuestion | ui::vbDefaultButton2);
            ui.Answer(QStringLiteral("Yes"));
            PRESS(&form, "ComOpisPr");
            QVERIFY(form.FrameProbka->isHidden());
            QVERIFY(form.DBGridBad->isEnabled());
        });
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(F::Texts(Samples12, QStringLiteral("Opis")),
                 QStringList(2, QStringLiteral("Próbka zepsuta")));
        QCOMPARE(F::RowCount(MonthDb, Samples12), 2);
        QCOMPARE(F::Texts(QStringLiteral("SELECT * FROM Badanie WHERE Partia = 11"),
                          QStringLiteral("Opis")),
                 QStringList{QString()});
    }

    // Every result becomes negative, a positive one too; a withdrawn sample
    // is asked about, each by its general number.
    void negativeResultIntoTheWholeBatch()
    {
        F::AddSample(12, 13, 4, 10, {{QStringLiteral("Wynik"), QStringLiteral("odstąpienie")}});
        F::AddSample(12, 14, 5, 11, {{QStringLiteral("Wynik"), QStringLiteral("stwierdzono")}});
        F::AddSample(12, 15, 6, 12, {{QStringLiteral("Wynik"), QStringLiteral("odstąpienie")}});
        ui::ScriptedUi ui;
        F::Open(ui, 12, [&](FormBadanie &form) {
            PRESS(&form, "ComPopraw");
            ui.Answer(QStringLiteral("Yes"));
            ui.Answer(QStringLiteral("Yes"));
            ui.Answer(QStringLiteral("No"));
            PRESS(&form, "ComWstUjemny");
            QVERIFY(form.FrameProbka->isHidden());
        });
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(ui.Log().size(), 4);
        QCOMPARE(ui.Log().at(1).text,
                 QStringLiteral("Czy na pewno wstawić wynik: nie stwierdzono\rdo wszystkich próbek "
                                "edytownej partii?"));
        QCOMPARE(ui.Log().at(2).text,
                 QStringLiteral("W próbce o numerze ogólnym: 10 znależiono wynik: "
                                "'odstąpienie'\rCzy zamienić również ten wynik na nie "
                                "stwierdzono?"));
        QCOMPARE(ui.Log().at(2).title, QStringLiteral("WYNIK!"));
        QCOMPARE(ui.Log().at(3).text.left(31), QStringLiteral("W próbce o numerze ogólnym: 12 "));
        QCOMPARE(
            F::Texts(Samples12, QStringLiteral("Wynik")),
            QStringList({"nie stwierdzono", "nie stwierdzono", "nie stwierdzono", "odstąpienie"}));
    }
};

QTEST_MAIN(tst_FormBadanieFill)
#include "tst_FormBadanieFill.moc"
