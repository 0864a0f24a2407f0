// The central-laboratory export of a month of 100,000 samples in 3,000
// batches: the document written through the export's own classes, beside the
// same bytes written from one plain sqlite3 query; the results check; and the
// whole run (check and export) beside a plain check and export.
#include "BenchSupport.h"
#include "foundation/Globals.h"
#include "platform/db/dao.h"
#include "platform/fs/Cp1250.h"
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
#include <string_view>

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

// The export's own road on an opened choice: each batch with its samples and
// client, the six parts and the joined document.
int exportChosen(ClabStore &store, const QString &target)
{
    ClabDocumentWriter writer(settings(), [](const QString &) {});
    for (int i = 0; i < store.BatchCount(); ++i) {
        const ClabBatch batch = store.Batch(i);
        writer.WriteBatch(batch, store.Client(batch.wni));
    }
    writer.Finish(target);
    return writer.SamplesWritten();
}

void openMonth(ClabStore &store)
{
    store.Open(ClabStore::AllBatches, QDate(2024, 3, 1), QDate(2024, 3, 31));
}

int exportMonth(const QString &target)
{
    ClabStore store(MonthDb, StaleDb);
    openMonth(store);
    return exportChosen(store, target);
}

// What the user waits for after the export button, as the window runs it
// without its dialogs: the results check of the choice (which reads only the
// samples it may refuse), then the export, which opens the choice anew as the
// window does once its boxes and the save dialog are past.
int exportRun(const QString &target)
{
    ClabStore store(MonthDb, StaleDb);
    if (!ClabPrecheck::Run(store, ClabStore::AllBatches, QDate(2024, 3, 1), QDate(2024, 3, 31))
             .Passed())
        return 0;
    openMonth(store);
    return exportChosen(store, target);
}

// ---- the same bytes from one plain query, written as a careful hand-written
// exporter would: buffers reused, line ends written as CR LF at once, and the
// parts copied into the document as they are.

std::string_view column(sqlite3_stmt *stmt, int c)
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(stmt, c));
    return text ? std::string_view(text, size_t(sqlite3_column_bytes(stmt, c)))
                : std::string_view();
}

void appendEscaped(std::string &out, std::string_view value)
{
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
}

struct Part {
    FILE *file = nullptr;
    std::string buffer;

    Part &operator<<(std::string_view text)
    {
        buffer += text;
        return *this;
    }
    Part &child(std::string_view tag, std::string_view value)
    {
        buffer += "\r\n    <";
        buffer += tag;
        buffer += '>';
        buffer += value;
        buffer += "</";
        buffer += tag;
        buffer += '>';
        return *this;
    }
    void end(std::string_view tag)
    {
        buffer += "\r\n  </";
        buffer += tag;
        buffer += ">\r\n";
        if (buffer.size() > (1 << 18))
            flush();
    }
    void flush()
    {
        std::fwrite(buffer.data(), 1, buffer.size(), file);
        buffer.clear();
    }
};

void appendChild(std::string &out, std::string_view tag, std::string_view value, bool escape)
{
    out += "\r\n    <";
    out += tag;
    out += '>';
    if (escape)
        appendEscaped(out, value);
    else
        out += value;
    out += "</";
    out += tag;
    out += '>';
}

int plainExport(sqlite3 *db, const QString &target)
{
    static const std::map<std::string, std::string, std::less<>> tissue{
        {"filary przepony", "187001"}, {"mięśnie języka", "187001"}, {"inne", "507001"}};
    static const std::map<std::string, std::string, std::less<>> sex{
        {"tucznik", "271001"}, {"knur", "271001"}, {"locha", "272001"}, {"maciora", "272001"}};
    const std::string folder =
        QFile::encodeName(fs::DriveMap::ToReal(QStringLiteral("C:\\MervaskLab\\Eksport\\")))
            .toStdString();
    std::array<Part, 6> parts;
    for (size_t i = 0; i < parts.size(); ++i)
        parts[i].file = std::fopen((folder + "/plain" + std::to_string(i)).c_str(), "wb+");
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
    std::string currentBatch, group, document, description, tail, delivered, ended, mm, address;
    std::string n, id, order, sampleDocument;
    const char *typ = "";
    int lp = 0;
    int written = 0;
    const std::string_view ids = "24052";
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        const std::string_view partia = column(stmt, 0);
        if (partia != currentBatch) {
            currentBatch = partia;
            lp = 0;
            const bool official = column(stmt, 3) == "Z";
            delivered = column(stmt, 6);
            ended = column(stmt, 7);
            mm = delivered.substr(5, 2);
            group.assign("8").append(mm).append(partia).append(ids);
            document.assign(partia).append("/2024");
            description.assign("Wlosnica-").append(partia);
            typ = official ? "476001" : "63001";
            address.assign(column(stmt, 13)).append(" ").append(column(stmt, 14));
            tail.clear();
            appendChild(tail, "pob_data", column(stmt, 5), false);
            appendChild(tail, "pob_urzad", official ? "1" : "0", false);
            appendChild(tail, "pob_miejsce", "526001", false);
            appendChild(tail, "pob_miejsce_opis", column(stmt, 1), false);
            appendChild(tail, "pob_pesel", column(stmt, 4), true);
            appendChild(tail, "wys_data", delivered, false);
            appendChild(tail, "cgrupa1_dok_nr", document, false);
            appendChild(tail, "cgrupa1_opis", description, false);
            appendChild(tail, "czlec1_typ", typ, false);
            appendChild(tail, "czlec1_knt_nazwa", column(stmt, 12), true);
            appendChild(tail, "czlec1_knt_adres", address, true);
            appendChild(tail, "czlec1_addr", "R01", false);
            parts[0] << "  <cgrupa1 id=\"" << group << "\">";
            parts[0]
                .child("dok_nr", document)
                .child("liczba", column(stmt, 15))
                .child("opis", description)
                .end("cgrupa1");
        }
        if (sqlite3_column_type(stmt, 8) == SQLITE_NULL)
            continue;
        n = column(stmt, 8);
        const std::string_view material = tissue.find(column(stmt, 9))->second;
        sampleDocument.assign(document).append("/").append(n);
        ++lp;
        ++written;
        const auto sampleElement = [&](std::string_view sampleId, std::string_view sampleOrder,
                                       std::string_view teryt) {
            parts[1] << "  <cprobka1 id=\"" << sampleId << "\">";
            parts[1].child("cgrupa1_id", group)
                    .child("lp", sampleOrder)
                    .child("dok_nr", sampleDocument)
                    .child("przyj_data", delivered)
                    .child("material", material)
                    .child("kraj", "PL")
                    .child("teryt", teryt)
                << tail;
            parts[1].end("cprobka1");
        };
        const auto tests = [&](std::string_view testId) {
            parts[3] << "  <cbad1 id=\"" << testId << "\">";
            parts[3].child("cprobka1_id", testId)
                    .child("cmetoda1_id", "56001")
                    .child("data", delivered)
                    .child("status", "1")
                    .child("wyn_data", ended)
                    .child("typ_bad", typ)
                << "\r\n    <wynik_data />\r\n    <wynik_data2 />";
            parts[3].end("cbad1");
            parts[4] << "  <cbad2 id=\"" << testId << "\">";
            parts[4].child("cbad1_id", testId).child("ckierunek1_id", "319001").end("cbad2");
        };
        if (lp == 1) {
            id.assign("800").append(mm).append(n).append(ids);
            sampleElement(id, "0", {});
            tests(id);
        }
        id.assign("8").append(mm).append(n).append(ids);
        order = std::to_string(lp);
        sampleElement(id, order, column(stmt, 2));
        parts[2] << "  <cpole1 id=\"8" << mm << "01" << n << ids << "\">";
        parts[2]
            .child("cprobka1_id", id)
            .child("cpole1_id", "6001")
            .child("wartosc", "66001")
            .end("cpole1");
        parts[2] << "  <cpole1 id=\"8" << mm << "02" << n << ids << "\">";
        parts[2]
            .child("cprobka1_id", id)
            .child("cpole1_id", "15001")
            .child("wartosc", sex.find(column(stmt, 10))->second)
            .end("cpole1");
        tests(id);
        parts[5] << "  <cwynik1 id=\"" << id << "\">";
        parts[5]
            .child("cbad1_id", id)
            .child("cmetoda1_p_id", "56001")
            .child("wartosc", column(stmt, 11) == "nie stwierdzono" ? "32001" : "31001")
            .end("cwynik1");
    }
    sqlite3_finalize(stmt);
    FILE *out = std::fopen(QFile::encodeName(target).constData(), "wb");
    const std::string_view heading =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r<celab "
        "xmlns=\"https://clab.invalid/schema/celab-probki\" "
        "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">\r  <clok1_id>52</clok1_id>\r\n";
    std::fwrite(heading.data(), 1, heading.size(), out);
    std::string chunk(1 << 20, '\0');
    for (Part &part : parts) {
        part.flush();
        std::rewind(part.file);
        while (const size_t got = std::fread(chunk.data(), 1, chunk.size(), part.file))
            std::fwrite(chunk.data(), 1, got, out);
        std::fclose(part.file);
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

// The results check from one plain query: both report files made anew, a
// line for every sample without a result or with one the central laboratory
// does not take.
bool plainCheck(sqlite3 *db)
{
    const std::string folder =
        QFile::encodeName(fs::DriveMap::ToReal(QStringLiteral("C:\\MervaskLab\\Eksport\\")))
            .toStdString();
    FILE *missing = std::fopen((folder + "/WynikBrakMervaskLab.txt").c_str(), "wb");
    FILE *doubtful = std::fopen((folder + "/WynikWatpliwyMervaskLab.txt").c_str(), "wb");
    sqlite3_stmt *stmt = nullptr;
    sqlite3_prepare_v2(db,
                       "SELECT p.Partia, b.IDProbki, b.Wynik FROM Partia p JOIN Badanie b ON "
                       "b.Partia = p.Partia WHERE p.Czystopis = 'T' AND p.DataZakBad >= "
                       "'2024-03-01' AND p.DataZakBad <= '2024-03-31' ORDER BY p.rowid, b.rowid",
                       -1, &stmt, nullptr);
    int refused = 0;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        const std::string_view wynik = column(stmt, 2);
        if (wynik == "nie stwierdzono" || wynik == "stwierdzono")
            continue;
        ++refused;
        QString line = QStringLiteral("Partia: ") + QString::fromUtf8(column(stmt, 0)) +
                       QStringLiteral(", Próbka nr: ") + QString::fromUtf8(column(stmt, 1));
        if (!wynik.empty())
            line += QStringLiteral(", Wynik: ") + QString::fromUtf8(wynik);
        const QByteArray bytes = fs::Cp1250::Encode(line) + "\r\n";
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), wynik.empty() ? missing : doubtful);
    }
    sqlite3_finalize(stmt);
    std::fclose(missing);
    std::fclose(doubtful);
    return refused == 0;
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

void BM_ExportRun_System(benchmark::State &state)
{
    month();
    int written = 0;
    for (auto _ : state)
        written = exportRun(month().target);
    if (written != kSamples)
        state.SkipWithError("not every sample was written");
}

void BM_ExportRun_Plain(benchmark::State &state)
{
    sqlite3 *db = openPlainMonth();
    int written = 0;
    for (auto _ : state)
        written = plainCheck(db) ? plainExport(db, month().plainTarget) : 0;
    sqlite3_close(db);
    if (written != kSamples)
        state.SkipWithError("not every sample was written");
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
BENCHMARK(BM_ExportRun_System)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ExportRun_Plain)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ResultsCheck_System)->Unit(benchmark::kMillisecond)->Iterations(1);

int main(int argc, char **argv)
{
    return bench::Main(argc, argv);
}
