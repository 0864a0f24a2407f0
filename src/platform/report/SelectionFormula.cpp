#include "SelectionFormula.h"

#include "ReportError.h"

namespace report
{

// A small recursive-descent reader over the formula text.
class SelectionFormula::Reader
{
public:
    explicit Reader(const QString &text) : text_(text) {}

    QList<Condition> readAll()
    {
        QList<Condition> conditions;
        skipBlanks();
        if (atEnd())
            return conditions;
        conditions.append(readCondition());
        for (skipBlanks(); !atEnd(); skipBlanks()) {
            expectWord(QStringLiteral("and"));
            conditions.append(readCondition());
        }
        return conditions;
    }

private:
    const QString &text_;
    qsizetype pos_ = 0;

    bool atEnd() const { return pos_ >= text_.size(); }
    QChar peek() const { return atEnd() ? QChar() : text_.at(pos_); }

    [[noreturn]] void fail(const QString &what) const
    {
        throw ReportError::badFormula(text_, QStringLiteral("%1, znak %2").arg(what).arg(pos_ + 1));
    }

    void skipBlanks()
    {
        while (!atEnd() && peek().isSpace())
            ++pos_;
    }

    void expect(QChar c)
    {
        skipBlanks();
        if (peek() != c)
            fail(QStringLiteral("oczekiwano \"%1\"").arg(c));
        ++pos_;
    }

    void expectWord(const QString &word)
    {
        const QString found = readName();
        if (found.compare(word, Qt::CaseInsensitive) != 0)
            fail(QStringLiteral("oczekiwano \"%1\"").arg(word));
    }

    QString readName()
    {
        skipBlanks();
        const qsizetype start = pos_;
        while (!atEnd() && (peek().isLetterOrNumber() || peek() == u'_'))
            ++pos_;
        if (pos_ == start)
            fail(QStringLiteral("oczekiwano nazwy"));
        return text_.mid(start, pos_ - start);
    }

    Condition readCondition()
    {
        Condition c;
        expect(u'{');
        c.table = readName();
        expect(u'.');
        c.field = readName();
        expect(u'}');
        expect(u'=');
        c.value = readValue();
        return c;
    }

    QVariant readValue()
    {
        skipBlanks();
        const QChar c = peek();
        if (c == u'\'' || c == u'"')
            return readQuoted(c);
        return readNumber();
    }

    QVariant readQuoted(QChar quote)
    {
        ++pos_;
        QString value;
        while (true) {
            if (atEnd())
                fail(QStringLiteral("niezamknięty tekst"));
            const QChar c = text_.at(pos_++);
            if (c != quote) {
                value.append(c);
                continue;
            }
            if (peek() != quote)
                return value;
            value.append(quote);
            ++pos_;
        }
    }

    QVariant readNumber()
    {
        const qsizetype start = pos_;
        if (peek() == u'-' || peek() == u'+')
            ++pos_;
        while (!atEnd() && (peek().isDigit() || peek() == u'.'))
            ++pos_;
        bool ok = false;
        const double number = text_.mid(start, pos_ - start).toDouble(&ok);
        if (!ok) {
            pos_ = start;
            fail(QStringLiteral("oczekiwano liczby lub tekstu w apostrofach"));
        }
        return number;
    }
};

SelectionFormula SelectionFormula::parse(const QString &text)
{
    SelectionFormula formula;
    formula.text_ = text;
    formula.conditions_ = Reader(text).readAll();
    return formula;
}

} // namespace report
