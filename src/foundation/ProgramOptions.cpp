#include "foundation/ProgramOptions.h"

#include "foundation/RecordWrite.h"
#include "platform/db/Field.h"
#include "platform/db/Recordset.h"
#include "platform/db/SqlText.h"

namespace
{

dao::Recordset optionRow(dao::Database db, const QString &key)
{
    dao::Recordset rs = db.OpenRecordset(QStringLiteral("SELECT * FROM PARAMETRY WHERE KLUCZ = ") +
                                         dao::SqlText(key));
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

bool ProgramOptions::Write(dao::Database db, const QString &key, bool set)
{
    dao::Recordset rs = optionRow(db, key);
    if (!rs.IsOpen())
        return false;
    rs.Edit();
    StoreRow(rs, [&] {
        rs(QStringLiteral("PARAM3")) = set;
        if (key == QLatin1String("EmailWynik"))
            rs(QStringLiteral("PARAM1")) =
                set ? QStringLiteral("EmailSzyfr") : QStringLiteral("Email");
    });
    rs.Close();
    return true;
}
