#include "foundation/LaboratoryIdentity.h"

#include "foundation/RecordWrite.h"
#include "foundation/TextProcedures.h"
#include "platform/db/DaoError.h"
#include "platform/db/Field.h"
#include "platform/db/Recordset.h"
#include "platform/db/Transaction.h"

namespace
{

const char *const LetterheadFields[] = {"TX2", "TX3", "TX4", "TX5", "TX6"};

// The laboratory's row; the identity acts only when the table holds exactly one.
dao::Recordset onlyRow(dao::Database db)
{
    dao::Recordset rs = db.OpenRecordset(QStringLiteral("select * FROM PODATNIK"));
    if (rs.RecordCount() == 1) {
        rs.MoveFirst();
        return rs;
    }
    rs.Close();
    return {};
}

QString text(const dao::Recordset &rs, const QString &field)
{
    return ValueText(NullToDefault(rs(field).Value(), QString()));
}

LaboratoryIdentity::Laboratory read(const dao::Recordset &rs)
{
    LaboratoryIdentity::Laboratory laboratory;
    for (std::size_t i = 0; i < laboratory.letterhead.size(); ++i)
        laboratory.letterhead[i] = text(rs, QLatin1String(LetterheadFields[i]));
    laboratory.town = text(rs, QStringLiteral("Miejsc"));
    laboratory.accreditation = text(rs, QStringLiteral("KodPCA"));
    laboratory.parentCode = text(rs, QStringLiteral("KodLok"));
    laboratory.stationCode = text(rs, QStringLiteral("KodLok2"));
    return laboratory;
}

} // namespace

std::optional<LaboratoryIdentity::Laboratory> LaboratoryIdentity::Read(dao::Database db)
{
    dao::Recordset rs = onlyRow(db);
    if (!rs.IsOpen())
        return std::nullopt;
    const Laboratory laboratory = read(rs);
    rs.Close();
    return laboratory;
}

std::optional<LaboratoryIdentity::Shown> LaboratoryIdentity::Load(dao::Database db)
{
    dao::Recordset rs = onlyRow(db);
    if (!rs.IsOpen())
        return std::nullopt;
    QStringList shown;
    for (const char *field : LetterheadFields)
        shown << QLatin1String(field);
    shown << QStringLiteral("Miejsc") << QStringLiteral("KodPCA") << QStringLiteral("KodLok")
          << QStringLiteral("KodLok2");
    Shown laboratory{read(rs), RememberRow(rs, shown)};
    rs.Close();
    return laboratory;
}

bool LaboratoryIdentity::Write(dao::Database db, const std::optional<LoadedRow> &loaded,
                               const Laboratory &laboratory)
{
    if (!loaded)
        return false;
    dao::Transaction transaction(db, dao::Transaction::Immediate);
    dao::Recordset rs = onlyRow(db);
    if (!rs.IsOpen()) {
        const bool gone = db.OpenRecordset(QStringLiteral("PODATNIK")).RecordCount() == 0;
        throw dao::Error::Make(gone ? dao::err::RecordDeleted : dao::err::DataChanged);
    }
    WriteLoadedRow(rs, loaded, [&](dao::Recordset &row) {
        for (std::size_t i = 0; i < laboratory.letterhead.size(); ++i)
            row(QLatin1String(LetterheadFields[i])) = TrimBlanks(laboratory.letterhead[i]);
        row(QStringLiteral("Miejsc")) = laboratory.town;
        row(QStringLiteral("KodPCA")) = laboratory.accreditation;
        row(QStringLiteral("KodLok")) = TrimBlanks(laboratory.parentCode);
        row(QStringLiteral("KodLok2")) = TrimBlanks(laboratory.stationCode);
    });
    rs.Close();
    transaction.Commit();
    return true;
}

std::array<QString, 2> LaboratoryIdentity::FirstCodes(dao::Database db)
{
    dao::Recordset rs = db.OpenRecordset(QStringLiteral("PODATNIK"));
    const std::array<QString, 2> codes{
        NullToDefault(rs(QStringLiteral("KodLok")).Value(), QString()).toString(),
        NullToDefault(rs(QStringLiteral("KodLok2")).Value(), QString()).toString()};
    rs.Close();
    return codes;
}
