#include "MainWindowFixture.h"

#include "Press.h"

#include "foundation/FormAlarm.h"
#include "foundation/frmLoginLab.h"
#include "platform/db/SqlFunctions.h"
#include "platform/db/SqlText.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>

#include <sqlite3.h>

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

QStringList MainWindowFixture::FullScans(const QString &realPath)
{
    const QString day = QStringLiteral("DataDoLab = ") + dao::SqlDate(QDate(2024, 3, 5));
    const QStringList searches{
        // The checks of a saved sample's numbers.
        QStringLiteral("SELECT * FROM Badanie WHERE %1 AND NrDzien = 7").arg(day),
        QStringLiteral("SELECT * FROM Badanie WHERE NrOgolny = 7"),
        QStringLiteral("SELECT * FROM Badanie WHERE Partia = 7 AND NrProbki = 7"),
        // The proposed numbers and the free ranges.
        QStringLiteral("SELECT rowid, MAX(NrProbki) FROM Badanie WHERE Partia = 7"),
        QStringLiteral("SELECT rowid, MAX(NrDzien) FROM Badanie WHERE %1").arg(day),
        QStringLiteral("SELECT rowid, MAX(NrOgolny) FROM Badanie"),
        QStringLiteral("SELECT * FROM Badanie WHERE %1 AND NrDzien >= 7 AND NrDzien <= 9 "
                       "ORDER BY NrDzien")
            .arg(day),
        QStringLiteral("SELECT * FROM Badanie WHERE NrOgolny >= 7 AND NrOgolny <= 9 "
                       "ORDER BY NrOgolny"),
        // A batch's samples, runs and trays.
        QStringLiteral("SELECT * FROM BADANIE WHERE PARTIA = 7 ORDER BY PARTIA, NrProbki"),
        QStringLiteral("SELECT * FROM Partia WHERE Partia = 7"),
        QStringLiteral("SELECT * FROM Nastawienie WHERE PARTIA = 7 ORDER BY Nastawienie"),
        QStringLiteral(
            "SELECT * FROM PozycjaN WHERE PARTIA = 7 And Nastawienie = 1 ORDER BY NrTacy")};
    // "SCAN Badanie", not "SCAN (subquery-1)" nor "SEARCH Badanie USING INDEX".
    static const QRegularExpression wholeTable(QStringLiteral("^SCAN (TABLE )?\\w"));
    QStringList scans;
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(realPath).constData(), &db, SQLITE_OPEN_READONLY,
                        nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return {QStringLiteral("cannot open ") + realPath};
    }
    dao::detail::SqlFunctions::Register(db);
    for (const QString &search : searches) {
        sqlite3_stmt *plan = nullptr;
        const QByteArray sql = (QStringLiteral("EXPLAIN QUERY PLAN ") + search).toUtf8();
        if (sqlite3_prepare_v2(db, sql.constData(), -1, &plan, nullptr) != SQLITE_OK) {
            scans.append(search + QStringLiteral(" | ") + QString::fromUtf8(sqlite3_errmsg(db)));
            continue;
        }
        while (sqlite3_step(plan) == SQLITE_ROW) {
            const QString step =
                QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(plan, 3)));
            if (wholeTable.match(step).hasMatch())
                scans.append(search + QStringLiteral(" | ") + step);
        }
        sqlite3_finalize(plan);
    }
    sqlite3_close(db);
    return scans;
}

ui::ScriptedUi::WindowAction MainWindowFixture::SignIn(const QString &login,
                                                       const QString &password)
{
    return [login, password](QWidget &window) {
        auto &signIn = static_cast<frmLoginLab &>(window);
        TYPE(&signIn, "TextLogin", login);
        LEAVE_FIELD(&signIn, "TextLogin");
        TYPE(&signIn, "txtPassword", password);
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
