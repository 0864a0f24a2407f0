#include "samples/SampleStore.h"

#include "foundation/RecordWrite.h"
#include "foundation/RecordsetProcedures.h"
#include "foundation/ResultWords.h"
#include "foundation/TextProcedures.h"
#include "platform/db/DaoError.h"
#include "platform/db/Field.h"
#include "platform/db/SqlText.h"
#include "platform/db/Transaction.h"
#include "samples/SampleNumbering.h"

#include <QHash>

#include <limits>

namespace
{

// The caption under which the sample frame shows a text column.
QString caption(const QString &column)
{
    static const QHash<QString, QString> captions{
        {QStringLiteral("IDProbkiWNI"), QStringLiteral("Kod próbki")},
        {QStringLiteral("IDProbkiNr"), QStringLiteral("Kod próbki")},
        {QStringLiteral("IDProbkiData"), QStringLiteral("Kod próbki")},
        {QStringLiteral("IDProbki"), QStringLiteral("Kod próbki")},
        {QStringLiteral("NazTkanka"), QStringLiteral("Rodzaj materiału")},
        {QStringLiteral("Gatunek"), QStringLiteral("Gatunek")},
        {QStringLiteral("Plec"), QStringLiteral("Płeć")},
        {QStringLiteral("Wynik"), QStringLiteral("Wynik")},
        {QStringLiteral("Opis"), QStringLiteral("Opis i stan próbki w chwili przyjęcia")}};
    return captions.value(column, column);
}

} // namespace

QString SampleStore::BatchSource(BatchNumber batch)
{
    return QStringLiteral("SELECT * FROM BADANIE WHERE PARTIA = ") + QString::number(batch) +
           QStringLiteral(" ORDER BY PARTIA, NrProbki");
}

dao::Recordset SampleStore::OpenBatch(dao::Database db, BatchNumber batch)
{
    return db.OpenRecordset(BatchSource(batch));
}

SampleStore::BatchFacts SampleStore::Batch(dao::Database db, BatchNumber batch)
{
    BatchFacts facts;
    dao::Recordset rs = db.OpenRecordset(QStringLiteral("SELECT * FROM Partia WHERE Partia = ") +
                                         QString::number(batch));
    if (rs.RecordCount() > 0) {
        facts.wni = ValueText(rs(QStringLiteral("WNI")).Value());
        const dao::Variant day = rs(QStringLiteral("DataPobr")).Value();
        if (!dao::IsNull(day))
            facts.samplingDate = day.toDate();
    }
    rs.Close();
    return facts;
}

QDate SampleStore::DeliveryDay(const QDate &day)
{
    if (!day.isValid())
        throw dao::Error::Make(dao::err::ConversionError);
    return day;
}

QString SampleStore::SampleId(const QVariant &wni, const QVariant &number, const QVariant &date)
{
    return ValueText(wni) + ValueText(number) + ValueText(date);
}

std::variant<Refusal, dao::Bookmark> SampleStore::Save(dao::Recordset &rs,
                                                       const SampleFrameValues &values,
                                                       const std::optional<LoadedRow> &loaded,
                                                       const Target &target)
{
    std::optional<SampleValidator::Numbers> loadedNumbers;
    if (loaded) {
        const auto text = [&loaded](const char *field) {
            return ValueText(NullToDefault(loaded->Value(QLatin1String(field)), QString()));
        };
        loadedNumbers =
            SampleValidator::Numbers{text("NrProbki"), text("NrDzien"), text("NrOgolny")};
    }
    dao::Database db = rs.Parent();
    dao::Transaction transaction(db, dao::Transaction::Immediate);
    const SampleValidator::Lookups lookups{
        [&](qint64 daily) {
            return SampleNumbering::DailyTaken(db, DeliveryDay(target.deliveryDate), daily);
        },
        [&](qint64 general) { return SampleNumbering::GeneralTaken(db, general); },
        [&](qint64 carcass) { return SampleNumbering::CarcassTaken(db, target.batch, carcass); }};
    if (std::optional<Refusal> fault = SampleValidator::Check(values, loadedNumbers, lookups))
        return *fault;
    // Refused before a row is started: the number stored is the one checked.
    CarcassNumber(values.carcass);
    const dao::Bookmark written =
        WriteLoadedRow(rs, loaded, [&](dao::Recordset &row) { SetFields(row, values, target); });
    transaction.Commit();
    return written;
}

void SampleStore::DeleteListed(dao::Recordset &list)
{
    list.Delete();
}

SampleFrameValues SampleStore::Values(const dao::Recordset &rs)
{
    const auto text = [&rs](const char *field) { return FieldText(rs, QLatin1String(field)); };
    SampleFrameValues v;
    v.carcass = text("NrProbki");
    v.tray = text("NrTacy");
    v.codeWni = text("IDProbkiWNI");
    v.codeNumber = text("IDProbkiNr");
    v.codeDate = text("IDProbkiData");
    v.tissue = text("NazTkanka");
    v.species = text("Gatunek");
    v.sex = text("Plec");
    v.daily = text("NrDzien");
    v.general = text("NrOgolny");
    v.result = text("Wynik");
    v.description = text("Opis");
    v.remarks = text("Uwagi");
    return v;
}

void SampleStore::SetFields(dao::Recordset &rs, const SampleFrameValues &v, const Target &target)
{
    rs(QStringLiteral("Partia")) = target.batch;
    rs(QStringLiteral("NrProbki")) = int(CarcassNumber(v.carcass));
    rs(QStringLiteral("NrTacy")) = TrimBlanks(v.tray);
    SetField(rs, QStringLiteral("IDProbkiWNI"), v.codeWni);
    SetField(rs, QStringLiteral("IDProbkiNr"), v.codeNumber);
    SetField(rs, QStringLiteral("IDProbkiData"), v.codeDate);
    SetField(rs, QStringLiteral("NazTkanka"), v.tissue);
    SetField(rs, QStringLiteral("Gatunek"), v.species);
    SetField(rs, QStringLiteral("Plec"), v.sex);
    rs(QStringLiteral("NrDzien")) = v.daily;
    rs(QStringLiteral("NrOgolny")) = v.general;
    SetField(rs, QStringLiteral("Wynik"), v.result);
    SetField(rs, QStringLiteral("Opis"), v.description);
    rs(QStringLiteral("DataDoLab")) = target.deliveryDate;
    rs(QStringLiteral("Uwagi")) = v.remarks;
    SetField(rs, QStringLiteral("IDProbki"), SampleId(v.codeWni, v.codeNumber, v.codeDate));
}

qint16 SampleStore::CarcassNumber(const QString &text)
{
    if (const std::optional<qint64> number = SampleValidator::Integer(text))
        return qint16(*number);
    const bool whole = SampleValidator::WholeNumber(text, std::numeric_limits<qint64>::min(),
                                                    std::numeric_limits<qint64>::max())
                           .has_value();
    const int number = whole ? dao::err::Overflow : dao::err::ConversionError;
    throw dao::Error(number, dao::Error::DescriptionOf(number) +
                                 QStringLiteral(" Nr tuszy musi być liczbą całkowitą od %1 do "
                                                "%2: \"%3\".")
                                     .arg(std::numeric_limits<qint16>::min())
                                     .arg(std::numeric_limits<qint16>::max())
                                     .arg(text));
}

void SampleStore::SetField(dao::Recordset &rs, const QString &column, const QVariant &value)
{
    dao::Field field = rs(column);
    try {
        field = value;
    } catch (const RuntimeError &error) {
        if (error.Number() != dao::err::FieldTooSmall)
            throw;
        throw dao::Error(error.Number(),
                         error.Description() +
                             QStringLiteral(" Pole \"%1\" mieści najwyżej %2.")
                                 .arg(caption(column), CharacterCount(field.Size())));
    }
}

std::optional<dao::Bookmark> SampleStore::FillDescription(dao::Recordset &rs, const QString &text)
{
    std::optional<dao::Bookmark> last;
    if (rs.RecordCount() == 0)
        return last;
    rs.MoveFirst();
    while (!rs.EOF()) {
        rs.Edit();
        rs(QStringLiteral("Opis")) = text;
        rs.Update();
        last = rs.Bookmark();
        rs.MoveNext();
    }
    return last;
}

std::optional<dao::Bookmark>
SampleStore::FillNegative(dao::Recordset &rs,
                          const std::function<bool(const QString &general)> &replaceWithdrawn)
{
    std::optional<dao::Bookmark> last;
    if (rs.RecordCount() == 0)
        return last;
    rs.MoveFirst();
    while (!rs.EOF()) {
        const bool withdrawn =
            ValueText(rs(QStringLiteral("Wynik")).Value()) == ResultWords::Withdrawn;
        if (!withdrawn || replaceWithdrawn(ValueText(rs(QStringLiteral("NrOgolny")).Value()))) {
            rs.Edit();
            rs(QStringLiteral("Wynik")) = ResultWords::NotFound;
            rs.Update();
            last = rs.Bookmark();
        }
        rs.MoveNext();
    }
    return last;
}
