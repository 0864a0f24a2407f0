#pragma once

#include "platform/db/dao.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>

#include <tuple>
#include <vector>

// Holds still the clock by which open lists look at their files again; the
// test moves it on.
struct HeldRefreshClock {
    HeldRefreshClock() = default;
    HeldRefreshClock(const HeldRefreshClock &) = delete;
    HeldRefreshClock &operator=(const HeldRefreshClock &) = delete;
    ~HeldRefreshClock() { dao::DBEngine::SetRefreshClock(previous); }

    qint64 now = 0;
    dao::DBEngine::RefreshClock previous = dao::DBEngine::SetRefreshClock([this] { return now; });
};

// A fresh database file in its own temporary folder, with tables made
// through the layer's own table definitions.
class TestDatabase
{
public:
    using Column = std::tuple<QString, dao::DataTypeEnum, int>;

    TestDatabase()
        : path_(dir_.filePath(QStringLiteral("Test.mdb"))),
          db_(dao::DBEngine::Workspaces(0).CreateDatabase(path_))
    {
    }

    dao::Database &db() { return db_; }
    const QString &path() const { return path_; }
    QString folder() const { return dir_.path(); }

    void createTable(const QString &name, const std::vector<Column> &columns)
    {
        dao::TableDef table = db_.CreateTableDef(name);
        for (const auto &[field, type, size] : columns) {
            dao::Field f = table.CreateField(field, type, size);
            if (type == dao::dbText || type == dao::dbMemo)
                f.setAllowZeroLength(true);
            table.Fields().Append(f);
        }
        db_.TableDefs().Append(table);
    }

    // Adds one row per value into `field`; returns their bookmarks.
    std::vector<dao::Bookmark> addRows(const QString &table, const QString &field,
                                       const QVariantList &values)
    {
        dao::Recordset rs = db_.OpenRecordset(table);
        std::vector<dao::Bookmark> marks;
        for (const QVariant &value : values) {
            rs.AddNew();
            rs(field) = value;
            rs.Update();
            marks.push_back(rs.LastModified());
        }
        rs.Close();
        return marks;
    }

    QVariantList column(const QString &source, const QString &field)
    {
        dao::Recordset rs = db_.OpenRecordset(source);
        QVariantList values;
        while (!rs.EOF()) {
            values << rs(field).Value();
            rs.MoveNext();
        }
        return values;
    }

private:
    QTemporaryDir dir_;
    QString path_;
    dao::Database db_;
};

// Runs `action` and gives the engine error number it raised, 0 when none.
template <typename Action> int errorNumberOf(Action &&action)
{
    try {
        action();
    } catch (const dao::Error &e) {
        return e.Number();
    }
    return 0;
}

// Another workstation: a connection of its own to the file, as another
// program has.
class OtherWorkstation
{
public:
    explicit OtherWorkstation(const QString &path)
    {
        sqlite3_open_v2(QFile::encodeName(path).constData(), &db_, SQLITE_OPEN_READWRITE, nullptr);
    }
    ~OtherWorkstation() { sqlite3_close(db_); }
    OtherWorkstation(const OtherWorkstation &) = delete;
    OtherWorkstation &operator=(const OtherWorkstation &) = delete;

    bool Run(const char *sql)
    {
        return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
    }
    bool Run(const QString &sql) { return Run(sql.toUtf8().constData()); }
    sqlite3 *Handle() const { return db_; }

private:
    sqlite3 *db_ = nullptr;
};

#ifdef DAO_WORKER_PATH
// Another workstation writing through the layer, in a process of its own.
class EngineWorkstation
{
public:
    explicit EngineWorkstation(const QString &path)
    {
        process_.start(QStringLiteral(DAO_WORKER_PATH),
                       {QStringLiteral("serve"), path, QStringLiteral("-")});
        process_.waitForStarted();
    }
    ~EngineWorkstation()
    {
        process_.closeWriteChannel();
        process_.waitForFinished();
    }
    EngineWorkstation(const EngineWorkstation &) = delete;
    EngineWorkstation &operator=(const EngineWorkstation &) = delete;

    // True when the statement went through.
    bool Run(const QString &sql)
    {
        process_.write(sql.toUtf8() + '\n');
        while (!process_.canReadLine() && process_.waitForReadyRead(30000)) {
        }
        return process_.readLine().trimmed() == "ok";
    }

private:
    QProcess process_;
};
#endif
