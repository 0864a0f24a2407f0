#include "AdminFixture.h"

#include "foundation/FormAlarm.h"
#include "foundation/Globals.h"
#include "foundation/ScramblePassword.h"
#include "foundation/frmLoginLab.h"
#include "platform/db/Recordset.h"
#include "platform/ui/WindowRegistry.h"

#include <QLabel>
#include <QLineEdit>
#include <QtTest>

AdminFixture::AdminFixture()
{
    if (!drives_.IsValid())
        return;
    StaleDb = TemporaryDrives::Create(QStringLiteral("T:\\Dane\\Stale.mdb"), Schema::Stale);
    MonthDb =
        TemporaryDrives::Create(QStringLiteral("T:\\Dane\\2024\\Mervask202403.mdb"), Schema::Month);
    WorkingDate = Day;
    valid_ = StaleDb.IsOpen() && MonthDb.IsOpen();
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
