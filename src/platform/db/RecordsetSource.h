#pragma once

#include <QString>

#include <optional>

namespace dao::detail
{

// The parts of a recordset's source text: "SELECT * FROM <table> <rest>" or
// a bare table name.
struct RecordsetSource {
    QString table;      // as written, without brackets or quotes
    QString tableToken; // as written
    QString rest;       // WHERE / ORDER BY, without a closing ';'
    bool ordered = false;

    static std::optional<RecordsetSource> Parse(const QString &source);
    // The statement that lists the rows' rowids in the recordset's order;
    // rows that tie in the ORDER BY keep table order.
    QString KeysetSql() const;
};

// The text with its string literals blanked, so that words inside quotes are
// never taken for keywords.
QString WithoutLiterals(const QString &sql);

} // namespace dao::detail
