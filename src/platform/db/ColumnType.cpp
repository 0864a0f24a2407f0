#include "ColumnType.h"

#include <QRegularExpression>

namespace dao::detail
{

namespace
{
constexpr int kDefaultTextSize = 255;
}

QString ColumnType::Declared(DataTypeEnum type, int size)
{
    switch (type) {
    case dbBoolean:
        return QStringLiteral("BOOLEAN");
    case dbByte:
        return QStringLiteral("TINYINT");
    case dbInteger:
        return QStringLiteral("SMALLINT");
    case dbLong:
        return QStringLiteral("INTEGER");
    case dbSingle:
        return QStringLiteral("FLOAT");
    case dbDate:
        return QStringLiteral("DATETIME");
    case dbMemo:
        return QStringLiteral("LONGTEXT");
    case dbText:
        break;
    }
    return QStringLiteral("VARCHAR(%1)").arg(size > 0 ? size : kDefaultTextSize);
}

QString ColumnType::Quote(const QString &identifier)
{
    // Built in one allocation: every copy of a selection quotes each column.
    QString quoted;
    quoted.reserve(identifier.size() + 2);
    quoted.append(QLatin1Char('"'));
    if (identifier.contains(QLatin1Char('"'))) {
        for (const QChar c : identifier) {
            quoted.append(c);
            if (c == QLatin1Char('"'))
                quoted.append(c);
        }
    } else {
        quoted.append(identifier);
    }
    quoted.append(QLatin1Char('"'));
    return quoted;
}

QString ColumnType::ZeroLengthCheck(const QString &name)
{
    return QStringLiteral("CHECK (%1 <> '')").arg(Quote(name));
}

QString ColumnType::Definition(const FieldDef &field)
{
    QString def = Quote(field.name) + QLatin1Char(' ') + Declared(field.type, field.size);
    if (IsText(field.type)) {
        def += QLatin1String(" COLLATE PL_CI");
        if (!field.allowZeroLength)
            def += QLatin1Char(' ') + ZeroLengthCheck(field.name);
    }
    return def;
}

int ColumnType::StorageSize(DataTypeEnum type)
{
    switch (type) {
    case dbBoolean:
    case dbByte:
        return 1;
    case dbInteger:
        return 2;
    case dbLong:
    case dbSingle:
        return 4;
    case dbDate:
        return 8;
    case dbText:
    case dbMemo:
        break;
    }
    return 0;
}

std::optional<FieldDef> ColumnType::Parse(const QString &name, const QString &declared)
{
    static const QRegularExpression pattern(
        QStringLiteral(R"(^\s*([A-Za-z_][A-Za-z0-9_]*)\s*(?:\(\s*(\d+)\s*\))?)"));
    const auto match = pattern.match(declared);
    FieldDef field;
    field.name = name;
    field.appended = true;
    field.allowZeroLength = true;
    if (!match.hasMatch())
        return std::nullopt;
    const QString word = match.captured(1).toUpper();
    const int size = match.captured(2).isEmpty() ? 0 : match.captured(2).toInt();

    static const QStringList booleans{"BOOLEAN", "BIT", "YESNO", "LOGICAL", "LOGICAL1"};
    static const QStringList bytes{"TINYINT", "BYTE", "INTEGER1"};
    static const QStringList integers{"SMALLINT", "SHORT", "INTEGER2"};
    static const QStringList longs{"INTEGER",  "INT",     "LONG",
                                   "INTEGER4", "COUNTER", "AUTOINCREMENT"};
    static const QStringList singles{"FLOAT", "REAL", "SINGLE", "FLOAT4", "DOUBLE", "FLOAT8"};
    static const QStringList dates{"DATETIME", "DATE", "TIME", "TIMESTAMP"};
    static const QStringList memos{"LONGTEXT", "MEMO", "LONGCHAR", "NOTE", "CLOB"};
    static const QStringList texts{"VARCHAR", "TEXT",   "CHAR",         "NVARCHAR",
                                   "NCHAR",   "STRING", "ALPHANUMERIC", "CHARACTER"};
    if (booleans.contains(word))
        field.type = dbBoolean;
    else if (bytes.contains(word))
        field.type = dbByte;
    else if (integers.contains(word))
        field.type = dbInteger;
    else if (longs.contains(word))
        field.type = dbLong;
    else if (singles.contains(word))
        field.type = dbSingle;
    else if (dates.contains(word))
        field.type = dbDate;
    else if (memos.contains(word))
        field.type = dbMemo;
    else if (texts.contains(word))
        field.type = dbText;
    else
        return std::nullopt;
    if (field.type == dbText)
        field.size = size > 0 ? size : kDefaultTextSize;
    else
        field.size = StorageSize(field.type);
    return field;
}

} // namespace dao::detail
