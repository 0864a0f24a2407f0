#pragma once

#include "registers/Client.h"

#include "foundation/RecordWrite.h"
#include "foundation/Refusal.h"
#include "platform/db/Bookmark.h"
#include "platform/db/Database.h"
#include "platform/db/Recordset.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// The rules and statements of the client register (table Zaklad of the
// dictionaries). Errors of the engine go to the caller, who holds the
// transaction that makes the duplicate check and the write one step.
class ClientStore
{
public:
    static inline const QString Table = QStringLiteral("Zaklad");

    // The whole register, by name or by identifier.
    static QString ListStatement(bool byName);
    // The clients whose name (searchBy "Nazwa") or NIP begins with the typed
    // text; its quotes and wildcards match only themselves.
    static QString SearchStatement(const QString &searchBy, const QString &typed);

    // The checks of "Z&apisz", in the order the user meets them.
    static std::optional<Refusal> Check(const Client &entry);

    // True when a row other than the one `isSelf` accepts carries the
    // identifier (compared without regard to case).
    static bool Exists(dao::Database db, const QString &id,
                       const std::function<bool(const dao::Bookmark &)> &isSelf = {});

    // The duplicate test of "Z&apisz", run in the save's transaction so that
    // the test and the write are one step for every workstation: the refusal
    // when another client carries the typed identifier (trimmed). The client
    // under correction (`correcting`, loaded with the identifier `loadedId`)
    // is no duplicate of itself, also when only the case of its identifier
    // changes; without `correcting` a client is being added.
    static std::optional<Refusal> CheckDuplicate(dao::Database db, const QString &typedId,
                                                 const std::optional<LoadedRow> &correcting,
                                                 const QString &loadedId);

    // The save of the frame: the checks of the boxes (Check), then, as one
    // DictionaryStore::SaveRow step, the duplicate test and the row written
    // through `list`, a new one, or over the loaded one (`loaded`, whose
    // identifier as loaded is no duplicate of itself).
    static std::optional<Refusal> Save(dao::Database db, dao::Recordset list,
                                       const std::optional<LoadedRow> &loaded, const Client &entry);

    // The current row of `rs`.
    static Client Read(const dao::Recordset &rs);

    // Sets the fields of the row being added or edited in `rs`: the
    // identifier and the short texts trimmed, the name as typed, a county
    // code that is not a number as Null.
    static void SetFields(dao::Recordset &rs, const Client &entry);

    // Optional blanks, an optional sign, digits, optional blanks.
    static bool IsNumericText(const QString &text);

    // The first client whose identifier is `id` (compared without regard to
    // case); nothing when no row carries it.
    static std::optional<Client> Find(dao::Database db, const QString &id);
    // True when the register holds no client at all.
    static bool IsEmpty(dao::Database db);
    // Adds a client as a batch-order file describes it: the values of
    // IdRzezni, TypWNI, Nazwa, Miejscowosc, Ulica, KodPocztowy, Miasto,
    // Telefon, Email and KodPIW in this order, written as they came.
    static void AddReceived(dao::Database db, const QStringList &values);
};
