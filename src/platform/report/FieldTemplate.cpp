#include "FieldTemplate.h"

#include <QRegularExpression>

namespace report
{

FieldTemplate FieldTemplate::parse(const QString &text, QString *error)
{
    FieldTemplate result;
    QString literal;
    auto flushLiteral = [&] {
        if (!literal.isEmpty())
            result.parts_.append(Part{Part::Literal, literal, {}, {}, {}, false});
        literal.clear();
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const bool doubled = i + 1 < text.size() && text.at(i + 1) == c;
        if ((c == u'{' || c == u'}') && doubled) {
            literal.append(c);
            ++i;
            continue;
        }
        if (c == u'}') {
            *error = QStringLiteral("nadmiarowy znak \"}\" w tekście \"%1\"").arg(text);
            return {};
        }
        if (c != u'{') {
            literal.append(c);
            continue;
        }
        const qsizetype close = text.indexOf(u'}', i + 1);
        if (close < 0) {
            *error = QStringLiteral("niezamknięte pole w tekście \"%1\"").arg(text);
            return {};
        }
        Part part;
        if (!parsePlace(text.mid(i + 1, close - i - 1), part, error))
            return {};
        flushLiteral();
        result.parts_.append(part);
        i = close;
    }
    flushLiteral();
    return result;
}

bool FieldTemplate::parsePlace(const QString &inner, Part &part, QString *error)
{
    static const QRegularExpression name(QStringLiteral("^\\w+$"));
    if (inner.startsWith(u'?')) {
        part.kind = Part::Parameter;
        part.text = inner.mid(1).trimmed();
        if (name.match(part.text).hasMatch())
            return true;
    } else if (inner.startsWith(u'#')) {
        const QString what = inner.mid(1).trimmed();
        part.kind =
            what.compare(u"Page", Qt::CaseInsensitive) == 0 ? Part::PageNumber : Part::PageCount;
        if (part.kind == Part::PageNumber || what.compare(u"Pages", Qt::CaseInsensitive) == 0)
            return true;
    } else {
        const qsizetype bar = inner.indexOf(u'|');
        const QString ref = (bar < 0 ? inner : inner.left(bar)).trimmed();
        const qsizetype dot = ref.indexOf(u'.');
        part.kind = Part::Field;
        part.table = ref.left(dot);
        part.field = ref.mid(dot + 1);
        if (bar >= 0) {
            part.format = inner.mid(bar + 1);
            part.list = part.format.startsWith(QStringLiteral("list:"));
            if (part.list)
                part.format = part.format.mid(5);
        }
        if (dot > 0 && name.match(part.table).hasMatch() && name.match(part.field).hasMatch())
            return true;
    }
    *error = QStringLiteral("błędne pole {%1}").arg(inner);
    return false;
}

QStringList FieldTemplate::tables() const
{
    QStringList names;
    for (const Part &p : parts_)
        if (p.kind == Part::Field)
            names.append(p.table);
    return names;
}

} // namespace report
