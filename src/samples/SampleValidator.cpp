#include "samples/SampleValidator.h"

#include "foundation/TextProcedures.h"
#include "platform/ui/MsgBox.h"

#include <QRegularExpression>

#include <limits>

namespace
{

const QString CheckTitle = QStringLiteral("KONTROLA POPRAWNOŚCI");

Refusal plain(int check, const QString &text, const char *focus)
{
    return {.text = text, .style = ui::vbOKOnly, .focus = QLatin1String(focus), .check = check};
}

Refusal info(int check, const QString &text, const char *focus)
{
    return {.text = text,
            .style = ui::vbInformation,
            .title = QStringLiteral("INFORMACJA"),
            .focus = QLatin1String(focus),
            .check = check};
}

// A number typed again in another form ("012" for 12) is not a change.
bool changed(const QString &typed, const QString &loaded)
{
    const std::optional<qint64> a = SampleValidator::LongInteger(typed);
    const std::optional<qint64> b = SampleValidator::LongInteger(loaded);
    if (a && b)
        return *a != *b;
    return TrimBlanks(typed) != TrimBlanks(loaded);
}

} // namespace

std::optional<qint64> SampleValidator::WholeNumber(const QString &text, qint64 low, qint64 high)
{
    static const QRegularExpression whole(QStringLiteral("^ *[+-]?[0-9]{1,18} *$"));
    if (!whole.match(text).hasMatch())
        return std::nullopt;
    const qint64 value = TrimBlanks(text).toLongLong();
    if (value < low || value > high)
        return std::nullopt;
    return value;
}

std::optional<qint64> SampleValidator::Integer(const QString &text)
{
    return WholeNumber(text, std::numeric_limits<qint16>::min(),
                       std::numeric_limits<qint16>::max());
}

std::optional<qint64> SampleValidator::LongInteger(const QString &text)
{
    return WholeNumber(text, std::numeric_limits<qint32>::min(),
                       std::numeric_limits<qint32>::max());
}

Refusal SampleValidator::DailyTaken(const QString &number)
{
    return {.text =
                QStringLiteral("Nr dzienny: ") + number + QStringLiteral(" już istnieje! Popraw!"),
            .style = ui::vbExclamation,
            .title = CheckTitle,
            .focus = QStringLiteral("TextNrDzien"),
            .check = 11};
}

Refusal SampleValidator::GeneralTaken(const QString &number)
{
    return {.text =
                QStringLiteral("Nr ogólny: ") + number + QStringLiteral(" już istnieje! Popraw!"),
            .style = ui::vbExclamation,
            .title = CheckTitle,
            .focus = QStringLiteral("TextNrOgolny"),
            .check = 13};
}

Refusal SampleValidator::CarcassTaken(const QString &number)
{
    return {.text = QStringLiteral("Próbka o numerze: ") + number +
                    QStringLiteral(" już istnieje.\r\nPopraw nr próbki!"),
            .style = ui::vbExclamation,
            .title = CheckTitle,
            .focus = QStringLiteral("TextNrProbki"),
            .check = 14};
}

std::optional<Refusal> SampleValidator::Check(const SampleFrameValues &v,
                                              const std::optional<Numbers> &loaded,
                                              const Lookups &lookups)
{
    if (v.carcass.isEmpty())
        return plain(1, QStringLiteral("Wprowadź numer tuszy!"), "TextNrProbki");
    if (v.tray.isEmpty())
        return plain(2, QStringLiteral("Wprowadź numer Tacy!"), "TextNrTacy");
    if (!Integer(v.tray))
        return plain(3, QStringLiteral("Nieprawidłowy nr tacy. Popraw!"), "TextNrTacy");
    if (v.codeNumber.isEmpty())
        return plain(4, QStringLiteral("Wprowadź numer próbki!"), "TextIDProbkiNr");
    if (v.codeDate.isEmpty())
        return plain(5, QStringLiteral("Wprowadź poprawny numer tuszy!"), "TextIDProbkiData");
    if (TrimBlanks(v.species).isEmpty())
        return info(6, QStringLiteral("Wybierz gatunek!"), "ComboGatunek");
    if (TrimBlanks(v.sex).isEmpty())
        return info(7, QStringLiteral("Wybierz płeć!"), "ComboPlec");
    if (TrimBlanks(v.tissue).isEmpty())
        return info(8, QStringLiteral("Wybierz materiał badany!"), "ComboTkanka");
    if (v.description.size() > MaxDescription)
        return plain(
            9,
            QStringLiteral("Opis i stan próbki w chwili przyjęcia nie może być dłuższy niż "
                           "30 znaków! Popraw!"),
            "ComboOpis");
    const std::optional<qint64> daily = Integer(v.daily);
    if (!daily)
        return plain(10, QStringLiteral("Nieprawidłowy numer dzienny. Popraw!"), "TextNrDzien");
    if ((!loaded || changed(v.daily, loaded->daily)) && lookups.dailyTaken(*daily))
        return DailyTaken(TrimBlanks(v.daily));
    const std::optional<qint64> general = LongInteger(v.general);
    if (!general)
        return plain(12, QStringLiteral("Nieprawidłowy numer ogólny. Popraw!"), "TextNrOgolny");
    if ((!loaded || changed(v.general, loaded->general)) && lookups.generalTaken(*general))
        return GeneralTaken(TrimBlanks(v.general));
    // A carcass number that is not a whole number is refused by the save
    // after these checks, before anything is written.
    const std::optional<qint64> carcass = Integer(v.carcass);
    if ((!loaded || changed(v.carcass, loaded->carcass)) && carcass &&
        lookups.carcassTaken(*carcass))
        return CarcassTaken(TrimBlanks(v.carcass));
    return std::nullopt;
}
