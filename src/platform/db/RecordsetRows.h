#pragma once

#include "FieldDef.h"
#include "RecordsetBlockCache.h"
#include "Statement.h"

#include <QString>
#include <QVector>

#include <memory>
#include <vector>

namespace dao::detail
{

class Connection;
class RecordsetEditBuffer;
class RecordsetKeyset;

// The statements by which a recordset reads and writes the rows of its
// table, kept prepared across uses. Reads fail softly when the table's
// columns are no longer those the recordset knows, so that it can read them
// again and retry.
class RecordsetRows
{
public:
    void SetTable(const QString &table, const QString &source);
    void Release();

    // Reads what `plan` asks (of whole blocks, only the first when their rows
    // lie apart in the table). False when the columns no longer match.
    bool ReadBlocks(Connection &connection, const RecordsetKeyset &keys,
                    const RecordsetBlockRead &plan, const QVector<FieldDef> &columns,
                    std::vector<std::shared_ptr<RecordsetBlock>> &read);
    enum class RowRead { Found, Gone, Altered };
    RowRead ReadRow(Connection &connection, qint64 rowid, const QVector<FieldDef> &columns,
                    std::vector<Variant> &values);

    // The new row's rowid, as SQLite gave it (before RowIdentity settles).
    qint64 Insert(Connection &connection, const RecordsetEditBuffer &edit,
                  const QVector<FieldDef> &columns);
    // Writes the assigned fields; false when the row is no longer there.
    bool Update(Connection &connection, const RecordsetEditBuffer &edit,
                const QVector<FieldDef> &columns);
    // False when the row is no longer there.
    bool Delete(Connection &connection, qint64 rowid);

private:
    // An INSERT or UPDATE kept prepared for one set of assigned fields.
    struct KeptWrite {
        std::vector<bool> fields;
        QString sql;
        KeptStatement statement;
    };
    KeptWrite &keptWrite(std::vector<std::unique_ptr<KeptWrite>> &kept, bool insert,
                         const std::vector<bool> &assigned, const QVector<FieldDef> &columns);
    static bool columnsMatch(const Statement &statement, const QVector<FieldDef> &columns);

    QString table_;
    QString quotedTable_;
    QString source_;
    // The reads are of fixed text for the table, so the connection keeps them
    // prepared for every recordset of the table, also after this one closes.
    QString rangeFetch_;
    QString listFetch_;
    QString rowFetch_;
    std::vector<std::unique_ptr<KeptWrite>> inserts_;
    std::vector<std::unique_ptr<KeptWrite>> updates_;
};

} // namespace dao::detail
