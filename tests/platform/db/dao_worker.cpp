// Works on a database file through the layer, as another workstation would:
//   dao_worker next <file> <count>    takes "highest + 1" and stores it, <count> times
//   dao_worker bulk <file> <rows>     adds <rows> rows in one transaction; says
//                                     "half" on stdout midway and then waits for
//                                     a line on stdin before going on
//   dao_worker edit <file> <text>     reads the first row of Wiersze, says "read",
//                                     waits for a line, then writes <text> into
//                                     its Tekst by Edit and Update; says "ok" or
//                                     the error number
//   dao_worker serve <file> -         runs each line of stdin as a statement
//                                     (Database::Execute); says "ok" or the
//                                     error number after each
#include "platform/db/dao.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>
#include <iostream>

using namespace dao;

namespace
{

int takeNumbers(const QString &path, int count)
{
    Database db = DBEngine::Workspaces(0).OpenDatabase(path);
    int retries = 0;
    for (int i = 0; i < count;) {
        try {
            Transaction transaction(db, Transaction::Immediate);
            Recordset rs = db.OpenRecordset("SELECT * FROM Numery ORDER BY Nr");
            int next = 1;
            if (rs.RecordCount() > 0) {
                rs.MoveLast();
                next = rs("Nr").Value().toInt() + 1;
            }
            rs.AddNew();
            rs("Nr") = next;
            rs("Kto") = QCoreApplication::applicationPid() % 100000;
            rs.Update();
            rs.Close();
            transaction.Commit();
            ++i;
        } catch (const Error &e) {
            // Another workstation held the lock for the whole wait: try again,
            // as the user would.
            if (e.Number() != err::Locked)
                throw;
            ++retries;
        }
    }
    std::cout << "retries " << retries << std::endl;
    return 0;
}

int bulk(const QString &path, int rows)
{
    Database db = DBEngine::Workspaces(0).OpenDatabase(path);
    // A small page cache makes the transaction write into the file before it
    // commits, so that a kill leaves a half-written file to recover.
    db.Execute("PRAGMA cache_size = 20");
    db.BeginTrans();
    Recordset rs = db.OpenRecordset("Wiersze");
    const QString filler(200, QLatin1Char('x'));
    for (int i = 0; i < rows; ++i) {
        rs.AddNew();
        rs("Nr") = i;
        rs("Tekst") = filler;
        rs.Update();
        if (i == rows / 2) {
            std::cout << "half" << std::endl;
            std::string line;
            std::getline(std::cin, line);
        }
    }
    db.CommitTrans();
    std::cout << "done" << std::endl;
    return 0;
}

int edit(const QString &path, const QString &text)
{
    Database db = DBEngine::Workspaces(0).OpenDatabase(path);
    Recordset rs = db.OpenRecordset("SELECT * FROM Wiersze ORDER BY Nr");
    rs("Tekst").Value(); // shown to its user
    std::cout << "read" << std::endl;
    std::string line;
    std::getline(std::cin, line);
    try {
        rs.Edit();
        rs("Tekst") = text;
        rs.Update();
        std::cout << "ok" << std::endl;
    } catch (const Error &e) {
        std::cout << e.Number() << std::endl;
    }
    return 0;
}

int serve(const QString &path)
{
    Database db = DBEngine::Workspaces(0).OpenDatabase(path);
    std::string line;
    while (std::getline(std::cin, line)) {
        try {
            db.Execute(QString::fromStdString(line));
            std::cout << "ok" << std::endl;
        } catch (const Error &e) {
            std::cout << e.Number() << std::endl;
        }
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4)
        return 2;
    try {
        if (args.at(1) == QLatin1String("next"))
            return takeNumbers(args.at(2), args.at(3).toInt());
        if (args.at(1) == QLatin1String("bulk"))
            return bulk(args.at(2), args.at(3).toInt());
        if (args.at(1) == QLatin1String("edit"))
            return edit(args.at(2), args.at(3));
        if (args.at(1) == QLatin1String("serve"))
            return serve(args.at(2));
    } catch (const Error &e) {
        std::cerr << e.what() << std::endl;
        return 1;
    }
    return 2;
}
