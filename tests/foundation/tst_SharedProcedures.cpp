#include "ErrorNumberOf.h"
#include "FoundationFixture.h"
#include "OtherWorkstation.h"

#include "foundation/Globals.h"
#include "foundation/Messages.h"
#include "foundation/RecordWrite.h"
#include "foundation/RecordsetProcedures.h"
#include "foundation/SharedProcedures.h"
#include "platform/db/DBEngine.h"
#include "platform/db/DaoError.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/ScriptedUi.h"
#include "platform/ui/WindowRegistry.h"
#include "registers/FormZaklad.h"
#include "samples/FormBadanie.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace
{

QStringList items(const QComboBox &combo)
{
    QStringList result;
    for (int i = 0; i < combo.count(); ++i)
        result.append(combo.itemText(i));
    return result;
}

// A month database with two samples and three batches.
dao::Database monthDatabase(const FoundationFixture &fixture)
{
    dao::Database db =
        dao::DBEngine::Workspaces(0).CreateDatabase(fixture.Real("T:\\Dane\\Mervask202603.mdb"));
    FoundationFixture::CreateTable(db, "Badanie",
                                   {{"NrDzien", 0}, {"NrOgolny", 0}, {"DataDoLab", -1}});
    FoundationFixture::AddRow(
        db, "Badanie", {{"NrDzien", 1}, {"NrOgolny", 101}, {"DataDoLab", QDate(2026, 3, 5)}});
    FoundationFixture::AddRow(
        db, "Badanie", {{"NrDzien", 2}, {"NrOgolny", 102}, {"DataDoLab", QDate(2026, 3, 6)}});
    FoundationFixture::CreateTable(db, "Partia", {{"Partia", 0}, {"DataDoLab", -1}});
    for (int batch = 1; batch <= 3; ++batch)
        FoundationFixture::AddRow(db, "Partia",
                                  {{"Partia", batch}, {"DataDoLab", QDate(2026, 3, batch)}});
    return db;
}

} // namespace

// The fillers and the record-set procedures over small databases.
class SharedProceduresTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void fillComboFromTable();
    void fillComboFromTableReportsErrorsButMissingTables();
    void fillComboTwoFields();
    void fixedFillerEmptiesListOfEmptyTable();
    void existenceTests();
    void lookupFieldValue();
    void deleteCurrentRecord();
    void heldRows();
    void deleteAllRecordsAndTouchTable();
    void readsOfOneActionWaitOnce();
    void gridMarksOnlyItsCurrentRow();
    void establishmentPickerPreparesTheRegister();
    void refusalFocusesOnlyAControlThatCanTakeIt();

private:
    FoundationFixture *fixture_ = nullptr;
    QComboBox *combo_ = nullptr;
};

void SharedProceduresTest::init()
{
    fixture_ = new FoundationFixture;
    StaleDb = fixture_->CreateStale();
    MonthDb = monthDatabase(*fixture_);
    combo_ = new QComboBox;
    combo_->setEditable(true);
}

void SharedProceduresTest::cleanup()
{
    delete combo_;
    delete fixture_;
}

void SharedProceduresTest::fillComboFromTable()
{
    FillComboFromTable(combo_, MonthDb, "Partia", "Partia", "DataDoLab", " DESC", "wszystkie");
    QCOMPARE(items(*combo_), (QStringList{"wszystkie", "3", "2", "1"}));
    FillComboFromTable(combo_, MonthDb, "Partia WHERE Partia > 1", "DataDoLab", QString(),
                       QString(), QString());
    QCOMPARE(items(*combo_), (QStringList{"02.03.2026", "03.03.2026"}));
    // No rows: the list keeps its items, the first item included.
    FillComboFromTable(combo_, MonthDb, "Partia WHERE Partia > 10", "Partia", QString(), QString(),
                       "wszystkie");
    QCOMPARE(items(*combo_), (QStringList{"02.03.2026", "03.03.2026"}));
}

void SharedProceduresTest::fillComboFromTableReportsErrorsButMissingTables()
{
    ui::ScriptedUi scripted;
    scripted.Answer("OK");
    combo_->setEditText("wpisane");
    FillComboFromTable(combo_, StaleDb, "Brak", "Wartosc", QString(), QString(), QString());
    QVERIFY(scripted.Log().isEmpty());
    FillComboFromTable(combo_, StaleDb, "Waga", "Brak", QString(), QString(), QString());
    QCOMPARE(scripted.Last().title, QStringLiteral("Nie mogę wypełnić Combo: wpisane"));
    SCRIPTED_UI_VERIFY(scripted);
}

void SharedProceduresTest::fillComboTwoFields()
{
    FoundationFixture::CreateTable(StaleDb, "Lekarz", {{"Imie", 30}, {"Nazwisko", 50}});
    FoundationFixture::AddRow(StaleDb, "Lekarz", {{"Imie", "Zofia"}, {"Nazwisko", "Lis"}});
    FoundationFixture::AddRow(StaleDb, "Lekarz", {{"Imie", "Adam"}, {"Nazwisko", "Kruk"}});
    FillComboTwoFields(combo_, StaleDb, "Lekarz", "Imie", "Nazwisko", " ", QString());
    QCOMPARE(items(*combo_), (QStringList{"Adam Kruk", "Zofia Lis"}));
    FillComboTwoFields(combo_, StaleDb, "Lekarz", "Imie", QString(), QString(), "wszyscy");
    QCOMPARE(items(*combo_), (QStringList{"wszyscy", "Adam", "Zofia"}));
}

void SharedProceduresTest::fixedFillerEmptiesListOfEmptyTable()
{
    dao::Recordset descriptions = StaleDb.OpenRecordset("OpisProbki");
    DeleteAllRecords(descriptions);
    descriptions.Close();
    QComboBox *list = ui::WindowRegistry::Instance<FormBadanie>().ComboOpis;
    list->addItem("dawne");
    FillSampleDescriptionCombo(list);
    QVERIFY(items(*list).isEmpty());
}

void SharedProceduresTest::existenceTests()
{
    FoundationFixture::AddRow(StaleDb, "Tkanka", {{"NazTkanka", "O'Brien"}});
    ui::ScriptedUi scripted;
    const auto exists = [](const QString &value) {
        return SprCzyIst(StaleDb, "Tkanka", "NazTkanka", value);
    };
    QVERIFY(exists("o'brien"));
    QVERIFY(exists("JĘZYK"));
    QVERIFY(!exists("x' OR '1'='1"));
    QVERIFY(!exists("język ")); // a trailing blank counts
    scripted.Answer("OK");
    QVERIFY(!SprCzyIst(StaleDb, "Brak", "Nazwa", "x"));
    QCOMPARE(scripted.Last().title, QStringLiteral("Funkcja SprCzyIstBrak"));
    SCRIPTED_UI_VERIFY(scripted);

    QVERIFY(DailyNumberExists(1, "05.03.2026"));
    QVERIFY(!DailyNumberExists(2, "05.03.2026"));
    QVERIFY(!DailyNumberExists(1, "05.03.2026') OR ('1'='1"));
    QVERIFY(GeneralNumberExists(102));
    QVERIFY(!GeneralNumberExists(103));
    MonthDb.Close();
    QVERIFY(!GeneralNumberExists(102)); // the check cannot be made: "no", silently
}

void SharedProceduresTest::lookupFieldValue()
{
    QLabel label(QStringLiteral("przed"));
    const auto lookup = [&label](const QString &table, const QString &key, const QString &keyField,
                                 const QString &field) {
        LookupFieldValue(&label, StaleDb, table, key, keyField, field);
        return label.text();
    };
    QCOMPARE(lookup("OPERATORZY", "anna", "OP_LOGIN", "OP_NAZWISKO"), QStringLiteral("Nowak"));
    QCOMPARE(lookup("OPERATORZY", "nikt'", "OP_LOGIN", "OP_NAZWISKO"), QStringLiteral("Nowak"));
    QCOMPARE(lookup("PODATNIK", "Laboratorium Badań", "TX2", "TX5"),
             "Nowak"); // Null
}

void SharedProceduresTest::deleteCurrentRecord()
{
    ui::ScriptedUi scripted;
    dao::Recordset none = MonthDb.OpenRecordset("SELECT * FROM Partia WHERE Partia > 9");
    QVERIFY(DeleteCurrentRecord(none, "Usunąć?", true, "UWAGA"));
    QVERIFY(scripted.Log().isEmpty()); // nothing to ask about

    scripted.Answer("No");
    scripted.Answer("Yes");
    dao::Recordset rs = MonthDb.OpenRecordset("SELECT * FROM Partia ORDER BY Partia");
    rs.MoveLast();
    QVERIFY(!DeleteCurrentRecord(rs, "Usunąć?", true, "UWAGA"));
    QCOMPARE(rs.RecordCount(), 3);
    QCOMPARE(scripted.Last().style, 308);
    QVERIFY(DeleteCurrentRecord(rs, "Usunąć?", true, "UWAGA"));
    QCOMPARE(rs(QStringLiteral("Partia")).Value().toInt(), 2); // the new last row
    rs.MoveFirst();
    QVERIFY(DeleteCurrentRecord(rs, QString(), false, QString()));
    QCOMPARE(rs(QStringLiteral("Partia")).Value().toInt(), 2); // the row after it
    SCRIPTED_UI_VERIFY(scripted);
}

// A loaded row is written over only while it holds the values it was shown
// with, whatever else of it changed; a refusal leaves no edit pending. An edit
// frame's state gives the row a save writes over, std::nullopt when adding.
void SharedProceduresTest::heldRows()
{
    dao::Recordset list = MonthDb.OpenRecordset("SELECT * FROM Partia ORDER BY Partia");
    const LoadedRow first = RememberRow(list, {QStringLiteral("Partia")});
    list.MoveNext();
    const LoadedRow second = RememberRow(list);
    QCOMPARE(second.Values().keys(), QStringList({"DataDoLab", "Partia"}));
    MonthDb.Execute("UPDATE Partia SET DataDoLab = NULL WHERE Partia <= 2");
    dao::Recordset rs = MonthDb.OpenRecordset("Partia");
    const auto renumber = [](int number) {
        return [number](dao::Recordset &row) { row(QStringLiteral("Partia")) = number; };
    };
    QCOMPARE(ErrorNumberOf([&] { WriteLoadedRow(rs, second, renumber(12)); }), 3197);
    QCOMPARE(rs.EditMode(), dao::dbEditNone);
    HoldAsLoaded(rs, first); // its date was not shown
    QCOMPARE(rs.EditMode(), dao::dbEditNone);
    QCOMPARE(WriteLoadedRow(rs, first, renumber(11)), first.Bookmark());
    QCOMPARE(ErrorNumberOf([&] { WriteLoadedRow(rs, first, renumber(13)); }), 3197);
    MonthDb.Execute("DELETE FROM Partia WHERE Partia = 11");
    dao::Recordset fresh = MonthDb.OpenRecordset("Partia");
    QCOMPARE(ErrorNumberOf([&] { WriteLoadedRow(fresh, first, renumber(14)); }), 3167);
    QCOMPARE(ErrorNumberOf([&] { HoldAsLoaded(rs, first); }), 3167);
    QCOMPARE(fresh.EditMode(), dao::dbEditNone);
    QCOMPARE(MonthDb.OpenRecordset("SELECT * FROM Partia WHERE Partia > 10").RecordCount(), 0);

    FrameEdit edit;
    QCOMPARE(ErrorNumberOf([&] { edit.Target(); }), 3021);
    edit.StartAdding();
    QVERIFY(edit.IsAdding() && !edit.Target());
    edit.StartCorrecting(second);
    QVERIFY(!edit.IsAdding() && edit.Target()->Bookmark() == second.Bookmark());
    edit.Close();
    QCOMPARE(ErrorNumberOf([&] { edit.Target(); }), 3021);
}

void SharedProceduresTest::deleteAllRecordsAndTouchTable()
{
    dao::Recordset rs = MonthDb.OpenRecordset("Partia");
    DeleteAllRecords(rs);
    rs.Close();
    QCOMPARE(MonthDb.OpenRecordset(QStringLiteral("Partia")).RecordCount(), 0);
    ui::ScriptedUi scripted;
    TouchTable(MonthDb, "Badanie");
    scripted.Answer("OK");
    TouchTable(MonthDb, "WynikTMP");
    QCOMPARE(scripted.Log().size(), 1);
    QCOMPARE(scripted.Last().title, QStringLiteral("Drukowanie-generu sztuczny ruch: WynikTMP"));
    // Several in one read: a missing table is reported alone, the others are
    // still walked, and the file is let go.
    scripted.Answer("OK");
    TouchTables(MonthDb, {"WynikTMP", "Badanie", "Partia"});
    QCOMPARE(scripted.Log().size(), 2);
    QCOMPARE(scripted.Last().title, QStringLiteral("Drukowanie-generu sztuczny ruch: WynikTMP"));
    QVERIFY(!MonthDb.InTransaction());
    // A read that cannot even start names the table it was to begin with.
    scripted.Answer("OK");
    TouchTables(dao::Database(), {"Partia", "Badanie"});
    QCOMPARE(scripted.Log().size(), 3);
    QCOMPARE(scripted.Last().title, QStringLiteral("Drukowanie-generu sztuczny ruch: Partia"));
    SCRIPTED_UI_VERIFY(scripted);
}

// Reads that one action makes in several steps wait for another
// workstation's lock once: a read that a step swallows leaves the steps after
// it no wait of their own, and the file is let go.
void SharedProceduresTest::readsOfOneActionWaitOnce()
{
    other_workstation::Holder other(MonthDb);
    QVERIFY(other.Ready());
    const quint64 waits = dao::DBEngine::LockWaits();
    const int refused = ReadAtOnce(MonthDb, [] {
        int refused = 0;
        for (const char *table : {"Partia", "Badanie", "Partia"}) {
            try {
                MonthDb.OpenRecordset(QLatin1String(table)).Close();
            } catch (const RuntimeError &error) {
                refused += error.Number() == dao::err::Locked;
            }
        }
        return refused;
    });
    QCOMPARE(refused, 3);
    QCOMPARE(dao::DBEngine::LockWaits() - waits, 1u);
    QVERIFY(!MonthDb.InTransaction());
    QVERIFY(other.LetGo());
    QCOMPARE(ReadAtOnce(MonthDb, [] { return MonthDb.OpenRecordset("Partia").RecordCount(); }), 3);
}

void SharedProceduresTest::gridMarksOnlyItsCurrentRow()
{
    ui::DataControl data;
    ui::DBGrid grid;
    grid.Bind(&data, {{"Partia", "Partia"}});
    dao::Recordset rs = MonthDb.OpenRecordset("SELECT * FROM Partia ORDER BY Partia");
    data.setRecordset(rs);
    rs.MoveFirst();
    SelectCurrentGridRow(&grid);
    rs.MoveLast();
    SelectCurrentGridRow(&grid);
    QCOMPARE(grid.SelBookmarks().Count(), 1);
    QCOMPARE(grid.SelBookmarks().Item(0), rs.Bookmark());
}

void SharedProceduresTest::establishmentPickerPreparesTheRegister()
{
    ui::ScriptedUi scripted;
    bool chooseShown = false;
    scripted.AnswerWindow("FormZaklad", [&chooseShown](QWidget &window) {
        chooseShown = static_cast<FormZaklad &>(window).ComUzyj->isVisibleTo(&window);
        QVERIFY(InitOnActivate);
        QCOMPARE(FormRequest, QStringLiteral("Uzyj"));
    });
    // Closed without a choice: nothing is picked.
    QVERIFY(!FormZaklad::PickClient("W"));
    QVERIFY(chooseShown);
    QVERIFY(FormRequest.isEmpty());
    SCRIPTED_UI_VERIFY(scripted);
}

int main(int argc, char **argv)
{
    return other_workstation::MainWithStatements<SharedProceduresTest>(argc, argv);
}

// A refusal's box comes first; the focus then goes only to a named control
// of the window that is enabled, and the whole text is selected when asked.
void SharedProceduresTest::refusalFocusesOnlyAControlThatCanTakeIt()
{
    QWidget window;
    auto *first = new QLineEdit(QStringLiteral("12"), &window);
    first->setObjectName(QStringLiteral("TextPierwszy"));
    auto *second = new QLineEdit(QStringLiteral("A-001"), &window);
    second->setObjectName(QStringLiteral("TextDrugi"));
    second->move(0, 40);
    auto *locked = new QLineEdit(QStringLiteral("7"), &window);
    locked->setObjectName(QStringLiteral("TextZablokowany"));
    locked->move(0, 80);
    locked->setEnabled(false);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    first->setFocus();

    ui::ScriptedUi scripted;
    for (int i = 0; i < 5; ++i)
        scripted.Answer("OK");
    ShowRefusal(window, {.text = QStringLiteral("Popraw!"),
                         .style = ui::vbExclamation,
                         .title = QStringLiteral("KONTROLA"),
                         .focus = QStringLiteral("TextDrugi"),
                         .selectAll = true});
    QCOMPARE(scripted.Last().text, QStringLiteral("Popraw!"));
    QCOMPARE(scripted.Last().style, int(ui::vbExclamation));
    QCOMPARE(scripted.Last().title, QStringLiteral("KONTROLA"));
    QCOMPARE(QApplication::focusWidget(), second);
    QCOMPARE(second->selectedText(), QStringLiteral("A-001"));

    first->setFocus();
    ShowRefusal(window,
                {.text = QStringLiteral("bez zaznaczenia"), .focus = QStringLiteral("TextDrugi")});
    QCOMPARE(QApplication::focusWidget(), second);
    QVERIFY(!second->hasSelectedText());

    // A disabled box, a name the window lacks and no name leave the focus
    // and select nothing.
    for (const char *name : {"TextZablokowany", "TextBrak", ""}) {
        first->setFocus();
        ShowRefusal(window, {.text = QString::fromLatin1(name),
                             .focus = QString::fromLatin1(name),
                             .selectAll = true});
        QCOMPARE(scripted.Last().text, QString::fromLatin1(name));
        QCOMPARE(QApplication::focusWidget(), first);
        QVERIFY(!locked->hasSelectedText());
    }
    QCOMPARE(scripted.Log().size(), 5);
    SCRIPTED_UI_VERIFY(scripted);
}

#include "tst_SharedProcedures.moc"
