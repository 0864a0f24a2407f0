#include "FixtureTest.h"
#include "Press.h"
#include "SamplesFixture.h"

#include "foundation/Globals.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/DialogText.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/ScriptedUi.h"
#include "samples/FormBadanie.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

using F = SamplesFixture;

namespace
{

const QString Samples12 =
    QStringLiteral("SELECT * FROM Badanie WHERE Partia = 12 ORDER BY NrProbki");

bool listEnabled(const FormBadanie &form)
{
    for (QWidget *w : std::initializer_list<QWidget *>{form.ComDodajPr, form.ComPopraw,
                                                       form.ComUsun, form.ComDuplikuj, form.ComZamk,
                                                       form.DBGridBad, form.DataBad})
        if (!w->isEnabled())
            return false;
    return true;
}

QString current(const FormBadanie &form, const char *field)
{
    return form.DataBad->Recordset()(QLatin1String(field)).Value().toString();
}

} // namespace

// Adding, correcting and deleting samples through the sample frame: the
// proposed numbers, every check of the save, " Następna próbka", the result
// locked for an operator.
class tst_FormBadanieSave : public FixtureTest<SamplesFixture>
{
    Q_OBJECT

protected:
    void Prepare() override
    {
        F::AddBatch(11);
        F::AddBatch(12);
        F::AddSample(11, 1, 5, 4); // the same delivery day, another batch
        F::AddSample(12, 7, 3, 9);
    }

private slots:
    // A new sample through every check in its order, then written with the
    // proposed numbers.
    void newSampleThroughEveryCheck()
    {
        ui::ScriptedUi ui;
        F::Open(ui, 12, [&](FormBadanie &form) {
            PRESS(&form, "ComDodajPr");
            QCOMPARE(form.FrameProbka->title(), QStringLiteral("NOWA PRÓBKA"));
            QVERIFY(!listEnabled(form));
            QCOMPARE(form.TextNrProbki->text(), QStringLiteral("8"));
            QCOMPARE(form.TextIDProbkiWNI->text(), F::Wni);
            QCOMPARE(form.TextIDProbkiNr->text(), QStringLiteral("008"));
            QCOMPARE(form.TextIDProbkiData->text(), QStringLiteral("04032024"));
            QCOMPARE(form.TextNrDzien->text(), QStringLiteral("6"));
            QCOMPARE(form.TextNrOgolny->text(), QStringLiteral("10"));
            QCOMPARE(form.ComboOpis->currentText(), QStringLiteral("Próbka bez zmian"));
            QCOMPARE(form.ComboGatunek->currentText(), QStringLiteral("Świnie"));
            QCOMPARE(form.focusWidget(), form.TextNrTacy);

            const QString plain = ui::DialogTitle(QString());
            const QString info = QStringLiteral("INFORMACJA");
            const QString check = QStringLiteral("KONTROLA POPRAWNOŚCI");
            const struct Step {
                std::function<void()> fault;
                const char *text;
                int icon;
                QString title;
                QWidget *focus;
            } steps[] = {
                {[&] { RETYPE(&form, "TextNrProbki", QString()); }, "Wprowadź numer tuszy!", 0,
                 plain, form.TextNrProbki},
                {[&] { RETYPE(&form, "TextNrProbki", QStringLiteral("7")); },
                 "Wprowadź numer Tacy!", 0, plain, form.TextNrTacy},
                {[&] { RETYPE(&form, "TextNrTacy", QStringLiteral("2b")); },
                 "Nieprawidłowy nr tacy. Popraw!", 0, plain, form.TextNrTacy},
                {[&] {
                     RETYPE(&form, "TextNrTacy", QStringLiteral("2"));
                     RETYPE(&form, "TextIDProbkiNr", QString());
                 },
                 "Wprowadź numer próbki!", 0, plain, form.TextIDProbkiNr},
                {[&] {
                     RETYPE(&form, "TextIDProbkiNr", QStringLiteral("008"));
                     RETYPE(&form, "TextIDProbkiData", QString());
                 },
                 "Wprowadź poprawny numer tuszy!", 0, plain, form.TextIDProbkiData},
                {[&] {
                     RETYPE(&form, "TextIDProbkiData", QStringLiteral("04032024"));
                     RETYPE(&form, "ComboGatunek", QStringLiteral("  "));
                 },
                 "Wybierz gatunek!", ui::vbInformation, info, form.ComboGatunek},
                {[&] { RETYPE(&form, "ComboGatunek", QStringLiteral("Świnie")); }, "Wybierz płeć!",
                 ui::vbInformation, info, form.ComboPlec},
                {[&] { RETYPE(&form, "ComboPlec", QStringLiteral("Tucznik")); },
                 "Wybierz materiał badany!", ui::vbInformation, info, form.ComboTkanka},
                {[&] {
                     RETYPE(&form, "ComboTkanka", QStringLiteral("filary przepony"));
                     RETYPE(&form, "ComboOpis", QString(31, QLatin1Char('o')));
                 },
                 "Opis i stan próbki w chwili przyjęcia nie może być dłuższy niż 30 znaków! "
                 "Popraw!",
                 0, plain, form.ComboOpis},
                {[&] {
                     RETYPE(&form, "ComboOpis", QString(30, QLatin1Char('o')));
                     RETYPE(&form, "TextNrDzien", QStringLiteral("6,5"));
                 },
                 "Nieprawidłowy numer dzienny. Popraw!", 0, plain, form.TextNrDzien},
                {[&] { RETYPE(&form, "TextNrDzien", QStringLiteral("5")); },
                 "Nr dzienny: 5 już istnieje! Popraw!", ui::vbExclamation, check, form.TextNrDzien},
                {[&] {
                     RETYPE(&form, "TextNrDzien", QStringLiteral("6"));
                     RETYPE(&form, "TextNrOgolny", QString());
                 },
                 "Nieprawidłowy numer ogólny. Popraw!", 0, plain, form.TextNrOgolny},
                {[&] { RETYPE(&form, "TextNrOgolny", QStringLiteral("4")); },
                 "Nr ogólny: 4 już istnieje! Popraw!", ui::vbExclamation, check, form.TextNrOgolny},
                {[&] { RETYPE(&form, "TextNrOgolny", QStringLiteral("10")); },
                 "Próbka o numerze: 7 już istnieje.\r\nPopraw nr próbki!", ui::vbExclamation, check,
                 form.TextNrProbki},
            };
            for (const Step &step : steps) {
                step.fault();
                ui.Answer(QStringLiteral("OK"));
                PRESS(&form, "ComZapiszFr");
                QCOMPARE(ui.Last().text, QString::fromUtf8(step.text));
                QCOMPARE(ui.Last().Icon(), step.icon);
                QCOMPARE(ui.Last().title, step.title);
                QCOMPARE(form.focusWidget(), step.focus);
                QVERIFY(form.FrameProbka->isVisible());
                QVERIFY(!listEnabled(form));
                QCOMPARE(F::RowCount(MonthDb, QStringLiteral("Badanie")), 2);
            }
            RETYPE(&form, "TextNrProbki", QStringLiteral("8"));
            SetRemarks(form, QStringLiteral("pierwsza\nO'Neill"));
            PRESS(&form, "ComZapiszFr");
            QVERIFY(form.FrameProbka->isHidden());
            QVERIFY(listEnabled(form));
            QCOMPARE(current(form, "NrProbki"), QStringLiteral("8"));
        });
        SCRIPTED_UI_VERIFY(ui);
        const QVariantMap row = F::Rows(MonthDb, Samples12).value(1);
        QCOMPARE(row.value(QStringLiteral("NrDzien")).toInt(), 6);
        QCOMPARE(row.value(QStringLiteral("NrOgolny")).toInt(), 10);
        QCOMPARE(row.value(QStringLiteral("NrTacy")).toInt(), 2);
        QCOMPARE(row.value(QStringLiteral("IDProbki")).toString(),
                 F::Wni + QStringLiteral("00804032024"));
        QCOMPARE(row.value(QStringLiteral("Opis")).toString(), QString(30, QLatin1Char('o')));
        QCOMPARE(row.value(QStringLiteral("Uwagi")).toString(),
                 QStringLiteral("pierwsza\r\nO'Neill"));
        QCOMPARE(row.value(QStringLiteral("DataDoLab")).toDate(), F::Day);
    }

    // " Następna próbka" while adding opens the next sample at once, the
    // tray, species, sex, tissue and result carried over.
    void nextSampleWhileAdding()
    {
        ui::ScriptedUi ui;
        F::Open(ui, 12, [&](FormBadanie &form) {
            PRESS(&form, "ComDodajPr");
            QCOMPARE(form.TextNrTacy->text(), QString()); // no tray carried over yet
            RETYPE(&form, "TextNrTacy", QStringLiteral("3"));
            RETYPE(&form, "ComboPlec", QStringLiteral("Knur"));
            RETYPE(&form, "ComboTkanka", QStringLiteral("inne"));
            RETYPE(&form, "ComboWynik", QStringLiteral("nie stwierdzono"));
            RETYPE(&form, "ComboOpis", QStringLiteral("mała"));
            SetRemarks(form, QStringLiteral("uwaga"));
            PRESS(&form, "CheckNast");
            PRESS(&form, "ComZapiszFr");
            QVERIFY(form.FrameProbka->isVisible());
            QCOMPARE(form.TextNrProbki->text(), QStringLiteral("9"));
            QCOMPARE(form.TextNrDzien->text(), QStringLiteral("7"));
            QCOMPARE(form.TextNrOgolny->text(), QStringLiteral("11"));
            QCOMPARE(form.TextNrTacy->text(), QStringLiteral("3"));
            QCOMPARE(form.ComboPlec->currentText(), QStringLiteral("Knur"));
            QCOMPARE(form.ComboWynik->currentText(), QStringLiteral("nie stwierdzono"));
            QCOMPARE(form.ComboOpis->currentText(), QStringLiteral("Próbka bez zmian"));
            QCOMPARE(form.TextUwagi->toPlainText(), QString());
            PRESS(&form, "ComZapiszFr");
            PRESS(&form, "ComAnulujFr");
            QVERIFY(!form.CheckNast->isChecked());
            QVERIFY(listEnabled(form));
        });
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(F::Texts(Samples12, QStringLiteral("NrDzien")),
                 QStringList({QStringLiteral("3"), QStringLiteral("6"), QStringLiteral("7")}));
        QCOMPARE(
            F::Texts(Samples12, QStringLiteral("Opis")),
            QStringList({QString(), QStringLiteral("mała"), QStringLiteral("Próbka bez zmian")}));
    }

    // " Następna próbka" while correcting walks the batch carrying the
    // result, and closes on the last sample; for an operator whose result
    // list is locked each sample keeps its own result.
    void nextSampleWhileCorrecting_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QStringList>("results");
        QTest::newRow("administrator")
            << "Administrator" << QStringList({"stwierdzono", "stwierdzono", "stwierdzono"});
        QTest::newRow("operator") << " operator "
                                  << QStringList({"odstąpienie", "", "nie stwierdzono"});
    }

    void nextSampleWhileCorrecting()
    {
        QFETCH(QString, kind);
        QFETCH(QStringList, results);
        F::SignIn(kind);
        F::AddSample(12, 8, 4, 10, {{QStringLiteral("Wynik"), QVariant()}});
        F::AddSample(12, 9, 6, 11, {{QStringLiteral("Wynik"), QStringLiteral("nie stwierdzono")}});
        MonthDb.Execute(
            QStringLiteral("UPDATE Badanie SET Wynik = 'odstąpienie' WHERE NrProbki = 7"));
        ui::ScriptedUi ui;
        F::Open(ui, 12, [&](FormBadanie &form) {
            PRESS(&form, "ComPopraw");
            QCOMPARE(form.FrameProbka->title(), QStringLiteral("EDYCJA PRÓBKI"));
            QCOMPARE(form.TextNrProbki->text(), QStringLiteral("7"));
            QCOMPARE(form.ComboWynik->currentText(), QStringLiteral("odstąpienie"));
            const bool locked = !form.ComboWynik->isEnabled();
            QCOMPARE(locked, kind != QLatin1String("Administrator"));
            QCOMPARE(form.ComWstUjemny->isEnabled(), !locked);
            if (!locked)
                RETYPE(&form, "ComboWynik", QStringLiteral("stwierdzono"));
            PRESS(&form, "CheckNast");
            PRESS(&form, "ComZapiszFr");
            QCOMPARE(form.TextNrProbki->text(), QStringLiteral("8"));
            PRESS(&form, "ComZapiszFr");
            QCOMPARE(form.TextNrProbki->text(), QStringLiteral("9"));
            PRESS(&form, "ComZapiszFr");
            QVERIFY(form.FrameProbka->isHidden());
            QVERIFY(!form.CheckNast->isChecked());
            QVERIFY(listEnabled(form));
            QCOMPARE(current(form, "NrProbki"), QStringLiteral("9"));
        });
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(F::Texts(Samples12, QStringLiteral("Wynik")), results);
    }

    // A correction is checked for the numbers it changes, and a refused one
    // leaves the list disabled and every sample as it was.
    void correctionOntoAnotherNumberIsRefused()
    {
        F::AddSample(12, 8, 6, 10);
        ui::ScriptedUi ui;
        F::Open(ui, 12, [&](FormBadanie &form) {
            PRESS(&form, "ComPopraw");
            RETYPE(&form, "TextNrDzien", QStringLiteral("5"));
            ui.Answer(QStringLiteral("OK"));
            PRESS(&form, "ComZapiszFr");
            QCOMPARE(ui.Last().text, QStringLiteral("Nr dzienny: 5 już istnieje! Popraw!"));
            RETYPE(&form, "TextNrDzien", QStringLiteral("03"));
            RETYPE(&form, "TextNrProbki", QStringLiteral("8"));
            ui.Answer(QStringLiteral("OK"));
            PRESS(&form, "ComZapiszFr");
            QCOMPARE(ui.Last().text,
                     QStringLiteral("Próbka o numerze: 8 już istnieje.\r\nPopraw nr próbki!"));
            QVERIFY(!listEnabled(form));
            // The list moved meanwhile: the correction still goes to sample 7.
            form.DataBad->Recordset().MoveLast();
            RETYPE(&form, "TextNrProbki", QStringLiteral("17"));
            PRESS(&form, "ComZapiszFr");
            QVERIFY(listEnabled(form));
        });
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(F::Texts(Samples12, QStringLiteral("NrProbki")),
                 QStringList({QStringLiteral("8"), QStringLiteral("17")}));
        QCOMPARE(F::Texts(Samples12, QStringLiteral("NrDzien")),
                 QStringList({QStringLiteral("6"), QStringLiteral("3")}));
    }

    void deleteAsksFirst()
    {
        F::AddSample(12, 8, 6, 10);
        ui::ScriptedUi ui;
        F::Open(ui, 12, [&](FormBadanie &form) {
            ui.Answer(QStringLiteral("No"));
            PRESS(&form, "ComUsun");
            QCOMPARE(ui.Last().text, QStringLiteral("Czy na pewno usunąć próbkę?"));
            QCOMPARE(ui.Last().title, QStringLiteral("USUWANIE!"));
            QCOMPARE(ui.Last().style, ui::vbYesNo | ui::vbQuestion | ui::vbDefaultButton2);
            QCOMPARE(F::RowCount(MonthDb, Samples12), 2);
            ui.Answer(QStringLiteral("Yes"));
            PRESS(&form, "ComUsun");
            QCOMPARE(form.DataBad->RowCount(), 1);
        });
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(F::Texts(Samples12, QStringLiteral("NrProbki")), QStringList{QStringLiteral("8")});
    }

    // A carcass number is stored only as the whole number that the check for
    // a duplicate compared: another form of an existing number is refused
    // before anything is written, when adding and when correcting.
    void carcassNumberInAnotherFormIsRefused_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        for (const char *typed : {"7.0", "7,0", "7,", "7e0", "7.4", "40000"})
            QTest::newRow(typed) << typed << "Nr tuszy musi być liczbą całkowitą";
        QTest::newRow("Tab, 7") << "\t7"
                                << "Próbka o numerze: 7 już istnieje.\r\nPopraw nr próbki!";
    }

    void carcassNumberInAnotherFormIsRefused()
    {
        QFETCH(QString, typed);
        QFETCH(QString, message);
        F::AddSample(12, 8, 6, 10);
        ui::ScriptedUi ui;
        F::Open(ui, 12, [&](FormBadanie &form) {
            SELECT_ROW(&form, "DBGridBad", 1);
            // The correction leaves its species, sex and tissue for the new sample.
            for (const char *command : {"ComPopraw", "ComDodajPr"}) {
                PRESS(&form, command);
                Retype(form, "TextNrTacy", QStringLiteral("2"));
                Retype(form, "TextNrProbki", typed);
                ui.Answer(QStringLiteral("OK"));
                PRESS(&form, "ComZapiszFr");
                QVERIFY2(ui.Last().text.contains(message), qPrintable(ui.Last().text));
                if (message.startsWith(QLatin1String("Nr tuszy")))
                    QCOMPARE(ui.Last().title, QStringLiteral("Powiadom programistę!"));
                QVERIFY(form.FrameProbka->isVisible());
                PRESS(&form, "ComAnulujFr");
            }
        });
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(F::Texts(Samples12, QStringLiteral("NrProbki")),
                 QStringList({QStringLiteral("7"), QStringLiteral("8")}));
    }

    // Once the result list is locked for an operator, the result it still
    // shows is nobody's judgement of a new sample: new samples and copies
    // are stored without a result.
    void lockedResultIsNotCarriedIntoNewSamples()
    {
        F::SignIn(QStringLiteral("OPERATOR"));
        MonthDb.Execute(QStringLiteral("UPDATE Badanie SET Wynik = 'stwierdzono'"));
        ui::ScriptedUi ui;
        F::Open(ui, 12, [&](FormBadanie &form) {
            PRESS(&form, "ComPopraw");
            QCOMPARE(form.ComboWynik->currentText(), QStringLiteral("stwierdzono"));
            PRESS(&form, "ComAnulujFr");
            PRESS(&form, "ComDodajPr");
            QVERIFY(!form.ComboWynik->isEnabled());
            QCOMPARE(form.ComboWynik->currentText(), QString());
            Retype(form, "TextNrTacy", QStringLiteral("2"));
            PRESS(&form, "CheckNast");
            PRESS(&form, "ComZapiszFr");
            QCOMPARE(form.ComboWynik->currentText(), QString());
            PRESS(&form, "ComZapiszFr");
            PRESS(&form, "ComAnulujFr");
            SELECT_ROW(&form, "DBGridBad", 0);
            PRESS(&form, "ComDuplikuj");
            TYPE(&form, "TextNrProbkiOd", QStringLiteral("20"));
            TYPE(&form, "TextNrProbkiDo", QStringLiteral("20"));
            PRESS(&form, "ComDuplikujOK");
        });
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(F::Texts(Samples12, QStringLiteral("NrProbki")),
                 QStringList({"7", "8", "9", "20"}));
        QCOMPARE(F::Texts(Samples12, QStringLiteral("Wynik")),
                 QStringList({"stwierdzono", "", "", ""}));
    }

    // The code and list boxes take no more than their columns hold; a value
    // picked from a list that is longer is kept whole and refused with its
    // field named, and saves once the user shortens it.
    void overLongTextsAreLimitedOrNamed()
    {
        const char *const boxName[] = {"TextIDProbkiWNI", "TextIDProbkiNr", "TextIDProbkiData",
                                       "ComboTkanka",     "ComboGatunek",   "ComboWynik"};
        const int boxLength[] = {14, 5, 8, 30, 20, 15};
        StaleDb.Execute(QStringLiteral("INSERT INTO PLEC (IDGatunek, NazPlec) "
                                       "VALUES (1, 'Tucznik-warchlak')"));
        ui::ScriptedUi ui;
        F::Open(ui, 12, [&](FormBadanie &form) {
            PRESS(&form, "ComDodajPr");
            Retype(form, "TextNrTacy", QStringLiteral("2"));
            for (int i = 0; i < 6; ++i)
                Retype(form, boxName[i], QString(boxLength[i] + 5, QLatin1Char('1')));
            CHOOSE(&form, "ComboPlec", QStringLiteral("Tucznik-warchlak"));
            QCOMPARE(form.ComboPlec->currentText(), QStringLiteral("Tucznik-warchlak"));
            ui.Answer(QStringLiteral("OK"));
            PRESS(&form, "ComZapiszFr");
            QVERIFY2(ui.Last().text.startsWith(QLatin1String("3163")), qPrintable(ui.Last().text));
            QVERIFY2(ui.Last().text.contains(QStringLiteral("\"Płeć\" mieści najwyżej 10")),
                     qPrintable(ui.Last().text));
            QCOMPARE(ui.Last().title, QStringLiteral("Powiadom programistę!"));
            QCOMPARE(F::RowCount(MonthDb, Samples12), 1);
            for (int i = 0; i < 6; ++i)
                QTest::keyClick(form.ComboPlec->lineEdit(), Qt::Key_Backspace);
            PRESS(&form, "ComZapiszFr");
            QVERIFY(form.FrameProbka->isHidden());
        });
        SCRIPTED_UI_VERIFY(ui);
        const QVariantMap row = F::Rows(MonthDb, Samples12).value(1);
        QCOMPARE(row.value(QStringLiteral("Plec")).toString(), QStringLiteral("Tucznik-wa"));
        const QString columns[] = {QStringLiteral("IDProbkiWNI"),  QStringLiteral("IDProbkiNr"),
                                   QStringLiteral("IDProbkiData"), QStringLiteral("NazTkanka"),
                                   QStringLiteral("Gatunek"),      QStringLiteral("Wynik")};
        for (int i = 0; i < 6; ++i)
            QCOMPARE(row.value(columns[i]).toString(), QString(boxLength[i], QLatin1Char('1')));
    }

private:
    // Selects the field's whole text and types the new one over it.
    static void Retype(FormBadanie &form, const char *name, const QString &text)
    {
        QWidget *field = form.findChild<QWidget *>(QLatin1String(name));
        QVERIFY2(field, name);
        if (auto *combo = qobject_cast<QComboBox *>(field))
            field = combo->lineEdit();
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(field, Qt::Key_Delete);
        TYPE(&form, name, text);
    }

    static void SetRemarks(FormBadanie &form, const QString &text)
    {
        form.TextUwagi->setPlainText(text);
    }
};

QTEST_MAIN(tst_FormBadanieSave)
#include "tst_FormBadanieSave.moc"
