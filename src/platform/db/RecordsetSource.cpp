#include "RecordsetSource.h"

#include <QRegularExpression>

namespace dao::detail
{

namespace
{

QString unbracketed(const QString &token)
{
    if (token.startsWith(QLatin1Char('[')) || token.startsWith(QLatin1Char('"')) ||
        token.startsWith(QLatin1Char('`')))
        return token.mid(1, token.size() - 2);
    return token;
}

// Splits a trailing "ORDER BY name [ASC|DESC], ..." off `rest`; false when
// the order is anything else.
bool splitOrder(RecordsetSource &parsed)
{
    static const QRegularExpression orderBy(QStringLiteral(R"(\border\s+by\b)"),
                                            QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression term(
        QStringLiteral(
            R"(^\s*(\[[^\]]+\]|"[^"]+"|`[^`]+`|[A-Za-z_][A-Za-z0-9_]*)(?:\s+(asc|desc))?\s*$)"),
        QRegularExpression::CaseInsensitiveOption);
    const QString masked = WithoutLiterals(parsed.rest);
    const qsizetype at = masked.lastIndexOf(orderBy);
    if (at < 0 || masked.indexOf(orderBy) != at)
        return false;
    const auto by = orderBy.match(masked, at);
    const QString list = masked.mid(by.capturedEnd());
    if (list.contains(QLatin1Char('\'')) || list.contains(QLatin1Char('(')))
        return false;
    std::vector<RecordsetSource::OrderTerm> order;
    for (const QString &text : list.split(QLatin1Char(','))) {
        const auto m = term.match(text);
        if (!m.hasMatch())
            return false;
        order.push_back({m.captured(1), unbracketed(m.captured(1)),
                         m.captured(2).compare(QLatin1String("desc"), Qt::CaseInsensitive) == 0});
    }
    parsed.filter = parsed.rest.left(at);
    parsed.order = std::move(order);
    return true;
}

} // namespace

QString WithoutLiterals(const QString &sql)
{
    QString masked = sql;
    bool inside = false;
    for (QChar &c : masked) {
        if (c == QLatin1Char('\'')) {
            // A doubled quote inside a literal closes and reopens it: same result.
            inside = !inside;
        } else if (inside) {
            c = QLatin1Char('x');
        }
    }
    return masked;
}

std::optional<RecordsetSource> RecordsetSource::Parse(const QString &source)
{
    static const QString tablePattern =
        QStringLiteral(R"((\[[^\]]+\]|"[^"]+"|`[^`]+`|[A-Za-z_][A-Za-z0-9_]*))");
    static const QRegularExpression select(
        QStringLiteral(R"(^\s*select\s+\*\s+from\s+)") + tablePattern + QStringLiteral(R"((.*)$)"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression bare(QStringLiteral(R"(^\s*)") + tablePattern +
                                         QStringLiteral(R"(\s*;?\s*$)"));
    static const QRegularExpression orderBy(QStringLiteral(R"(\border\s+by\b)"),
                                            QRegularExpression::CaseInsensitiveOption);

    RecordsetSource parsed;
    if (const auto m = select.match(source); m.hasMatch()) {
        parsed.tableToken = m.captured(1);
        parsed.rest = m.captured(2);
        // The rest must start a new clause: "SELECT * FROM Partiax" is one name.
        if (!parsed.rest.isEmpty() && !parsed.rest.front().isSpace() &&
            parsed.rest.front() != QLatin1Char(';'))
            return std::nullopt;
    } else if (const auto b = bare.match(source); b.hasMatch()) {
        parsed.tableToken = b.captured(1);
    } else {
        return std::nullopt;
    }
    parsed.table = unbracketed(parsed.tableToken);
    while (parsed.rest.trimmed().endsWith(QLatin1Char(';')))
        parsed.rest = parsed.rest.trimmed().chopped(1);
    parsed.ordered = WithoutLiterals(parsed.rest).contains(orderBy);
    if (parsed.ordered)
        splitOrder(parsed);
    return parsed;
}

QString RecordsetSource::KeysetSql() const
{
    QString sql = QStringLiteral("SELECT rowid FROM ") + tableToken + rest;
    sql += ordered ? QStringLiteral(", rowid") : QStringLiteral(" ORDER BY rowid");
    return sql;
}

} // namespace dao::detail
