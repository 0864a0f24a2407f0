// A second workstation for the backup tests: fills a table of its own, says
// "ready" on its standard output, then rewrites every row in each transaction
// (all rows always hold one generation number) until the stop file appears.
//
//     backup_writer <database> <stop file>

#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <thread>

namespace
{

constexpr int Rows = 20000;

bool Run(sqlite3 *db, const char *sql)
{
    char *message = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &message) != SQLITE_OK) {
        std::fprintf(stderr, "%s: %s\n", sql, message ? message : "?");
        sqlite3_free(message);
        return false;
    }
    return true;
}

bool Fill(sqlite3 *db)
{
    if (!Run(db, "BEGIN IMMEDIATE") ||
        !Run(db,
             "CREATE TABLE Obciazenie (id INTEGER PRIMARY KEY, pokolenie INTEGER, tekst TEXT)")) {
        return false;
    }
    sqlite3_stmt *insert = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO Obciazenie (pokolenie, tekst) VALUES (0, hex(randomblob(300)))",
                       -1, &insert, nullptr);
    for (int i = 0; i < Rows; ++i) {
        if (sqlite3_step(insert) != SQLITE_DONE) {
            sqlite3_finalize(insert);
            return false;
        }
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    return Run(db, "COMMIT");
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        return 2;
    }
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(argv[1], &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        return 3;
    }
    sqlite3_busy_timeout(db, 60000);
    // A small cache spills changed pages into the file long before the commit,
    // so that the file is rarely in a committed state while it writes.
    Run(db, "PRAGMA cache_size = 16");
    if (!Fill(db)) {
        return 4;
    }
    std::puts("ready");
    std::fflush(stdout);
    while (!std::filesystem::exists(argv[2])) {
        if (!Run(db, "BEGIN IMMEDIATE") ||
            !Run(db,
                 "UPDATE Obciazenie SET pokolenie = pokolenie + 1, tekst = hex(randomblob(300))") ||
            !Run(db, "COMMIT")) {
            return 5;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    sqlite3_close(db);
    return 0;
}
