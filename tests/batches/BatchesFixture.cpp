#include "BatchesFixture.h"

#include "Installer.h"
#include "batches/FormPartia.h"
#include "foundation/Globals.h"
#include "foundation/Schema.h"
#include "platform/db/DBEngine.h"
#include "platform/fs/DriveMap.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/MaskEdBox.h"
#include "platform/ui/WindowRegistry.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>

namespace
{

dao::Database open(const QString &windowsPath)
{
    return dao::DBEngine::Workspaces(0).OpenDatabase(fs::DriveMap::ToReal(windowsPath));
}

void closeIfOpen(dao::Database &db)
{
    if (db.IsOpen())
        db.Close();
    db = dao::Database();
}

} // namespace

BatchesFixture::BatchesFixture()
{
    ResetProgramState();
    fs::DriveMap::SetDrivesFolder(dir_.path());
    ui::FileDialog::SetPathMapping(fs::DriveMap::ToReal, fs::DriveMap::ToWindows);
    Installer installer({dir_.path(), QStringLiteral("ADMIN"), QStringLiteral("tajne1")});
    if (installer.Run() != Installer::Installed)
        return;
    StaleDb = open(QStringLiteral("T:\\Dane\\Stale.mdb"));
    RobotDb = open(QStringLiteral("C:\\MervaskLab\\Dane\\Robot.mdb"));
    QDir().mkpath(Real(QStringLiteral("T:\\Dane\\2024")));
    MonthDb = dao::DBEngine::Workspaces(0).CreateDatabase(
        Real(QStringLiteral("T:\\Dane\\2024\\Mervask202403.mdb")));
    Schema::CreateAll(MonthDb, Schema::Month);
    ProgramFolder = QStringLiteral("C:\\MervaskLab");
    ReportFolder = QStringLiteral("T:\\Raporty\\");
    OperatorSurname = Operator + QStringLiteral("  ");
    WorkingDate = Day;
    valid_ = true;
}

BatchesFixture::~BatchesFixture()
{
    ResetProgramState();
    ui::FileDialog::SetPathMapping({}, {});
    fs::DriveMap::SetDrivesFolder(QString());
}

void BatchesFixture::ResetProgramState()
{
    ui::WindowRegistry::Reset();
    closeIfOpen(MonthDb);
    closeIfOpen(RobotDb);
    closeIfOpen(StaleDb);
    for (QString *text :
         {&ReportFolder, &ProgramFolder, &FormRequest, &ImportFilePath, &OperatorSurname})
        text->clear();
    WorkingDate = QDate();
    InitOnActivate = false;
}

QString BatchesFixture::Real(const QString &windowsPath) const
{
    return fs::DriveMap::ToReal(windowsPath);
}

void BatchesFixture::AddRow(dao::Database db, const QString &table, const QVariantMap &values)
{
    dao::Recordset rs = db.OpenRecordset(table);
    rs.AddNew();
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        rs(it.key()) = it.value();
    rs.Update();
    rs.Close();
}

int BatchesFixture::Count(dao::Database db, const QString &sql)
{
    dao::Recordset rs = db.OpenRecordset(sql);
    const int count = rs.RecordCount();
    rs.Close();
    return count;
}

QStringList BatchesFixture::Column(dao::Database db, const QString &sql, const QString &field)
{
    dao::Recordset rs = db.OpenRecordset(sql);
    QStringList values;
    const int index = rs.FieldIndex(field);
    for (int row = 0; row < rs.RecordCount(); ++row) {
        const QVariant value = rs.ValueAt(row, index);
        values.append(value.typeId() == QMetaType::QDate
                          ? value.toDate().toString(QStringLiteral("dd.MM.yyyy"))
                          : value.toString());
    }
    rs.Close();
    return values;
}

void BatchesFixture::AddClient(const QString &id, const QString &name, const QVariantMap &extra)
{
    QVariantMap values{{QStringLiteral("IdRzezni"), id},
                       {QStringLiteral("TypWNI"), QStringLiteral("zakład ubojowy")},
                       {QStringLiteral("Nazwa"), name},
                       {QStringLiteral("Miejscowosc"), QStringLiteral("Łęczyca")},
                       {QStringLiteral("Ulica"), QStringLiteral("ul. Źródlana 7")},
                       {QStringLiteral("KodPocztowy"), QStringLiteral("99-100")},
                       {QStringLiteral("Miasto"), QStringLiteral("Łęczyca")},
                       {QStringLiteral("KodPIW"), id.left(4)}};
    values.insert(extra);
    AddRow(StaleDb, QStringLiteral("Zaklad"), values);
}

void BatchesFixture::AddBatch(int batch, const QString &wni, const QVariantMap &extra)
{
    QVariantMap values{{QStringLiteral("Partia"), batch},
                       {QStringLiteral("WNI"), wni},
                       {QStringLiteral("KodPIW"), wni.left(4)},
                       {QStringLiteral("MiejscowoscPobr"), QStringLiteral("Łęczyca")},
                       {QStringLiteral("Pobral"), QStringLiteral("Jan Kowalski")},
                       {QStringLiteral("Platnik"), QStringLiteral("Z")},
                       {QStringLiteral("DataUboju"), Day.addDays(-1)},
                       {QStringLiteral("DataPobr"), Day.addDays(-1)},
                       {QStringLiteral("DataDoLab"), Day},
                       {QStringLiteral("Czystopis"), QStringLiteral("N")},
                       {QStringLiteral("TNWyslane"), true}};
    values.insert(extra);
    AddRow(MonthDb, QStringLiteral("Partia"), values);
}

void BatchesFixture::AddChildren(int batch, int samples, int runs, int trays)
{
    for (int i = 1; i <= samples; ++i)
        AddRow(MonthDb, QStringLiteral("Badanie"),
               {{QStringLiteral("Partia"), batch},
                {QStringLiteral("NrProbki"), 100 + i},
                {QStringLiteral("NrDzien"), i}});
    for (int i = 1; i <= runs; ++i)
        AddRow(MonthDb, QStringLiteral("Nastawienie"),
               {{QStringLiteral("Partia"), batch}, {QStringLiteral("Nastawienie"), i}});
    for (int i = 1; i <= trays; ++i)
        AddRow(MonthDb, QStringLiteral("PozycjaN"),
               {{QStringLiteral("Partia"), batch},
                {QStringLiteral("Nastawienie"), 1 + i % 2},
                {QStringLiteral("NrTacy"), i}});
}

FormPartia &BatchesFixture::OpenRegister()
{
    FormPartia &form = ui::WindowRegistry::Instance<FormPartia>();
    form.DTPData->setText(Day.toString(QStringLiteral("dd.MM.yyyy")));
    form.DataPartia->setRecordset(
        MonthDb.OpenRecordset(QStringLiteral("SELECT * FROM PARTIA ORDER BY PARTIA DESC")));
    InitOnActivate = true;
    form.show();
    return form;
}

void BatchesFixture::FillValidFrame(FormPartia &form, const QString &wni)
{
    form.TextZaklad->setText(wni);
    form.DTPDataUboju->setText(QStringLiteral("04.03.2024"));
    form.TextDataPobr->setText(QStringLiteral("04.03.2024"));
    form.TextKodPIW->setText(wni.left(4));
    form.TextMiejscowoscPobr->setText(QStringLiteral("Ostrołęka"));
    form.ComboLekarz->setEditText(QStringLiteral("Jan Kowalski"));
}
