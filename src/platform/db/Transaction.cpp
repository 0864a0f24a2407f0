#include "Transaction.h"

namespace dao
{

Transaction::Transaction(Database db, Mode mode) : db_(std::move(db))
{
    if (mode == Immediate)
        db_.BeginTransImmediate();
    else
        db_.BeginTrans();
}

Transaction::~Transaction()
{
    if (!open_ || !db_.IsOpen())
        return;
    try {
        db_.Rollback();
    } catch (...) {
        // Closing the file undoes an unfinished transaction anyway.
    }
}

void Transaction::Commit()
{
    db_.CommitTrans();
    open_ = false;
}

} // namespace dao
