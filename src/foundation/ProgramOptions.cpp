#include "foundation/ProgramOptions.h"

#include "foundation/RecordWrite.h"
#include "platform/db/DaoError.h"
#include "platform/db/Field.h"
#include "platform/db/Recordset.h"
#include "platform/db/SqlText.h"
#include "platform/db/Transaction.h"

namespace
{

QString optionRows(const QString &key)
{
    return QStringLiteral("SELECT * FROM PARAMETRY WHERE KLUCZ = ") + dao::SqlText(key);
}

dao::Recordset optionRow(dao::Database db, const QString &key)
{
    dao::Recordset rs = db.OpenRecordset(optionRows(key));
    if (rs.RecordCount() == 1) {
        rs.MoveFirst();
        return rs;
    }
    rs.Close();
    return {};
}

} // namespace

std::optional<bool> ProgramOptions::Read(dao::Database db, const QString &key)
{
    dao::Recordset rs = optionRow(db, key);
    if (!rs.IsOpen())
        return std::nullopt;
    const bool set = rs(QStringLiteral("PARAM3")).Value().toBool();
    rs.Close();
    return set;
}

std::optional<ProgramOptions::Shown> ProgramOptions::Load(dao::Database db, const QString &key)
{
    dao::Recordset rs = optionRow(db, key);
    if (!rs.IsOpen())
        return std::nullopt;
    const LoadedRow row = RememberRow(rs, {QStringLiteral("PARAM3")});
    rs.Close();
    return Shown{row.Value(QStringLiteral("PARAM3")).toBool(), row};
}

void ProgramOptions::Write(dao::Database db, const QList<Change> &changes)
{
    dao::Transaction transaction(db, dao::Transaction::Immediate);
    for (const Change &change : changes) {
        if (!change.loaded)
            continue;
        dao::Recordset rs = optionRow(db, change.key);
        if (!rs.IsOpen()) {
            const bool gone = db.OpenRecordset(optionRows(change.key)).RecordCount() == 0;
            throw dao::Error::Make(gone ? dao::err::RecordDeleted : dao::err::DataChanged);
        }
        WriteLoadedRow(rs, change.loaded, [&](dao::Recordset &row) {
            row(QStringLiteral("PARAM3")) = change.set;
            if (change.key == QLatin1String("EmailWynik"))
                row(QStringLiteral("PARAM1")) =
                    change.set ? QStringLiteral("EmailSzyfr") : QStringLiteral("Email");
        });
        rs.Close();
    }
    transaction.Commit();
}
