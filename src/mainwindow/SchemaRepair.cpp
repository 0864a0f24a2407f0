#include "mainwindow/SchemaRepair.h"

#include "foundation/Globals.h"
#include "foundation/Messages.h"
#include "foundation/Schema.h"
#include "mainwindow/MonthDatabase.h"
#include "platform/db/DBEngine.h"
#include "platform/db/DaoError.h"
#include "platform/db/SqlText.h"
#include "platform/db/Transaction.h"

namespace
{

const QString TempColumn = QStringLiteral("TabelaTMP");
const QString StartupCaption = QStringLiteral("ŁADOWANIE PROGRAMU");

struct MonthColumn {
    const char *table;
    const char *column;
};

// The columns an older month database may lack, in the order they are added:
// first those of earlier versions, then those the present version reads.
constexpr MonthColumn MonthColumns[] = {
    {"Partia", "Dostarczyl"},
    {"Nastawienie", "TemperaturaMax"},
    {"Nastawienie", "CzasSedymentacji1"},
    {"Nastawienie", "CzasSedymentacji2"},
    {"Nastawienie", "Sito"},
    {"Nastawienie", "Wykonujacy"},
    {"Nastawienie", "Odpowiedzialny"},
    {"Partia", "TNWyslane"},
    {"Partia", "GodzUboju"},
    {"Partia", "KodZakladu"},
    {"Badanie", "IDProbki"},
    {"Badanie", "NrKolczyka"},
    {"Badanie", "Wiek"},
    {"Badanie", "Jakosc"},
    {"Badanie", "RodzajUboju"},
};

void RepairMonthColumn(dao::Database &db, const TableSpec &table, const QString &column)
{
    const FieldSpec *field = table.Field(column);
    if (field)
        SprBrakKol(db, table.name, field->name, field->type, field->AllowZeroLength(), field->size);
}

// The materials table: made when missing, else given its missing columns.
void RepairMaterialsTable(dao::Database &db)
{
    const TableSpec *materials = Schema::Table(Schema::Month, QStringLiteral("zuzyte"));
    if (!materials)
        return;
    try {
        if (!db.TableDefs().Contains(materials->name)) {
            CreateTableZuzyte(db.Name(), materials->name);
            return;
        }
    } catch (const RuntimeError &error) {
        ShowError(QStringLiteral("SprBrakKol"), error);
        return;
    }
    for (const FieldSpec &field : materials->fields)
        RepairMonthColumn(db, *materials, field.name);
}

void OpenAndClose(const QString &table)
{
    StaleDb.OpenRecordset(QStringLiteral("SELECT * FROM ") + table).Close();
}

// Makes sure the dictionary table exists, building it with `builder` when it
// does not. False when the repair must stop here.
bool EnsureStaleTable(const QString &table, bool (*builder)(const QString &, const QString &))
{
    try {
        OpenAndClose(table);
        return true;
    } catch (const RuntimeError &error) {
        if (error.Number() != dao::err::TableNotFound) {
            ShowError(StartupCaption, error);
            return false;
        }
    }
    if (!builder(StaleDb.Name(), table))
        return false;
    try {
        OpenAndClose(table);
        return true;
    } catch (const RuntimeError &error) {
        ShowError(StartupCaption, error);
    }
    return false;
}

void CopyColumn(dao::Database &db, const QString &table, const QString &from, const QString &to)
{
    db.Execute(QStringLiteral("UPDATE ") + table + QStringLiteral(" SET ") + to +
               QStringLiteral(" = ") + from + QLatin1Char(';'));
}

void AppendColumn(dao::Database &db, const QString &table, const QString &column,
                  dao::DataTypeEnum type, bool allowZeroLength, int size)
{
    dao::TableDef definition = db.TableDefs()(table);
    dao::Field field = definition.CreateField(column, type, size);
    if (allowZeroLength)
        field.setAllowZeroLength(true);
    definition.Fields().Append(field);
}

// Renames the first row of the sexes dictionary that has `oldName`.
void RenameFirstSex(const QString &oldName, const QString &newName)
{
    dao::Recordset rs = StaleDb.OpenRecordset(
        QStringLiteral("SELECT * FROM Plec Where NazPlec = ") + dao::SqlText(oldName));
    if (rs.RecordCount() > 0) {
        rs.MoveFirst();
        rs.Edit();
        rs(QStringLiteral("NazPlec")) = newName;
        rs.Update();
    }
    rs.Close();
}

} // namespace

void SprBrakKol(dao::Database &db, const QString &table, const QString &column,
                dao::DataTypeEnum type, bool allowZeroLength, int size)
{
    // The table's definition tells whether the column exists, without reading
    // any row.
    try {
        dao::TableDefs tables = db.TableDefs();
        if (!tables.Contains(table) || tables(table).Fields().Contains(column))
            return;
        dao::Database second = dao::DBEngine::Workspaces(0).OpenDatabase(db.Name());
        AppendColumn(second, table, column, type, allowZeroLength, size);
        second.Close();
    } catch (const RuntimeError &error) {
        ShowError(QStringLiteral("SprBrakKol"), error);
    }
}

void SprBrakKolAll(dao::Database &db)
{
    for (const MonthColumn &entry : MonthColumns) {
        const TableSpec *table = Schema::Table(Schema::Month, QLatin1String(entry.table));
        if (table)
            RepairMonthColumn(db, *table, QLatin1String(entry.column));
    }
    RepairMaterialsTable(db);
}

void AddMonthIndexes(dao::Database &db)
{
    try {
        const dao::TableDefs tables = db.TableDefs();
        dao::Transaction transaction(db);
        for (const TableSpec &table : Schema::Tables(Schema::Month)) {
            if (tables.Contains(table.name))
                Schema::CreateIndexes(db, table);
        }
        transaction.Commit();
    } catch (const RuntimeError &) {
        // The searches find the same rows without the indexes.
    }
}

void ZmienDlugPola(dao::Database &db, const QString &table, const QString &column,
                   dao::DataTypeEnum type, bool allowZeroLength, int newSize,
                   const QString &sqlType)
{
    const QString alter = QStringLiteral("ALTER TABLE ") + table;
    try {
        const dao::Fields fields = db.TableDefs()(table).Fields();
        const bool hasColumn = fields.Contains(column);
        const bool hasTemp = fields.Contains(TempColumn);
        // A column missing beside TabelaTMP is a widening that stopped after
        // the column was dropped: its values are in TabelaTMP and are finished
        // from there.
        if (!hasColumn && !hasTemp)
            throw dao::Error::Make(dao::err::ItemNotFound, {column});
        if (hasColumn && fields(column).Size() == newSize)
            return;
        dao::Transaction transaction(db, dao::Transaction::Immediate);
        if (hasColumn) {
            if (hasTemp)
                db.Execute(alter + QStringLiteral(" DROP COLUMN ") + TempColumn + QLatin1Char(';'));
            db.Execute(alter + QStringLiteral(" ADD COLUMN ") + TempColumn + QLatin1Char(' ') +
                       sqlType + QLatin1Char(';'));
            CopyColumn(db, table, column, TempColumn);
            db.Execute(alter + QStringLiteral(" DROP COLUMN ") + column + QLatin1Char(';'));
        }
        AppendColumn(db, table, column, type, allowZeroLength, newSize);
        CopyColumn(db, table, TempColumn, column);
        db.Execute(alter + QStringLiteral(" DROP COLUMN ") + TempColumn + QLatin1Char(';'));
        transaction.Commit();
    } catch (const RuntimeError &error) {
        if (error.Number() == dao::err::TooFewParameters)
            return;
        ShowError(QStringLiteral("ZmienDlugPola-") + QString::number(error.Number()) +
                      error.Description(),
                  error);
    }
}

void SprawdzDodajKolumny()
{
    SprBrakKol(StaleDb, QStringLiteral("Podatnik"), QStringLiteral("KodLok2"), dao::dbText, true,
               3);
    // The central-lab code row keeps the service-test code beside the others.
    if (const TableSpec *clab = Schema::Table(Schema::Stale, QStringLiteral("CLab"))) {
        for (const char *column : {"TypBad2", "OpisTypBad2"}) {
            if (const FieldSpec *field = clab->Field(QLatin1String(column)))
                SprBrakKol(StaleDb, clab->name, field->name, field->type, field->AllowZeroLength(),
                           field->size);
        }
    }
    if (!EnsureStaleTable(QStringLiteral("Sito"), CreateTablePodp))
        return;
    if (!EnsureStaleTable(QStringLiteral("Wykonujacy"), CreateTableOsoba))
        return;
    EnsureStaleTable(QStringLiteral("Odpowiedzialny"), CreateTableOsoba);
}

bool CreateTablePodp(const QString &path, const QString &name)
{
    return CreateTableWithFields(
        path, name,
        {{QStringLiteral("ID"), dao::dbText, 5}, {QStringLiteral("Wartosc"), dao::dbText, 30}});
}

bool CreateTableOsoba(const QString &path, const QString &name)
{
    return CreateTableWithFields(
        path, name,
        {{QStringLiteral("Nr"), dao::dbByte, 0}, {QStringLiteral("Nazwa"), dao::dbText, 50}});
}

void PoprawPlec(const QString &newName, const QString &speciesId, const QString &oldName)
{
    Q_UNUSED(speciesId);
    RenameFirstSex(QStringLiteral("Wałah"), QStringLiteral("Wałach"));
    RenameFirstSex(oldName, newName);
}
