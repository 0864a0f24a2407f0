#pragma once

#include "foundation/RecordWrite.h"
#include "foundation/Refusal.h"

#include "platform/db/Database.h"
#include "platform/db/Recordset.h"

#include <QString>

#include <functional>
#include <optional>

// The statements and rules that the dictionary registers share, without
// widgets. Errors of the database go to the caller.
class DictionaryStore
{
public:
    // A text that converts to a number: blanks around it, a sign, digits with
    // one decimal separator ("," or "."), an exponent. "" and blanks do not.
    static bool IsNumeric(const QString &text);

    // The check of a number kept in a one-byte field (0..255): nothing when
    // the text is fit to store, else the message to show.
    static inline const QString EmptyNumberText = QStringLiteral("Wpisz kolejny nr!");
    static inline const QString NotANumberText =
        QStringLiteral("Wartość w polu Numer nie jest cyfrą. Popraw!");
    static inline const QString NumberRangeText =
        QStringLiteral("Numer musi być liczbą całkowitą od 0 do 255. Popraw!");
    static std::optional<QString> ByteNumberFault(const QString &text,
                                                  const QString &emptyText = EmptyNumberText);
    // The number of a text that passed ByteNumberFault.
    static int ByteNumber(const QString &text);

    // The highest number of the field + 1; 1 for an empty table or when no
    // row has a number.
    static qint64 NextNumber(dao::Database db, const QString &table, const QString &field);

    // True when a row has the key in the field, compared without regard to
    // case. The key is quoted: any text may be asked for.
    static bool KeyTaken(dao::Database db, const QString &table, const QString &field,
                         const QString &key);

    // The criterion that finds the rows whose field begins with the trimmed
    // text, case aside; the text's quotes and wildcards match only themselves.
    static QString PrefixCriterion(const QString &field, const QString &text);

    // The width in characters of a text column of the dictionaries as they
    // are built; 0 for a memo or a column that is not known.
    static int ColumnWidth(const QString &table, const QString &field);
    // The refusal of a text longer than its column, naming the field by its
    // caption; nothing when the text fits.
    static std::optional<Refusal> TooLong(const QString &text, const QString &table,
                                          const QString &field, const QString &caption,
                                          const QString &focus);

    // The first `length` characters.
    static QString Cut(const QString &text, int length) { return text.left(length); }

    // The checks and the write as one step for every workstation: the write
    // lock is taken before the first check. A refusal writes nothing.
    static std::optional<Refusal> Save(dao::Database db,
                                       const std::function<std::optional<Refusal>()> &check,
                                       const std::function<void()> &write);

    // The rows of a numbered dictionary as its list window shows them: the
    // whole table in the order of the field.
    static QString ListStatement(const QString &table, const QString &orderField);
    // Deletes the current row of a register's list through the list itself,
    // which deletes it only while it still holds what the list read of it
    // (3197 changed, 3167 deleted meanwhile).
    static void DeleteListed(dao::Recordset &list);
    // The rows of a register's statement, for its list to show.
    static dao::Recordset OpenList(dao::Database db, const QString &statement);

    // The registers' one row writer, called inside the save's transaction:
    // appends a row (`loaded` std::nullopt), or writes over the loaded one
    // (WriteLoadedRow: 3197 when it changed since the frame was filled from
    // it, 3167 when it is gone), and has `fill` set its fields. `list` is the
    // register's list: it writes the row when it is open and, correcting,
    // still holds the loaded row, and then makes the written row its current
    // row; a record set of `table` stands in otherwise.
    static void WriteRow(dao::Database db, dao::Recordset list, const QString &table,
                         const std::optional<LoadedRow> &loaded,
                         const std::function<void(dao::Recordset &)> &fill);
    // A register's save: the checks, then WriteRow, as one Save step.
    static std::optional<Refusal> SaveRow(dao::Database db, dao::Recordset list,
                                          const QString &table,
                                          const std::optional<LoadedRow> &loaded,
                                          const std::function<std::optional<Refusal>()> &check,
                                          const std::function<void(dao::Recordset &)> &fill);
};
