#include "BatchesFixture.h"
#include "FixtureTest.h"
#include "Press.h"

#include "batches/FormPartia.h"
#include "foundation/DictionaryEvents.h"
#include "foundation/Globals.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/DialogText.h"
#include "platform/ui/MaskEdBox.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/WindowRegistry.h"
#include "samples/FormBadanie.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using F = BatchesFixture;

namespace
{

const QString Wni = QStringLiteral("14650301");
const QString ErrorCaption = QStringLiteral("Powiadom programistę!");
// A vet of the register one character longer than the batch's column.
const QString LongVet = QStringLiteral("Anna Wierzbicka-Szczepańska-Kowalczyk-Żółtowska-Bąk");

int batchCount()
{
    return F::Count(MonthDb, QStringLiteral("SELECT * FROM Partia"));
}

int childRows(const char *table, int batch)
{
    return F::Count(
        MonthDb,
        QStringLiteral("SELECT * FROM %1 WHERE Partia = %2").arg(QLatin1String(table)).arg(batch));
}

QString field(int batch, const char *name)
{
    return F::Column(MonthDb, QStringLiteral("SELECT * FROM Partia WHERE Partia = %1").arg(batch),
                     QLatin1String(name))
        .value(0);
}

// The list's current batch number.
QString currentBatch(FormPartia &form)
{
    return form.DataPartia->Recordset()(QStringLiteral("Partia")).Value().toString();
}

void moveListTo(FormPartia &form, int batch)
{
    form.DataPartia->Recordset().FindFirst(QStringLiteral("Partia = %1").arg(batch));
    QVERIFY(!form.DataPartia->Recordset().NoMatch());
}

bool listEnabled(FormPartia &form)
{
    return form.ComDodajPr->isEnabled() && form.DBGridPartia->isEnabled() &&
           form.DataPartia->isEnabled() && form.ComZamk->isEnabled();
}

} // namespace

// The save of the batch frame: every check with its box and focus, the write
// of a new batch, corrections that renumber the batch's children, a failed
// save that must not reach another batch, and the delete with children.
class tst_FormPartiaSave : public FixtureTest<BatchesFixture>
{
    Q_OBJECT

private slots:
    void refusalShowsItsBoxAndFocus_data()
    {
        // What is typed over a valid frame ("Control=text", a tick "=1", the
        // vet longer than the column picked "vet+"), the box's text and style,
        // and the focus (ComAnulujFr: where it stood). The length of a pick is
        // judged last, just before the write.
        const struct {
            const char *tag, *typed, *text;
            int style;
            const char *focus;
        } rows[] = {
            {"1", "TextNrPartii=", "Wprowadź numer partii!", 0, "TextNrPartii"},
            {"2a", "clients-", "Brak danych o zakładzie. Uzupełnij dane o zakładach!", 0,
             "ComAnulujFr"},
            {"2b", "TextZaklad=1465'99",
             "W bazie danych brak zdefiniowanego zakładu: 1465'99.\r\nDopisz zakład (menu "
             "Definicje->Zakład) a następnie Zapisz lub Wczytaj plik ponownie!",
             49, "TextZaklad"},
            {"3", "TextNrPartii=40000", "Nieprawidłowy numer partii. Popraw!", 0, "TextNrPartii"},
            {"4", "TextZaklad=;client=", "Wprowadź poprawny numer zakładu!", 0, "TextZaklad"},
            {"5", "CheckZleceniodawcaPIW=1;TextZleceniodawcaWNI=14650",
             "W przypadku kiedy zleceniodawcą jest powiat,\rdo pola zleceniodawca wprowadź 4 "
             "cyfrowy kod PIW!",
             64, "TextZleceniodawcaWNI"},
            {"6", "DTPDataUboju=", "Wybierz datę uboju!", 64, "ComDataUboju"},
            {"7", "DTPDataUboju=31.02.2024", "Popraw datę uboju do formatu dd.mm.rrrr", 64,
             "DTPDataUboju"},
            {"8", "TextDataPobr=", "Wybierz datę pobrania!", 64, "ComDataPobr"},
            {"9", "TextDataPobr=2024-13-01", "Popraw datę pobrania do formatu dd.mm.rrrr", 64,
             "TextDataPobr"},
            {"10", "TextKodPIW=", "Wprowadź 4-cyfrowy kod powiatu!", 0, "TextKodPIW"},
            {"11", "TextMiejscowoscPobr=", "Wprowadź miejscowość pobrania!", 0,
             "TextMiejscowoscPobr"},
            {"12", "ComboLekarz=", "Wpisz lub wybierz lekarza pobierającego próbki!", 0,
             "ComboLekarz"},
            {"13", "DTPDataRozpBad=04.03.2024",
             "Data rozpoczęcia badania nie może być wcześniejsza od daty przyjęcia do "
             "laboratorium!\rPopraw!",
             64, "ComAnulujFr"},
            {"14", "DTPDataRozpBad=;DTPDataZakBad=04.03.2024",
             "Data zakończenia badania nie może być wcześniejsza od daty przyjęcia do "
             "laboratorium!\rPopraw!",
             64, "ComAnulujFr"},
            {"15", "DTPDataRozpBad=07.03.2024;DTPDataZakBad=06.03.2024",
             "Data zakończenia badania nie może być wcześniejsza od daty rozpoczęcia "
             "badania!\rPopraw!",
             64, "ComAnulujFr"},
            {"duplicate", "TextNrPartii=007",
             "Partia o numerze: 7 już istnieje.\r\nPopraw nr partii!", 48, "TextNrPartii"},
            {"16", "DTPDataDoLab=5.3", "Popraw datę przyjęcia do formatu dd.mm.rrrr", 64,
             "DTPDataDoLab"},
            {"17", "DTPDataRozpBad=x", "Popraw datę rozpoczęcia badania do formatu dd.mm.rrrr", 64,
             "DTPDataRozpBad"},
            {"18", "DTPDataZakBad=__.__.____",
             "Popraw datę zakończenia badania do formatu dd.mm.rrrr", 64, "DTPDataZakBad"},
            {"vet too long", "vet+", "Pole 'Pobrał' może mieć najwyżej 50 znaków. Popraw!", 0,
             "ComboLekarz"},
            {"12 before the vet's length", "vet+;TextMiejscowoscPobr=",
             "Wprowadź miejscowość pobrania!", 0, "TextMiejscowoscPobr"},
            {"duplicate before the vet's length", "vet+;TextNrPartii=7",
             "Partia o numerze: 7 już istnieje.\r\nPopraw nr partii!", 48, "TextNrPartii"},
            {"18 before the vet's length", "vet+;DTPDataZakBad=__.__.____",
             "Popraw datę zakończenia badania do formatu dd.mm.rrrr", 64, "DTPDataZakBad"},
        };
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("style");
        QTest::addColumn<QString>("focus");
        for (const auto &r : rows)
            QTest::newRow(r.tag) << QString::fromUtf8(r.typed) << QString::fromUtf8(r.text)
                                 << r.style << QString::fromLatin1(r.focus);
    }

    // Each refusal writes nothing and leaves the frame, the modes and the
    // disabled list as they were.
    void refusalShowsItsBoxAndFocus()
    {
        QFETCH(QString, typed);
        QFETCH(QString, text);
        QFETCH(int, style);
        QFETCH(QString, focus);
        F::AddClient(Wni, QStringLiteral("Ubojnia"));
        F::AddBatch(7, Wni);
        F::AddRow(StaleDb, QStringLiteral("Lekarz"),
                  {{QStringLiteral("IDLekarz"), 1},
                   {QStringLiteral("Imie"), LongVet.section(QLatin1Char(' '), 0, 0)},
                   {QStringLiteral("Nazwisko"), LongVet.section(QLatin1Char(' '), 1)}});
        DictionaryEvents::Instance().Announce(QStringLiteral("Lekarz"));
        ui::ScriptedUi ui;
        FormPartia &form = F::OpenRegister();
        PRESS(&form, "ComDodajPr");
        F::FillValidFrame(form, Wni);
        for (const QString &assignment : typed.split(QLatin1Char(';'))) {
            const QString control = assignment.section(QLatin1Char('='), 0, 0);
            const QString value = assignment.section(QLatin1Char('='), 1);
            if (control == QLatin1String("vet+"))
                CHOOSE(&form, "ComboLekarz", LongVet);
            else if (control == QLatin1String("clients-"))
                StaleDb.Execute(QStringLiteral("DELETE FROM Zaklad"));
            else if (control == QLatin1String("client"))
                F::AddClient(value, QStringLiteral("Bez numeru"));
            else if (auto *tick = form.findChild<QCheckBox *>(control))
                tick->setChecked(value == QLatin1String("1"));
            else
                RETYPE(&form, qPrintable(control), value);
        }
        form.ComAnulujFr->setFocus();
        ui.Answer(QStringLiteral("OK"));
        PRESS(&form, "ComZapiszFr");
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(ui.Last().text, text);
        QCOMPARE(ui.Last().style, style);
        QCOMPARE(ui.Last().title, style == 64   ? QStringLiteral("INFORMACJA")
                                  : style == 49 ? QStringLiteral("Uwaga!")
                                                : ui::DialogTitle(QString()));
        QCOMPARE(form.focusWidget()->objectName(), focus);
        if (style == 49)
            QCOMPARE(form.TextZaklad->selectedText(), form.TextZaklad->text());
        QCOMPARE(batchCount(), 1);
        QVERIFY(!form.FramePartia->isHidden());
        QVERIFY(!listEnabled(form));
        QCOMPARE(form.FramePartia->title(), QStringLiteral("NOWA PARTIA"));
    }

    // Number = highest + 1 whatever the list order; every mapped field, the
    // owner found in another letter case; the list reloaded newest first on
    // the new batch.
    void validBatchIsWrittenAsTheNextNumber()
    {
        F::AddClient(Wni, QStringLiteral("Ubojnia"));
        F::AddClient(QStringLiteral("AB12"), QStringLiteral("Zleceniodawca"));
        for (int batch : {5, 57, 12})
            F::AddBatch(batch, Wni);
        ui::ScriptedUi ui;
        FormPartia &form = F::OpenRegister();
        PRESS(&form, "ComDodajPr");
        QCOMPARE(form.TextNrPartii->text(), QStringLiteral("58"));
        QCOMPARE(form.FramePartia->title(), QStringLiteral("NOWA PARTIA"));
        QCOMPARE(form.ComboPrzyjal->currentText(), F::Operator);
        QCOMPARE(form.DTPDataDoLab->Text(), QStringLiteral("05.03.2024"));
        QCOMPARE(form.DTPDataRozpBad->Text(), QStringLiteral("05.03.2024"));
        QVERIFY(form.OptionZ->isChecked() && form.OptionNie->isChecked());
        QCOMPARE(form.focusWidget(), form.TextZaklad);
        F::FillValidFrame(form, QStringLiteral(" ab12 "));
        RETYPE(&form, "TextZleceniodawcaWNI", QStringLiteral(" 1465 "));
        RETYPE(&form, "TextGodzDoLab", QStringLiteral("07:45"));
        RETYPE(&form, "TextMetoda", QStringLiteral("Metoda wytrawiania"));
        form.OptionW->setChecked(true);
        form.OptionTak->setChecked(true);
        PRESS(&form, "ComZapiszFr");
        SCRIPTED_UI_VERIFY(ui);

        QCOMPARE(batchCount(), 4);
        const QStringList written{"WNI",       "ZleceniodawcaWNI", "ZleceniodawcaTypWNI",
                                  "Platnik",   "Czystopis",        "DataUboju",
                                  "DataDoLab", "DataZakBad",       "GodzDoLab",
                                  "Przyjal",   "TNWyslane"};
        QStringList values;
        for (const QString &name : written)
            values << field(58, qPrintable(name));
        QCOMPARE(values.join(QLatin1Char('|')),
                 QStringLiteral("ab12|1465||W|T|04.03.2024|05.03.2024||07:45|") + F::Operator +
                     QLatin1Char('|'));
        QVERIFY(form.FramePartia->isHidden());
        QVERIFY(listEnabled(form));
        QCOMPARE(currentBatch(form), QStringLiteral("58"));
        QCOMPARE(form.DataPartia->Recordset().AbsolutePosition(), 0);
        QCOMPARE(form.DBGridPartia->SelBookmarks().Count(), 1);
        QCOMPARE(form.DBGridPartia->SelBookmarks().Item(0),
                 form.DataPartia->Recordset().Bookmark());
    }

    // Free texts of the frame take no more than their columns hold, typed or
    // pasted, so the save goes through instead of failing on a length. A vet completed from
    // the first letters typed comes whole, also past the column, and the
    // save refuses it with the field named instead of storing it cut.
    void freeTextsTakeTheirColumnLength()
    {
        F::AddClient(Wni, QStringLiteral("Ubojnia"));
        const QString longSurname =
            QStringLiteral("Wierzbicka-Szczepańska-Kowalczyk-Żółtowska-Nowak");
        F::AddRow(StaleDb, QStringLiteral("Lekarz"),
                  {{QStringLiteral("IDLekarz"), 1},
                   {QStringLiteral("Imie"), QStringLiteral("Zofia")},
                   {QStringLiteral("Nazwisko"), longSurname}});
        DictionaryEvents::Instance().Announce(QStringLiteral("Lekarz"));
        ui::ScriptedUi ui;
        FormPartia &form = F::OpenRegister();
        PRESS(&form, "ComDodajPr");
        F::FillValidFrame(form, Wni);
        QVERIFY(QTest::qWaitForWindowActive(&form));
        // Leaving the plant's code moves on to the ordering party, as its
        // lookup does; from there to the vet.
        form.ComboLekarz->setFocus();
        QCOMPARE(form.focusWidget(), form.TextZleceniodawcaWNI);
        form.ComboLekarz->setFocus();
        QCOMPARE(form.focusWidget(), form.ComboLekarz);
        QTest::keyClick(form.ComboLekarz->lineEdit(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(form.ComboLekarz->lineEdit(), Qt::Key_Delete);
        QTest::keyClicks(form.ComboLekarz->lineEdit(), QStringLiteral("Zof"));
        QTest::keyClick(form.ComboLekarz->lineEdit(), Qt::Key_Tab);
        QCOMPARE(form.ComboLekarz->currentText(), QStringLiteral("Zofia ") + longSurname);
        ui.Answer(QStringLiteral("OK"));
        PRESS(&form, "ComZapiszFr");
        QCOMPARE(ui.Last().text,
                 QStringLiteral("Pole 'Pobrał' może mieć najwyżej 50 znaków. Popraw!"));
        QCOMPARE(form.focusWidget(), form.ComboLekarz);
        QCOMPARE(batchCount(), 0);
        // Typed, or pasted (Ctrl+V) after what was typed: what fits stays.
        const QString pasted = QStringLiteral("Katarzyna Maria Kowalska-Nowakowska");
        const struct {
            QComboBox *list;
            int length;
            QString typed;
            bool paste;
        } lists[] = {{form.ComboLekarz, 50, QString(55, u'x'), false},
                     {form.ComboPrzyjal, 30, QString(), true},
                     {form.ComboAutoryzowal, 30, QStringLiteral("dr "), true},
                     {form.ComboPrzekazanieWyniku, 20, QString(25, u'x'), false}};
        for (const auto &entry : lists) {
            entry.list->lineEdit()->clear();
            QTest::keyClicks(entry.list, entry.typed);
            if (entry.paste) {
                QGuiApplication::clipboard()->setText(pasted);
                QTest::keyClick(entry.list, Qt::Key_V, Qt::ControlModifier);
            }
        }
        RETYPE(&form, "TextMetoda", QString(300, u'm'));
        PRESS(&form, "ComZapiszFr");
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(ui.Log().size(), 1);
        QCOMPARE(field(1, "Pobral"), QString(50, u'x'));
        QCOMPARE(field(1, "Przyjal"), pasted.left(30));
        QCOMPARE(field(1, "Autoryzowal"), QStringLiteral("dr ") + pasted.left(27));
        QCOMPARE(field(1, "PrzekazanieWyniku"), QString(20, u'x'));
        QCOMPARE(field(1, "Metoda"), QString(255, u'm'));
    }

    // The frame lies over the list and paints all of its area, so that no
    // row of the list shows through it.
    void frameIsDrawnOpaque()
    {
        F::AddClient(Wni, QStringLiteral("Ubojnia"));
        for (int batch = 1; batch <= 30; ++batch)
            F::AddBatch(batch, Wni);
        ui::ScriptedUi ui;
        FormPartia &form = F::OpenRegister();
        form.resize(1200, 900);
        PRESS(&form, "ComDodajPr");
        const QRect area = form.FramePartia->geometry();
        QVERIFY(area.intersects(form.DBGridPartia->geometry()));
        const QImage overList = form.grab(area).toImage();
        form.DBGridPartia->setVisible(false);
        const QImage overNothing = form.grab(area).toImage();
        form.DBGridPartia->setVisible(true);
        QVERIFY(overList == overNothing);
        PRESS(&form, "ComAnulujFr");
        SCRIPTED_UI_VERIFY(ui);
    }

    // A correction keeps its own number however it is typed, refuses
    // another batch's, and moves the samples, runs and trays to a new one.
    void correctionRenumbersTheChildren()
    {
        F::AddClient(Wni, QStringLiteral("Ubojnia"));
        F::AddBatch(5, Wni);
        F::AddBatch(6, Wni);
        F::AddChildren(5, 3, 2, 5);
        F::AddChildren(6, 1, 1, 1);
        ui::ScriptedUi ui;
        FormPartia &form = F::OpenRegister();
        moveListTo(form, 5);
        PRESS(&form, "ComPopraw");
        QCOMPARE(form.FramePartia->title(), QStringLiteral("EDYCJA PARTII"));
        QCOMPARE(form.LabelNazZak->text(), QStringLiteral("Ubojnia, Łęczyca"));
        QCOMPARE(form.focusWidget(), form.ComZapiszFr);

        RETYPE(&form, "TextNrPartii", QStringLiteral("6"));
        ui.Answer(QStringLiteral("OK"));
        PRESS(&form, "ComZapiszFr");
        QCOMPARE(ui.Last().text, QStringLiteral("Partia o numerze: 6 już istnieje.\r\n"
                                                "Popraw nr partii!"));
        RETYPE(&form, "TextNrPartii", QStringLiteral(" 05"));
        PRESS(&form, "ComZapiszFr");
        QVERIFY(form.FramePartia->isHidden());
        QCOMPARE(childRows("Badanie", 5), 3);

        PRESS(&form, "ComPopraw");
        RETYPE(&form, "TextNrPartii", QStringLiteral("9"));
        PRESS(&form, "ComZapiszFr");
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(childRows("Badanie", 9), 3);
        QCOMPARE(childRows("Nastawienie", 9), 2);
        QCOMPARE(childRows("PozycjaN", 9), 5);
        QCOMPARE(childRows("Badanie", 5) + childRows("Nastawienie", 5) + childRows("PozycjaN", 5),
                 0);
        QCOMPARE(childRows("Badanie", 6) + childRows("Nastawienie", 6) + childRows("PozycjaN", 6),
                 3);
        // A correction is not reloaded: the corrected row stays current.
        QCOMPARE(currentBatch(form), QStringLiteral("9"));
        QCOMPARE(field(9, "TNWyslane"), QStringLiteral("true"));
    }

    // The failure rolls back the renumbering too, keeps the frame and the
    // disabled list; moving the list meanwhile does not redirect the save.
    void failedSaveThenAnotherRowChangesNothingElse()
    {
        F::AddClient(Wni, QStringLiteral("Ubojnia"));
        F::AddBatch(5, Wni);
        F::AddBatch(6, Wni, {{QStringLiteral("Metoda"), QStringLiteral("szósta")}});
        F::AddChildren(5, 2, 1, 1);
        ui::ScriptedUi ui;
        FormPartia &form = F::OpenRegister();
        moveListTo(form, 5);
        PRESS(&form, "ComPopraw");
        RETYPE(&form, "TextNrPartii", QStringLiteral("9"));
        // A value the engine refuses, past the box's own limit.
        form.TextMetoda->setMaxLength(32767);
        RETYPE(&form, "TextMetoda", QString(256, QLatin1Char('m')));
        ui.Answer(QStringLiteral("OK"));
        PRESS(&form, "ComZapiszFr");
        QCOMPARE(ui.Last().title, ErrorCaption);
        QVERIFY(ui.Last().text.startsWith(QStringLiteral("3163")));
        QCOMPARE(childRows("Badanie", 5), 2);
        QCOMPARE(field(5, "Partia"), QStringLiteral("5"));
        QVERIFY(!form.FramePartia->isHidden());
        QVERIFY(!listEnabled(form));

        moveListTo(form, 6);
        RETYPE(&form, "TextMetoda", QStringLiteral("poprawiona"));
        PRESS(&form, "ComZapiszFr");
        SCRIPTED_UI_VERIFY(ui);
        // After the failure the list may have moved: the save reads it anew
        // and shows the row it wrote, now first.
        QCOMPARE(currentBatch(form), QStringLiteral("9"));
        QCOMPARE(form.DataPartia->Recordset().AbsolutePosition(), 0);
        QCOMPARE(field(9, "Metoda"), QStringLiteral("poprawiona"));
        QCOMPARE(childRows("Badanie", 9), 2);
        QCOMPARE(field(6, "Metoda"), QStringLiteral("szósta"));
        QCOMPARE(batchCount(), 2);
    }

    // A correction whose loading fails leaves no half-loaded frame behind:
    // the boxes not reached yet would still hold the batch edited before.
    void failedLoadLeavesNoFrameToSave()
    {
        F::AddClient(Wni, QStringLiteral("Ubojnia"));
        F::AddBatch(5, Wni, {{QStringLiteral("ZleceniodawcaTypWNI"), QStringLiteral("PIW")}});
        F::AddBatch(6, Wni, {{QStringLiteral("Metoda"), QStringLiteral("szósta")}});
        ui::ScriptedUi ui;
        FormPartia &form = F::OpenRegister();
        moveListTo(form, 6);
        PRESS(&form, "ComPopraw");
        PRESS(&form, "ComAnulujFr");
        StaleDb.Execute(QStringLiteral("DROP TABLE PIW"));
        moveListTo(form, 5);
        ui.Answer(QStringLiteral("OK"));
        PRESS(&form, "ComPopraw");
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(ui.Last().title, ErrorCaption);
        QVERIFY(form.FramePartia->isHidden());
        QVERIFY(listEnabled(form));
    }

    // With "Automatyczna edycja próbek" the samples of the saved batch open,
    // then the list stands on its first row.
    void savingWithAutomaticEditOpensTheSamples()
    {
        F::AddClient(Wni, QStringLiteral("Ubojnia"));
        F::AddBatch(20, Wni);
        ui::ScriptedUi ui;
        FormPartia &form = F::OpenRegister();
        PRESS(&form, "ComDodajPr");
        F::FillValidFrame(form, Wni);
        RETYPE(&form, "TextNrPartii", QStringLiteral("3"));
        form.CheckNast->setChecked(true);
        QString shownBatch;
        ui.AnswerWindow(QStringLiteral("FormBadanie"), [&](QWidget &window) {
            shownBatch = static_cast<FormBadanie &>(window).LabPartia->text();
        });
        PRESS(&form, "ComZapiszFr");
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(shownBatch, QStringLiteral("3"));
        QCOMPARE(currentBatch(form), QStringLiteral("20"));
    }

    void deleteTakesTheChildrenAlong()
    {
        F::AddClient(Wni, QStringLiteral("Ubojnia"));
        for (int batch : {4, 5, 6})
            F::AddBatch(batch, Wni);
        F::AddChildren(5, 3, 2, 5);
        F::AddChildren(4, 1, 1, 1);
        ui::ScriptedUi ui;
        FormPartia &form = F::OpenRegister();
        moveListTo(form, 5);
        ui.Answer(QStringLiteral("No"));
        PRESS(&form, "ComUsun");
        QCOMPARE(ui.Last().text, QStringLiteral("Czy na pewno usunąć partię oraz przypisane do "
                                                "niej nastawienia i próbki?"));
        QCOMPARE(ui.Last().style, 292);
        QCOMPARE(ui.Last().title, QStringLiteral("USUWANIE!"));
        QCOMPARE(batchCount(), 3);
        QCOMPARE(childRows("PozycjaN", 5), 5);

        ui.Answer(QStringLiteral("Yes"));
        PRESS(&form, "ComUsun");
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(F::Column(MonthDb, QStringLiteral("SELECT * FROM Partia ORDER BY Partia"),
                           QStringLiteral("Partia")),
                 QStringList({QStringLiteral("4"), QStringLiteral("6")}));
        QCOMPARE(childRows("Badanie", 5) + childRows("Nastawienie", 5) + childRows("PozycjaN", 5),
                 0);
        QCOMPARE(childRows("Badanie", 4) + childRows("Nastawienie", 4) + childRows("PozycjaN", 4),
                 3);
        QCOMPARE(form.DataPartia->RowCount(), 2);
        // The row that followed the deleted one is current.
        QCOMPARE(currentBatch(form), QStringLiteral("4"));
    }

    void deleteFailureKeepsEverything()
    {
        F::AddClient(Wni, QStringLiteral("Ubojnia"));
        F::AddBatch(5, Wni);
        F::AddChildren(5, 2, 1, 1);
        MonthDb.Execute(QStringLiteral("DROP TABLE PozycjaN"));
        ui::ScriptedUi ui;
        FormPartia &form = F::OpenRegister();
        ui.Answer(QStringLiteral("Yes"));
        ui.Answer(QStringLiteral("OK"));
        PRESS(&form, "ComUsun");
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(ui.Last().title, ErrorCaption);
        QCOMPARE(childRows("Badanie", 5), 2);
        QCOMPARE(batchCount(), 1);
        QCOMPARE(form.DataPartia->RowCount(), 1);
    }
};

QTEST_MAIN(tst_FormPartiaSave)
#include "tst_FormPartiaSave.moc"
