#pragma once

#include <QString>

#include <optional>
#include <vector>

namespace dao::detail
{

// The parts of a recordset's source text: "SELECT * FROM <table> <rest>" or
// a bare table name.
struct RecordsetSource {
    QString table;      // as written, without brackets or quotes
    QString tableToken; // as written
    QString rest;       // WHERE / ORDER BY, without a closing ';'
    bool ordered = false;

    // An ORDER BY of plain column names, each ASC or DESC, split up; empty
    // for any other order (expressions, COLLATE, NULLS FIRST ...).
    struct OrderTerm {
        QString token;  // as written
        QString column; // without brackets or quotes
        bool descending = false;
    };
    QString filter; // `rest` before its ORDER BY
    std::vector<OrderTerm> order;

    static std::optional<RecordsetSource> Parse(const QString &source);
    // The statement that lists the rows' rowids in the recordset's order;
    // rows that tie in the ORDER BY keep table order.
    QString KeysetSql() const;
};

// The text with its string literals blanked, so that words inside quotes are
// never taken for keywords.
QString WithoutLiterals(const QString &sql);

} // namespace dao::detail
