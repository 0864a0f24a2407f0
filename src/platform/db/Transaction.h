#pragma once

#include "Database.h"

namespace dao
{

// A transaction that rolls back unless committed, so that an error thrown in
// the middle of a multi-step write leaves none of it behind.
class Transaction
{
public:
    enum Mode { Deferred, Immediate };
    explicit Transaction(Database db, Mode mode = Deferred);
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;
    ~Transaction();

    void Commit();

private:
    Database db_;
    bool open_ = true;
};

} // namespace dao
