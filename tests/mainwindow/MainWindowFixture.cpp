#include "MainWindowFixture.h"

#include "Press.h"

#include "foundation/FormAlarm.h"
#include "foundation/frmLoginLab.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

MainWindowFixture::MainWindowFixture(bool install)
{
    if (install) {
        problem_ = drives_.Install(Login, Password);
        valid_ = problem_.isEmpty();
    } else if (!drives_.IsValid()) {
        problem_ = QStringLiteral("no temporary folder");
    } else {
        valid_ = QDir(drives_.Path()).mkpath(QStringLiteral("t/Dane"));
    }
}

QString MainWindowFixture::Real(const QString &windowsPath) const
{
    return TemporaryDrives::Real(windowsPath);
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
    return TemporaryDrives::Open(windowsPath);
}

dao::Database MainWindowFixture::Create(const QString &windowsPath) const
{
    return TemporaryDrives::Create(windowsPath);
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
    for (const FieldSpec &fieldSpec : fields) {
        dao::Field field = table.CreateField(fieldSpec.name, fieldSpec.type, fieldSpec.size);
        if (fieldSpec.AllowZeroLength())
            field.setAllowZeroLength(true);
        table.Fields().Append(field);
    }
    db.TableDefs().Append(table);
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

ui::ScriptedUi::WindowAction MainWindowFixture::SignIn(const QString &login,
                                                       const QString &password)
{
    return [login, password](QWidget &window) {
        auto &signIn = static_cast<frmLoginLab &>(window);
        signIn.TextLogin->setText(login);
        LEAVE_FIELD(&signIn, "TextLogin");
        signIn.txtPassword->setText(password);
        PRESS(&signIn, "cmdOK");
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
