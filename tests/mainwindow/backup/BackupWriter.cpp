// A second workstation for the backup tests: fills a table of its own, says
// "ready" on its standard output, then
// - rewrites every row in each transaction (all rows always hold one
//   generation number), saying each generation committed, until the stop
//   file appears;
// - with "torn": begins one such rewrite, says "torn" and waits to be killed
//   in the middle of it;
// - with "hold <ms>": waits for the stop file, then holds the file locked
//   against every reader for that long, making "<stop file>.held" once it
//   has the lock.
//
//     backup_writer <database> <stop file> [torn | hold <ms>]

#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
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

void Say(const char *line)
{
    std::puts(line);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char **argv)
{
    const std::string mode = argc > 3 ? argv[3] : "";
    if (argc < 3 || (mode == "hold" && argc != 5)) {
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
    Say("ready");
    const char *rewrite =
        "UPDATE Obciazenie SET pokolenie = pokolenie + 1, tekst = hex(randomblob(300))";
    if (mode == "torn") {
        if (!Run(db, "BEGIN IMMEDIATE") || !Run(db, rewrite)) {
            return 5;
        }
        Say("torn");
        for (;;) {
            std::this_thread::sleep_for(std::chrono::seconds(1));
        }
    }
    if (mode == "hold") {
        while (!std::filesystem::exists(argv[2])) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        if (!Run(db, "BEGIN EXCLUSIVE")) {
            return 5;
        }
        std::FILE *held = std::fopen((std::string(argv[2]) + ".held").c_str(), "w");
        if (!held || std::fclose(held) != 0) {
            return 6;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(argv[4])));
        return Run(db, "COMMIT") && sqlite3_close(db) == SQLITE_OK ? 0 : 5;
    }
    for (int generation = 1; !std::filesystem::exists(argv[2]); ++generation) {
        if (!Run(db, "BEGIN IMMEDIATE") || !Run(db, rewrite) || !Run(db, "COMMIT")) {
            return 5;
        }
        Say(std::to_string(generation).c_str());
        // Room for the readers between two rewrites.
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    sqlite3_close(db);
    return 0;
}
