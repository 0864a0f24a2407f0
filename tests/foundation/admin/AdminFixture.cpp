#include "AdminFixture.h"

#include "foundation/FormAlarm.h"
#include "foundation/Globals.h"
#include "foundation/Schema.h"
#include "foundation/ScramblePassword.h"
#include "foundation/frmLoginLab.h"
#include "platform/db/DBEngine.h"
#include "platform/db/Recordset.h"
#include "platform/fs/DriveMap.h"
#include "platform/ui/WindowRegistry.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

namespace
{

dao::Database create(const QString &windowsPath, Schema::DatabaseKind kind)
{
    const QString real = fs::DriveMap::ToReal(windowsPath);
    QDir().mkpath(QFileInfo(real).absolutePath());
    dao::Database db = dao::DBEngine::Workspaces(0).CreateDatabase(real);
    Schema::CreateAll(db, kind);
    return db;
}

} // namespace

AdminFixture::AdminFixture()
{
    ResetProgramState();
    fs::DriveMap::SetDrivesFolder(dir_.path());
    if (!dir_.isValid())
        return;
    StaleDb = create(QStringLiteral("T:\\Dane\\Stale.mdb"), Schema::Stale);
    MonthDb = create(QStringLiteral("T:\\Dane\\2024\\Mervask202403.mdb"), Schema::Month);
    WorkingDate = Day;
    valid_ = StaleDb.IsOpen() && MonthDb.IsOpen();
}

AdminFixture::~AdminFixture()
{
    ResetProgramState();
    fs::DriveMap::SetDrivesFolder(QString());
}

void AdminFixture::ResetProgramState()
{
    ui::WindowRegistry::Reset();
    for (dao::Database *db : {&MonthDb, &RobotDb, &StaleDb}) {
        if (db->IsOpen())
            db->Close();
        *db = dao::Database();
    }
    OperatorSurname.clear();
    WorkingDate = QDate();
    LoginOk = false;
}

void AdminFixture::SignIn(const QString &number, const QString &surname, const QString &kind)
{
    frmLoginLab &login = ui::WindowRegistry::Instance<frmLoginLab>();
    login.TextOperat->setText(number);
    login.TextOperatRodz->setText(kind);
    login.TextNazwisko->setText(surname);
    OperatorSurname = surname;
    LoginOk = true;
}

void AdminFixture::AddRow(dao::Database &db, const QString &table, const QVariantMap &values)
{
    dao::Recordset rs = db.OpenRecordset(table);
    rs.AddNew();
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        rs(it.key()) = it.value();
    rs.Update();
    rs.Close();
}

void AdminFixture::AddOperator(const QString &number, const QString &surname, const QString &kind,
                               const QString &login, QString password)
{
    AddRow(StaleDb, QStringLiteral("OPERATORZY"),
           {{QStringLiteral("OP_NUMER"), number},
            {QStringLiteral("OP_NAZWISKO"), surname},
            {QStringLiteral("OP_KLUCZ"), surname.toUpper()},
            {QStringLiteral("OP_RODZAJ"), kind},
            {QStringLiteral("OP_LOGIN"), login},
            {QStringLiteral("OP_HASLO"), ScramblePassword(password)}});
}

int AdminFixture::RowCount(dao::Database &db, const QString &table)
{
    dao::Recordset rs = db.OpenRecordset(table);
    const int count = rs.RecordCount();
    rs.Close();
    return count;
}

QList<QVariant> AdminFixture::Column(dao::Database &db, const QString &table, const QString &field)
{
    QList<QVariant> values;
    dao::Recordset rs = db.OpenRecordset(table);
    for (; !rs.EOF(); rs.MoveNext())
        values.append(rs(field).Value());
    return values;
}

QVariantMap AdminFixture::Row(dao::Database &db, const QString &table, const QString &field,
                              const QVariant &value)
{
    QVariantMap row;
    dao::Recordset rs = db.OpenRecordset(table);
    for (; !rs.EOF() && row.isEmpty(); rs.MoveNext()) {
        if (rs(field).Value() != value)
            continue;
        const dao::Fields fields = rs.Fields();
        for (int i = 0; i < fields.Count(); ++i)
            row.insert(fields(i).Name(), fields(i).Value());
    }
    rs.Close();
    return row;
}

void AdminFixture::ExpectAlarm(ui::ScriptedUi &scripted, const QString &text,
                               const QString &caption)
{
    scripted.AnswerWindow(QStringLiteral("FormAlarm"), [text, caption](QWidget &window) {
        auto &alarm = static_cast<FormAlarm &>(window);
        QCOMPARE(alarm.Label1->text(), text);
        QCOMPARE(alarm.windowTitle(), caption);
    });
}
