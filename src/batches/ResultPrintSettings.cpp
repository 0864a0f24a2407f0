#include "batches/ResultPrintSettings.h"

#include "batches/PrzedDr.h"
#include "foundation/RecordsetProcedures.h"
#include "foundation/TextProcedures.h"
#include "platform/db/Field.h"
#include "platform/db/Recordset.h"

namespace
{

const QString TestKey = QStringLiteral("SELECT * FROM PARAMETRY WHERE KLUCZ = 'Test'");

} // namespace

ResultPrintSettings::TestSeries ResultPrintSettings::ReadTestSeries(dao::Database stale)
{
    dao::Recordset rs = stale.OpenRecordset(TestKey);
    TestSeries values;
    if (rs.RecordCount() == 1) {
        values.test = FieldText(rs, QStringLiteral("PARAM1"));
        values.series = FieldText(rs, QStringLiteral("PARAM2"));
    }
    rs.Close();
    return values;
}

void ResultPrintSettings::StoreTestSeries(dao::Database stale, const TestSeries &values)
{
    dao::Recordset rs = stale.OpenRecordset(TestKey);
    const int rows = rs.RecordCount();
    if (rows == 0) {
        rs.AddNew();
        rs(QStringLiteral("KLUCZ")) = QStringLiteral("Test");
        rs(QStringLiteral("KOMENT")) =
            QStringLiteral("Nazwa testu i nr serii - dotyczy wydruku wyniki");
    } else if (rows == 1) {
        rs.MoveFirst();
        rs.Edit();
    }
    if (rows <= 1) {
        rs(QStringLiteral("PARAM1")) = values.test;
        rs(QStringLiteral("PARAM2")) = values.series;
        rs.Update();
    }
    rs.Close();
}

void ResultPrintSettings::StoreSheet(dao::Database robot, const Sheet &sheet)
{
    EnsureOneRow(robot, QStringLiteral("SeriaTest"));
    dao::Recordset rs = robot.OpenRecordset(QStringLiteral("SELECT * FROM SeriaTest"));
    rs.MoveFirst();
    rs.Edit();
    rs(QStringLiteral("Test")) = sheet.testSeries.test;
    rs(QStringLiteral("Seria")) = sheet.testSeries.series;
    rs(QStringLiteral("Platnik")) = TrimBlanks(sheet.payer);
    rs(QStringLiteral("Rachunek")) = TrimBlanks(sheet.account);
    rs(QStringLiteral("Egz")) = TrimBlanks(sheet.copies);
    rs(QStringLiteral("Data")) = TrimBlanks(sheet.date);
    rs(QStringLiteral("Otrzymuja")) = sheet.recipients;
    rs(QStringLiteral("LogoPCA")) = sheet.logoPca ? QStringLiteral("T") : QStringLiteral("N");
    rs.Update();
    rs.Close();
}
