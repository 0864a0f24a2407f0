#include "RecordsetColumns.h"

namespace dao::detail
{

void RecordsetColumns::Assign(QVector<FieldDef> columns)
{
    columns_ = std::move(columns);
    index_.clear();
    nameHits_.fill(NameHit());
    namesKept_ = 0;
    for (int i = 0; i < columns_.size(); ++i)
        index_.insert(columns_.at(i).name, i);
    ++generation_;
    past_.emplace(generation_, columns_);
}

int RecordsetColumns::IndexOf(const QString &name)
{
    // Open addressing over the text's address; a full table starts afresh.
    size_t slot = nameSlot(name);
    bool vacant = true;
    while (nameHits_[slot].index >= 0) {
        const NameHit &hit = nameHits_[slot];
        if (hit.address == name.constData()) {
            if (hit.spelling.size() == name.size() &&
                sameText(name.constData(), hit.spelling.constData(), name.size()))
                return hit.index;
            // A passing text took over the address: the place stays with the
            // first, which comes back more often than not.
            vacant = false;
            break;
        }
        slot = (slot + 1) % nameHits_.size();
    }
    int index = -1;
    if (const auto it = index_.constFind(name); it != index_.cend()) {
        index = it.value();
    } else {
        for (int i = 0; i < columns_.size() && index < 0; ++i) {
            if (columns_.at(i).name.compare(name, Qt::CaseInsensitive) == 0) {
                index_.insert(name, i); // this spelling is found at once next time
                index = i;
            }
        }
    }
    if (index < 0 || !vacant)
        return index;
    if (++namesKept_ > nameHits_.size() / 2) {
        nameHits_.fill(NameHit());
        namesKept_ = 0;
        return index;
    }
    NameHit &hit = nameHits_[slot];
    hit.address = name.constData();
    // A copy of its own, so that a passing text is freed and its address
    // used again by the next one.
    hit.spelling = QString(name.constData(), name.size());
    hit.index = index;
    return index;
}

QString RecordsetColumns::NameSince(quint64 generation, int index) const
{
    const auto past = past_.find(generation);
    if (past == past_.end() || index < 0 || index >= past->second.size())
        return {};
    return past->second.at(index).name;
}

} // namespace dao::detail
