#include "MainWindowFixture.h"

#include "Installer.h"
#include "foundation/FormAlarm.h"
#include "foundation/Globals.h"
#include "foundation/frmLoginLab.h"
#include "platform/db/DBEngine.h"
#include "platform/fs/DriveMap.h"
#include "platform/ui/WindowRegistry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace
{

void closeIfOpen(dao::Database &db)
{
    if (db.IsOpen())
        db.Close();
    db = dao::Database();
}

} // namespace

MainWindowFixture::MainWindowFixture(bool install)
{
    ResetProgramState();
    fs::DriveMap::SetDrivesFolder(dir_.path());
    if (!dir_.isValid()) {
        problem_ = QStringLiteral("no temporary folder");
        return;
    }
    if (install)
        Install();
    else
        valid_ = QDir(dir_.path()).mkpath(QStringLiteral("t/Dane"));
}

MainWindowFixture::~MainWindowFixture()
{
    ResetProgramState();
    fs::DriveMap::SetDrivesFolder(QString());
}

void MainWindowFixture::Install()
{
    Installer installer({dir_.path(), Login, Password});
    if (installer.Run() != Installer::Installed) {
        problem_ = installer.Message();
        return;
    }
    valid_ = true;
}

QString MainWindowFixture::Real(const QString &windowsPath) const
{
    return fs::DriveMap::ToReal(windowsPath);
}

bool MainWindowFixture::Exists(const QString &windowsPath) const
{
    return QFile::exists(Real(windowsPath));
}

dao::Database MainWindowFixture::OpenStale() const
{
    return Open(QStringLiteral("T:\\Dane\\Stale.mdb"));
}

dao::Database MainWindowFixture::Open(const QString &windowsPath) const
{
    return dao::DBEngine::Workspaces(0).OpenDatabase(Real(windowsPath));
}

dao::Database MainWindowFixture::Create(const QString &windowsPath) const
{
    QDir().mkpath(QFileInfo(Real(windowsPath)).absolutePath());
    return dao::DBEngine::Workspaces(0).CreateDatabase(Real(windowsPath));
}

QString MainWindowFixture::MonthPath(const QDate &date) const
{
    const QString year = date.toString(QStringLiteral("yyyy"));
    QDir().mkpath(Real(QStringLiteral("T:\\Dane\\") + year));
    return QStringLiteral("T:\\Dane\\") + year + QStringLiteral("\\Mervask") +
           date.toString(QStringLiteral("yyyyMM")) + QStringLiteral(".mdb");
}

void MainWindowFixture::CreateTable(dao::Database &db, const QString &name,
                                    const QList<FieldSpec> &fields)
{
    dao::TableDef table = db.CreateTableDef(name);
    for (const FieldSpec &spec : fields) {
        dao::Field field = table.CreateField(spec.name, spec.type, spec.size);
        if (spec.AllowZeroLength())
            field.setAllowZeroLength(true);
        table.Fields().Append(field);
    }
    db.TableDefs().Append(table);
}

void MainWindowFixture::AddRow(dao::Database &db, const QString &table, const QVariantMap &values)
{
    dao::Recordset rs = db.OpenRecordset(table);
    rs.AddNew();
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        rs(it.key()) = it.value();
    rs.Update();
    rs.Close();
}

QList<FieldSpec> MainWindowFixture::MonthFieldsWithout(const QString &table,
                                                       const QStringList &left)
{
    QList<FieldSpec> fields;
    for (const FieldSpec &field : Schema::Table(Schema::Month, table)->fields) {
        if (!left.contains(field.name, Qt::CaseInsensitive))
            fields.append(field);
    }
    return fields;
}

QStringList MainWindowFixture::Shape(dao::Database &db, const QString &table)
{
    QStringList shape;
    const dao::Fields fields = db.TableDefs()(table).Fields();
    for (int i = 0; i < fields.Count(); ++i) {
        const dao::Field field = fields(i);
        shape.append(QStringLiteral("%1:%2:%3")
                         .arg(field.Name())
                         .arg(field.Type())
                         .arg(field.Type() == dao::dbText ? field.Size() : 0));
    }
    return shape;
}

QList<QVariant> MainWindowFixture::Column(dao::Database &db, const QString &table,
                                          const QString &field)
{
    QList<QVariant> values;
    dao::Recordset rs = db.OpenRecordset(table);
    while (!rs.EOF()) {
        values.append(rs(field).Value());
        rs.MoveNext();
    }
    rs.Close();
    return values;
}

void MainWindowFixture::ResetProgramState()
{
    ui::WindowRegistry::Reset();
    closeIfOpen(MonthDb);
    closeIfOpen(RobotDb);
    closeIfOpen(StaleDb);
    PodatnikRs = dao::Recordset();
    for (QString *text :
         {&MonthDbName, &DateMask, &DateFormat, &StaleFolder, &ReportFolder, &RobotFolder,
          &OperatorSurname, &ProgramFolder, &FormRequest, &ImportFilePath})
        text->clear();
    LabHeaderLines = {};
    PolishLetterTable = {};
    WorkingDate = QDate();
    LoginOk = false;
    InitOnActivate = false;
    ContinueImport = false;
}

ui::ScriptedUi::WindowAction MainWindowFixture::SignIn(const QString &login,
                                                       const QString &password)
{
    return [login, password](QWidget &window) {
        auto &signIn = static_cast<frmLoginLab &>(window);
        signIn.TextLogin->setText(login);
        signIn.TextLogin_LostFocus();
        signIn.txtPassword->setText(password);
        signIn.cmdOK_Click();
    };
}

ui::ScriptedUi::WindowAction MainWindowFixture::Alarm(const QString &text, const QString &caption,
                                                      int delaySeconds, bool closeButton)
{
    return [=](QWidget &window) {
        auto &alarm = static_cast<FormAlarm &>(window);
        QCOMPARE(alarm.Label1->text(), text);
        QCOMPARE(alarm.windowTitle(), caption);
        QCOMPARE(alarm.MEBZwl->text(), QString::number(delaySeconds));
        QCOMPARE(alarm.ComZamk->isVisible(), closeButton);
    };
}
