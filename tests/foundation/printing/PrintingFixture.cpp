#include "PrintingFixture.h"

#include "Installer.h"
#include "foundation/Globals.h"
#include "foundation/Schema.h"
#include "foundation/ShowCrystalReport.h"
#include "platform/db/DBEngine.h"
#include "platform/fs/DriveMap.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/WindowRegistry.h"

#include <QDir>

PrintingFixture::PrintingFixture()
{
    ResetProgramState();
    fs::DriveMap::SetDrivesFolder(dir_.path());
    ui::FileDialog::SetPathMapping(fs::DriveMap::ToReal, fs::DriveMap::ToWindows);
    if (Installer({dir_.path(), "ADMIN", "tajne1"}).Run() != Installer::Installed)
        return;
    dao::Workspace &workspace = dao::DBEngine::Workspaces(0);
    StaleDb = workspace.OpenDatabase(Real("T:\\Dane\\Stale.mdb"));
    RobotDb = workspace.OpenDatabase(Real("C:\\MervaskLab\\Dane\\Robot.mdb"));
    QDir().mkpath(Real("T:\\Dane\\2024"));
    MonthDb = workspace.CreateDatabase(Real("T:\\Dane\\2024\\Mervask202403.mdb"));
    Schema::CreateAll(MonthDb, Schema::Month);
    ReportFolder = "T:\\Raporty\\";
    ProgramFolder = "C:\\MervaskLab";
    WorkingDate = Day;
    valid_ = true;
}

PrintingFixture::~PrintingFixture()
{
    ResetProgramState();
    ui::FileDialog::SetPathMapping({}, {});
    fs::DriveMap::SetDrivesFolder(QString());
}

void PrintingFixture::ResetProgramState()
{
    ui::WindowRegistry::Reset();
    for (dao::Database *db : {&MonthDb, &RobotDb, &StaleDb}) {
        if (db->IsOpen())
            db->Close();
        *db = dao::Database();
    }
    ReportFolder = ProgramFolder = FormRequest = QString();
    WorkingDate = QDate();
    CurrentReport.reset();
}

QString PrintingFixture::Real(const QString &windowsPath)
{
    return fs::DriveMap::ToReal(windowsPath);
}

void PrintingFixture::AddRow(dao::Database db, const QString &table, const QVariantMap &values)
{
    dao::Recordset rs = db.OpenRecordset(table);
    rs.AddNew();
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        rs(it.key()) = it.value();
    rs.Update();
}

int PrintingFixture::RowCount(dao::Database db, const QString &table)
{
    return db.OpenRecordset(table).RecordCount();
}

QStringList PrintingFixture::Column(dao::Database db, const QString &table, const QString &field)
{
    dao::Recordset rs = db.OpenRecordset(table);
    QStringList values;
    for (int row = 0; row < rs.RecordCount(); ++row)
        values.append(rs.ValueAt(row, rs.FieldIndex(field)).toString());
    return values;
}

dao::Variant PrintingFixture::Value(dao::Database db, const QString &table, const QString &field)
{
    dao::Recordset rs = db.OpenRecordset(table);
    return rs.RecordCount() > 0 ? rs.ValueAt(0, rs.FieldIndex(field)) : dao::Variant();
}

void PrintingFixture::AddEstablishment(const QString &wni, const QString &name, const QString &town)
{
    AddRow(StaleDb, "Zaklad",
           {{"IdRzezni", wni},
            {"Nazwa", name},
            {"Miejscowosc", town},
            {"Ulica", "ul. Źródlana 7"},
            {"KodPocztowy", "90-001"},
            {"Miasto", town},
            {"KodPIW", wni.left(4)}});
}

void PrintingFixture::AddInspectorate(const QString &code, const QString &name, const QString &town,
                                      const QVariant &email, const QVariant &encryptedEmail)
{
    AddRow(StaleDb, "PIW",
           {{"IDPIW", code},
            {"NAZWA", name},
            {"Ulica", "ul. Weterynaryjna 2"},
            {"KodPocztowy", "90-100"},
            {"Miasto", town},
            {"Email", email},
            {"EmailSzyfr", encryptedEmail}});
}

void PrintingFixture::AddBatch(int batch, const QString &wni, const QVariantMap &extra)
{
    QVariantMap values{{"Partia", batch},
                       {"WNI", wni},
                       {"ZleceniodawcaWNI", wni},
                       {"ZleceniodawcaTypWNI", "Rzeźnia"},
                       {"Platnik", "Z"},
                       {"IlProbek", "3"},
                       {"DataUboju", Day.addDays(-1)},
                       {"DataDoLab", Day},
                       {"Przyjal", "Józef Wąsik"}};
    values.insert(extra);
    AddRow(MonthDb, "Partia", values);
}

void PrintingFixture::AddSample(int batch, int dailyNumber, int carcass, const QString &tissue)
{
    AddRow(MonthDb, "Badanie",
           {{"Partia", batch},
            {"NrDzien", dailyNumber},
            {"NrOgolny", 1000 + dailyNumber},
            {"NrProbki", carcass},
            {"NazTkanka", tissue.isEmpty() ? QVariant() : tissue},
            {"Wynik", "nie stwierdzono"}});
}

dao::Recordset PrintingFixture::BatchList(int batch)
{
    dao::Recordset rs = MonthDb.OpenRecordset("SELECT * FROM Partia ORDER BY Partia");
    rs.FindFirst("Partia = " + QString::number(batch));
    return rs;
}
