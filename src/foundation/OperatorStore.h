#pragma once

#include "foundation/RecordWrite.h"
#include "platform/db/Database.h"
#include "platform/db/Recordset.h"

#include <QString>

#include <optional>

// The statements of the operators' register (table OPERATORZY of the
// dictionaries). Errors of the engine go to the caller.
class OperatorStore
{
public:
    // One account as the edit frame writes it; no password keeps the stored one.
    struct Entry {
        QString number;
        QString surname;
        QString kind;
        QString login;
        std::optional<QString> password;
    };

    // The account found by its login, as the sign-in reads it.
    struct Account {
        QString number;
        QString surname;
        QString kind;
        QString scrambledPassword; // as stored, trailing blanks included
    };

    // Every account, as the register lists them.
    static dao::Recordset OpenList(dao::Database db);

    // The account whose login is exactly the text, if any. The login is
    // quoted, so any typed text is just a login.
    static std::optional<Account> FindLogin(dao::Database db, const QString &login);

    // The number a new operator is offered: the highest OP_NUMER by numeric
    // value + 1, at least three digits ("001" for an empty table). A number is
    // read as the old numeric conversion read it: leading blanks skipped,
    // digits up to the first other character.
    static QString NextNumber(dao::Database db);

    // True when an operator already carries the number (by numeric value).
    static bool NumberTaken(dao::Database db, const QString &number);

    // True when an operator signs in with the login, without regard to case.
    static bool LoginTaken(dao::Database db, const QString &login);

    // Adds the account under its number, or under the next free number when
    // another workstation took that number meanwhile; the tests and the write
    // are one BEGIN IMMEDIATE step. `rs` is a recordset of OPERATORZY on `db`
    // (the register's list); the number written is returned, or nothing, and
    // nothing is written, when the login is taken (another workstation may
    // have taken it since the frame's check).
    static std::optional<QString> Add(dao::Database db, dao::Recordset &rs, Entry entry);

    // Writes the entry into the loaded row through `rs`, provided the row
    // still holds what the edit frame was filled from (WriteLoadedRow): 3197
    // when another workstation changed it meanwhile, 3167 when it deleted it,
    // and nothing is written. A `newLogin` is first checked as LoginTaken
    // checks it: false, and nothing written, when it is taken. The checks and
    // the write are one BEGIN IMMEDIATE step.
    static bool Change(dao::Recordset &rs, const LoadedRow &loaded, const Entry &entry,
                       bool newLogin);

    // Deletes the current account of `list`, the register's list, which
    // refuses an account changed or deleted since it showed it (DeleteShownRow).
    static void Delete(dao::Recordset &list);

    // Sets the fields of the row being added or edited in `rs`.
    static void SetFields(dao::Recordset &rs, const Entry &entry);
};
