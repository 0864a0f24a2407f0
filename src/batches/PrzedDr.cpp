#include "batches/PrzedDr.h"

#include "batches/FormSeriaTest.h"
#include "foundation/FormDrukRap.h"
#include "foundation/Globals.h"
#include "foundation/Messages.h"
#include "foundation/RecordsetProcedures.h"
#include "foundation/TextProcedures.h"
#include "platform/db/SqlText.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/ShowModal.h"
#include "registers/ClientStore.h"

#include <QLineEdit>

namespace
{

const QString PrintCaption = QStringLiteral("Drukowanie");
const QChar CR = QLatin1Char('\r');

dao::Recordset FirstRowOf(dao::Database db, const QString &table, const QString &keyField,
                          const QString &key)
{
    return db.OpenRecordset(QStringLiteral("SELECT * FROM ") + table + QStringLiteral(" WHERE ") +
                            keyField + QStringLiteral(" = ") + dao::SqlText(key));
}

// The client's name, CR, then the address in one line; empty for an unknown
// client.
QString EstablishmentText(const QString &wni)
{
    const std::optional<Client> z = ClientStore::Find(StaleDb, wni);
    if (!z)
        return {};
    return z->Nazwa + CR + z->Miejscowosc + u' ' + z->Ulica + QStringLiteral(", ") +
           z->KodPocztowy + u' ' + z->Miasto;
}

// A short name such as "PIW" says nothing without its town.
QString InspectorateText(const dao::Recordset &p)
{
    QString name = FieldText(p, "Nazwa");
    if (TrimBlanks(name).size() <= 3)
        name += u' ' + FieldText(p, "Miasto");
    return name + QStringLiteral(", ") + FieldText(p, "Ulica") + QStringLiteral(", ") +
           FieldText(p, "KodPocztowy") + u' ' + FieldText(p, "Miasto");
}

QString LookupText(const QString &table, const QString &keyField, const QString &key,
                   QString (*text)(const dao::Recordset &))
{
    dao::Recordset rs = FirstRowOf(StaleDb, table, keyField, key);
    const QString result = rs.RecordCount() > 0 ? text(rs) : QString();
    rs.Close();
    return result;
}

QString OrderingPartyText(const dao::Recordset &batch)
{
    const QString key = FieldText(batch, "ZleceniodawcaWNI");
    if (FieldText(batch, "ZleceniodawcaTypWNI") == QLatin1String("PIW"))
        return LookupText(QStringLiteral("PIW"), QStringLiteral("IdPIW"), key, InspectorateText);
    return EstablishmentText(key);
}

QString InspectorateLine(const dao::Recordset &p)
{
    return FieldText(p, "IDPIW") + QStringLiteral(" - ") + FieldText(p, "Nazwa") + u' ' +
           FieldText(p, "Miasto");
}

// The county inspectorate that receives the result: by the county code, the
// first four characters of the establishment number, as the result send finds it.
QString CountyInspectorateText(const dao::Recordset &batch)
{
    const QString county = TrimBlanks(FieldText(batch, "WNI")).left(4);
    return LookupText(QStringLiteral("PIW"), QStringLiteral("IDPIW"), county, InspectorateLine);
}

QString SheetNumber(const dao::Recordset &batch)
{
    const dao::Variant delivered = batch(QStringLiteral("DataDoLab")).Value();
    const QString year =
        dao::IsNull(delivered) ? QString() : delivered.toDate().toString(QStringLiteral("yyyy"));
    return FieldText(batch, "Partia") + u'/' + FieldText(batch, "IlProbek") + u'/' + year;
}

void CopyDates(const dao::Recordset &batch, dao::Recordset &w)
{
    w(QStringLiteral("DataGodzUboju")) = batch(QStringLiteral("DataUboju")).Value();
    w(QStringLiteral("DataGodzDoLab")) = batch(QStringLiteral("DataDoLab")).Value();
    w(QStringLiteral("DataGodzRozpBad")) = batch(QStringLiteral("DataRozpBad")).Value();
    w(QStringLiteral("DataGodzZakBad")) = batch(QStringLiteral("DataZakBad")).Value();
}

void WriteParties(const dao::Recordset &batch, dao::Recordset &w)
{
    const QString orderingParty = OrderingPartyText(batch);
    QString owner = EstablishmentText(FieldText(batch, "WNI"));
    QString payer = FieldText(batch, "Platnik") == QLatin1String("Z") ? orderingParty : owner;
    // "j.w." under an empty line would refer to nothing.
    if (!orderingParty.isEmpty() && orderingParty == owner && owner == payer)
        owner = payer = QStringLiteral("j.w.");
    w(QStringLiteral("Zleceniodawca")) = orderingParty;
    w(QStringLiteral("Wlasciciel")) = owner;
    w(QStringLiteral("Platnik")) = payer;
}

// A step of the print that reports its own failure; false ends the print.
template <class Step> bool Reported(Step step)
{
    try {
        step();
        return true;
    } catch (const RuntimeError &error) {
        ShowError(PrintCaption, error);
        return false;
    }
}

bool PrintSettingsConfirmed(const QString &inspectorate)
{
    return FormSeriaTest::Confirm(inspectorate);
}

} // namespace

void EnsureOneRow(dao::Database db, const QString &table)
{
    dao::Recordset rs = db.OpenRecordset(QStringLiteral("SELECT * FROM ") + table);
    if (rs.RecordCount() != 1) {
        DeleteAllRecords(rs);
        rs.AddNew();
        rs.Update();
    }
    rs.Close();
}

QString FillWynikTMP(const dao::Recordset &batch)
{
    EnsureOneRow(RobotDb, QStringLiteral("WynikTMP"));
    dao::Recordset w = RobotDb.OpenRecordset(QStringLiteral("SELECT * FROM WynikTMP"));
    w.MoveFirst();
    w.Edit();
    const QString inspectorate = CountyInspectorateText(batch);
    w(QStringLiteral("Numer")) = SheetNumber(batch);
    w(QStringLiteral("PIW")) = inspectorate;
    CopyDates(batch, w);
    WriteParties(batch, w);
    w.Update();
    w.Close();
    return inspectorate;
}

std::optional<QString> StageBatchResult(const dao::Recordset &batch)
{
    QString inspectorate;
    const bool staged = StagePrint([&] {
        const QString batchNumber = FieldText(batch, "Partia");
        CzyscPrzedDr({"Partia", "Badanie", "NazwaTmp"});
        CopyStaged(
            PrzedDrCopy(QStringLiteral("Partia"), QStringLiteral("Partia"), batchNumber, false));
        CopyStaged(
            PrzedDrCopy(QStringLiteral("Badanie"), QStringLiteral("Partia"), batchNumber, true));
        inspectorate = FillWynikTMP(batch);
    });
    if (!staged)
        return std::nullopt;
    TouchTables(RobotDb, {"Partia", "Badanie", "WynikTMP", "SeriaTest"});
    return inspectorate;
}

void PrintBatchResult(const dao::Recordset &batches)
{
    if (!batches.IsOpen() || batches.RecordCount() < 1) {
        ui::MsgBox(QStringLiteral("Brak danych do wydruku!"), ui::vbExclamation,
                   QStringLiteral("DRUKOWANIE"));
        return;
    }
    const std::optional<QString> inspectorate = StageBatchResult(batches);
    if (!inspectorate || !PrintSettingsConfirmed(*inspectorate))
        return;
    Reported([&] {
        const QString batchNumber = FieldText(batches, "Partia");
        FormDrukRap::OpenResult(ReportFolder + QStringLiteral("wyniki.rpt"),
                                QStringLiteral(" {Partia.Partia} = ") + batchNumber, PrintCaption,
                                batches);
    });
}
