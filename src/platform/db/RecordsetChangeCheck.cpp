#include "RecordsetChangeCheck.h"

#include <QDate>
#include <QDateTime>
#include <QRandomGenerator>
#include <QTime>

#include <algorithm>
#include <cstring>
#include <unordered_map>

namespace dao::detail
{

namespace
{

// Chosen anew by each run, so that no text can be made to look unchanged.
const quint64 kSeed = QRandomGenerator::system()->generate64();

// One step of the digest. For a given digest so far it gives a different
// result for every different word (an xor, a multiplication by an odd number
// and a shift-xor are each one-to-one). So two rows that differ within one
// word only (a number, a date, or four characters at one place in texts of
// one length) always have different digests; rows that differ otherwise have
// the same one by a chance of about one in 2^64, under a seed no text can aim at.
inline quint64 fold(quint64 h, quint64 word)
{
    h ^= word;
    h *= 0x9e3779b97f4a7c15ULL;
    return h ^ (h >> 29);
}

quint64 foldText(quint64 h, const QString &text)
{
    const QChar *chars = text.constData();
    qsizetype left = text.size();
    h = fold(h, quint64(left));
    for (; left >= 4; left -= 4, chars += 4) {
        quint64 word = 0;
        std::memcpy(&word, chars, sizeof word);
        h = fold(h, word);
    }
    if (left > 0) {
        quint64 word = 0;
        std::memcpy(&word, chars, size_t(left) * sizeof(QChar));
        h = fold(h, word);
    }
    return h;
}

quint64 doubleBits(double number)
{
    number += 0.0; // 0 and -0 compare equal
    quint64 bits = 0;
    std::memcpy(&bits, &number, sizeof bits);
    return bits;
}

// A value's kind and content, read straight from the variant: the row's
// values come from the engine's own reading, so a column's values are always
// of the kinds below, and the same value reads as the same kind.
quint64 foldValue(quint64 h, const Variant &value)
{
    const void *data = value.constData();
    switch (value.typeId()) {
    case QMetaType::UnknownType:
        return fold(h, 0);
    case QMetaType::QString:
        return foldText(fold(h, 1), *static_cast<const QString *>(data));
    case QMetaType::Int:
        return fold(fold(h, 2), quint64(qint64(*static_cast<const int *>(data))));
    case QMetaType::LongLong:
        return fold(fold(h, 2), quint64(*static_cast<const qint64 *>(data)));
    case QMetaType::Bool:
        return fold(fold(h, 2), *static_cast<const bool *>(data) ? 1u : 0u);
    case QMetaType::Float:
        return fold(fold(h, 3), doubleBits(*static_cast<const float *>(data)));
    case QMetaType::Double:
        return fold(fold(h, 3), doubleBits(*static_cast<const double *>(data)));
    case QMetaType::QDate:
        return fold(fold(h, 4), quint64(static_cast<const QDate *>(data)->toJulianDay()));
    case QMetaType::QDateTime: {
        const auto *moment = static_cast<const QDateTime *>(data);
        return fold(fold(fold(h, 5), quint64(moment->date().toJulianDay())),
                    quint64(moment->time().msecsSinceStartOfDay()));
    }
    default:
        return foldText(fold(h, 6), value.toString());
    }
}

} // namespace

void RecordsetChangeCheck::Forget()
{
    shown_.Release();
    departed_.clear();
    anyShown_ = false;
    forgetHandles();
}

void RecordsetChangeCheck::forgetHandles()
{
    seenBlock_.reset();
    seenValues_ = nullptr;
    viewBlock_.reset();
    viewValues_ = nullptr;
    viewPosition_ = -1;
}

void RecordsetChangeCheck::Reset(int count, int width)
{
    shown_.Assign(size_t(count), 0);
    departed_.clear();
    anyShown_ = false;
    width_ = width;
    forgetHandles();
}

void RecordsetChangeCheck::Reloaded(const std::vector<qint64> &before, const qint64 *after,
                                    int count)
{
    std::vector<quint64> shown(size_t(count), 0);
    if (anyShown_) {
        // Rows that left the list keep what was handed out of them, should
        // they come back to it.
        std::unordered_map<qint64, quint64> byRowid;
        byRowid.swap(departed_);
        for (size_t i = 0; i < before.size() && i < shown_.size(); ++i) {
            if (shown_[i])
                byRowid[before[i]] = shown_[i];
        }
        for (int i = 0; i < count && !byRowid.empty(); ++i) {
            const auto it = byRowid.find(after[i]);
            if (it != byRowid.end()) {
                shown[size_t(i)] = it->second;
                byRowid.erase(it);
            }
        }
        departed_.swap(byRowid);
    }
    shown_.Adopt(std::move(shown));
    forgetHandles();
}

void RecordsetChangeCheck::Appended()
{
    shown_.push_back(0);
    forgetHandles();
}

void RecordsetChangeCheck::Erased(int position)
{
    shown_.Erase(size_t(position));
    forgetHandles();
}

void RecordsetChangeCheck::ColumnsChanged(bool prefix, int width)
{
    // Rows handed out by other columns cannot be compared with rows read now.
    if (!prefix || !anyShown_) {
        shown_.Fill(0);
        departed_.clear();
        anyShown_ = false;
        width_ = width;
    }
    forgetHandles();
}

void RecordsetChangeCheck::Shown(int position, std::shared_ptr<const RecordsetBlock> block,
                                 const Variant *values)
{
    SetShown(position, Digest(values, block->Width()));
    seenBlock_ = std::move(block);
    seenValues_ = values;
}

void RecordsetChangeCheck::ShownInView(int position,
                                       const std::shared_ptr<const RecordsetBlock> &block,
                                       const Variant *values)
{
    SetShown(position, Digest(values, block->Width()));
    viewBlock_ = block;
    viewValues_ = values;
    viewPosition_ = position;
}

quint64 RecordsetChangeCheck::Digest(const Variant *values, int count) const
{
    quint64 h = kSeed;
    const int n = std::min(count, width_);
    for (int i = 0; i < n; ++i)
        h = foldValue(h, values[i]);
    return h ? h : 1;
}

void RecordsetChangeCheck::SetShown(int position, quint64 digest)
{
    if (position < 0 || size_t(position) >= shown_.size())
        return;
    shown_[size_t(position)] = digest;
    anyShown_ = true;
}

RecordsetChangeCheck::Against RecordsetChangeCheck::Compare(int position, const Variant *now,
                                                            int count) const
{
    const quint64 shown = shown_[size_t(position)];
    if (!shown)
        return Against::NeverShown;
    if (count < width_)
        return Against::Changed;
    return Digest(now, count) == shown ? Against::Same : Against::Changed;
}

} // namespace dao::detail
