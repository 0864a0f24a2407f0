#pragma once

#include "FieldDef.h"

#include <QHash>
#include <QString>
#include <QVector>

#include <array>
#include <map>

namespace dao::detail
{

// The columns a recordset reads, and the binding of field names to them.
// Each set of columns taken is a generation of its own, so a field taken
// under an earlier one is found again by its name.
class RecordsetColumns
{
public:
    // Takes the table's columns as they are now: a new generation.
    void Assign(QVector<FieldDef> columns);
    const QVector<FieldDef> &Columns() const { return columns_; }
    int Count() const { return int(columns_.size()); }
    const FieldDef &At(int index) const { return columns_.at(index); }
    quint64 Generation() const { return generation_; }

    // The column of that name, in any letter case; -1 when there is none.
    int IndexOf(const QString &name);
    // The column of exactly that name; -1 when there is none.
    int ExactIndexOf(const QString &name) const { return index_.value(name, -1); }
    // The name that the column at `index` had in an earlier generation; empty
    // when that generation or column is unknown.
    QString NameSince(quint64 generation, int index) const;

private:
    // A field name as the caller spells it, found again by the address of its
    // text (and checked letter by letter) so that a walk does not hash the
    // name on every read.
    struct NameHit {
        const QChar *address = nullptr;
        QString spelling;
        int index = -1;
    };

    QVector<FieldDef> columns_;
    QHash<QString, int> index_;
    std::array<NameHit, 128> nameHits_;
    size_t namesKept_ = 0;
    std::map<quint64, QVector<FieldDef>> past_; // by generation
    quint64 generation_ = 0;
};

} // namespace dao::detail
