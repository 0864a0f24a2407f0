// The central-laboratory export of a month of 100,000 samples in 3,000
// batches: the document written through the export's own classes, beside the
// same bytes written from one plain sqlite3 query; and the results check.
#include "BenchSupport.h"
#include "foundation/Globals.h"
#include "platform/db/dao.h"
#include "platform/fs/DriveMap.h"
#include "reports/ClabDocumentWriter.h"
#include "reports/ClabPrecheck.h"
#include "reports/ClabStore.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <array>
#include <cstdio>
#include <map>
#include <string>

namespace
{

constexpr int kBatches = 3000;
constexpr int kSamples = 100000;
constexpr int kClients = 40;
const char *const Tissues[] = {"filary przepony", "mięśnie języka", "inne"};
const char *const Sexes[] = {"tucznik", "locha", "knur", "maciora"};

void exec(sqlite3 *db, const char *sql)
{
    sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
}

struct Month {
    QTemporaryDir dir;
    QString monthPath;
    QString stalePath;
    QString target;
    QString plainTarget;

    Month()
    {
        bench::Install(dir.path());
        stalePath = fs::DriveMap::ToReal(QStringLiteral("T:\\Dane\\Stale.mdb"));
        target = fs::DriveMap::ToReal(QStringLiteral("C:\\MervaskLab\\Eksport\\miesiac"));
        plainTarget = fs::DriveMap::ToReal(QStringLiteral("C:\\MervaskLab\\Eksport\\zwykly"));
        monthPath = bench::CreateMonth();
        MonthDb.Close();
        fill();
        StaleDb = dao::DBEngine::Workspaces(0).OpenDatabase(stalePath);
        MonthDb = dao::DBEngine::Workspaces(0).OpenDatabase(monthPath);
        WorkingDate = QDate(2024, 3, 5);
    }

    void fill()
    {
        sqlite3 *stale = bench::OpenPlain(stalePath);
        exec(stale, "BEGIN");
        for (int c = 0; c < kClients; ++c) {
            const std::string sql =
                "INSERT INTO Zaklad (IdRzezni, TypWNI, Nazwa, Miejscowosc, Ulica) VALUES ('" +
                std::to_string(14650300 + c) + "', 'zakład ubojowy', 'Ubojnia „Świt” & Syn " +
                std::to_string(c) + "', 'Łódź', 'ul. Żółwia " + std::to_string(c) + "')";
            exec(stale, sql.c_str());
        }
        exec(stale, "COMMIT");
        sqlite3_close(stale);

        sqlite3 *db = bench::OpenPlain(monthPath);
        exec(db, "BEGIN");
        sqlite3_stmt *batch = nullptr;
        sqlite3_prepare_v2(db,
                           "INSERT INTO Partia (Partia, WNI, KodPIW, Platnik, Pobral, DataPobr, "
                           "DataDoLab, DataZakBad, Czystopis) VALUES (?1, ?2, '1465', ?3, "
                           "'Jan Kowalski', '2024-03-03', '2024-03-04', ?4, 'T')",
                           -1, &batch, nullptr);
        sqlite3_stmt *sample = nullptr;
        sqlite3_prepare_v2(db,
                           "INSERT INTO Badanie (Partia, NrProbki, NrOgolny, NazTkanka, Gatunek, "
                           "Plec, Wynik, IDProbki) VALUES (?1, ?2, ?3, ?4, 'świnie', ?5, ?6, ?7)",
                           -1, &sample, nullptr);
        int general = 0;
        for (int b = 1; b <= kBatches; ++b) {
            const std::string wni = std::to_string(14650300 + b % kClients);
            const std::string ended =
                "2024-03-" + std::string(b % 28 < 9 ? "0" : "") + std::to_string(1 + b % 28);
            sqlite3_bind_int(batch, 1, b);
            sqlite3_bind_text(batch, 2, wni.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(batch, 3, b % 3 ? "Z" : "U", -1, SQLITE_STATIC);
            sqlite3_bind_text(batch, 4, ended.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_step(batch);
            sqlite3_reset(batch);
            const int count = kSamples / kBatches + (b <= kSamples % kBatches ? 1 : 0);
            for (int s = 1; s <= count; ++s) {
                ++general;
                const std::string code = wni + std::to_string(100 + s) + "03032024";
                sqlite3_bind_int(sample, 1, b);
                sqlite3_bind_int(sample, 2, s);
                sqlite3_bind_int(sample, 3, general);
                sqlite3_bind_text(sample, 4, Tissues[general % 3], -1, SQLITE_STATIC);
                sqlite3_bind_text(sample, 5, Sexes[general % 4], -1, SQLITE_STATIC);
                sqlite3_bind_text(sample, 6, general % 50 ? "nie stwierdzono" : "stwierdzono", -1,
                                  SQLITE_STATIC);
                sqlite3_bind_text(sample, 7, code.c_str(), -1, SQLITE_TRANSIENT);
                sqlite3_step(sample);
                sqlite3_reset(sample);
            }
        }
        sqlite3_finalize(batch);
        sqlite3_finalize(sample);
        exec(db, "COMMIT");
        sqlite3_close(db);
    }
};

Month &month()
{
    static Month m;
    return m;
}

ClabDocumentSettings settings()
{
    return {QStringLiteral("052"), QDate(2024, 3, 5), QStringLiteral("R01"),
            ClabSettings::Defaults(), QStringLiteral("https://clab.invalid")};
}

// The export's own road: the choice, each batch with its samples and
// client, the six parts and the joined document.
int exportMonth(const QString &target)
{
    ClabStore store(MonthDb, StaleDb);
    store.Open(ClabStore::AllBatches, QDate(2024, 3, 1), QDate(2024, 3, 31));
    ClabDocumentWriter writer(settings(), [](const QString &) {});
    for (int i = 0; i < store.BatchCount(); ++i) {
        const ClabBatch batch = store.Batch(i);
        writer.WriteBatch(batch, store.Client(batch.wni));
    }
    writer.Finish(target);
    return writer.SamplesWritten();
}

// ---- the same bytes from one plain query

std::string column(sqlite3_stmt *stmt, int c)
{
    const unsigned char *text = sqlite3_column_text(stmt, c);
    return text ? reinterpret_cast<const char *>(text) : std::string();
}

std::string escaped(const std::string &value)
{
    std::string out;
    for (const char c : value) {
        if (c == '&')
            out += "&amp;";
        else if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else
            out += c;
    }
    return out;
}

std::string child(const char *tag, const std::string &value)
{
    return std::string("\r    <") + tag + '>' + value + "</" + tag + '>';
}

void flushTo(std::string &buffer, FILE *file)
{
    std::fwrite(buffer.data(), 1, buffer.size(), file);
    buffer.clear();
}

void copyLines(FILE *part, FILE *out)
{
    std::string in(1 << 20, '\0');
    std::string converted;
    bool pendingCr = false;
    while (const size_t n = std::fread(in.data(), 1, in.size(), part)) {
        converted.clear();
        size_t i = 0;
        if (pendingCr) {
            converted += "\r\n";
            i = in[0] == '\n' ? 1 : 0;
            pendingCr = false;
        }
        for (; i < n; ++i) {
            if (in[i] != '\r') {
                converted += in[i];
            } else if (i + 1 == n) {
                pendingCr = true;
            } else {
                converted += "\r\n";
                if (in[i + 1] == '\n')
                    ++i;
            }
        }
        std::fwrite(converted.data(), 1, converted.size(), out);
    }
    if (pendingCr)
        std::fwrite("\r\n", 1, 2, out);
}

int plainExport(sqlite3 *db, const QString &target)
{
    static const std::map<std::string, std::string> tissue{
        {"filary przepony", "187001"}, {"mięśnie języka", "187001"}, {"inne", "507001"}};
    static const std::map<std::string, std::string> sex{
        {"tucznik", "271001"}, {"knur", "271001"}, {"locha", "272001"}, {"maciora", "272001"}};
    const std::string folder =
        QFile::encodeName(fs::DriveMap::ToReal(QStringLiteral("C:\\MervaskLab\\Eksport\\")))
            .toStdString();
    std::array<FILE *, 6> files{};
    std::array<std::string, 6> buffers;
    for (size_t i = 0; i < files.size(); ++i)
        files[i] = std::fopen((folder + "/plain" + std::to_string(i)).c_str(), "wb+");
    const auto put = [&](size_t part, const std::string &element) {
        buffers[part] += element;
        if (buffers[part].size() > (1 << 18))
            flushTo(buffers[part], files[part]);
    };
    sqlite3_stmt *stmt = nullptr;
    sqlite3_prepare_v2(
        db,
        "SELECT p.Partia, p.WNI, p.KodPIW, p.Platnik, p.Pobral, p.DataPobr, p.DataDoLab, "
        "p.DataZakBad, b.NrOgolny, b.NazTkanka, b.Plec, b.Wynik, z.Nazwa, z.Miejscowosc, "
        "z.Ulica, COUNT(b.rowid) OVER (PARTITION BY p.rowid) "
        "FROM Partia p LEFT JOIN Badanie b ON b.Partia = p.Partia "
        "LEFT JOIN stale.Zaklad z ON z.IdRzezni = p.WNI WHERE p.Czystopis = 'T' AND "
        "p.DataZakBad >= '2024-03-01' AND p.DataZakBad <= '2024-03-31' ORDER BY p.rowid, b.rowid",
        -1, &stmt, nullptr);
    std::string currentBatch;
    std::string group, document, description, typ, tail, delivered, ended, mm;
    int lp = 0;
    int written = 0;
    const std::string ids = "24052";
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        const std::string partia = column(stmt, 0);
        if (partia != currentBatch) {
            currentBatch = partia;
            lp = 0;
            const bool official = column(stmt, 3) == "Z";
            delivered = column(stmt, 6);
            ended = column(stmt, 7);
            mm = delivered.substr(5, 2);
            group = "8" + mm + partia + ids;
            document = partia + "/2024";
            description = "Wlosnica-" + partia;
            typ = official ? "476001" : "63001";
            tail = child("pob_data", column(stmt, 5)) + child("pob_urzad", official ? "1" : "0") +
                   child("pob_miejsce", "526001") + child("pob_miejsce_opis", column(stmt, 1)) +
                   child("pob_pesel", escaped(column(stmt, 4))) + child("wys_data", delivered) +
                   child("cgrupa1_dok_nr", document) + child("cgrupa1_opis", description) +
                   child("czlec1_typ", typ) + child("czlec1_knt_nazwa", escaped(column(stmt, 12))) +
                   child("czlec1_knt_adres", escaped(column(stmt, 13) + " " + column(stmt, 14))) +
                   child("czlec1_addr", "R01");
            put(0, "  <cgrupa1 id=\"" + group + "\">" + child("dok_nr", document) +
                       child("liczba", column(stmt, 15)) + child("opis", description) +
                       "\r  </cgrupa1>\r\n");
        }
        if (sqlite3_column_type(stmt, 8) == SQLITE_NULL)
            continue;
        const std::string n = column(stmt, 8);
        const std::string material = tissue.at(column(stmt, 9));
        ++lp;
        ++written;
        const auto sampleElement = [&](const std::string &id, const std::string &order,
                                       const std::string &teryt) {
            return "  <cprobka1 id=\"" + id + "\">" + child("cgrupa1_id", group) +
                   child("lp", order) + child("dok_nr", document + "/" + n) +
                   child("przyj_data", delivered) + child("material", material) +
                   "\r    <kraj>PL</kraj>" + child("teryt", teryt) + tail + "\r  </cprobka1>\r\n";
        };
        const auto tests = [&](const std::string &id) {
            put(3, "  <cbad1 id=\"" + id + "\">" + child("cprobka1_id", id) +
                       child("cmetoda1_id", "56001") + child("data", delivered) +
                       "\r    <status>1</status>" + child("wyn_data", ended) +
                       child("typ_bad", typ) +
                       "\r    <wynik_data />\r    <wynik_data2 />\r  </cbad1>\r\n");
            put(4, "  <cbad2 id=\"" + id + "\">" + child("cbad1_id", id) +
                       child("ckierunek1_id", "319001") + "\r  </cbad2>\r\n");
        };
        if (lp == 1) {
            const std::string first = "800" + mm + n + ids;
            put(1, sampleElement(first, "0", std::string()));
            tests(first);
        }
        const std::string id = "8" + mm + n + ids;
        put(1, sampleElement(id, std::to_string(lp), column(stmt, 2)));
        put(2, "  <cpole1 id=\"8" + mm + "01" + n + ids + "\">" + child("cprobka1_id", id) +
                   "\r    <cpole1_id>6001</cpole1_id>" + child("wartosc", "66001") +
                   "\r  </cpole1>\r\n");
        put(2, "  <cpole1 id=\"8" + mm + "02" + n + ids + "\">" + child("cprobka1_id", id) +
                   "\r    <cpole1_id>15001</cpole1_id>" +
                   child("wartosc", sex.at(column(stmt, 10))) + "\r  </cpole1>\r\n");
        tests(id);
        const std::string wynik = column(stmt, 11);
        put(5, "  <cwynik1 id=\"" + id + "\">" + child("cbad1_id", id) +
                   child("cmetoda1_p_id", "56001") +
                   child("wartosc", wynik == "nie stwierdzono" ? "32001" : "31001") +
                   "\r  </cwynik1>\r\n");
    }
    sqlite3_finalize(stmt);
    FILE *out = std::fopen(QFile::encodeName(target).constData(), "wb");
    const std::string heading =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r<celab "
        "xmlns=\"https://clab.invalid/schema/celab-probki\" "
        "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">\r  <clok1_id>52</clok1_id>\r\n";
    std::fwrite(heading.data(), 1, heading.size(), out);
    for (size_t i = 0; i < files.size(); ++i) {
        flushTo(buffers[i], files[i]);
        std::rewind(files[i]);
        copyLines(files[i], out);
        std::fclose(files[i]);
    }
    std::fwrite("</celab>\r\n", 1, 10, out);
    std::fclose(out);
    return written;
}

sqlite3 *openPlainMonth()
{
    sqlite3 *db = bench::OpenPlain(month().monthPath);
    const std::string attach =
        "ATTACH DATABASE '" + QFile::encodeName(month().stalePath).toStdString() + "' AS stale";
    exec(db, attach.c_str());
    return db;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void BM_ExportMonth_System(benchmark::State &state)
{
    month();
    int written = 0;
    for (auto _ : state)
        written = exportMonth(month().target);
    if (written != kSamples)
        state.SkipWithError("not every sample was written");
    state.counters["samples"] = written;
}

void BM_ExportMonth_Plain(benchmark::State &state)
{
    sqlite3 *db = openPlainMonth();
    int written = 0;
    for (auto _ : state)
        written = plainExport(db, month().plainTarget);
    sqlite3_close(db);
    // Both roads must give the same document, byte for byte.
    exportMonth(month().target);
    if (written != kSamples || readAll(month().target) != readAll(month().plainTarget))
        state.SkipWithError("the plain document differs from the export's");
}

void BM_ResultsCheck_System(benchmark::State &state)
{
    month();
    for (auto _ : state) {
        ClabStore store(MonthDb, StaleDb);
        benchmark::DoNotOptimize(
            ClabPrecheck::Run(store, ClabStore::AllBatches, QDate(2024, 3, 1), QDate(2024, 3, 31))
                .total);
    }
}

} // namespace

BENCHMARK(BM_ExportMonth_System)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ExportMonth_Plain)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ResultsCheck_System)->Unit(benchmark::kMillisecond)->Iterations(1);

int main(int argc, char **argv)
{
    return bench::Main(argc, argv);
}
