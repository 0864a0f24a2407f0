#include "RecordsetChangeCheck.h"

#include <QDate>
#include <QDateTime>
#include <QHash>
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
const size_t kSeed = size_t(QRandomGenerator::system()->generate64());

quint64 mix(quint64 h, quint64 value)
{
    h ^= value;
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdULL;
    h ^= h >> 33;
    h *= 0xc4ceb9fe1a85ec53ULL;
    h ^= h >> 33;
    return h;
}

quint64 valueBits(const Variant &value)
{
    switch (value.typeId()) {
    case QMetaType::UnknownType:
        return 0;
    case QMetaType::QString:
        return qHash(QStringView(*static_cast<const QString *>(value.constData())), kSeed);
    case QMetaType::Double:
    case QMetaType::Float: {
        // 0 and -0 compare equal.
        const double number = value.toDouble() + 0.0;
        quint64 bits = 0;
        std::memcpy(&bits, &number, sizeof bits);
        return bits;
    }
    case QMetaType::QDateTime:
        return quint64(value.toDateTime().toMSecsSinceEpoch());
    case QMetaType::QDate:
        return quint64(value.toDate().toJulianDay());
    case QMetaType::QTime:
        return quint64(value.toTime().msecsSinceStartOfDay());
    case QMetaType::QByteArray:
        return qHash(value.toByteArray(), kSeed);
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::UChar:
    case QMetaType::SChar:
        return quint64(value.toLongLong());
    default:
        return qHash(value.toString(), kSeed);
    }
}

} // namespace

void RecordsetChangeCheck::Forget()
{
    std::vector<quint64>().swap(shown_);
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
    shown_.assign(size_t(count), 0);
    anyShown_ = false;
    width_ = width;
    forgetHandles();
}

void RecordsetChangeCheck::Reloaded(const std::vector<qint64> &before, const qint64 *after,
                                    int count)
{
    std::vector<quint64> shown(size_t(count), 0);
    if (anyShown_) {
        std::unordered_map<qint64, quint64> byRowid;
        for (size_t i = 0; i < before.size() && i < shown_.size(); ++i) {
            if (shown_[i])
                byRowid.emplace(before[i], shown_[i]);
        }
        for (int i = 0; i < count && !byRowid.empty(); ++i) {
            const auto it = byRowid.find(after[i]);
            if (it != byRowid.end())
                shown[size_t(i)] = it->second;
        }
    }
    shown_.swap(shown);
    forgetHandles();
}

void RecordsetChangeCheck::Appended()
{
    shown_.push_back(0);
    forgetHandles();
}

void RecordsetChangeCheck::Erased(int position)
{
    shown_.erase(shown_.begin() + position);
    forgetHandles();
}

void RecordsetChangeCheck::ColumnsChanged(bool prefix, int width)
{
    // Rows handed out by other columns cannot be compared with rows read now.
    if (!prefix || !anyShown_) {
        std::fill(shown_.begin(), shown_.end(), 0);
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
    quint64 h = 0x6d65727661736bULL;
    const int n = std::min(count, width_);
    for (int i = 0; i < n; ++i)
        h = mix(h, quint64(values[i].typeId()) * 0x9e3779b97f4a7c15ULL ^ valueBits(values[i]));
    return h ? h : 1;
}

void RecordsetChangeCheck::SetShown(int position, quint64 digest)
{
    if (position < 0 || size_t(position) >= shown_.size())
        return;
    shown_[size_t(position)] = digest;
    anyShown_ = true;
}

RecordsetChangeCheck::Against RecordsetChangeCheck::Compare(int position,
                                                            const std::vector<Variant> &now) const
{
    const quint64 shown = shown_[size_t(position)];
    if (!shown)
        return Against::NeverShown;
    if (int(now.size()) < width_)
        return Against::Changed;
    return Digest(now.data(), int(now.size())) == shown ? Against::Same : Against::Changed;
}

} // namespace dao::detail
