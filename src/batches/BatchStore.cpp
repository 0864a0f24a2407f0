#include "batches/BatchStore.h"

#include "batches/BatchValidator.h"
#include "foundation/RecordWrite.h"
#include "foundation/RecordsetProcedures.h"
#include "foundation/TextProcedures.h"
#include "platform/db/DaoError.h"
#include "platform/db/Field.h"
#include "platform/db/SqlText.h"
#include "platform/db/Transaction.h"

namespace
{

// The child tables, in the order the batch's changes reach them.
const char *const ChildTables[] = {"Badanie", "Nastawienie", "PozycjaN"};

// A date box: the day it denotes, Null when it is empty.
dao::Variant dateValue(const QString &text)
{
    const std::optional<QDate> day = BatchValidator::DateOf(text);
    return day ? dao::Variant(*day) : dao::Variant();
}

} // namespace

dao::Recordset BatchStore::OpenList(dao::Database db)
{
    return db.OpenRecordset(QStringLiteral("SELECT * FROM PARTIA ORDER BY PARTIA DESC"));
}

BatchNumber BatchStore::NextBatchNumber(dao::Database db)
{
    dao::Recordset rs = db.OpenRecordset(QStringLiteral("SELECT * FROM Partia ORDER BY Partia"));
    BatchNumber next = 1;
    if (rs.RecordCount() >= 1) {
        rs.MoveLast();
        next = rs(QStringLiteral("Partia")).Value().toLongLong() + 1;
    }
    rs.Close();
    return next;
}

bool BatchStore::NumberTaken(dao::Database db, BatchNumber number,
                             std::optional<dao::Bookmark> except)
{
    dao::Recordset rs = db.OpenRecordset(QStringLiteral("SELECT * FROM Partia WHERE Partia = ") +
                                         QString::number(number));
    bool taken = false;
    while (!taken && !rs.EOF()) {
        taken = !except || !(rs.Bookmark() == *except);
        rs.MoveNext();
    }
    rs.Close();
    return taken;
}

void BatchStore::RenumberChildren(dao::Database db, BatchNumber oldNumber, BatchNumber newNumber)
{
    for (const char *table : ChildTables)
        db.Execute(QStringLiteral("UPDATE %1 SET Partia = %2 WHERE Partia = %3")
                       .arg(QLatin1String(table))
                       .arg(newNumber)
                       .arg(oldNumber));
}

void BatchStore::DeleteChildren(dao::Database db, BatchNumber number)
{
    for (const char *table : ChildTables)
        db.Execute(QStringLiteral("DELETE FROM %1 WHERE Partia = %2")
                       .arg(QLatin1String(table))
                       .arg(number));
}

void BatchStore::Delete(dao::Database db, dao::Recordset &batches)
{
    const dao::Variant number = batches(QStringLiteral("Partia")).Value();
    dao::Transaction transaction(db, dao::Transaction::Immediate);
    if (!dao::IsNull(number))
        DeleteChildren(db, number.toLongLong());
    batches.Delete();
    transaction.Commit();
}

std::variant<Refusal, dao::Bookmark> BatchStore::Save(dao::Recordset &batches,
                                                      const BatchFrameValues &values,
                                                      const std::optional<LoadedRow> &loaded)
{
    const std::optional<BatchNumber> parsed = BatchValidator::NumberOf(values.batchNumber);
    if (!parsed)
        throw dao::Error::Make(dao::err::ConversionError);
    const BatchNumber number = *parsed;
    // The number the corrected batch had when the frame was filled.
    const dao::Variant shownNumber =
        loaded ? loaded->Value(QStringLiteral("Partia")) : dao::Variant();
    const bool numbered = !dao::IsNull(shownNumber);
    const BatchNumber loadedNumber = numbered ? shownNumber.toLongLong() : 0;
    const bool numberChanged = !numbered || loadedNumber != number;
    dao::Database db = batches.Parent();
    dao::Transaction transaction(db, dao::Transaction::Immediate);
    if (numberChanged &&
        NumberTaken(db, number,
                    loaded ? std::optional(loaded->Bookmark()) : std::optional<dao::Bookmark>()))
        return BatchValidator::DuplicateNumber(number);
    if (std::optional<Refusal> fault = BatchValidator::CheckOptionalDates(values))
        return *fault;
    // Last, where a text longer than its column would fail the write.
    if (std::optional<Refusal> fault = BatchValidator::CheckListLengths(values))
        return *fault;
    const dao::Bookmark written =
        WriteLoadedRow(batches, loaded, [&](dao::Recordset &rs) { SetFields(rs, number, values); });
    // The children follow only a batch row that was written.
    if (numbered && loadedNumber != number)
        RenumberChildren(db, loadedNumber, number);
    transaction.Commit();
    return written;
}

BatchFrameValues BatchStore::Values(const dao::Recordset &rs)
{
    const auto text = [&rs](const char *field) { return FieldText(rs, QLatin1String(field)); };
    BatchFrameValues v;
    v.batchNumber = text("Partia");
    v.trays = text("NrTac");
    v.sampleCount = text("IlProbek");
    v.establishment = text("WNI");
    v.establishmentKind = text("TypWNI");
    v.countyCode = text("KodPIW");
    v.samplingPlace = text("MiejscowoscPobr");
    v.vet = text("Pobral");
    v.orderingParty = text("ZleceniodawcaWNI");
    v.countyOrders = text("ZleceniodawcaTypWNI") == QLatin1String("PIW");
    v.orderingPartyPays = text("Platnik") == QLatin1String("Z");
    v.slaughterDate = text("DataUboju");
    v.samplingDate = text("DataPobr");
    v.samplingTime = text("GodzPobr");
    v.deliveryDate = text("DataDoLab");
    v.deliveryTime = text("GodzDoLab");
    v.startDate = text("DataRozpBad");
    v.startTime = text("GodzRozpBad");
    v.endDate = text("DataZakBad");
    v.endTime = text("GodzZakBad");
    v.method = text("Metoda");
    v.receivedBy = text("Przyjal");
    v.authorisedBy = text("Autoryzowal");
    v.resultDelivery = text("PrzekazanieWyniku");
    v.fairCopy = text("Czystopis") == QLatin1String("T");
    v.remarks = text("Uwagi");
    v.deliveredBy = text("Dostarczyl");
    return v;
}

void BatchStore::SetFields(dao::Recordset &rs, BatchNumber number, const BatchFrameValues &v)
{
    rs(QStringLiteral("Partia")) = number;
    rs(QStringLiteral("NrTac")) = v.trays;
    rs(QStringLiteral("IlProbek")) = v.sampleCount;
    rs(QStringLiteral("WNI")) = TrimBlanks(v.establishment);
    rs(QStringLiteral("TypWNI")) = v.establishmentKind;
    rs(QStringLiteral("KodPIW")) = v.countyCode;
    rs(QStringLiteral("MiejscowoscPobr")) = v.samplingPlace;
    rs(QStringLiteral("Pobral")) = v.vet;
    rs(QStringLiteral("ZleceniodawcaWNI")) = TrimBlanks(v.orderingParty);
    rs(QStringLiteral("ZleceniodawcaTypWNI")) =
        v.countyOrders ? dao::Variant(QStringLiteral("PIW")) : dao::Variant();
    rs(QStringLiteral("Platnik")) = v.orderingPartyPays ? QStringLiteral("Z") : QStringLiteral("W");
    rs(QStringLiteral("DataUboju")) = dateValue(v.slaughterDate);
    rs(QStringLiteral("DataPobr")) = dateValue(v.samplingDate);
    rs(QStringLiteral("GodzPobr")) = v.samplingTime;
    rs(QStringLiteral("DataDoLab")) = dateValue(v.deliveryDate);
    rs(QStringLiteral("GodzDoLab")) = v.deliveryTime;
    rs(QStringLiteral("DataRozpBad")) = dateValue(v.startDate);
    rs(QStringLiteral("GodzRozpBad")) = v.startTime;
    rs(QStringLiteral("DataZakBad")) = dateValue(v.endDate);
    rs(QStringLiteral("GodzZakBad")) = v.endTime;
    rs(QStringLiteral("Metoda")) = v.method;
    rs(QStringLiteral("Przyjal")) = v.receivedBy;
    rs(QStringLiteral("Autoryzowal")) = v.authorisedBy;
    rs(QStringLiteral("PrzekazanieWyniku")) = v.resultDelivery;
    rs(QStringLiteral("Czystopis")) = v.fairCopy ? QStringLiteral("T") : QStringLiteral("N");
    rs(QStringLiteral("Uwagi")) = v.remarks;
    rs(QStringLiteral("Dostarczyl")) = v.deliveredBy;
}

QString BatchStore::MethodField(dao::Database db, const QString &code, const QString &field)
{
    dao::Recordset rs = db.OpenRecordset(QStringLiteral("SELECT * FROM Kierunek WHERE Kod = ") +
                                         dao::SqlText(code));
    const QString text =
        rs.RecordCount() > 0 ? ValueText(NullToDefault(rs(field).Value(), QString())) : QString();
    rs.Close();
    return text;
}
