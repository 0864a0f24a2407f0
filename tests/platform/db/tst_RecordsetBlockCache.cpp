#include "platform/db/PositionVector.h"
#include "platform/db/RecordsetBlockCache.h"

#include <QtTest>

#include <random>
#include <vector>

using dao::detail::RecordsetBlock;
using dao::detail::RecordsetBlockCache;

// The blocks of rows a recordset keeps, without a database: rows stored are
// found again until the file's data version moves, the farthest block goes
// at the limit, a walk reads ever more blocks per statement, and a jump only
// the rows around it; the recordset's own write keeps them, moved as the
// rows moved.
class tst_RecordsetBlockCache : public QObject
{
    Q_OBJECT

private slots:
    void storedRowsAreFoundAgain();
    void farthestBlocksGoAtTheLimit();
    void aWalkReadsEverMoreBlocks();
    void aJumpReadsAPageAndTheRestLater();
    void anOwnWriteKeepsTheRowsHeld();
    void positionsAfterDeletesAsInAVector();
};

namespace
{

// A block of `rows` rows of two values, row i holding (block * 100 + i, "r<i>");
// the rows listed in `gone` were not found.
std::shared_ptr<RecordsetBlock> block(int number, int rows = RecordsetBlock::kRows,
                                      QList<int> gone = {})
{
    auto b = RecordsetBlock::Make(rows, 2);
    for (int i = 0; i < rows; ++i) {
        if (gone.contains(i))
            continue;
        b->values[size_t(i) * 2] = number * 100 + i;
        b->values[size_t(i) * 2 + 1] = QStringLiteral("r%1").arg(i);
        b->state[size_t(i)] = RecordsetBlock::Present;
    }
    return b;
}

std::vector<int> store(RecordsetBlockCache &cache, int first, int count)
{
    std::vector<std::shared_ptr<RecordsetBlock>> read;
    for (int i = 0; i < count; ++i)
        read.push_back(block(first + i));
    return cache.Store(first, read);
}

QList<int> held(const RecordsetBlockCache &cache, int upTo)
{
    QList<int> numbers;
    for (int b = 0; b <= upTo; ++b) {
        if (cache.Find(b))
            numbers << b;
    }
    return numbers;
}

} // namespace

void tst_RecordsetBlockCache::storedRowsAreFoundAgain()
{
    RecordsetBlockCache cache;
    QCOMPARE(RecordsetBlockCache::BlockOf(130), 2);
    QCOMPARE(RecordsetBlockCache::SlotOf(130), 2);
    QVERIFY(!cache.Find(2)); // a miss: the caller reads the block

    // The last block of a recordset is short; a row deleted before it was read is gone.
    std::vector<std::shared_ptr<RecordsetBlock>> read{block(2, 10, {4})};
    const RecordsetBlock *stored = read.front().get();
    QVERIFY(cache.Store(2, read).empty());
    QCOMPARE(cache.Size(), size_t(1));

    const auto *hit = cache.Find(2);
    QVERIFY(hit);
    QCOMPARE(hit->get(), stored);
    const dao::Variant *row = (*hit)->Row(RecordsetBlockCache::SlotOf(130));
    QVERIFY(row);
    QCOMPARE(row[0].toInt(), 202);
    QCOMPARE(row[1].toString(), QStringLiteral("r2"));
    QCOMPARE((*hit)->Row(9)[0].toInt(), 209);
    QVERIFY(!(*hit)->Row(4));  // gone
    QVERIFY(!(*hit)->Row(10)); // beyond the block
    QVERIFY(!cache.Find(1));
    QVERIFY(!cache.Find(3));
}

void tst_RecordsetBlockCache::farthestBlocksGoAtTheLimit()
{
    RecordsetBlockCache cache(4);
    QVERIFY(store(cache, 0, 4).empty());
    QCOMPARE(held(cache, 10), QList<int>({0, 1, 2, 3}));
    // A row handed out keeps its block alive after the cache lets it go.
    const std::shared_ptr<const RecordsetBlock> shown = *cache.Find(0);

    // Three more blocks after them: the ones farthest behind go, one for each.
    QCOMPARE(store(cache, 5, 3), std::vector<int>({0, 1, 2}));
    QCOMPARE(held(cache, 10), QList<int>({3, 5, 6, 7}));
    QCOMPARE(cache.Size(), size_t(4));
    QCOMPARE(shown->Row(1)[0].toInt(), 1);

    // A grid jumping back keeps the pages nearest to where it now shows.
    QCOMPARE(store(cache, 4, 1), std::vector<int>({7}));
    QCOMPARE(held(cache, 10), QList<int>({3, 4, 5, 6}));
}

void tst_RecordsetBlockCache::aWalkReadsEverMoreBlocks()
{
    RecordsetBlockCache cache(64);
    QCOMPARE(cache.SpanFor(0), 1);
    int next = 0;
    QList<int> spans;
    for (int step = 0; step < 6; ++step) {
        const int span = cache.SpanFor(next);
        spans << span;
        store(cache, next, span);
        next += span;
    }
    QCOMPARE(spans, QList<int>({1, 2, 4, 8, 8, 8}));
    // A jump elsewhere reads one block, and a walk from there starts small again.
    QCOMPARE(cache.SpanFor(next + 3), 1);
    store(cache, 2, 1);
    QCOMPARE(cache.SpanFor(3), 2);
    QCOMPARE(cache.SpanFor(next), 1);
}

void tst_RecordsetBlockCache::aJumpReadsAPageAndTheRestLater()
{
    using Read = dao::detail::RecordsetBlockRead;
    const auto same = [](const Read &a, const Read &b) {
        return a.block == b.block && a.span == b.span && a.fromSlot == b.fromSlot &&
               a.rows == b.rows;
    };
    RecordsetBlockCache cache(2);
    // The end of a list of 150: the page of its last row.
    QVERIFY(same(cache.Plan(2, 21), Read{2, 1, 16, RecordsetBlock::kPageRows}));
    auto end = RecordsetBlock::Make(22, 2, 16, RecordsetBlock::kPageRows);
    for (int slot = 16; slot < 22; ++slot) {
        end->RowToFill(slot)[0] = 200 + slot;
        end->state[size_t(slot)] = RecordsetBlock::Present;
    }
    QCOMPARE(end->values.size(), size_t(6 * 2)); // values only for the rows read
    std::vector<std::shared_ptr<RecordsetBlock>> read{end};
    cache.Store(2, read);
    QVERIFY((*cache.Find(2))->WasRead(21));
    QVERIFY(!(*cache.Find(2))->WasRead(15));
    QVERIFY(!(*cache.Find(2))->Row(15));

    // Back from there, page by page; on from a page, to the end of the block.
    QVERIFY(same(cache.Plan(2, 15), Read{2, 1, 8, RecordsetBlock::kPageRows}));
    auto start = RecordsetBlock::Make(22, 2, 0, RecordsetBlock::kPageRows);
    start->state[3] = RecordsetBlock::Present;
    start->RowToFill(3)[0] = 203;
    read = {start};
    cache.Store(2, read);
    QVERIFY(same(cache.Plan(2, 9), Read{2, 1, 8, RecordsetBlock::kRows - 8}));

    // A page joins the rows held; where both read a row, the earlier read stays.
    auto page = RecordsetBlock::Make(22, 2, 8, RecordsetBlock::kPageRows);
    page->state[9] = RecordsetBlock::Present;
    page->RowToFill(9)[0] = 209;
    const auto joined = RecordsetBlock::Filled(*end, *page);
    QCOMPARE(joined->Row(9)[0].toInt(), 209);
    QCOMPARE(joined->Row(21)[0].toInt(), 221);
    QVERIFY(!joined->Row(10)); // read, and gone
    QVERIFY(joined->WasRead(10));
    QVERIFY(!joined->WasRead(3));
    QVERIFY(joined->HasUnread());
    QCOMPARE(joined->values.size(), size_t(14 * 2));
    auto again = RecordsetBlock::Make(22, 2);
    again->state.assign(22, RecordsetBlock::Present);
    QCOMPARE(RecordsetBlock::Filled(*joined, *again)->Row(21)[0].toInt(), 221);
    QVERIFY(!RecordsetBlock::Filled(*joined, *again)->HasUnread());

    // A block held anew under its number takes no other block's room.
    std::vector<std::shared_ptr<RecordsetBlock>> other{block(5)};
    cache.Store(5, other);
    read = {joined};
    QVERIFY(cache.Store(2, read).empty());
    QCOMPARE(held(cache, 10), QList<int>({2, 5}));
}

void tst_RecordsetBlockCache::anOwnWriteKeepsTheRowsHeld()
{
    RecordsetBlockCache cache;
    store(cache, 0, 2);
    std::vector<std::shared_ptr<RecordsetBlock>> last{block(2, 10, {4})};
    cache.Store(2, last);
    QVERIFY(cache.HeldRow(70, 2));
    QVERIFY(!cache.HeldRow(70, 3));  // read by other columns
    QVERIFY(!cache.HeldRow(132, 2)); // not found when read

    // Row 5 saved.
    const dao::Variant saved[2] = {7, QStringLiteral("zapisany")};
    cache.Rewritten(5, saved, 2);
    QCOMPARE(cache.HeldRow(5, 2)[1], dao::Variant(QStringLiteral("zapisany")));
    QCOMPARE(cache.HeldRow(6, 2)[0], dao::Variant(6));

    // Row 70 deleted: the rows after it move up by one, across blocks.
    cache.Erased(70, 137);
    QCOMPARE(cache.HeldRow(69, 2)[0], dao::Variant(105));
    QCOMPARE(cache.HeldRow(70, 2)[0], dao::Variant(107));
    QCOMPARE(cache.HeldRow(127, 2)[0], dao::Variant(200));
    QVERIFY(!cache.HeldRow(131, 2) && cache.Find(2)->get()->WasRead(3)); // still gone
    QCOMPARE(cache.HeldRow(136, 2)[0], dao::Variant(209));
    QCOMPARE(cache.Find(2)->get()->state.size(), size_t(9));
}

// The values by position of a list's rows, rows deleted here and there and in
// runs, added, changed and read in ranges, against a plain vector.
void tst_RecordsetBlockCache::positionsAfterDeletesAsInAVector()
{
    for (const unsigned seed : {1u, 2u, 3u}) {
        std::mt19937 random(seed);
        const auto below = [&random](size_t n) { return n == 0 ? 0 : size_t(random() % n); };
        std::vector<qint64> model(300);
        for (size_t i = 0; i < model.size(); ++i)
            model[i] = qint64(i) + 1;
        dao::detail::PositionVector<qint64> values;
        values.Adopt(std::vector<qint64>(model));
        qint64 next = 1000;
        size_t at = 0;
        for (int step = 0; step < 3000; ++step) {
            switch (below(6)) {
            case 0: // a delete anywhere
                at = below(model.size());
                [[fallthrough]];
            case 1: // the next delete where the last one was, or the row before
                if (model.empty())
                    break;
                at = std::min(at, model.size() - 1);
                if (at > 0 && below(4) == 0)
                    --at;
                model.erase(model.begin() + std::ptrdiff_t(at));
                values.Erase(at);
                break;
            case 2:
                model.push_back(++next);
                values.push_back(next);
                break;
            case 3:
                if (!model.empty()) {
                    const size_t i = below(model.size());
                    model[i] = -model[i];
                    values[i] = model[i];
                }
                break;
            default: {
                const size_t first = below(model.size() + 1);
                const size_t count = below(model.size() - first + 1);
                QVERIFY(std::equal(model.begin() + std::ptrdiff_t(first),
                                   model.begin() + std::ptrdiff_t(first + count),
                                   values.Range(first, count)));
            }
            }
            QCOMPARE(values.size(), model.size());
            if (!model.empty())
                QCOMPARE(values.back(), model.back());
        }
        std::vector<qint64> visited;
        values.ForEach([&visited](qint64 &value) { visited.push_back(value); });
        QCOMPARE(visited, model);
    }
}

QTEST_MAIN(tst_RecordsetBlockCache)
#include "tst_RecordsetBlockCache.moc"
