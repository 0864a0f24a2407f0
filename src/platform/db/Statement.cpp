#include "Statement.h"

#include "Connection.h"

#include <sqlite3.h>

namespace dao::detail
{

Statement::Statement(Connection &connection, sqlite3_stmt *stmt, Ending ending, SqlContext context,
                     QString subject)
    : connection_(&connection), stmt_(stmt), ending_(ending), context_(context),
      subject_(std::move(subject))
{
}

Statement::Statement(Statement &&other) noexcept
    : connection_(other.connection_), stmt_(other.stmt_), ending_(other.ending_),
      context_(other.context_), subject_(std::move(other.subject_)), texts_(std::move(other.texts_))
{
    other.stmt_ = nullptr;
}

Statement::~Statement()
{
    if (!stmt_)
        return;
    switch (ending_) {
    case Ending::Finalize:
        sqlite3_finalize(stmt_);
        break;
    case Ending::ToConnectionCache:
        sqlite3_reset(stmt_);
        sqlite3_clear_bindings(stmt_);
        connection_->Release(stmt_);
        break;
    case Ending::KeepPrepared:
        sqlite3_reset(stmt_);
        sqlite3_clear_bindings(stmt_);
        break;
    }
}

bool Statement::Step()
{
    connection_->NoteRead();
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    // The statement's own error code and message; reset re-reports them.
    const QString message = QString::fromUtf8(sqlite3_errmsg(connection_->Handle()));
    const int extended = sqlite3_extended_errcode(connection_->Handle());
    sqlite3_reset(stmt_);
    // A failed statement undid its rows: what SQLite reported of them is void.
    connection_->Rowids().Discard();
    connection_->Fail(extended ? extended : rc, message, context_, subject_);
}

void Statement::Bind(int index, qint64 value)
{
    sqlite3_bind_int64(stmt_, index, value);
}

void Statement::Bind(int index, double value)
{
    sqlite3_bind_double(stmt_, index, value);
}

void Statement::Bind(int index, const QString &text)
{
    texts_.append(text.toUtf8());
    const QByteArray &utf8 = texts_.back();
    sqlite3_bind_text(stmt_, index, utf8.constData(), int(utf8.size()), SQLITE_STATIC);
}

void Statement::BindUtf8(int index, const char *text, int size)
{
    sqlite3_bind_text(stmt_, index, text, size, SQLITE_TRANSIENT);
}

void Statement::BindNull(int index)
{
    sqlite3_bind_null(stmt_, index);
}

qint64 Statement::Int64(int column) const
{
    return sqlite3_column_int64(stmt_, column);
}

QString Statement::Text(int column) const
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(stmt_, column));
    return QString::fromUtf8(text, sqlite3_column_bytes(stmt_, column));
}

int Statement::ColumnCount() const
{
    return sqlite3_column_count(stmt_);
}

Statement KeptStatement::Use(Connection &connection, const QString &sql, SqlContext context,
                             const QString &subject)
{
    if (!stmt_) {
        Statement fresh = connection.Prepare(sql, context, subject, false);
        stmt_ = fresh.stmt_;
        fresh.stmt_ = nullptr;
    }
    return Statement(connection, stmt_, Statement::Ending::KeepPrepared, context, subject);
}

void KeptStatement::Reset()
{
    sqlite3_finalize(stmt_);
    stmt_ = nullptr;
}

} // namespace dao::detail
