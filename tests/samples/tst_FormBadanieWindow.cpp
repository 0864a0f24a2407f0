#include "FixtureTest.h"
#include "Press.h"
#include "SamplesFixture.h"

#include "foundation/DictionaryEvents.h"
#include "foundation/Globals.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/ScriptedUi.h"
#include "platform/ui/ShowModal.h"
#include "platform/ui/WindowRegistry.h"
#include "samples/FormBadanie.h"

#include <QAbstractItemView>
#include <QApplication>
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

QStringList items(const QComboBox *combo)
{
    QStringList list;
    for (int i = 0; i < combo->count(); ++i)
        list.append(combo->itemText(i));
    return list;
}

QString currentCarcass(const FormBadanie &form)
{
    return form.DataBad->Recordset()(QStringLiteral("NrProbki")).Value().toString();
}

} // namespace

// The sample window itself: what its doors show, its activation with the
// pick lists and the jump to a carcass, the species pick, the remark hints,
// the overlays over the list and closing.
class tst_FormBadanieWindow : public FixtureTest<SamplesFixture>
{
    Q_OBJECT

protected:
    void Prepare() override
    {
        F::AddBatch(12);
        for (int carcass : {3, 12, 40})
            F::AddSample(12, carcass, carcass, carcass);
        F::AddSample(13, 1, 50, 50);
    }

private slots:
    void doorShowsTheBatchAndFillsThePickLists()
    {
        ui::ScriptedUi ui;
        F::Open(ui, 12, [](FormBadanie &form) {
            QCOMPARE(form.windowTitle(), QStringLiteral("PRÓBKI"));
            QCOMPARE(form.LabPartia->text(), QStringLiteral("12"));
            QCOMPARE(form.LabData->text(), F::DeliveryDate);
            QCOMPARE(form.LabelKod->text(), F::Wni);
            QCOMPARE(form.DataBad->RowCount(), 3);
            QCOMPARE(currentCarcass(form), QStringLiteral("3"));
            QCOMPARE(form.DBGridBad->Model()->headerData(11, Qt::Horizontal).toString(),
                     QStringLiteral("Opis i stan próbki w chwili przyjęcia"));
            QCOMPARE(form.ComboGatunek->currentText(), QStringLiteral("Świnie"));
            QCOMPARE(form.LabIDGatunek->text(), QStringLiteral("1"));
            QCOMPARE(items(form.ComboGatunek).size(), 7);
            QCOMPARE(items(form.ComboPlec).first(), QStringLiteral("Dzik"));
            QCOMPARE(items(form.ComboPlec).size(), 8);
            QCOMPARE(items(form.ComboTkanka).first(), QStringLiteral("część mostkowa przepony"));
            QVERIFY(!InitOnActivate);
            QVERIFY(form.FrameProbka->isHidden() && form.FrameCzekaj->isHidden());
        });
        SCRIPTED_UI_VERIFY(ui);
    }

    // The jump to a carcass stands on it when it exists and on the first
    // sample otherwise; the request is used once.
    void jumpToACarcass_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("carcass");
        QTest::newRow("find12") << "12"
                                << "12";
        QTest::newRow("find999") << "999"
                                 << "3";
        QTest::newRow("find12,5") << "12,5"
                                  << "3";
        QTest::newRow("find with a quote") << "1' OR '1'='1"
                                           << "3";
    }

    void jumpToACarcass()
    {
        QFETCH(QString, number);
        ui::ScriptedUi ui;
        QString shown;
        ui.AnswerWindow(QStringLiteral("FormBadanie"), [&](QWidget &window) {
            shown = currentCarcass(static_cast<FormBadanie &>(window));
        });
        FormBadanie::OpenAtCarcass(F::Heading(12), number);
        SCRIPTED_UI_VERIFY(ui);
        QTEST(shown, "carcass");
        QVERIFY(FormRequest.isEmpty());
        QCOMPARE(ui.Log().size(), 1);
    }

    // Shown again without the opener's flag, the window reloads nothing and
    // honours no request.
    void activationWithoutTheFlagChangesNothing()
    {
        ui::ScriptedUi ui;
        // With the frame closed the species list is hidden: a stored state.
        F::Open(ui, 12,
                [](FormBadanie &form) { form.ComboGatunek->setEditText(QStringLiteral("Bydło")); });
        FormBadanie &form = ui::WindowRegistry::Instance<FormBadanie>();
        form.DataBad->setRecordset(
            MonthDb.OpenRecordset(QStringLiteral("SELECT * FROM Badanie ORDER BY NrProbki")));
        FormRequest = QStringLiteral("find12");
        ui.AnswerWindow(QStringLiteral("FormBadanie"));
        ui::ShowModal(form);
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(form.ComboGatunek->currentText(), QStringLiteral("Bydło"));
        QCOMPARE(FormRequest, QStringLiteral("find12"));
        QCOMPARE(currentCarcass(form), QStringLiteral("1"));
        FormRequest.clear();
    }

    // A species refills the sexes; one without sexes, or a text naming no
    // species, leaves them as they were, without a box.
    void speciesPick()
    {
        F::AddRow(StaleDb, QStringLiteral("GATUNEK"),
                  {{QStringLiteral("IDGatunek"), 9},
                   {QStringLiteral("NazGatunek"), QStringLiteral("Dziki")}});
        ui::ScriptedUi ui;
        F::Open(ui, 12, [](FormBadanie &form) {
            PRESS(&form, "ComDodajPr");
            RETYPE(&form, "ComboGatunek", QStringLiteral("bydło"));
            QCOMPARE(form.LabIDGatunek->text(), QStringLiteral("2"));
            const QStringList cattle = items(form.ComboPlec);
            QCOMPARE(cattle, QStringList({QStringLiteral("Buhaj"), QStringLiteral("Jałówka"),
                                          QStringLiteral("Krowa")}));
            QCOMPARE(form.ComboPlec->currentText(), QString());
            RETYPE(&form, "ComboPlec", QStringLiteral("Krowa"));
            RETYPE(&form, "ComboGatunek", QStringLiteral("Dziki"));
            QCOMPARE(form.LabIDGatunek->text(), QStringLiteral("9"));
            QCOMPARE(items(form.ComboPlec), cattle);
            QCOMPARE(form.ComboPlec->currentText(), QStringLiteral("Krowa"));
            RETYPE(&form, "ComboGatunek", QStringLiteral("Dzi'"));
            QCOMPARE(form.LabIDGatunek->text(), QString());
            QCOMPARE(items(form.ComboPlec), cattle);
        });
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(ui.Log().size(), 1);
    }

    // Enter in a number box and a keystroke in the species list move the
    // focus on; a species set by the program does not.
    void enterAndSpeciesMoveTheFocusOn()
    {
        ui::ScriptedUi ui;
        F::Open(ui, 12, [](FormBadanie &form) {
            form.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&form));
            PRESS(&form, "ComDodajPr");
            QTRY_COMPARE(QApplication::focusWidget(), form.TextNrTacy);
            QTest::keyClick(form.TextNrTacy, Qt::Key_Return);
            QTRY_COMPARE(QApplication::focusWidget(), form.TextIDProbkiWNI);
            QTest::keyClick(form.TextIDProbkiWNI, Qt::Key_Enter);
            QTRY_COMPARE(QApplication::focusWidget(), form.TextIDProbkiNr);
            const auto inSpecies = [&form] {
                QWidget *focus = QApplication::focusWidget();
                return focus == form.ComboGatunek || focus == form.ComboGatunek->lineEdit();
            };
            form.ComboGatunek->setFocus();
            QTRY_VERIFY(inSpecies());
            form.ComboGatunek->setEditText(QStringLiteral("Bydło"));
            QCoreApplication::processEvents();
            QVERIFY(inSpecies());
            QTest::keyClick(form.ComboGatunek->lineEdit(), Qt::Key_Backspace);
            QTRY_VERIFY(!inSpecies());
            QCOMPARE(form.ComboGatunek->currentText(), QStringLiteral("Bydł"));
            QCOMPARE(form.LabIDGatunek->text(), QString());
            PRESS(&form, "ComAnulujFr");
        });
        SCRIPTED_UI_VERIFY(ui);
    }

    // A field reached by Enter or Tab keeps its text unselected: the first
    // key typed adds to a proposed number instead of replacing it.
    void enterAndTabSelectNoText()
    {
        ui::ScriptedUi ui;
        F::Open(ui, 12, [](FormBadanie &form) {
            form.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&form));
            PRESS(&form, "ComDodajPr");
            QTRY_COMPARE(QApplication::focusWidget(), form.TextNrTacy);
            QTest::keyClick(form.TextNrTacy, Qt::Key_Return);
            QTRY_COMPARE(QApplication::focusWidget(), form.TextIDProbkiWNI);
            QVERIFY(!form.TextIDProbkiWNI->hasSelectedText());
            QTest::keyClick(form.TextIDProbkiWNI, Qt::Key_Tab);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), form.TextNrDzien);
            TYPE(&form, "TextNrDzien", QStringLiteral("0"));
            QCOMPARE(form.TextNrDzien->text(), QStringLiteral("510"));
            QTest::keyClick(form.TextNrDzien, Qt::Key_Enter);
            QTRY_COMPARE(QApplication::focusWidget(), form.TextNrOgolny);
            TYPE(&form, "TextNrOgolny", QStringLiteral("1"));
            QCOMPARE(form.TextNrOgolny->text(), QStringLiteral("511"));
            QTest::keyClick(form.TextNrOgolny, Qt::Key_Tab, Qt::ShiftModifier);
            QCOMPARE(QApplication::focusWidget(), form.TextNrDzien);
            QVERIFY(!form.TextNrDzien->hasSelectedText());
            form.ComboOpis->setFocus();
            QTest::keyClick(form.ComboOpis, Qt::Key_Tab);
            QTRY_COMPARE(QApplication::focusWidget(), form.ComboWynik);
            QTest::keyClick(form.ComboWynik, Qt::Key_Tab, Qt::ShiftModifier);
            QTRY_COMPARE(QApplication::focusWidget(), form.ComboOpis);
            QCOMPARE(form.ComboOpis->currentText(), QStringLiteral("Próbka bez zmian"));
            QVERIFY(!form.ComboOpis->lineEdit()->hasSelectedText());
            PRESS(&form, "ComAnulujFr");
        });
        SCRIPTED_UI_VERIFY(ui);
    }

    // Tab walks the sample frame one field at a time, also out of pick lists
    // whose texts match entries they have not chosen; a pick (an arrow key,
    // Enter in the open list) moves on by itself.
    void tabAndPicksInTheSampleFrame()
    {
        ui::ScriptedUi ui;
        F::Open(ui, 12, [](FormBadanie &form) {
            form.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&form));
            PRESS(&form, "ComPopraw");
            QCOMPARE(form.ComboPlec->currentText(), QStringLiteral("Tucznik"));
            QCOMPARE(form.ComboPlec->currentIndex(), -1);
            const auto focusOn = [](QWidget *control) {
                // A pick's Tab arrives once the events of the moment are handled.
                press::Settle();
                QWidget *focus = QApplication::focusWidget();
                auto *list = qobject_cast<QComboBox *>(control);
                return focus == control || (list && focus == list->lineEdit());
            };
            form.TextNrOgolny->setFocus();
            QVERIFY(focusOn(form.TextNrOgolny));
            for (QComboBox *next : {form.ComboGatunek, form.ComboPlec, form.ComboTkanka,
                                    form.ComboOpis, form.ComboWynik}) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                QVERIFY2(focusOn(next), qPrintable(QApplication::focusWidget()->objectName()));
            }
            // Back by Shift+Tab, and a pick with the arrow key moves on.
            for (QComboBox *previous : {form.ComboOpis, form.ComboTkanka, form.ComboPlec}) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
                QVERIFY(focusOn(previous));
            }
            const int shown = form.ComboPlec->findText(QStringLiteral("Tucznik"));
            QTest::keyClick(form.ComboPlec, Qt::Key_Down);
            QVERIFY(focusOn(form.ComboTkanka));
            QCOMPARE(form.ComboPlec->currentIndex(), shown + 1);
            // Enter in the open list picks the highlighted entry.
            form.ComboTkanka->showPopup();
            QAbstractItemView *entries = form.ComboTkanka->view();
            QTRY_VERIFY(entries->isVisible());
            press::Settle();
            entries->setCurrentIndex(entries->model()->index(2, 0));
            QTest::keyClick(entries, Qt::Key_Return);
            QVERIFY(focusOn(form.ComboOpis));
            QCOMPARE(form.ComboTkanka->currentIndex(), 2);
            PRESS(&form, "ComAnulujFr");
        });
        SCRIPTED_UI_VERIFY(ui);
    }

    // A remark hint replaces the remark; the lists follow their registers.
    void remarkHintsAndRefilledLists()
    {
        for (const char *hint : {"próbka mała", "brak filarów"})
            F::AddRow(StaleDb, QStringLiteral("UwagiProbka"),
                      {{QStringLiteral("PODPOWIEDZ"), QString::fromUtf8(hint)}});
        FormBadanie &form = ui::WindowRegistry::Instance<FormBadanie>();
        DictionaryEvents::Instance().Announce(QStringLiteral("UwagiProbka"));
        QCOMPARE(items(form.ComboUwagi),
                 QStringList({QStringLiteral("brak filarów"), QStringLiteral("próbka mała")}));
        F::AddRow(StaleDb, QStringLiteral("Tkanka"),
                  {{QStringLiteral("IDTkanka"), 8},
                   {QStringLiteral("NazTkanka"), QStringLiteral("żuchwa")}});
        F::AddRow(StaleDb, QStringLiteral("OpisProbki"),
                  {{QStringLiteral("IDPODP"), 2},
                   {QStringLiteral("PODPOWIEDZ"), QStringLiteral("Próbka nadpsuta")}});
        DictionaryEvents::Instance().Announce(QStringLiteral("Tkanka"));
        DictionaryEvents::Instance().Announce(QStringLiteral("OpisProbki"));
        QCOMPARE(items(form.ComboTkanka).last(), QStringLiteral("żuchwa"));
        QCOMPARE(items(form.ComboOpis), QStringList({QStringLiteral("Próbka bez zmian"),
                                                     QStringLiteral("Próbka nadpsuta")}));
        QCOMPARE(form.ComboOpis->currentText(), QStringLiteral("Próbka bez zmian"));

        ui::ScriptedUi ui;
        F::Open(ui, 12, [](FormBadanie &form) {
            PRESS(&form, "ComPopraw");
            form.TextUwagi->setPlainText(QStringLiteral("coś"));
            form.ComboUwagi->setFocus();
            QTest::keyClick(form.ComboUwagi, Qt::Key_Down);
            QCOMPARE(form.TextUwagi->toPlainText(), QStringLiteral("brak filarów"));
            QCOMPARE(form.ComboUwagi->currentText(), QString());
        });
        SCRIPTED_UI_VERIFY(ui);
    }

    // With a frame open the list and its buttons cannot be used; the close
    // button closes the frame with the window, and nothing is written.
    void closingWithAFrameOpen()
    {
        ui::ScriptedUi ui;
        F::Open(ui, 12, [](FormBadanie &form) {
            PRESS(&form, "ComDodajPr");
            for (QWidget *w : std::initializer_list<QWidget *>{
                     form.ComDodajPr, form.ComPopraw, form.ComUsun, form.ComDuplikuj, form.ComZamk,
                     form.DBGridBad, form.DataBad})
                QVERIFY2(!w->isEnabled(), qPrintable(w->objectName()));
            QVERIFY(form.FrameProbka->geometry().intersects(form.DBGridBad->geometry()));
            QVERIFY(form.close());
            QVERIFY(form.isHidden());
        });
        SCRIPTED_UI_VERIFY(ui);
        F::Open(ui, 12, [](FormBadanie &form) {
            QVERIFY(form.FrameProbka->isHidden());
            QVERIFY(form.ComDodajPr->isEnabled() && form.DBGridBad->isEnabled());
            PRESS(&form, "ComZamk");
        });
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(F::RowCount(MonthDb, QStringLiteral("Badanie")), 4);
    }
};

QTEST_MAIN(tst_FormBadanieWindow)
#include "tst_FormBadanieWindow.moc"
