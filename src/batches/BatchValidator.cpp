#include "batches/BatchValidator.h"

#include "foundation/TextProcedures.h"
#include "platform/db/SqlText.h"
#include "platform/ui/MsgBox.h"

#include <QRegularExpression>

#include <limits>

namespace
{

const QString InfoTitle = QStringLiteral("INFORMACJA");

Refusal plain(const QString &text, const QString &focus)
{
    return {text, ui::vbOKOnly, QString(), focus, false};
}

Refusal info(const QString &text, const QString &focus)
{
    return {text, ui::vbInformation, InfoTitle, focus, false};
}

bool isDate(const QString &text)
{
    return BatchValidator::DateOf(text).has_value();
}

// Checks 13 to 15: a pair is compared only when both boxes hold dates.
bool laterThan(const QString &first, const QString &second)
{
    const std::optional<QDate> a = BatchValidator::DateOf(first);
    const std::optional<QDate> b = BatchValidator::DateOf(second);
    return a && b && *a > *b;
}

std::optional<Refusal> checkEstablishment(const BatchFrameValues &v,
                                          const BatchValidator::EstablishmentCheck &lookup)
{
    const QString identifier = TrimBlanks(v.establishment);
    switch (lookup(identifier)) {
    case ClientLookup::Outcome::TableEmpty:
        return plain(QStringLiteral("Brak danych o zakładzie. Uzupełnij dane o zakładach!"),
                     QString());
    case ClientLookup::Outcome::NotFound:
        return Refusal{
            QStringLiteral("W bazie danych brak zdefiniowanego zakładu: ") + identifier +
                QStringLiteral(".\r\nDopisz zakład (menu Definicje->Zakład) a następnie Zapisz "
                               "lub Wczytaj plik ponownie!"),
            ui::vbOKCancel | ui::vbExclamation, QStringLiteral("Uwaga!"),
            QStringLiteral("TextZaklad"), true};
    case ClientLookup::Outcome::Found:
        break;
    }
    return std::nullopt;
}

// Checks 3 to 12, after the owner was found.
std::optional<Refusal> checkRequired(const BatchFrameValues &v)
{
    if (!BatchValidator::NumberOf(v.batchNumber))
        return plain(QStringLiteral("Nieprawidłowy numer partii. Popraw!"),
                     QStringLiteral("TextNrPartii"));
    if (v.establishment.isEmpty())
        return plain(QStringLiteral("Wprowadź poprawny numer zakładu!"),
                     QStringLiteral("TextZaklad"));
    // The code is stored trimmed, so the four characters are counted trimmed.
    if (v.countyOrders && TrimBlanks(v.orderingParty).size() != 4)
        return info(QStringLiteral("W przypadku kiedy zleceniodawcą jest powiat,\rdo pola "
                                   "zleceniodawca wprowadź 4 cyfrowy kod PIW!"),
                    QStringLiteral("TextZleceniodawcaWNI"));
    if (v.slaughterDate.isEmpty())
        return info(QStringLiteral("Wybierz datę uboju!"), QStringLiteral("ComDataUboju"));
    if (!isDate(v.slaughterDate))
        return info(QStringLiteral("Popraw datę uboju do formatu dd.mm.rrrr"),
                    QStringLiteral("DTPDataUboju"));
    if (v.samplingDate.isEmpty())
        return info(QStringLiteral("Wybierz datę pobrania!"), QStringLiteral("ComDataPobr"));
    if (!isDate(v.samplingDate))
        return info(QStringLiteral("Popraw datę pobrania do formatu dd.mm.rrrr"),
                    QStringLiteral("TextDataPobr"));
    if (v.countyCode.isEmpty())
        return plain(QStringLiteral("Wprowadź 4-cyfrowy kod powiatu!"),
                     QStringLiteral("TextKodPIW"));
    if (v.samplingPlace.isEmpty())
        return plain(QStringLiteral("Wprowadź miejscowość pobrania!"),
                     QStringLiteral("TextMiejscowoscPobr"));
    if (v.vet.isEmpty())
        return plain(QStringLiteral("Wpisz lub wybierz lekarza pobierającego próbki!"),
                     QStringLiteral("ComboLekarz"));
    return std::nullopt;
}

std::optional<Refusal> checkDateOrder(const BatchFrameValues &v)
{
    if (laterThan(v.deliveryDate, v.startDate))
        return info(QStringLiteral("Data rozpoczęcia badania nie może być wcześniejsza od daty "
                                   "przyjęcia do laboratorium!\rPopraw!"),
                    QString());
    if (laterThan(v.deliveryDate, v.endDate))
        return info(QStringLiteral("Data zakończenia badania nie może być wcześniejsza od daty "
                                   "przyjęcia do laboratorium!\rPopraw!"),
                    QString());
    if (laterThan(v.startDate, v.endDate))
        return info(QStringLiteral("Data zakończenia badania nie może być wcześniejsza od daty "
                                   "rozpoczęcia badania!\rPopraw!"),
                    QString());
    return std::nullopt;
}

} // namespace

std::optional<Refusal> BatchValidator::CheckFrame(const BatchFrameValues &values,
                                                  const EstablishmentCheck &establishment)
{
    if (values.batchNumber.isEmpty())
        return plain(QStringLiteral("Wprowadź numer partii!"), QStringLiteral("TextNrPartii"));
    if (auto fault = checkEstablishment(values, establishment))
        return fault;
    if (auto fault = checkRequired(values))
        return fault;
    return checkDateOrder(values);
}

std::optional<Refusal> BatchValidator::CheckListLengths(const BatchFrameValues &values)
{
    // In the frame's order; the lengths are the columns' sizes.
    const struct {
        const QString &text;
        const char *caption;
        int length;
        const char *box;
    } lists[] = {
        {values.vet, "Pobrał", 50, "ComboLekarz"},
        {values.resultDelivery, "Sposób przekazania wyniku badania", 20, "ComboPrzekazanieWyniku"},
        {values.receivedBy, "Przyjął", 30, "ComboPrzyjal"},
        {values.authorisedBy, "Autoryzował", 30, "ComboAutoryzowal"},
    };
    for (const auto &list : lists) {
        if (list.text.size() > list.length)
            return plain(QStringLiteral("Pole '%1' może mieć najwyżej %2. Popraw!")
                             .arg(QString::fromUtf8(list.caption), CharacterCount(list.length)),
                         QLatin1String(list.box));
    }
    return std::nullopt;
}

std::optional<Refusal> BatchValidator::CheckOptionalDates(const BatchFrameValues &values)
{
    const struct {
        const QString &text;
        const char *message;
        const char *focus;
    } dates[] = {
        {values.deliveryDate, "Popraw datę przyjęcia do formatu dd.mm.rrrr", "DTPDataDoLab"},
        {values.startDate, "Popraw datę rozpoczęcia badania do formatu dd.mm.rrrr",
         "DTPDataRozpBad"},
        {values.endDate, "Popraw datę zakończenia badania do formatu dd.mm.rrrr", "DTPDataZakBad"},
    };
    for (const auto &date : dates) {
        if (!date.text.isEmpty() && !isDate(date.text))
            return info(QString::fromUtf8(date.message), QLatin1String(date.focus));
    }
    return std::nullopt;
}

Refusal BatchValidator::DuplicateNumber(BatchNumber number)
{
    return {QStringLiteral("Partia o numerze: %1 już istnieje.\r\nPopraw nr partii!").arg(number),
            ui::vbExclamation, QString(), QStringLiteral("TextNrPartii"), false};
}

std::optional<BatchNumber> BatchValidator::NumberOf(const QString &text)
{
    static const QRegularExpression number(QStringLiteral("^ *([+-]?[0-9]+) *$"));
    const QRegularExpressionMatch match = number.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    bool ok = false;
    const qlonglong value = match.captured(1).toLongLong(&ok);
    if (!ok || value < std::numeric_limits<qint16>::min() ||
        value > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return BatchNumber(value);
}

std::optional<QDate> BatchValidator::DateOf(const QString &text)
{
    return dao::ParseDateText(text);
}
