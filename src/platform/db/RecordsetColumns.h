#pragma once

#include "FieldDef.h"

#include <QHash>
#include <QString>
#include <QVector>

#include <array>
#include <cstring>
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
    // The same for a name found before at the same text address, without
    // looking further; -1 when IndexOf must tell.
    int KnownIndexOf(const QString &name) const
    {
        for (size_t slot = nameSlot(name); nameHits_[slot].index >= 0;
             slot = (slot + 1) % kNameHits) {
            const NameHit &hit = nameHits_[slot];
            if (hit.address == name.constData())
                return hit.spelling.size() == name.size() &&
                               sameText(name.constData(), hit.spelling.constData(), name.size())
                           ? hit.index
                           : -1;
        }
        return -1;
    }
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
    static constexpr size_t kNameHits = 128;
    static size_t nameSlot(const QString &name)
    {
        return size_t((quintptr(name.constData()) >> 3) * 0x9E3779B97F4A7C15ULL >> 32) % kNameHits;
    }
    // Field names are short: compared four characters at a time, without a call.
    static bool sameText(const QChar *a, const QChar *b, qsizetype size)
    {
        const char *pa = reinterpret_cast<const char *>(a);
        const char *pb = reinterpret_cast<const char *>(b);
        size_t bytes = size_t(size) * sizeof(QChar);
        for (; bytes >= 8; bytes -= 8, pa += 8, pb += 8) {
            quint64 x;
            quint64 y;
            std::memcpy(&x, pa, 8);
            std::memcpy(&y, pb, 8);
            if (x != y)
                return false;
        }
        for (; bytes >= 2; bytes -= 2, pa += 2, pb += 2) {
            quint16 x;
            quint16 y;
            std::memcpy(&x, pa, 2);
            std::memcpy(&y, pb, 2);
            if (x != y)
                return false;
        }
        return true;
    }

    QVector<FieldDef> columns_;
    QHash<QString, int> index_;
    std::array<NameHit, kNameHits> nameHits_;
    size_t namesKept_ = 0;
    std::map<quint64, QVector<FieldDef>> past_; // by generation
    quint64 generation_ = 0;
};

} // namespace dao::detail
