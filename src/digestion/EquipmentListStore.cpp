#include "digestion/EquipmentListStore.h"

#include "digestion/RunValidator.h"
#include "foundation/TextProcedures.h"
#include "platform/RuntimeError.h"

#include <algorithm>
#include <limits>

dao::Recordset EquipmentListStore::Open(dao::Database db, const QString &table)
{
    return db.OpenRecordset(QStringLiteral("SELECT * FROM ") + table +
                            QStringLiteral(" ORDER BY ID"));
}

int EquipmentListStore::ProposedNumber(const dao::Recordset &list)
{
    const int rows = list.RecordCount();
    const int idField = list.FieldIndex(QStringLiteral("ID"));
    qint64 highest = 0;
    bool taken = false;
    for (int row = 0; row < rows; ++row) {
        const std::optional<qint64> id = RunValidator::IntegerValue(
            list.ValueAt(row, idField).toString(), std::numeric_limits<int>::min(),
            std::numeric_limits<int>::max());
        if (!id)
            continue;
        highest = std::max(highest, *id);
        taken = taken || *id == rows + 1;
    }
    return taken ? int(highest + 1) : rows + 1;
}

dao::Bookmark EquipmentListStore::Save(dao::Recordset &list, const std::optional<LoadedRow> &loaded,
                                       const QString &number, const QString &value)
{
    return WriteLoadedRow(list, loaded, [&](dao::Recordset &rs) {
        rs(QStringLiteral("ID")) = TrimBlanks(number);
        rs(QStringLiteral("Wartosc")) = TrimBlanks(value);
    });
}

void EquipmentListStore::Delete(dao::Recordset &list, const dao::Bookmark &row)
{
    list.setBookmark(row);
    list.Delete();
    list.Requery();
}
