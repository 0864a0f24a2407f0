#include "mainwindow/MonthDatabase.h"

#include "foundation/Globals.h"
#include "foundation/Messages.h"
#include "mainwindow/SchemaRepair.h"
#include "platform/db/DBEngine.h"
#include "platform/db/DaoError.h"
#include "platform/fs/DriveMap.h"
#include "platform/fs/FileSystemObject.h"
#include "platform/ui/MsgBox.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QUuid>

namespace
{

using fs::FileSystemObject;

const QString InfoCaption = QStringLiteral("INFORMACJA");
const QString ResultColumn = QStringLiteral("Wynik");
constexpr int ResultWidth = 15;

// The databases are named by their Windows paths; the drive map finds them.
dao::Database OpenFile(const QString &path)
{
    return dao::DBEngine::Workspaces(0).OpenDatabase(fs::DriveMap::ToReal(path));
}

void ShowErrorBox(const RuntimeError &error)
{
    ui::MsgBox(QString::number(error.Number()) + error.Description());
}

void ShowBuildFailed(const QString &path)
{
    ui::MsgBox(QStringLiteral("Tworzenie nowej bazy ") + path +
               QStringLiteral(" nie powiodło się! Usuwam zbędne informacje!"));
}

void ShowAlreadyExists(const QString &path)
{
    ui::MsgBox(path + QStringLiteral(" już istnieje! Skontaktuj się z programistą!"));
}

// A name in the month's folder that no other attempt, on this or another
// workstation, will use, and that the backup's "*.mdb" does not take.
QString WorkPathFor(const QString &path)
{
    const QString folder = FileSystemObject::GetParentFolderName(path);
    const QString unique = QUuid::createUuid().toString(QUuid::Id128).left(12);
    return FileSystemObject::BuildPath(folder,
                                       QStringLiteral("~") + FileSystemObject::GetFileName(path) +
                                           QLatin1Char('.') + unique + QStringLiteral(".tmp"));
}

void DeleteWorkFile(const QString &workPath)
{
    try {
        if (FileSystemObject::FileExists(workPath))
            FileSystemObject::DeleteFile(workPath);
    } catch (const RuntimeError &) {
        // A leftover work file is harmless: nothing opens it.
    }
}

// Gives the finished work file the month database's name, never replacing a
// file of that name. A month database that another workstation put in place
// meanwhile is that month's database: this work file is dropped and the other
// one is used, as if this workstation had made it.
bool PutInPlace(const QString &workPath, const QString &path)
{
    try {
        if (!FileSystemObject::MoveFileNoReplace(workPath, path))
            DeleteWorkFile(workPath);
        return true;
    } catch (const RuntimeError &error) {
        ShowErrorBox(error);
        ShowBuildFailed(path);
    }
    return false;
}

// Work files and their journals that an interrupted building left in the
// month's folder. A building takes a moment, so a work file untouched for
// longer belongs to no building that is still running on any workstation.
// The listing is only a list of names: a name whose time cannot be read went
// away after the listing, such as the journal that another workstation's
// building deletes at the end of each table and makes anew for the next one.
// Such a name is left alone, because the file that holds it by the time of
// the removal may be that building's live journal, and deleting a live
// journal fails its commit with a disk error.
void RemoveLeftoverWorkFiles(const QString &path)
{
    constexpr qint64 StaleAfterSeconds = 10 * 60;
    const QDir folder(fs::DriveMap::ToReal(FileSystemObject::GetParentFolderName(path)));
    const QString stem = QStringLiteral("~") + FileSystemObject::GetFileName(path) + u'.';
    const QStringList patterns{stem + QStringLiteral("*.tmp"),
                               stem + QStringLiteral("*.tmp-journal")};
    const QDateTime before = QDateTime::currentDateTime().addSecs(-StaleAfterSeconds);
    for (const QString &name : folder.entryList(patterns, QDir::Files | QDir::Hidden)) {
        const QFileInfo leftover(folder.filePath(name));
        const QDateTime modified = leftover.lastModified();
        if (modified.isValid() && modified < before)
            QFile::remove(leftover.absoluteFilePath());
    }
}

// True when the table's result column holds fewer characters than a result
// may have. Read from the table's definition, so no row is read. A column
// missing beside a TabelaTMP is an earlier widening that stopped half-way.
bool ResultColumnTooNarrow(dao::Database &db, const QString &table)
{
    // A month file without the table gets the engine's number for a missing
    // table, as opening the table would give.
    const dao::TableDefs tables = db.TableDefs();
    if (!tables.Contains(table))
        throw dao::Error::Make(dao::err::TableNotFound, {table});
    const dao::Fields fields = tables(table).Fields();
    if (!fields.Contains(ResultColumn))
        return fields.Contains(QStringLiteral("TabelaTMP"));
    return fields(ResultColumn).Size() < ResultWidth;
}

// Repairs an existing month database and widens one too-narrow result column
// per opening, Nastawienie first.
void RepairExisting(dao::Database &db)
{
    SprBrakKolAll(db);
    AddMonthIndexes(db);
    for (const char *table : {"Nastawienie", "Badanie"}) {
        if (ResultColumnTooNarrow(db, QLatin1String(table))) {
            ZmienDlugPola(db, QLatin1String(table), ResultColumn, dao::dbText, true, ResultWidth,
                          QStringLiteral("text(15)"));
            return;
        }
    }
}

void AddIndexes(const QString &workPath)
{
    try {
        dao::Database db = OpenFile(workPath);
        AddMonthIndexes(db);
        db.Close();
    } catch (const RuntimeError &) {
        // Without the indexes the month is complete; a later opening adds them.
    }
}

bool CreateMonthTable(const QString &path, const QString &name, const QString &schemaName)
{
    const TableSpec *table = Schema::Table(Schema::Month, schemaName);
    if (!table) {
        ShowErrorBox(dao::Error::Make(dao::err::TableNotFound, {schemaName}));
        return false;
    }
    return CreateTableWithFields(path, name, table->fields);
}

// Set while the start-up builds the month's database that it found missing:
// a file that another workstation put in place meanwhile is then the month's
// database, not a fault to report.
bool madeElsewhereIsFine = false;

} // namespace

QString MonthDbYearFolder(const QDate &date)
{
    return QStringLiteral("T:\\Dane\\") + date.toString(QStringLiteral("yyyy"));
}

QString MonthDbPath(const QDate &date)
{
    return MonthDbYearFolder(date) + QStringLiteral("\\Mervask") +
           date.toString(QStringLiteral("yyyyMM")) + QStringLiteral(".mdb");
}

bool OtworzLubTworzBaze(const QString &path, const QString &monthCaption)
{
    bool opened = false;
    try {
        if (FileSystemObject::FileExists(path)) {
            MonthDb = OpenFile(path);
            opened = true;
            RepairExisting(MonthDb);
        } else {
            ShowInfo(QStringLiteral("Brak bazy danych na m-c: ") + monthCaption +
                         QStringLiteral(", w katalogu: ") + path +
                         QStringLiteral("\rPo kliknięciu OK, utworzę nową bazę!"),
                     InfoCaption);
            // Another workstation may have made the month's file while the
            // box was open: that file is the month's database. A building
            // that failed has shown why; without a file there is nothing to
            // open and nothing more to report.
            madeElsewhereIsFine = true;
            const auto quietEnds = qScopeGuard([] { madeElsewhereIsFine = false; });
            const bool built = FileSystemObject::FileExists(path) || TworzBaze(path, monthCaption);
            if (!built && !FileSystemObject::FileExists(path))
                return false;
            MonthDb = OpenFile(path);
            opened = true;
        }
    } catch (const RuntimeError &error) {
        ShowError(QStringLiteral("Tworzenie nowej bazy!"), error);
    }
    return opened;
}

bool MonthDbIsOpen()
{
    if (MonthDb.IsOpen())
        return true;
    ShowWarning(QStringLiteral("Baza danych miesiąca nie jest otwarta!\r"
                               "Wybierz ponownie datę pracy lub uruchom program ponownie."),
                QStringLiteral("BAZA DANYCH"));
    return false;
}

QList<TableStep> MonthTableSteps()
{
    return {{QStringLiteral("Partia"), CreateTablePartia},
            {QStringLiteral("Badanie"), CreateTableBadanie},
            {QStringLiteral("Nastawienie"), CreateTableNastawienie},
            {QStringLiteral("PozycjaN"), CreateTablePozycjaN},
            {QStringLiteral("zuzyte"), CreateTableZuzyte}};
}

bool TworzBaze(const QString &path, const QString &monthCaption)
{
    return TworzBaze(path, monthCaption, MonthTableSteps());
}

bool TworzBaze(const QString &path, const QString &monthCaption, const QList<TableStep> &steps)
{
    RemoveLeftoverWorkFiles(path);
    const QString workPath = WorkPathFor(path);
    if (!CreateDB(path, workPath))
        return false;
    for (const TableStep &step : steps) {
        if (!step.builder(workPath, step.name)) {
            DeleteWorkFile(workPath);
            return false;
        }
    }
    AddIndexes(workPath);
    if (!PutInPlace(workPath, path)) {
        DeleteWorkFile(workPath);
        return false;
    }
    ShowInfo(QStringLiteral("Tworzenie nowej bazy danych na m-c ") + monthCaption +
                 QStringLiteral(", w katalogu: ") + path +
                 QStringLiteral(" zakończone powodzeniem!"),
             InfoCaption);
    return true;
}

bool CreateDB(const QString &path, const QString &workPath)
{
    if (FileSystemObject::FileExists(path)) {
        if (!madeElsewhereIsFine)
            ShowAlreadyExists(path);
        return false;
    }
    const bool workFileExisted = FileSystemObject::FileExists(workPath);
    try {
        dao::Database db = dao::DBEngine::Workspaces(0).CreateDatabase(
            fs::DriveMap::ToReal(workPath), dao::dbLangGeneral);
        db.Close();
        return true;
    } catch (const RuntimeError &error) {
        ShowErrorBox(error);
        ShowBuildFailed(path);
        // Only what this attempt left behind is removed.
        if (!workFileExisted)
            DeleteWorkFile(workPath);
    }
    return false;
}

bool CreateTablePartia(const QString &path, const QString &name)
{
    return CreateMonthTable(path, name, QStringLiteral("Partia"));
}

bool CreateTableBadanie(const QString &path, const QString &name)
{
    return CreateMonthTable(path, name, QStringLiteral("Badanie"));
}

bool CreateTableNastawienie(const QString &path, const QString &name)
{
    return CreateMonthTable(path, name, QStringLiteral("Nastawienie"));
}

bool CreateTablePozycjaN(const QString &path, const QString &name)
{
    return CreateMonthTable(path, name, QStringLiteral("PozycjaN"));
}

bool CreateTableZuzyte(const QString &path, const QString &name)
{
    return CreateMonthTable(path, name, QStringLiteral("zuzyte"));
}

bool CreateTableWithFields(const QString &path, const QString &name, const QList<FieldSpec> &fields)
{
    dao::Database db;
    try {
        db = OpenFile(path);
        dao::TableDef table = db.CreateTableDef(name);
        for (const FieldSpec &field : fields) {
            if (!CreateDBField(table, field.name, field.type, field.AllowZeroLength(),
                               field.size)) {
                ui::MsgBox(QStringLiteral("Tworzenie nowej tabeli ") + name +
                           QStringLiteral(" nie powiodło się! Usuwam zbędne informacje!"));
                db.Close();
                return false;
            }
        }
        db.TableDefs().Append(table);
        db.Close();
        return true;
    } catch (const RuntimeError &error) {
        ShowErrorBox(error);
    }
    if (db.IsOpen())
        db.Close();
    return false;
}

bool CreateDBField(dao::TableDef &table, const QString &name, dao::DataTypeEnum type,
                   bool allowZeroLength, int size)
{
    try {
        dao::Field field =
            size != 0 ? table.CreateField(name, type, size) : table.CreateField(name, type);
        if (allowZeroLength)
            field.setAllowZeroLength(true);
        table.Fields().Append(field);
        return true;
    } catch (const RuntimeError &error) {
        ShowErrorBox(error);
    }
    return false;
}
