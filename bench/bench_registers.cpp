// The reference registers over dictionaries of 5,000 rows: each register
// opened through its entry point as the main window opens it, and the
// county register's search by the beginning of a name, beside the same
// statements made with plain sqlite3 calls.
#include "BenchSupport.h"
#include "foundation/Globals.h"
#include "platform/db/dao.h"
#include "platform/fs/DriveMap.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/ScriptedUi.h"
#include "platform/ui/WindowRegistry.h"
#include "registers/FormAutoryzowal.h"
#include "registers/FormLekarz.h"
#include "registers/FormOpisProbki.h"
#include "registers/FormPIW.h"
#include "registers/FormPodp.h"
#include "registers/FormTkanka.h"
#include "registers/FormWIW.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <functional>
#include <string>
#include <vector>

namespace
{

constexpr int kRows = 5000;

// An installation whose dictionaries hold kRows rows each.
struct Dictionaries {
    QTemporaryDir dir;
    QString stalePath;

    Dictionaries()
    {
        bench::Install(dir.path());
        stalePath = fs::DriveMap::ToReal(QStringLiteral("T:\\Dane\\Stale.mdb"));
        StaleDb = dao::DBEngine::Workspaces(0).OpenDatabase(stalePath);
        dao::Transaction transaction(StaleDb);
        fill(QStringLiteral("Lekarz"), [](dao::Recordset &rs, int i) {
            rs(QStringLiteral("IDLekarz")) = i;
            rs(QStringLiteral("LekarzNr")) = QString::number(i);
            rs(QStringLiteral("Imie")) = QStringLiteral("Jan");
            rs(QStringLiteral("Nazwisko")) = QStringLiteral("Nowak%1").arg(i);
            rs(QStringLiteral("Miasto")) = QStringLiteral("Łódź");
        });
        for (const QString &table : {QStringLiteral("PIW"), QStringLiteral("WIW")})
            fill(table, [table](dao::Recordset &rs, int i) {
                rs(QStringLiteral("ID") + table) = QString::number(10000 + i);
                rs(QStringLiteral("NAZWA")) = i == kRows - 1
                                                  ? QStringLiteral("Zgierz")
                                                  : QStringLiteral("Inspektorat %1").arg(i);
                rs(QStringLiteral("Email")) = QStringLiteral("piw%1@example.pl").arg(i);
            });
        fill(QStringLiteral("Tkanka"), [](dao::Recordset &rs, int i) {
            rs(QStringLiteral("IDTkanka")) = i % 256;
            rs(QStringLiteral("NazTkanka")) = QStringLiteral("tkanka %1").arg(i);
        });
        for (const QString &table : {QStringLiteral("OpisProbki"), QStringLiteral("UwagiProbka")})
            fill(table, [](dao::Recordset &rs, int i) {
                rs(QStringLiteral("IDPODP")) = i % 256;
                rs(QStringLiteral("PODPOWIEDZ")) = QStringLiteral("podpowiedź %1").arg(i);
            });
        fill(QStringLiteral("Wykonujacy"), [](dao::Recordset &rs, int i) {
            rs(QStringLiteral("Nr")) = i % 256;
            rs(QStringLiteral("Nazwa")) = QStringLiteral("Osoba %1").arg(i);
        });
        transaction.Commit();
    }

    static void fill(const QString &table, const std::function<void(dao::Recordset &, int)> &row)
    {
        dao::Recordset rs = StaleDb.OpenRecordset(table);
        for (int i = 0; i < kRows; ++i) {
            rs.AddNew();
            row(rs, i);
            rs.Update();
        }
        rs.Close();
    }
};

Dictionaries &dictionaries()
{
    static Dictionaries d;
    return d;
}

sqlite3 *openPlain()
{
    return bench::OpenPlain(dictionaries().stalePath);
}

// Every rowid in the list's order, then the first row's columns, as a
// register's list opens on its first row.
void plainOpen(sqlite3 *db, const QByteArray &table, const QByteArray &order)
{
    std::vector<sqlite3_int64> keys;
    sqlite3_stmt *list = nullptr;
    const QByteArray sql = "SELECT rowid FROM " + table + " ORDER BY " + order;
    sqlite3_prepare_v2(db, sql.constData(), -1, &list, nullptr);
    while (sqlite3_step(list) == SQLITE_ROW)
        keys.push_back(sqlite3_column_int64(list, 0));
    sqlite3_finalize(list);
    sqlite3_stmt *row = nullptr;
    const QByteArray read = "SELECT * FROM " + table + " WHERE rowid = ?1";
    sqlite3_prepare_v2(db, read.constData(), -1, &row, nullptr);
    sqlite3_bind_int64(row, 1, keys.front());
    if (sqlite3_step(row) == SQLITE_ROW) {
        for (int c = 0; c < sqlite3_column_count(row); ++c)
            benchmark::DoNotOptimize(sqlite3_column_text(row, c));
    }
    sqlite3_finalize(row);
}

struct Opening {
    const char *name;
    const char *window;
    std::function<void()> door;
    QByteArray table;
    QByteArray order;
};

const std::vector<Opening> &openings()
{
    static const std::vector<Opening> all{
        {"Lekarz", "FormLekarz", [] { FormLekarz::Open(); }, "Lekarz", "Nazwisko, Imie"},
        {"PIW", "FormPIW", [] { FormPIW::Open(); }, "PIW", "IdPiw"},
        {"WIW", "FormWIW", [] { FormWIW::Open(); }, "WIW", "Idwiw"},
        {"Tkanka", "FormTkanka", [] { FormTkanka::Open(); }, "TKANKA", "IDTkanka"},
        {"OpisProbki", "FormOpisProbki", [] { FormOpisProbki::Open(); }, "OpisProbki", "IdPodp"},
        {"Podp", "FormPodp",
         [] { FormPodp::Open(QStringLiteral("Uwagi do próbek"), QStringLiteral("UwagiProbka")); },
         "UwagiProbka", "IdPodp"},
        {"Autoryzowal", "FormAutoryzowal",
         [] {
             FormAutoryzowal::Open(QStringLiteral("Wykonujacy"),
                                   QStringLiteral("DEFINICJA OSÓB WYKONUJĄCYCH BADANIE"));
         },
         "Wykonujacy", "Nr"},
    };
    return all;
}

// The window opened through its door, shown with its list laid out, and
// hidden again.
void openWindow(benchmark::State &state, const Opening &opening)
{
    dictionaries();
    ui::ScriptedUi scripted;
    for (auto _ : state) {
        scripted.AnswerWindow(QLatin1String(opening.window),
                              [](QWidget &) { QCoreApplication::processEvents(); });
        opening.door();
    }
    if (!scripted.Verify())
        state.SkipWithError("the window was not shown");
}

void openPlainList(benchmark::State &state, const Opening &opening)
{
    sqlite3 *db = openPlain();
    for (auto _ : state)
        plainOpen(db, opening.table, opening.order);
    sqlite3_close(db);
}

// "&Szukaj" by name, then the text typed: the list moves to the first row
// beginning with it (the last row by name).
void BM_SearchByName_Window(benchmark::State &state)
{
    dictionaries();
    ui::ScriptedUi scripted;
    scripted.AnswerWindow(QStringLiteral("FormPIW"));
    FormPIW::Open();
    FormPIW &form = ui::WindowRegistry::Instance<FormPIW>();
    form.show();
    form.OptionN->click();
    form.ComZlewSzuk->click();
    for (auto _ : state) {
        form.TextSzuk->setText(QStringLiteral("zgi"));
        state.PauseTiming();
        form.TextSzuk->clear();
        form.DataZlew->Recordset().MoveFirst();
        state.ResumeTiming();
    }
    form.TextSzuk->setText(QStringLiteral("zgi"));
    if (form.DataZlew->Recordset()(QStringLiteral("NAZWA")).Value() != QStringLiteral("Zgierz"))
        state.SkipWithError("the search did not find the row");
    form.ComSzukAkc->click();
    form.hide();
}

void BM_SearchByName_Plain(benchmark::State &state)
{
    sqlite3 *db = openPlain();
    for (auto _ : state) {
        sqlite3_stmt *find = nullptr;
        sqlite3_prepare_v2(db,
                           "SELECT rowid FROM PIW WHERE NAZWA LIKE 'zgi*' ORDER BY Nazwa, IDPIW "
                           "LIMIT 1",
                           -1, &find, nullptr);
        benchmark::DoNotOptimize(sqlite3_step(find));
        sqlite3_finalize(find);
    }
    sqlite3_close(db);
}

} // namespace

BENCHMARK(BM_SearchByName_Window)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchByName_Plain)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    return bench::Main(argc, argv, [] {
        for (const Opening &opening : openings()) {
            benchmark::RegisterBenchmark(
                (std::string("BM_Open_") + opening.name + "_Window").c_str(),
                [&opening](benchmark::State &s) { openWindow(s, opening); })
                ->Unit(benchmark::kMillisecond);
            benchmark::RegisterBenchmark(
                (std::string("BM_Open_") + opening.name + "_Plain").c_str(),
                [&opening](benchmark::State &s) { openPlainList(s, opening); })
                ->Unit(benchmark::kMillisecond);
        }
        return true;
    });
}
