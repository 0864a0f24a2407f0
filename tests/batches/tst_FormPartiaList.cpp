#include "BatchesFixture.h"
#include "FixtureTest.h"
#include "Press.h"

#include "batches/FormPartia.h"
#include "batches/FormSeriaTest.h"
#include "digestion/FormNastawienie.h"
#include "foundation/FormDrukRap.h"
#include "foundation/Globals.h"
#include "platform/fs/Cp1250.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/MaskEdBox.h"
#include "samples/FormBadanie.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using F = BatchesFixture;

namespace
{

const QString Wni = QStringLiteral("14650301");

// The values of one field over the rows of a window's list.
QStringList listed(ui::DataControl *data, const char *field)
{
    const dao::Recordset rs = data->Recordset();
    QStringList values;
    for (int row = 0; row < rs.RecordCount(); ++row)
        values.append(rs.ValueAt(row, rs.FieldIndex(QLatin1String(field))).toString());
    return values;
}

} // namespace

// The list side of the batch register: opening the samples and runs of the
// current batch, the switch between browse and edit state, the vet list,
// the hidden list export, the method text and the county label.
class tst_FormPartiaList : public FixtureTest<BatchesFixture>
{
    Q_OBJECT

private slots:
    void emptyListDoesNothing()
    {
        ui::ScriptedUi ui;
        FormPartia &form = F::OpenRegister();
        DOUBLE_CLICK(&form, "DBGridPartia");
        PRESS(&form, "ComEdytuj");
        PRESS(&form, "ComNastawienie");
        PRESS(&form, "ComPopraw");
        PRESS(&form, "ComUsun");
        SCRIPTED_UI_VERIFY(ui);
        QVERIFY(ui.Log().isEmpty());
        QVERIFY(form.FramePartia->isHidden());
    }

    // The header of the sample and run windows and their lists of the
    // batch; a client not in the register shows its WNI alone.
    void samplesAndRunsOfTheCurrentBatch()
    {
        F::AddClient(
            Wni, QStringLiteral("Ubojnia"),
            {{QStringLiteral("Miejscowosc"), QVariant()}, {QStringLiteral("Ulica"), QVariant()}});
        F::AddBatch(12, Wni);
        F::AddBatch(13, QStringLiteral("O'Brien"), {{QStringLiteral("DataDoLab"), QVariant()}});
        F::AddChildren(12, 3, 2, 0);
        F::AddChildren(13, 1, 0, 0);
        ui::ScriptedUi ui;
        FormPartia &form = F::OpenRegister();
        form.DataPartia->Recordset().FindFirst(QStringLiteral("Partia = 12"));
        FormRequest = QStringLiteral("find102");
        ui.AnswerWindow(QStringLiteral("FormBadanie"), [](QWidget &window) {
            auto &samples = static_cast<FormBadanie &>(window);
            QCOMPARE(samples.LabZaklad->text(), Wni + QStringLiteral(" - Ubojnia,  "));
            QCOMPARE(samples.LabPartia->text(), QStringLiteral("12"));
            QCOMPARE(samples.LabelKod->text(), Wni);
            QCOMPARE(samples.LabData->text(), QStringLiteral("05.03.2024"));
            QCOMPARE(
                listed(samples.DataBad, "NrProbki"),
                QStringList({QStringLiteral("101"), QStringLiteral("102"), QStringLiteral("103")}));
            QCOMPARE(samples.DataBad->Recordset()(QStringLiteral("NrProbki")).Value().toInt(), 102);
            QVERIFY(!InitOnActivate);
        });
        DOUBLE_CLICK(&form, "DBGridPartia");
        QVERIFY(FormRequest.isEmpty());

        ui.AnswerWindow(QStringLiteral("FormNastawienie"), [](QWidget &window) {
            auto &runs = static_cast<FormNastawienie &>(window);
            QCOMPARE(runs.LabPartia->text(), QStringLiteral("12"));
            QCOMPARE(listed(runs.DataPartia, "Nastawienie"),
                     QStringList({QStringLiteral("1"), QStringLiteral("2")}));
        });
        PRESS(&form, "ComNastawienie");

        form.DataPartia->Recordset().FindFirst(QStringLiteral("Partia = 13"));
        ui.AnswerWindow(QStringLiteral("FormBadanie"), [](QWidget &window) {
            auto &samples = static_cast<FormBadanie &>(window);
            QCOMPARE(samples.LabZaklad->text(), QStringLiteral("O'Brien"));
            QCOMPARE(samples.LabData->text(), QString());
            QCOMPARE(listed(samples.DataBad, "Partia"), QStringList{QStringLiteral("13")});
        });
        DOUBLE_CLICK(&form, "DBGridPartia");
        SCRIPTED_UI_VERIFY(ui);
    }

    // "D&rukuj" prints the current batch and leaves the preview's send on it.
    void printButtonHandsTheCurrentBatchToThePreview()
    {
        F::AddClient(Wni, QStringLiteral("Ubojnia"));
        F::AddBatch(12, Wni);
        F::AddBatch(13, Wni);
        F::AddChildren(13, 2, 0, 0);
        ui::ScriptedUi ui;
        FormPartia &form = F::OpenRegister();
        form.DataPartia->Recordset().FindFirst(QStringLiteral("Partia = 13"));
        ui.AnswerWindow(QStringLiteral("FormSeriaTest"),
                        [](QWidget &window) { PRESS(&window, "ComOk"); });
        int sent = 0;
        ui.AnswerWindow(QStringLiteral("FormDrukRap"), [&sent](QWidget &window) {
            auto &preview = static_cast<FormDrukRap &>(window);
            QVERIFY(preview.BatchRegister);
            sent = preview.BatchRegister()(QStringLiteral("Partia")).Value().toInt();
        });
        PRESS(&form, "ComDrukuj");
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(sent, 13);
    }

    // Esc and the close button leave an open frame alone; the search shows
    // nothing and the export stays out of reach.
    void openFrameKeepsTheWindow()
    {
        ui::ScriptedUi ui;
        FormPartia &form = F::OpenRegister();
        PRESS(&form, "ComDodajPr");
        QVERIFY(!form.DBGridPartia->isEnabled() && form.CheckWczyt->isEnabled());
        form.reject();
        QVERIFY(form.isVisible() && !form.FramePartia->isHidden());
        PRESS(&form, "ComAnulujFr");
        PRESS(&form, "ComSzukaj");
        QVERIFY(form.FrameSzukaj->isHidden() && form.ComPlik->isHidden());
        form.reject();
        QVERIFY(!form.isVisible());
        SCRIPTED_UI_VERIFY(ui);
    }

    // Whatever the window's size, the list and every button stay inside it
    // without covering each other, and the list takes the room it gains.
    void listAndButtonsFitTheWindow()
    {
        FormPartia &form = F::OpenRegister();
        form.showNormal();
        const QList<QWidget *> controls{form.DBGridPartia,   form.ComZamk,    form.ComEdytuj,
                                        form.ComSzukaj,      form.ComDrukuj,  form.ComWczytPart,
                                        form.ComNastawienie, form.ComDodajPr, form.ComPopraw,
                                        form.ComUsun,        form.CheckWczyt, form.DTPData};
        QSize gridBefore;
        for (const QSize size : {QSize(900, 600), QSize(1200, 800)}) {
            form.resize(size);
            QCoreApplication::processEvents();
            for (int i = 0; i < controls.size(); ++i) {
                const QRect place = controls[i]->geometry();
                QVERIFY2(form.rect().contains(place), qPrintable(controls[i]->objectName()));
                for (int j = i + 1; j < controls.size(); ++j)
                    QVERIFY2(!place.intersects(controls[j]->geometry()),
                             qPrintable(controls[i]->objectName() + QLatin1Char('/') +
                                        controls[j]->objectName()));
            }
            if (gridBefore.isValid()) {
                QVERIFY(form.DBGridPartia->width() > gridBefore.width());
                QVERIFY(form.DBGridPartia->height() > gridBefore.height());
            }
            gridBefore = form.DBGridPartia->size();
        }
        // Too small a window leaves an empty list, never a broken one.
        form.resize(20, 100);
        QCoreApplication::processEvents();
        QVERIFY(form.DBGridPartia->width() >= 0 && form.DBGridPartia->height() >= 0);
        form.reject();
    }

    // The vet list is filled on an activation that the opener asked for.
    void vetListFilledOnRequestedActivation()
    {
        F::AddRow(StaleDb, QStringLiteral("Lekarz"),
                  {{QStringLiteral("Imie"), QStringLiteral("Żaneta")},
                   {QStringLiteral("Nazwisko"), QStringLiteral("Łuczak")}});
        FormPartia &form = F::OpenRegister();
        QCOMPARE(form.ComboLekarz->count(), 1);
        QCOMPARE(form.ComboLekarz->itemText(0), QStringLiteral("Żaneta Łuczak"));
        QVERIFY(!InitOnActivate);
        F::AddRow(StaleDb, QStringLiteral("Lekarz"),
                  {{QStringLiteral("Imie"), QStringLiteral("Adam")},
                   {QStringLiteral("Nazwisko"), QStringLiteral("Nowak")}});
        form.hide();
        form.show();
        QCOMPARE(form.ComboLekarz->count(), 1);
    }

    // One line per listed batch, newest first, in Windows-1250 with CR LF,
    // into a dated folder made on first use; the list does not move. "&Plik"
    // is hidden and disabled for good, so its click is sent, not pressed.
    void listExport()
    {
        ui::ScriptedUi ui;
        FormPartia &form = F::OpenRegister();
        ui.Answer(QStringLiteral("OK"));
        Q_EMIT form.ComPlik->clicked();
        QCOMPARE(ui.Last().text, QStringLiteral("Brak pozycji do Eksportu!"));
        QCOMPARE(ui.Last().title, QStringLiteral("EKSPORT DO PLIKU"));

        F::AddBatch(56, QStringLiteral("12340001"),
                    {{QStringLiteral("DataUboju"), QDate(2024, 3, 1)}});
        F::AddBatch(57, QStringLiteral("Łódź01"), {{QStringLiteral("DataUboju"), QVariant()}});
        form.DataPartia->Refresh();
        form.DataPartia->Recordset().MoveLast();
        const QString folder = QStringLiteral("C:\\MervaskLab\\Eksport\\20240305");
        ui.CancelFile();
        Q_EMIT form.ComPlik->clicked();
        QCOMPARE(ui.Last().value, folder + QStringLiteral("\\2024-03-05"));
        QCOMPARE(ui.Last().filterIndex, 2);
        QVERIFY(QFileInfo(fixture_->Real(folder)).isDir());

        ui.AnswerFile(folder + QStringLiteral("\\lista.lzl"));
        ui.Answer(QStringLiteral("OK"));
        Q_EMIT form.ComPlik->clicked();
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(ui.Last().text, QStringLiteral("Zapis do pliku zakończony powodzeniem!"));
        QFile file(fixture_->Real(folder + QStringLiteral("\\lista.lzl")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(),
                 fs::Cp1250::Encode(u"57\tŁódź01\t\r\n56\t12340001\t01.03.2024\r\n"));
        QCOMPARE(form.DataPartia->Recordset()(QStringLiteral("Partia")).Value().toInt(), 56);
    }

    void methodTextAndCountyLabel()
    {
        F::AddRow(StaleDb, QStringLiteral("PIW"),
                  {{QStringLiteral("IDPIW"), QStringLiteral("1465")},
                   {QStringLiteral("NAZWA"), QStringLiteral("PIW")},
                   {QStringLiteral("Miasto"), QStringLiteral("Ostrołęka")}});
        F::AddBatch(12, Wni,
                    {{QStringLiteral("ZleceniodawcaWNI"), QStringLiteral("1465")},
                     {QStringLiteral("ZleceniodawcaTypWNI"), QStringLiteral("PIW")}});
        ui::ScriptedUi ui;
        FormPartia &form = F::OpenRegister();
        PRESS(&form, "ComPopraw");
        QVERIFY(form.CheckZleceniodawcaPIW->isChecked());
        QCOMPARE(form.CheckZleceniodawcaPIW->palette().color(QPalette::WindowText),
                 QColor(0, 0, 255));
        QCOMPARE(form.LabelNazZleceniodawca->text(), QStringLiteral("PIW Ostrołęka"));
        RETYPE(&form, "TextMetoda", QStringLiteral("własna"));
        PRESS(&form, "ComPobierzMetoda");
        QCOMPARE(form.TextMetoda->text(),
                 QStringLiteral("Metoda wytrawiania – wykrywanie larw Trichinella w mięsie"));
        StaleDb.Execute(QStringLiteral("DELETE FROM Kierunek"));
        PRESS(&form, "ComPobierzMetoda");
        QCOMPARE(form.TextMetoda->text(), QString());
        SCRIPTED_UI_VERIFY(ui);
    }

    // Enter moves on in the listed fields, and leaving the owner's box
    // shows the client's name and moves on past the picker; Esc closes
    // nothing.
    void keysOfTheFrame()
    {
        F::AddClient(Wni, QStringLiteral("Ubojnia"));
        ui::ScriptedUi ui;
        FormPartia &form = F::OpenRegister();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        PRESS(&form, "ComDodajPr");
        form.TextNrPartii->setFocus();
        QTest::keyClick(form.TextNrPartii, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), form.TextZaklad);
        QTest::keyClicks(form.TextZaklad, Wni);
        QTest::keyClick(form.TextZaklad, Qt::Key_Return);
        QTRY_COMPARE(QApplication::focusWidget(), form.TextZleceniodawcaWNI);
        QCOMPARE(form.LabelNazZak->text(), QStringLiteral("Ubojnia, Łęczyca"));
        form.ComboLekarz->setFocus();
        QTest::keyClick(form.ComboLekarz, Qt::Key_Return);
        QTRY_COMPARE(QApplication::focusWidget(), form.TextDostarczyl);
        QCOMPARE(form.ComboLekarz->count(), 0);
        // Leaving a list whose typed text matches an entry is no pick: Tab
        // moves on one field.
        form.ComboPrzekazanieWyniku->setFocus();
        QTest::keyClicks(form.ComboPrzekazanieWyniku, QStringLiteral("faks"));
        QCOMPARE(form.ComboPrzekazanieWyniku->currentText(), QStringLiteral("faks"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        press::Settle();
        QCOMPARE(QApplication::focusWidget(), form.ComPobierzMetoda);
        form.TextGodzPobr->setFocus();
        QTest::keyClick(form.TextGodzPobr, Qt::Key_Return);
        QTest::keyClick(form.TextGodzPobr, Qt::Key_Escape);
        QCoreApplication::processEvents();
        QCOMPARE(QApplication::focusWidget(), form.TextGodzPobr);
        QVERIFY(form.isVisible() && !form.FramePartia->isHidden());
        SCRIPTED_UI_VERIFY(ui);
    }

    // A sampling date of another year than the working date is refused.
    void samplingDateOfAnotherYear()
    {
        ui::ScriptedUi ui;
        FormPartia &form = F::OpenRegister();
        PRESS(&form, "ComDodajPr");
        ui.AnswerDate(QDate(2023, 12, 30));
        ui.Answer(QStringLiteral("OK"));
        PRESS(&form, "ComDataPobr");
        QCOMPARE(ui.Last().text, QStringLiteral("Wybrany rok: 30.12.2023 jest niezgodny z datą "
                                                "ustawioną w programie!\rWybierz datę ponownie!"));
        QCOMPARE(form.TextDataPobr->Text(), QString());
        ui.AnswerDate(QDate(2024, 3, 4));
        PRESS(&form, "ComDataPobr");
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(form.TextDataPobr->Text(), QStringLiteral("04.03.2024"));
    }
};

QTEST_MAIN(tst_FormPartiaList)
#include "tst_FormPartiaList.moc"
