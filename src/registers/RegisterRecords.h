#pragma once

#include "foundation/RecordWrite.h"
#include "foundation/Refusal.h"

#include "platform/db/Database.h"
#include "platform/db/Recordset.h"

#include <QString>

#include <optional>

// What each register checks before a save and what it writes, without
// widgets. The windows gather their boxes into the values below; every check
// returns the refusal to show, or nothing when the save may go on. Errors of
// the database go to the caller.

inline const QString InformationTitle = QStringLiteral("INFORMACJA");

// ------------------------------------------------------------ sampling vets

struct VetValues {
    QString number;     // LekarzNr
    QString practice;   // Nazwa, kept as loaded or copied
    QString firstName;  // Imie
    QString surname;    // Nazwisko
    QString postalCode; // KodPocztowy, the masked box's text
    QString town;       // Miasto
    QString street;     // Ulica
    QString phone;      // Telefon
    QString email;      // Email
    QString remarks;    // Uwagi
};

class VetRules
{
public:
    // The register by surname and first name, or by number.
    static dao::Recordset OpenList(dao::Database db, bool byName);
    static std::optional<Refusal> Check(const VetValues &values);
    // The fields in the register's order; IDLekarz only for a new row.
    static void Write(dao::Recordset &rs, const VetValues &values, std::optional<qint64> newId);
    // The save of the frame (DictionaryStore::SaveRow): the checks, then the
    // row written through `list`, a new one numbered inside the save's
    // transaction (the frame's number was only a proposal), or the loaded
    // one.
    static std::optional<Refusal> Save(dao::Database db, dao::Recordset list,
                                       const std::optional<LoadedRow> &loaded,
                                       const VetValues &values);
};

// ------------------------------------------------ county and regional inspectorates

struct InspectorateKind {
    QString table;         // PIW or WIW
    QString key;           // IDPIW or IDWIW
    bool numericKey;       // the county code must be numeric
    bool signedMail;       // EmailSzyfr is kept
    QString duplicateText; // "PIW o podanym kodzie już istnieje!"
    QString errorTitle;    // "Zapis PIW"

    static const InspectorateKind &County();
    static const InspectorateKind &Regional();
};

struct InspectorateValues {
    QString code;
    QString name;
    QString postalCode; // the box's text, "_" on every unfilled place
    QString town;
    QString street;
    QString phone;
    QString email;
    QString signedEmail;
    QString remarks;
};

class InspectorateRules
{
public:
    // The register by code, or by name and then code.
    static QString ListStatement(const InspectorateKind &kind, bool byName);
    // The code's own check (numeric for a county), run on every save.
    static std::optional<Refusal> CheckCode(const InspectorateKind &kind, const QString &code);
    // A name or telephone longer than its column, named by its caption.
    static std::optional<Refusal> CheckLengths(const InspectorateKind &kind,
                                               const InspectorateValues &values);
    // A new code must not be stored yet (trimmed, case aside).
    static std::optional<Refusal> CheckNewCode(dao::Database db, const InspectorateKind &kind,
                                               const QString &code);
    // The key (trimmed) only when adding; the postal code only when it holds
    // no unfilled place.
    static void Write(dao::Recordset &rs, const InspectorateKind &kind,
                      const InspectorateValues &values, bool adding);
    // The save of the frame: the code and lengths checked, then, as one
    // DictionaryStore::SaveRow step, a new code checked and the row written
    // through `list` (a new one, or the loaded one).
    static std::optional<Refusal> Save(dao::Database db, dao::Recordset list,
                                       const InspectorateKind &kind,
                                       const std::optional<LoadedRow> &loaded,
                                       const InspectorateValues &values);
};

// ------------------------------------------------------------ tissues

struct TissueValues {
    QString name;
    QString clabCode;
    QString clabName;
    QString remarks;
};

class TissueRules
{
public:
    static inline const QString FullText =
        QStringLiteral("Osiągnięto maksymalną liczbę pozycji (255)!");

    // The register by number.
    static dao::Recordset OpenList(dao::Database db);

    // The number a new tissue gets, or the refusal when the one-byte number
    // is used up.
    static std::optional<Refusal> NextNumber(dao::Database db, qint64 &number);
    static std::optional<Refusal> CheckNewName(dao::Database db, const QString &name);
    static void Write(dao::Recordset &rs, const TissueValues &values, std::optional<int> newId);
    // The save of the frame (DictionaryStore::SaveRow): a new tissue's name
    // checked and its number taken inside the save's transaction (the
    // frame's number was only a proposal), then the row written through
    // `list`; a correction writes over the loaded row.
    static std::optional<Refusal> Save(dao::Database db, dao::Recordset list,
                                       const std::optional<LoadedRow> &loaded,
                                       const TissueValues &values);
    // Deletes the current tissue of `list`, the register's list, which refuses
    // a tissue changed or deleted since it showed it (DeleteShownRow).
    static void Delete(dao::Recordset &list);
};

// ------------------------------------------------------------ test method

class MethodRules
{
public:
    static inline const QString Source =
        QStringLiteral("SELECT * FROM Kierunek Where Kod = 'MERVASK'");

    // The laboratory's method row.
    static dao::Recordset Open(dao::Database db);

    // The method row as the window shows it: its method text.
    static LoadedRow Remember(const dao::Recordset &method);
    // Stores the trimmed text as the method when the row still holds what
    // the window was opened with (WriteLoadedRow): 3197 when another
    // workstation changed it meanwhile, 3167 when the row is gone; then
    // nothing is written.
    static void Save(dao::Database db, const LoadedRow &loaded, const QString &text);
};

// ------------------------------------------------------ species and sexes

class SpeciesRecords
{
public:
    // The species by number.
    static dao::Recordset OpenSpecies(dao::Database db);
    // The sexes of a species, in table order.
    static dao::Recordset OpenSexes(dao::Database db, qint64 species);
};

// ------------------------------------------------------ hint and person lists

struct ListEntryKind {
    QString numberField;     // IDPODP or Nr
    QString textField;       // PODPOWIEDZ or Nazwa
    QString numberBox;       // objectName of the number box
    QString emptyNumberText; // the message for an empty number
};

class ListEntryRules
{
public:
    static std::optional<Refusal> Check(const ListEntryKind &kind, const QString &number);
    static void Write(dao::Recordset &rs, const ListEntryKind &kind, const QString &number,
                      const QString &text);
    // The save of the frame (DictionaryStore::SaveRow) into the table of
    // `list`: the number checked, then the row written (a new one, or the
    // loaded one).
    static std::optional<Refusal> Save(dao::Database db, dao::Recordset list,
                                       const ListEntryKind &kind,
                                       const std::optional<LoadedRow> &loaded,
                                       const QString &number, const QString &text);
};
