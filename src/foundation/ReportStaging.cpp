#include "foundation/ReportStaging.h"

#include "foundation/Globals.h"
#include "foundation/Messages.h"
#include "foundation/RecordsetProcedures.h"
#include "platform/db/SelectionCopy.h"
#include "platform/db/SqlText.h"
#include "platform/db/Transaction.h"

#include <QSet>

#include <optional>

namespace
{

// Adds the tissue name to NazwaTMP unless it is there already. A sample
// without a tissue adds nothing: an empty line would only pad the list.
void AddTissueName(const QString &name, QSet<QString> &seen)
{
    if (name.isEmpty() || seen.contains(name))
        return;
    seen.insert(name);
    dao::Recordset rs = RobotDb.OpenRecordset(
        QStringLiteral("SELECT * FROM NazwaTMP WHERE Nazwa = ") + dao::SqlText(name));
    if (rs.RecordCount() == 0) {
        rs.AddNew();
        rs(QStringLiteral("Nazwa")) = name;
        rs.Update();
    }
    rs.Close();
}

void CopyFields(const dao::Recordset &source, dao::Recordset &target, bool sharedOnly)
{
    const dao::Fields fields = source.Fields();
    const dao::Fields targetFields = target.Fields();
    for (int i = 0; i < fields.Count(); ++i) {
        const dao::Variant value = fields(i).Value();
        if (dao::IsNull(value) || (sharedOnly && !targetFields.Contains(fields(i).Name())))
            continue;
        target(fields(i).Name()) = value;
    }
}

// A copy with a step of its own for each row goes row by row. Returns the
// number of rows staged.
int CopyRowByRow(const StagingCopy &copy)
{
    QString sql =
        QStringLiteral("SELECT * FROM ") + copy.table + QStringLiteral(" WHERE ") + copy.condition;
    if (!copy.orderBy.isEmpty())
        sql += QStringLiteral(" ORDER BY ") + copy.orderBy;
    dao::Recordset source = MonthDb.OpenRecordset(sql);
    dao::Recordset target = RobotDb.OpenRecordset(QStringLiteral("SELECT * FROM ") + copy.table);
    QSet<QString> tissues;
    int staged = 0;
    if (source.RecordCount() > 0) {
        source.MoveFirst();
        while (!source.EOF()) {
            ++staged;
            target.AddNew();
            CopyFields(source, target, copy.sharedFieldsOnly);
            if (copy.beforeStore)
                copy.beforeStore(source, target);
            target.Update();
            if (copy.collectTissues)
                AddTissueName(FieldText(source, "NazTkanka"), tissues);
            source.MoveNext();
        }
    }
    source.Close();
    target.Close();
    return staged;
}

// The condition that picks the last `staged` rows of the staging table: each
// new row takes the highest rowid plus one.
QString LastRows(const QString &table, int staged)
{
    return QStringLiteral("rowid > (SELECT max(rowid) FROM %1) - %2").arg(table).arg(staged);
}

void SetStaged(const StagingCopy &copy, int staged)
{
    if (copy.setStaged.isEmpty() || staged == 0)
        return;
    RobotDb.Execute(QStringLiteral("UPDATE ") + copy.table + QStringLiteral(" SET ") +
                    copy.setStaged + QStringLiteral(" WHERE ") + LastRows(copy.table, staged));
}

int FieldSize(const QString &table, const QString &field)
{
    return RobotDb.TableDefs()(table).Fields()(field).Size();
}

// The tissue names of the last `staged` rows of the staging table, in the
// order of the rows, as AddTissueName takes them one by one: a name joins
// unless it is empty, or NazwaTMP holds it already in any letter case.
void CollectTissues(const QString &table, int staged)
{
    const int nameSize = FieldSize(QStringLiteral("NazwaTMP"), QStringLiteral("Nazwa"));
    const int tissueSize = FieldSize(table, QStringLiteral("NazTkanka"));
    if (tissueSize == 0 || tissueSize > nameSize) {
        // A name may be too long for NazwaTMP: the field refuses it.
        dao::Recordset rs = RobotDb.OpenRecordset(QStringLiteral("SELECT * FROM ") + table);
        QSet<QString> tissues;
        for (int skipped = rs.RecordCount() - staged; skipped > 0; --skipped)
            rs.MoveNext();
        for (; !rs.EOF(); rs.MoveNext())
            AddTissueName(FieldText(rs, "NazTkanka"), tissues);
        rs.Close();
        return;
    }
    // The staged rows are the last ones. Each name once as it is written,
    // with the row it first appears in: the rows are taken in rowid order and
    // the key keeps the first of them (a look-up per row, no sort of all the
    // rows). Then once in any letter case; min() takes the name of the
    // group's first row with it. The work table stays with the connection and
    // is left empty: made and dropped, it would change the schema, which
    // prepares every statement of the connection again.
    RobotDb.Execute(
        QStringLiteral("CREATE TEMP TABLE IF NOT EXISTS staged_tissue_names (Nazwa TEXT PRIMARY "
                       "KEY, Pierwszy INTEGER) WITHOUT ROWID"));
    RobotDb.Execute(QStringLiteral("DELETE FROM temp.staged_tissue_names"));
    RobotDb.Execute(QStringLiteral("INSERT OR IGNORE INTO temp.staged_tissue_names (Nazwa, "
                                   "Pierwszy) SELECT NazTkanka, rowid FROM %1 WHERE %2 AND "
                                   "length(NazTkanka) > 0 ORDER BY rowid")
                        .arg(table, LastRows(table, staged)));
    RobotDb.Execute(QStringLiteral(
        "INSERT INTO NazwaTMP (Nazwa) SELECT Nazwa FROM (SELECT Nazwa, min(Pierwszy) AS Pierwszy "
        "FROM temp.staged_tissue_names AS Names WHERE NOT EXISTS (SELECT 1 FROM NazwaTMP WHERE "
        "NazwaTMP.Nazwa = Names.Nazwa) GROUP BY Nazwa COLLATE PL_CI) ORDER BY Pierwszy"));
    RobotDb.Execute(QStringLiteral("DELETE FROM temp.staged_tissue_names"));
}

// The staging copies that every print empties and refills. Only reports read
// them and no user's list acts on their rows, so their rows need no lasting
// identity: emptying them is one truncation and a copy keeps the rowids
// SQLite gives. WynikTMP and SeriaTest keep theirs: the print settings
// window edits them.
void DeclareStagingCopies()
{
    RobotDb.SetScratchTables({QStringLiteral("Partia"), QStringLiteral("Badanie"),
                              QStringLiteral("NazwaTMP"), QStringLiteral("Nastawienie"),
                              QStringLiteral("PozycjaN")});
}

// The attachment of the StagingMonth alive, if any.
dao::AttachedDatabase *attachedMonth = nullptr;
// Why the StagingMonth alive could not attach the month file, when another
// workstation holds it.
std::optional<RuntimeError> lockedMonth;

void CopyRows(const StagingCopy &copy)
{
    if (lockedMonth)
        throw *lockedMonth;
    DeclareStagingCopies();
    // The month file is attached outside any transaction of RobotDb, so that
    // it can be detached again when the copy's transaction has ended: inside
    // one, only the attachment of a StagingMonth made before it serves.
    if (copy.beforeStore || (!attachedMonth && RobotDb.InTransaction())) {
        dao::Transaction transaction(RobotDb);
        SetStaged(copy, CopyRowByRow(copy));
        transaction.Commit();
        return;
    }
    std::optional<dao::AttachedDatabase> own;
    dao::AttachedDatabase &month = attachedMonth ? *attachedMonth : own.emplace(RobotDb, MonthDb);
    dao::Transaction transaction(RobotDb);
    const int staged =
        month.CopyRows({copy.table, copy.condition, copy.orderBy, copy.sharedFieldsOnly});
    SetStaged(copy, staged);
    if (copy.collectTissues && staged > 0)
        CollectTissues(copy.table, staged);
    transaction.Commit();
}

} // namespace

StagingMonth::StagingMonth()
{
    // One already alive serves this print too.
    if (attachedMonth || RobotDb.InTransaction())
        return;
    try {
        month_ = std::make_unique<dao::AttachedDatabase>(RobotDb, MonthDb);
    } catch (const RuntimeError &error) {
        // A month file held by another workstation fails the first copy at
        // once: attaching it again would wait for the same lock once more.
        if (LockedElsewhere(error)) {
            lockedMonth = error;
            locked_ = true;
        }
        // Each copy attaches the file itself and reports what fails.
        return;
    }
    attachedMonth = month_.get();
}

StagingMonth::~StagingMonth()
{
    if (month_)
        attachedMonth = nullptr;
    if (locked_)
        lockedMonth.reset();
}

bool StageRows(const StagingCopy &copy)
{
    try {
        CopyRows(copy);
        return true;
    } catch (const RuntimeError &error) {
        ShowError(QStringLiteral("Drukowanie") + copy.table, error);
        return false;
    }
}

void CopyStaged(const StagingCopy &copy)
{
    try {
        CopyRows(copy);
    } catch (const StagingFailure &) {
        throw;
    } catch (const RuntimeError &error) {
        throw StagingFailure(QStringLiteral("Drukowanie") + copy.table, error);
    }
}

bool StagePrint(const std::function<void()> &steps)
{
    std::optional<StagingFailure> failure;
    try {
        // Attached before the transaction begins and detached after it ends.
        const StagingMonth month;
        dao::Transaction transaction(RobotDb);
        steps();
        transaction.Commit();
    } catch (const StagingFailure &error) {
        failure = error;
    } catch (const RuntimeError &error) {
        failure.emplace(QStringLiteral("Drukowanie"), error);
    }
    if (!failure)
        return true;
    ShowError(failure->Caption(), *failure);
    return false;
}

void CzyscPrzedDr(const QString &table)
{
    // Opened first so that a missing table is refused as a recordset refuses
    // it; then one statement empties the table.
    dao::Recordset rs = RobotDb.OpenRecordset(QStringLiteral("SELECT * FROM ") + table +
                                              QStringLiteral(" WHERE 0 = 1"));
    rs.Close();
    DeclareStagingCopies();
    RobotDb.Execute(QStringLiteral("DELETE FROM ") + table);
}

void CzyscPrzedDr(std::initializer_list<const char *> tables)
{
    // A missing table is refused by the statement as a recordset refuses it.
    DeclareStagingCopies();
    dao::Transaction transaction(RobotDb);
    for (const char *table : tables)
        RobotDb.Execute(QStringLiteral("DELETE FROM ") + QLatin1String(table));
    transaction.Commit();
}

StagingCopy PrzedDrCopy(const QString &table, const QString &keyField, const QString &keyValue,
                        bool tissueFlag)
{
    StagingCopy copy;
    copy.table = table;
    copy.condition = keyField + QStringLiteral(" = ") + keyValue;
    if (tissueFlag)
        copy.orderBy = QStringLiteral("NrDzien");
    copy.collectTissues = tissueFlag;
    return copy;
}

bool PrzedDr(const QString &table, const QString &keyField, const QString &keyValue,
             bool tissueFlag)
{
    return StageRows(PrzedDrCopy(table, keyField, keyValue, tissueFlag));
}
