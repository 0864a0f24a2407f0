#include "SqliteErrors.h"

#include "DaoError.h"

#include <QRegularExpression>

#include <sqlite3.h>

namespace dao::detail
{

namespace
{

QString unquoted(QString name)
{
    name = name.trimmed();
    if (name.size() >= 2 && (name.front() == QLatin1Char('"') || name.front() == QLatin1Char('[')))
        name = name.mid(1, name.size() - 2);
    return name;
}

QString afterPrefix(const QString &message, const QString &prefix)
{
    return unquoted(message.mid(prefix.size()));
}

[[noreturn]] void throwByMessage(const QString &message, SqlContext context, const QString &subject)
{
    static const QString noTable = QStringLiteral("no such table: ");
    static const QString noColumn = QStringLiteral("no such column: ");
    static const QString duplicateColumn = QStringLiteral("duplicate column name: ");
    static const QRegularExpression tableExists(QStringLiteral(R"(^table (\S+) already exists)"));
    static const QRegularExpression ownNumber(QStringLiteral(R"(^#(\d+)#)"));

    if (const auto m = ownNumber.match(message); m.hasMatch())
        throw Error::Make(m.captured(1).toInt(), {subject});
    if (message.startsWith(noTable))
        throw Error::Make(err::TableNotFound, {afterPrefix(message, noTable)});
    if (message.startsWith(noColumn)) {
        const QString column = afterPrefix(message, noColumn);
        if (context == SqlContext::Find)
            throw Error::Make(err::UnknownName, {column});
        if (context == SqlContext::Execute)
            throw Error::Make(err::NoSuchField, {column, subject});
        throw Error::Make(err::TooFewParameters);
    }
    if (message.startsWith(duplicateColumn))
        throw Error::Make(err::FieldDefinedTwice, {afterPrefix(message, duplicateColumn)});
    if (const auto m = tableExists.match(message); m.hasMatch())
        throw Error::Make(err::TableExists, {unquoted(m.captured(1))});
    if (context == SqlContext::Find)
        throw Error::Make(err::ExpressionSyntax, {subject});
    if (context == SqlContext::Query || context == SqlContext::Execute)
        throw Error::Make(err::SyntaxError, {subject});
    throw Error::Make(err::EngineError, {message});
}

} // namespace

void SqliteErrors::Throw(sqlite3 *db, int rc, SqlContext context, const QString &subject)
{
    Throw(rc, db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(rc)),
          context, subject);
}

void SqliteErrors::Throw(int rc, const QString &message, SqlContext context, const QString &subject)
{
    switch (rc & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        throw Error::Make(err::Locked);
    case SQLITE_READONLY:
        throw Error::Make(err::ReadOnly);
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
        throw Error::Make(err::NotADatabase, {subject});
    case SQLITE_IOERR:
    case SQLITE_FULL:
        throw Error::Make(err::DiskError);
    case SQLITE_CANTOPEN:
        throw Error::Make(err::CannotOpen, {subject});
    case SQLITE_CONSTRAINT:
        if ((rc == SQLITE_CONSTRAINT_UNIQUE || rc == SQLITE_CONSTRAINT_PRIMARYKEY))
            throw Error::Make(err::DuplicateKey);
        if (rc == SQLITE_CONSTRAINT_CHECK) {
            // Our only checks refuse empty texts; SQLite names the column.
            static const QString prefix = QStringLiteral("CHECK constraint failed: ");
            const QString name =
                message.startsWith(prefix) ? afterPrefix(message, prefix) : message;
            throw Error::Make(err::ZeroLengthNotAllowed,
                              {subject.isEmpty() ? name : subject + QLatin1Char('.') + name});
        }
        throw Error::Make(err::EngineError, {message});
    default:
        break;
    }
    throwByMessage(message, context, subject);
}

QByteArray SqliteErrors::FunctionError(int number)
{
    return QByteArray("#") + QByteArray::number(number) + QByteArray("#") +
           Error::DescriptionOf(number).toUtf8();
}

} // namespace dao::detail
