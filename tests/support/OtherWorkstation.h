#pragma once

#include "ProgramState.h"
#include "TemporaryDrives.h"

#include "foundation/Globals.h"
#include "platform/db/dao.h"
#include "platform/ui/ScriptedUi.h"

#include <QApplication>
#include <QCoreApplication>
#include <QProcess>
#include <QStringList>
#include <QTest>

#include <functional>
#include <iostream>
#include <string>

// A second workstation on the same data folder: the test program started
// again as a child process, which opens the same dictionaries and does its
// part through the same windows. Any message box it meets is a failure.
namespace other_workstation
{

inline const char *const Flag = "--other-workstation";

// Starts the test program as the other workstation with the real path of
// the dictionaries in use (or of `db`, which it then opens in their place) and
// `args`, and waits until it says that it has reached the point the test
// waits for; false when it never does.
inline bool Start(QProcess &process, const QStringList &args, dao::Database db = StaleDb)
{
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(QCoreApplication::applicationFilePath(),
                  QStringList{QLatin1String(Flag), TemporaryDrives::Real(db.Name())} + args);
    QByteArray said;
    while (!said.contains("ready")) {
        if (!process.waitForReadyRead(60000) && process.bytesAvailable() == 0)
            return false;
        said += process.readAll();
    }
    return true;
}

// Called by the other workstation's part at the point the test waits for
// (its window open, or its change made): the test goes on from here.
inline void Ready()
{
    std::cout << "ready" << std::endl;
}

// Starts the other workstation with `args` (on `db`, see Start) and waits
// until it has ended; true when it did its part.
inline bool Run(const QStringList &args, dao::Database db = StaleDb)
{
    QProcess process;
    return Start(process, args, db) && process.waitForFinished(60000) &&
           process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

// An other workstation's part: it runs each of its arguments as a statement
// on the database it opened, as another program's save or delete commits it.
inline int ExecuteStatements(const QStringList &statements)
{
    for (const QString &statement : statements)
        StaleDb.Execute(statement);
    Ready();
    return 0;
}

// True when the program was started as the other workstation: then it has
// run `part` (which returns 0 when its part succeeded) and `exitCode` is the
// process's exit code.
inline bool RanAsOther(int argc, char **argv, int &exitCode,
                       const std::function<int(const QStringList &args)> &part)
{
    if (argc < 3 || qstrcmp(argv[1], Flag) != 0)
        return false;
    QApplication app(argc, argv);
    const QStringList args = app.arguments().mid(3);
    exitCode = 1;
    try {
        StaleDb = dao::DBEngine::Workspaces(0).OpenDatabase(app.arguments().at(2));
        ui::ScriptedUi scripted;
        exitCode = part(args);
        if (!scripted.Verify()) {
            std::cerr << qPrintable(scripted.Problems()) << std::endl;
            exitCode = 1;
        }
    } catch (const std::exception &error) {
        std::cerr << error.what() << std::endl;
    }
    // The windows and the databases go before the application does.
    ProgramState::Reset();
    return true;
}

inline const char *const HoldingFlag = "--holding-workstation";

// The other workstation in the middle of a write of a file: it holds the file
// so that nobody else reads or writes it (Writing), or has begun a write, so
// that others read but nobody else writes (Beginning), or is in the middle of
// a read, so that others read and begin to write but commit nothing
// (Reading), until it lets go, at the latest when the holder goes.
class Holder
{
public:
    enum How { Writing, Beginning, Reading };
    explicit Holder(dao::Database db, How how = Writing)
    {
        static const char *const hows[] = {"writing", "beginning", "reading"};
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start(QCoreApplication::applicationFilePath(),
                       {QLatin1String(HoldingFlag), TemporaryDrives::Real(db.Name()),
                        QLatin1String(hows[how])});
        QByteArray said;
        while (!said.contains("ready") &&
               (process_.waitForReadyRead(60000) || process_.bytesAvailable() > 0))
            said += process_.readAll();
        ready_ = said.contains("ready");
    }
    Holder(const Holder &) = delete;
    Holder &operator=(const Holder &) = delete;
    ~Holder() { LetGo(); }
    // True once the other workstation holds the file.
    bool Ready() const { return ready_; }
    // True when the other workstation let go and ended well.
    bool LetGo()
    {
        if (process_.state() != QProcess::NotRunning) {
            process_.write("\n");
            process_.closeWriteChannel();
            process_.waitForFinished(60000);
        }
        return process_.state() == QProcess::NotRunning &&
               process_.exitStatus() == QProcess::NormalExit && process_.exitCode() == 0;
    }

private:
    QProcess process_;
    bool ready_ = false;
};

// True when the program was started as a Holder: then it has held the file
// and let go, and `exitCode` is the process's exit code.
inline bool RanAsHolder(int argc, char **argv, int &exitCode)
{
    if (argc != 4 || qstrcmp(argv[1], HoldingFlag) != 0)
        return false;
    QCoreApplication app(argc, argv);
    exitCode = 1;
    try {
        dao::Database db = dao::DBEngine::Workspaces(0).OpenDatabase(app.arguments().at(2));
        if (app.arguments().at(3) == QLatin1String("reading")) {
            db.Execute(QStringLiteral("BEGIN"));
            db.Execute(QStringLiteral("SELECT count(*) FROM sqlite_master"));
        } else if (app.arguments().at(3) == QLatin1String("beginning")) {
            db.Execute(QStringLiteral("BEGIN IMMEDIATE"));
        } else {
            db.Execute(QStringLiteral("BEGIN EXCLUSIVE"));
        }
        Ready();
        std::string line;
        std::getline(std::cin, line);
        db.Execute(QStringLiteral("ROLLBACK"));
        db.Close();
        exitCode = 0;
    } catch (const std::exception &error) {
        std::cerr << error.what() << std::endl;
    }
    return true;
}

// The main of a test program whose other workstation runs statements or
// holds the file.
template <typename Test> int MainWithStatements(int argc, char **argv)
{
    int exitCode = 0;
    if (RanAsHolder(argc, argv, exitCode) || RanAsOther(argc, argv, exitCode, ExecuteStatements))
        return exitCode;
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    Test test;
    return QTest::qExec(&test, argc, argv);
}

} // namespace other_workstation
