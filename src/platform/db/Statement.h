#pragma once

#include "SqliteErrors.h"

#include <QString>
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
    Statement(Connection &connection, sqlite3_stmt *stmt, bool cached, SqlContext context,
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
    void BindNull(int index);
    qint64 Int64(int column) const;
    QString Text(int column) const;
    int ColumnCount() const;

private:
    Connection *connection_;
    sqlite3_stmt *stmt_;
    bool cached_;
    SqlContext context_;
    QString subject_;
};

} // namespace dao::detail
