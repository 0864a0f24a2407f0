#include "SqlFunctions.h"

#include "DaoError.h"
#include "LikePattern.h"
#include "PolishCollation.h"
#include "SqlText.h"
#include "SqliteErrors.h"

#include <sqlite3.h>

namespace dao::detail
{

namespace
{

QString textOf(sqlite3_value *value)
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_value_text(value));
    return QString::fromUtf8(text, sqlite3_value_bytes(value));
}

void resultText(sqlite3_context *context, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    sqlite3_result_text(context, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

void resultError(sqlite3_context *context, int number)
{
    const QByteArray message = SqliteErrors::FunctionError(number);
    sqlite3_result_error(context, message.constData(), int(message.size()));
}

int collate(void *, int lengthA, const void *a, int lengthB, const void *b)
{
    return PolishCollation::Compare(static_cast<const char *>(a), lengthA,
                                    static_cast<const char *>(b), lengthB);
}

void deletePattern(void *pattern)
{
    delete static_cast<LikePattern *>(pattern);
}

// like(pattern, value): SQLite passes the pattern first.
void like(sqlite3_context *context, int, sqlite3_value **argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL)
        return sqlite3_result_null(context);
    auto *compiled = static_cast<LikePattern *>(sqlite3_get_auxdata(context, 0));
    if (!compiled) {
        auto pattern = LikePattern::Compile(textOf(argv[0]));
        if (!pattern)
            return resultError(context, err::SyntaxError);
        compiled = new LikePattern(std::move(*pattern));
        sqlite3_set_auxdata(context, 0, compiled, &deletePattern);
        // SQLite may free it at once when it cannot keep it; ask again.
        compiled = static_cast<LikePattern *>(sqlite3_get_auxdata(context, 0));
        if (!compiled) {
            const auto again = LikePattern::Compile(textOf(argv[0]));
            return sqlite3_result_int(context, again->Matches(textOf(argv[1])) ? 1 : 0);
        }
    }
    sqlite3_result_int(context, compiled->Matches(textOf(argv[1])) ? 1 : 0);
}

// MID(text, start[, length]), counted in characters from 1.
void mid(sqlite3_context *context, int argc, sqlite3_value **argv)
{
    for (int i = 0; i < argc; ++i) {
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL)
            return sqlite3_result_null(context);
    }
    const qint64 start = sqlite3_value_int64(argv[1]);
    const qint64 length = argc > 2 ? sqlite3_value_int64(argv[2]) : -1;
    if (start < 1 || (argc > 2 && length < 0))
        return resultError(context, err::TypeMismatch);
    const QString text = textOf(argv[0]);
    resultText(context, text.mid(qsizetype(std::min<qint64>(start - 1, text.size())),
                                 length < 0 ? -1 : qsizetype(length)));
}

// DateValue('dd.mm.yyyy') gives the day in its stored form.
void dateValue(sqlite3_context *context, int, sqlite3_value **argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL)
        return sqlite3_result_null(context);
    const QString text = textOf(argv[0]);
    std::optional<QDate> date = ParseDateText(text);
    if (!date) {
        const QDate iso = QDate::fromString(text.trimmed().left(10), Qt::ISODate);
        if (iso.isValid() && iso.year() >= 1)
            date = iso;
    }
    if (!date)
        return resultError(context, err::TypeMismatch);
    resultText(context, IsoDateText(*date));
}

} // namespace

void SqlFunctions::Register(sqlite3 *db)
{
    constexpr int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    sqlite3_create_collation_v2(db, "PL_CI", SQLITE_UTF8, nullptr, &collate, nullptr);
    sqlite3_create_function_v2(db, "like", 2, flags, nullptr, &like, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(db, "mid", 2, flags, nullptr, &mid, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(db, "mid", 3, flags, nullptr, &mid, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(db, "datevalue", 1, flags, nullptr, &dateValue, nullptr, nullptr,
                               nullptr);
}

} // namespace dao::detail
