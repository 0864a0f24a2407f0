#pragma once

#include "SqliteErrors.h"

#include <QByteArray>
#include <QString>
#include <QVarLengthArray>
#include <QVariant>

struct sqlite3_stmt;

namespace dao::detail
{

class Connection;

// One use of a prepared statement. It is reset (and its read lock released)
// when the object goes, so no statement stays open between two calls.
class Statement
{
public:
    // What happens to the prepared statement when this use ends.
    enum class Ending { Finalize, ToConnectionCache, KeepPrepared };

    Statement(Connection &connection, sqlite3_stmt *stmt, Ending ending, SqlContext context,
              QString subject);
    Statement(Statement &&other) noexcept;
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;
    Statement &operator=(Statement &&) = delete;
    ~Statement();

    sqlite3_stmt *get() const { return stmt_; }
    // True for a row, false when done; errors are thrown mapped.
    bool Step();
    void Bind(int index, qint64 value);
    void Bind(int index, double value);
    void Bind(int index, const QString &text);
    void BindUtf8(int index, const char *text, int size); // copied at once
    void BindNull(int index);
    qint64 Int64(int column) const;
    QString Text(int column) const;
    int ColumnCount() const;

private:
    friend class KeptStatement;
    Connection *connection_;
    sqlite3_stmt *stmt_;
    Ending ending_;
    SqlContext context_;
    QString subject_;
    // Bound texts stay here until the statement is reset, so SQLite need not copy them.
    QVarLengthArray<QByteArray, 8> texts_;
};

// A statement that its owner keeps prepared across uses (a recordset's row
// fetch and writes). It is reset after each use, so it holds no lock between
// two calls; it is finalized when the owner lets it go.
class KeptStatement
{
public:
    KeptStatement() = default;
    KeptStatement(const KeptStatement &) = delete;
    KeptStatement &operator=(const KeptStatement &) = delete;
    ~KeptStatement() { Reset(); }

    bool IsPrepared() const { return stmt_ != nullptr; }
    // Prepares `sql` unless it is prepared already.
    Statement Use(Connection &connection, const QString &sql, SqlContext context,
                  const QString &subject);
    void Reset();

private:
    sqlite3_stmt *stmt_ = nullptr;
};

} // namespace dao::detail
