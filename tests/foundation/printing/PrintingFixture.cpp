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

namespace
{

dao::Database Open(const QString &windowsPath)
{
    return dao::DBEngine::Workspaces(0).OpenDatabase(fs::DriveMap::ToReal(windowsPath));
}

void CloseIfOpen(dao::Database &db)
{
    if (db.IsOpen())
        db.Close();
    db = dao::Database();
}

} // namespace

PrintingFixture::PrintingFixture()
{
    ResetProgramState();
    fs::DriveMap::SetDrivesFolder(dir_.path());
    ui::FileDialog::SetPathMapping(fs::DriveMap::ToReal, fs::DriveMap::ToWindows);
    Installer installer({dir_.path(), QStringLiteral("ADMIN"), QStringLiteral("tajne1")});
    if (installer.Run() != Installer::Installed)
        return;
    StaleDb = Open(QStringLiteral("T:\\Dane\\Stale.mdb"));
    RobotDb = Open(QStringLiteral("C:\\MervaskLab\\Dane\\Robot.mdb"));
    QDir().mkpath(Real(QStringLiteral("T:\\Dane\\2024")));
    MonthDb = dao::DBEngine::Workspaces(0).CreateDatabase(
        Real(QStringLiteral("T:\\Dane\\2024\\Mervask202403.mdb")));
    Schema::CreateAll(MonthDb, Schema::Month);
    ReportFolder = QStringLiteral("T:\\Raporty\\");
    ProgramFolder = QStringLiteral("C:\\MervaskLab");
    WorkingDate = Day;
    valid_ = true;
}

PrintingFixture::~PrintingFixture()
{
    ResetProgramState();
    ui::FileDialog::SetPathMapping({}, {});
    fs::DriveMap::SetDrivesFolder(QString());
}

QString PrintingFixture::Real(const QString &windowsPath) const
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
    rs.Close();
}

int PrintingFixture::RowCount(dao::Database db, const QString &table)
{
    dao::Recordset rs = db.OpenRecordset(table);
    const int count = rs.RecordCount();
    rs.Close();
    return count;
}

QStringList PrintingFixture::Column(dao::Database db, const QString &table, const QString &field)
{
    dao::Recordset rs = db.OpenRecordset(table);
    QStringList values;
    const int index = rs.FieldIndex(field);
    for (int row = 0; row < rs.RecordCount(); ++row)
        values.append(rs.ValueAt(row, index).toString());
    rs.Close();
    return values;
}

dao::Variant PrintingFixture::Value(dao::Database db, const QString &table, const QString &field)
{
    dao::Recordset rs = db.OpenRecordset(table);
    const dao::Variant value =
        rs.RecordCount() > 0 ? rs.ValueAt(0, rs.FieldIndex(field)) : dao::Variant();
    rs.Close();
    return value;
}

void PrintingFixture::AddEstablishment(const QString &wni, const QString &name, const QString &town)
{
    AddRow(StaleDb, QStringLiteral("Zaklad"),
           {{QStringLiteral("IdRzezni"), wni},
            {QStringLiteral("TypWNI"), QStringLiteral("Rzeźnia")},
            {QStringLiteral("Nazwa"), name},
            {QStringLiteral("Miejscowosc"), town},
            {QStringLiteral("Ulica"), QStringLiteral("ul. Źródlana 7")},
            {QStringLiteral("KodPocztowy"), QStringLiteral("90-001")},
            {QStringLiteral("Miasto"), town},
            {QStringLiteral("KodPIW"), wni.left(4)}});
}

void PrintingFixture::AddInspectorate(const QString &code, const QString &name, const QString &town,
                                      const QVariant &email, const QVariant &encryptedEmail)
{
    AddRow(StaleDb, QStringLiteral("PIW"),
           {{QStringLiteral("IDPIW"), code},
            {QStringLiteral("NAZWA"), name},
            {QStringLiteral("Ulica"), QStringLiteral("ul. Weterynaryjna 2")},
            {QStringLiteral("KodPocztowy"), QStringLiteral("90-100")},
            {QStringLiteral("Miasto"), town},
            {QStringLiteral("Email"), email},
            {QStringLiteral("EmailSzyfr"), encryptedEmail}});
}

void PrintingFixture::AddBatch(int batch, const QString &wni, const QVariantMap &extra)
{
    QVariantMap values{{QStringLiteral("Partia"), batch},
                       {QStringLiteral("WNI"), wni},
                       {QStringLiteral("TypWNI"), QStringLiteral("Rzeźnia")},
                       {QStringLiteral("ZleceniodawcaWNI"), wni},
                       {QStringLiteral("ZleceniodawcaTypWNI"), QStringLiteral("Rzeźnia")},
                       {QStringLiteral("Platnik"), QStringLiteral("Z")},
                       {QStringLiteral("IlProbek"), QStringLiteral("3")},
                       {QStringLiteral("MiejscowoscPobr"), QStringLiteral("Łęczyca")},
                       {QStringLiteral("DataUboju"), Day.addDays(-1)},
                       {QStringLiteral("DataDoLab"), Day},
                       {QStringLiteral("GodzDoLab"), QStringLiteral("07:30")},
                       {QStringLiteral("DataRozpBad"), Day},
                       {QStringLiteral("Metoda"), QStringLiteral("Metoda wytrawiania")},
                       {QStringLiteral("Przyjal"), QStringLiteral("Józef Wąsik")},
                       {QStringLiteral("Autoryzowal"), QStringLiteral("dr Żaneta Łuczak")},
                       {QStringLiteral("Czystopis"), QStringLiteral("N")}};
    for (auto it = extra.cbegin(); it != extra.cend(); ++it)
        values.insert(it.key(), it.value());
    AddRow(MonthDb, QStringLiteral("Partia"), values);
}

void PrintingFixture::AddSample(int batch, int dailyNumber, int carcass, const QString &tissue,
                                const QString &result)
{
    AddRow(MonthDb, QStringLiteral("Badanie"),
           {{QStringLiteral("Partia"), batch},
            {QStringLiteral("NrDzien"), dailyNumber},
            {QStringLiteral("NrOgolny"), 1000 + dailyNumber},
            {QStringLiteral("NrProbki"), carcass},
            {QStringLiteral("NrTacy"), 1 + dailyNumber / 10},
            {QStringLiteral("NazTkanka"), tissue},
            {QStringLiteral("Gatunek"), QStringLiteral("Świnie")},
            {QStringLiteral("Plec"), QStringLiteral("Tucznik")},
            {QStringLiteral("Wynik"), result},
            {QStringLiteral("DataDoLab"), Day}});
}

dao::Recordset PrintingFixture::BatchList(int batch)
{
    dao::Recordset rs =
        MonthDb.OpenRecordset(QStringLiteral("SELECT * FROM Partia ORDER BY Partia"));
    rs.FindFirst(QStringLiteral("Partia = ") + QString::number(batch));
    return rs;
}

void PrintingFixture::ResetProgramState()
{
    ui::WindowRegistry::Reset();
    CloseIfOpen(MonthDb);
    CloseIfOpen(RobotDb);
    CloseIfOpen(StaleDb);
    for (QString *text : {&ReportFolder, &ProgramFolder, &FormRequest})
        text->clear();
    LabHeaderLines = {};
    WorkingDate = QDate();
    CurrentReport.reset();
}
