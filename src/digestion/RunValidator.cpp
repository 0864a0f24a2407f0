#include "digestion/RunValidator.h"

#include "foundation/TextProcedures.h"
#include "platform/db/SqlText.h"
#include "platform/ui/MsgBox.h"

#include <QRegularExpression>

#include <limits>

namespace
{

const QString InfoTitle = QStringLiteral("INFORMACJA");

Refusal plain(const QString &text, const char *focus)
{
    return {text, ui::vbOKOnly, QString(), QLatin1String(focus)};
}

Refusal info(const QString &text, const char *focus)
{
    return {text, ui::vbInformation, InfoTitle, QLatin1String(focus)};
}

// Only blanks are trimmed, as the typed numbers always were.
QString trimmedBlanks(const QString &text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == u' ')
        ++first;
    while (last > first && text.at(last - 1) == u' ')
        --last;
    return text.mid(first, last - first);
}

} // namespace

std::optional<qint64> RunValidator::IntegerValue(const QString &text, qint64 min, qint64 max)
{
    static const QRegularExpression integer(QStringLiteral("^[+-]?[0-9]{1,18}$"));
    const QString trimmed = trimmedBlanks(text);
    if (!integer.match(trimmed).hasMatch())
        return std::nullopt;
    const qint64 value = trimmed.toLongLong();
    if (value < min || value > max)
        return std::nullopt;
    return value;
}

std::optional<int> RunValidator::SmallInteger(const QString &text)
{
    const std::optional<qint64> value =
        IntegerValue(text, std::numeric_limits<qint16>::min(), std::numeric_limits<qint16>::max());
    if (!value)
        return std::nullopt;
    return int(*value);
}

std::optional<double> RunValidator::DecimalValue(const QString &text)
{
    static const QRegularExpression decimal(
        QStringLiteral("^[+-]?([0-9]+([.,][0-9]*)?|[.,][0-9]+)$"));
    QString trimmed = trimmedBlanks(text);
    if (!decimal.match(trimmed).hasMatch())
        return std::nullopt;
    trimmed.replace(u',', u'.');
    bool ok = false;
    const double value = trimmed.toDouble(&ok);
    if (!ok || value > std::numeric_limits<float>::max() ||
        value < -std::numeric_limits<float>::max())
        return std::nullopt;
    return value;
}

std::optional<QDate> RunValidator::DateOf(const QString &text)
{
    return dao::ParseDateText(text);
}

std::optional<Refusal> RunValidator::CheckRunNumber(const QString &text)
{
    if (text.isEmpty())
        return plain(QStringLiteral("Wprowadź numer nastawienia!"), "TextNastawienie");
    if (!SmallInteger(text))
        return plain(QStringLiteral("Nieprawidłowy numer nastawienia. Popraw!"), "TextNastawienie");
    return std::nullopt;
}

std::optional<Refusal> RunValidator::CheckRunTextLengths(const RunFrameValues &values)
{
    struct Limit {
        QString RunFrameValues::*value;
        const char *caption;
        int length;
        const char *box;
    };
    // In the frame's order; the lengths are the fields' sizes.
    static const Limit limits[] = {
        {&RunFrameValues::trays, "Kod tacy (nr-y)", 20, "TextNrTac"},
        {&RunFrameValues::temperature, "Temperat. min", 5, "TextTemperatura"},
        {&RunFrameValues::temperatureMax, "Temperat. max", 5, "TextTemperaturaMax"},
        {&RunFrameValues::digestionTime, "Czas wytrawiania [min]", 3, "TextCzas"},
        {&RunFrameValues::settlingTime1, "Czas sedymentacji I [min]", 3, "TextCzasSedymentacji1"},
        {&RunFrameValues::settlingTime2, "Czas sedymentacji II [min]", 3, "TextCzasSedymentacji2"},
        {&RunFrameValues::scales, "Waga", 30, "ComboWaga"},
        {&RunFrameValues::thermometer, "Termometr", 30, "ComboTermometr"},
        {&RunFrameValues::stirrer, "Mieszadło", 30, "ComboMieszadlo"},
        {&RunFrameValues::trichinoscope, "Trychinoskop", 30, "ComboTrychinoskop"},
        {&RunFrameValues::sieve, "Sito", 30, "ComboSito"},
        {&RunFrameValues::acidSeries, "HCL seria/data ważności", 150, "ComboOdczynnikHCL"},
        {&RunFrameValues::pepsinSeries, "Pepsyna seria/data ważności", 150,
         "ComboOdczynnikPepsyna"},
        {&RunFrameValues::result, "Wynik nastawienia", 15, "ComboWynik"},
        {&RunFrameValues::startTime, "Godz rozpoczęcia nastawienia", 5, "TextGodzRozpBad"},
        {&RunFrameValues::endTime, "Godz zakończenia nastawienia", 5, "TextGodzZakBad"},
        {&RunFrameValues::performedBy, "Osoba wykonująca badanie", 30, "ComboWykonujacy"},
        {&RunFrameValues::responsible, "Osoba odpowiedzialna za badanie", 30,
         "ComboOdpowiedzialny"},
    };
    for (const Limit &limit : limits) {
        if ((values.*limit.value).size() > limit.length)
            return plain(QStringLiteral("Pole '%1' może mieć najwyżej %2. Popraw!")
                             .arg(QString::fromUtf8(limit.caption), CharacterCount(limit.length)),
                         limit.box);
    }
    return std::nullopt;
}

Refusal RunValidator::DuplicateRun(int number)
{
    return {QStringLiteral("Nastawienie o numerze: ") + QString::number(number) +
                QStringLiteral(" już istnieje.\r\nPopraw nr nastawienia!"),
            ui::vbExclamation, QString(), QStringLiteral("TextNastawienie")};
}

std::optional<Refusal> RunValidator::CheckRunDates(const QString &start, const QString &end)
{
    if (!start.isEmpty() && !DateOf(start))
        return info(QStringLiteral("Popraw datę rozpoczęcia badania do formatu dd.mm.rrrr"),
                    "DTPDataRozpBad");
    if (!end.isEmpty() && !DateOf(end))
        return info(QStringLiteral("Popraw datę zakończenia badania do formatu dd.mm.rrrr"),
                    "DTPDataZakBad");
    return std::nullopt;
}

std::optional<Refusal> RunValidator::CheckTray(const QString &trayNumber, const QString &count)
{
    if (trayNumber.isEmpty())
        return plain(QStringLiteral("Wprowadź numer Tacy!"), "TextNrTacy");
    if (!SmallInteger(trayNumber))
        return plain(QStringLiteral("Nieprawidłowy nr tacy. Popraw!"), "TextNrTacy");
    if (count.isEmpty())
        return plain(QStringLiteral("Wprowadź liczbę próbek jednostkowych!"),
                     "TextIlProbekPozycjaN");
    if (!SmallInteger(count))
        return plain(QStringLiteral("Nieprawidłowa liczba próbek. Popraw!"),
                     "TextIlProbekPozycjaN");
    return std::nullopt;
}

Refusal RunValidator::DuplicateTray(int number)
{
    return {QStringLiteral("Taca o numerze: ") + QString::number(number) +
                QStringLiteral(" już istnieje.\r\nPopraw nr tacy!"),
            ui::vbExclamation, QStringLiteral("KONTROLA POPRAWNOŚCI"),
            QStringLiteral("TextNrTacy")};
}

std::optional<Refusal> RunValidator::CheckListNumber(const QString &text)
{
    const QString trimmed = trimmedBlanks(text);
    if (trimmed.isEmpty())
        return info(QStringLiteral("Wpisz kolejny nr!"), "TxtNr");
    if (!IntegerValue(trimmed, std::numeric_limits<qint64>::min() / 10,
                      std::numeric_limits<qint64>::max() / 10))
        return info(QStringLiteral("Wartość w polu Numer nie jest cyfrą. Popraw!"), "TxtNr");
    return std::nullopt;
}
