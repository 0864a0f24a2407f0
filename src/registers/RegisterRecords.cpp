#include "registers/RegisterRecords.h"

#include "foundation/TextProcedures.h"
#include "platform/db/Transaction.h"
#include "platform/ui/MsgBox.h"
#include "registers/DictionaryStore.h"

namespace
{

const QChar CR = QLatin1Char('\r');

Refusal info(const QString &text, const QString &focus)
{
    return {text, ui::vbInformation, InformationTitle, focus};
}

} // namespace

// ------------------------------------------------------------ sampling vets

std::optional<Refusal> VetRules::Check(const VetValues &v)
{
    if (!DictionaryStore::IsNumeric(v.number))
        return info(QStringLiteral("W polu kod lekarza wprować wartość numeryczną!") + CR +
                        QStringLiteral("Unikalny nr lekarza w PIW"),
                    QStringLiteral("TextLekarzNr"));
    if (TrimBlanks(v.firstName).isEmpty())
        return info(QStringLiteral("Wpisz imię!"), QStringLiteral("TextImie"));
    if (TrimBlanks(v.surname).isEmpty())
        return info(QStringLiteral("Wpisz nazwisko!"), QStringLiteral("TextNazwisko"));
    if (TrimBlanks(v.town).isEmpty())
        return info(QStringLiteral("Wpisz miejscowość!"), QStringLiteral("TextMiasto"));
    if (v.surname.contains(QLatin1Char(' ')))
        return info(QStringLiteral("W polu Imię i Nazwisko nie może znajdować się spacja!") + CR +
                        QStringLiteral("Nazwiska podwójne proszę zapisywać np. z myślnikiem '-'"),
                    QString());
    // The boxes take no more than their columns; a text put there otherwise
    // is refused here rather than by the database.
    const struct {
        QString text;
        QString field;
        QString caption;
        QString focus;
    } limited[] = {
        {v.firstName, QStringLiteral("Imie"), QStringLiteral("Imię"), QStringLiteral("TextImie")},
        {v.surname, QStringLiteral("Nazwisko"), QStringLiteral("Nazwisko"),
         QStringLiteral("TextNazwisko")},
        {TrimBlanks(v.phone), QStringLiteral("Telefon"), QStringLiteral("Telefon"),
         QStringLiteral("TextTelefon")}};
    for (const auto &box : limited) {
        if (std::optional<Refusal> fault = DictionaryStore::TooLong(
                box.text, QStringLiteral("Lekarz"), box.field, box.caption, box.focus))
            return fault;
    }
    return std::nullopt;
}

dao::Recordset VetRules::OpenList(dao::Database db, bool byName)
{
    return db.OpenRecordset(byName ? QStringLiteral("SELECT * FROM Lekarz ORDER BY Nazwisko, Imie")
                                   : QStringLiteral("SELECT * FROM Lekarz ORDER BY IDLekarz"));
}

void VetRules::Write(dao::Recordset &rs, const VetValues &v, std::optional<qint64> newId)
{
    if (newId)
        rs(QStringLiteral("IDLekarz")) = *newId;
    rs(QStringLiteral("Nazwa")) = v.practice;
    rs(QStringLiteral("Imie")) = v.firstName;
    rs(QStringLiteral("Nazwisko")) = v.surname;
    rs(QStringLiteral("KodPocztowy")) = v.postalCode;
    rs(QStringLiteral("Miasto")) = DictionaryStore::Cut(TrimBlanks(v.town), 50);
    rs(QStringLiteral("Ulica")) = DictionaryStore::Cut(v.street, 50);
    rs(QStringLiteral("Telefon")) = TrimBlanks(v.phone);
    rs(QStringLiteral("Email")) = DictionaryStore::Cut(v.email, 30);
    rs(QStringLiteral("Uwagi")) = TrimBlanks(v.remarks);
    rs(QStringLiteral("LekarzNr")) = TrimBlanks(v.number);
}

std::optional<Refusal> VetRules::Save(dao::Database db, dao::Recordset list,
                                      const std::optional<LoadedRow> &loaded,
                                      const VetValues &values)
{
    return DictionaryStore::SaveRow(
        db, list, QStringLiteral("Lekarz"), loaded, [&] { return Check(values); },
        [&](dao::Recordset &rs) {
            Write(rs, values,
                  loaded ? std::nullopt
                         : std::optional<qint64>(DictionaryStore::NextNumber(
                               db, QStringLiteral("Lekarz"), QStringLiteral("IDLekarz"))));
        });
}

// ------------------------------------------------ county and regional inspectorates

const InspectorateKind &InspectorateKind::County()
{
    static const InspectorateKind kind{QStringLiteral("PIW"),
                                       QStringLiteral("IDPIW"),
                                       true,
                                       true,
                                       QStringLiteral("PIW o podanym kodzie już istnieje!"),
                                       QStringLiteral("Zapis PIW")};
    return kind;
}

const InspectorateKind &InspectorateKind::Regional()
{
    static const InspectorateKind kind{QStringLiteral("WIW"),
                                       QStringLiteral("IDWIW"),
                                       false,
                                       false,
                                       QStringLiteral("WIW o podanym kodzie już istnieje!"),
                                       QStringLiteral("Zapis WIW")};
    return kind;
}

QString InspectorateRules::ListStatement(const InspectorateKind &kind, bool byName)
{
    return QStringLiteral("SELECT * FROM ") + kind.table + QStringLiteral(" ORDER BY ") +
           (byName ? QStringLiteral("Nazwa, ") + kind.key : kind.key);
}

std::optional<Refusal> InspectorateRules::CheckCode(const InspectorateKind &kind,
                                                    const QString &code)
{
    if (kind.numericKey && !DictionaryStore::IsNumeric(code))
        return info(QStringLiteral("Kod powiatu powinien być wartością numeryczną! Popraw!"),
                    QStringLiteral("MEBKod"));
    return std::nullopt;
}

std::optional<Refusal> InspectorateRules::CheckLengths(const InspectorateKind &kind,
                                                       const InspectorateValues &v)
{
    // The telephone is stored trimmed, the name as typed.
    if (std::optional<Refusal> fault =
            DictionaryStore::TooLong(v.name, kind.table, QStringLiteral("NAZWA"),
                                     QStringLiteral("Nazwa"), QStringLiteral("TextNazwa")))
        return fault;
    return DictionaryStore::TooLong(TrimBlanks(v.phone), kind.table, QStringLiteral("Telefon"),
                                    QStringLiteral("Telefon"), QStringLiteral("TextTelefon"));
}

std::optional<Refusal>
InspectorateRules::CheckNewCode(dao::Database db, const InspectorateKind &kind, const QString &code)
{
    if (DictionaryStore::KeyTaken(db, kind.table, kind.key, TrimBlanks(code)))
        return Refusal{kind.duplicateText, ui::vbExclamation, QStringLiteral("ZAPISYWANIE"),
                       QStringLiteral("MEBKod")};
    return std::nullopt;
}

void InspectorateRules::Write(dao::Recordset &rs, const InspectorateKind &kind,
                              const InspectorateValues &v, bool adding)
{
    // A key with blanks around it would never be found by the county code.
    if (adding)
        rs(kind.key) = TrimBlanks(v.code);
    rs(QStringLiteral("NAZWA")) = v.name;
    if (!v.postalCode.contains(QLatin1Char('_')))
        rs(QStringLiteral("KodPocztowy")) = v.postalCode;
    rs(QStringLiteral("Miasto")) = DictionaryStore::Cut(TrimBlanks(v.town), 50);
    rs(QStringLiteral("Ulica")) = DictionaryStore::Cut(v.street, 50);
    rs(QStringLiteral("Telefon")) = TrimBlanks(v.phone);
    rs(QStringLiteral("Email")) = TrimBlanks(v.email);
    if (kind.signedMail)
        rs(QStringLiteral("EmailSzyfr")) = TrimBlanks(v.signedEmail);
    rs(QStringLiteral("Uwagi")) = TrimBlanks(v.remarks);
}

std::optional<Refusal> InspectorateRules::Save(dao::Database db, dao::Recordset list,
                                               const InspectorateKind &kind,
                                               const std::optional<LoadedRow> &loaded,
                                               const InspectorateValues &values)
{
    for (const std::optional<Refusal> &fault :
         {CheckCode(kind, values.code), CheckLengths(kind, values)}) {
        if (fault)
            return fault;
    }
    const bool adding = !loaded;
    return DictionaryStore::SaveRow(
        db, list, kind.table, loaded,
        [&]() -> std::optional<Refusal> {
            if (adding)
                return CheckNewCode(db, kind, values.code);
            return std::nullopt;
        },
        [&](dao::Recordset &rs) { Write(rs, kind, values, adding); });
}

// ------------------------------------------------------------ tissues

dao::Recordset TissueRules::OpenList(dao::Database db)
{
    return db.OpenRecordset(QStringLiteral("SELECT * FROM TKANKA ORDER BY IDTkanka"));
}

std::optional<Refusal> TissueRules::NextNumber(dao::Database db, qint64 &number)
{
    number = DictionaryStore::NextNumber(db, QStringLiteral("Tkanka"), QStringLiteral("IDTkanka"));
    if (number > 255)
        return info(FullText, QString());
    return std::nullopt;
}

std::optional<Refusal> TissueRules::CheckNewName(dao::Database db, const QString &name)
{
    const QString trimmed = TrimBlanks(name);
    if (DictionaryStore::KeyTaken(db, QStringLiteral("TKANKA"), QStringLiteral("NazTkanka"),
                                  trimmed))
        return info(QStringLiteral("Pozycja: ") + trimmed +
                        QStringLiteral(" już istnieje. Popraw!"),
                    QStringLiteral("TextNazwa"));
    return std::nullopt;
}

void TissueRules::Write(dao::Recordset &rs, const TissueValues &v, std::optional<int> newId)
{
    if (newId)
        rs(QStringLiteral("IDTkanka")) = *newId;
    rs(QStringLiteral("NazTkanka")) = TrimBlanks(v.name);
    rs(QStringLiteral("KodCLab")) = TrimBlanks(v.clabCode);
    rs(QStringLiteral("NazCLab")) = TrimBlanks(v.clabName);
    rs(QStringLiteral("Uwagi")) = TrimBlanks(v.remarks);
}

std::optional<Refusal> TissueRules::Save(dao::Database db, dao::Recordset list,
                                         const std::optional<LoadedRow> &loaded,
                                         const TissueValues &values)
{
    std::optional<int> newId;
    return DictionaryStore::SaveRow(
        db, list, QStringLiteral("Tkanka"), loaded,
        [&]() -> std::optional<Refusal> {
            if (loaded)
                return std::nullopt;
            if (std::optional<Refusal> fault = CheckNewName(db, values.name))
                return fault;
            qint64 number = 0;
            if (std::optional<Refusal> full = NextNumber(db, number))
                return full;
            newId = int(number);
            return std::nullopt;
        },
        [&](dao::Recordset &rs) { Write(rs, values, newId); });
}

void TissueRules::Delete(dao::Recordset &list)
{
    DeleteShownRow(list);
}

// ------------------------------------------------------------ test method

dao::Recordset MethodRules::Open(dao::Database db)
{
    return db.OpenRecordset(Source);
}

LoadedRow MethodRules::Remember(const dao::Recordset &method)
{
    return RememberRow(method, {QStringLiteral("Metoda")});
}

void MethodRules::Save(dao::Database db, const LoadedRow &loaded, const QString &text)
{
    // The comparison and the write see the same row: no other workstation
    // writes in between.
    dao::Transaction transaction(db, dao::Transaction::Immediate);
    dao::Recordset rs = db.OpenRecordset(Source);
    WriteLoadedRow(rs, std::optional(loaded),
                   [&](dao::Recordset &row) { row(QStringLiteral("Metoda")) = TrimBlanks(text); });
    rs.Close();
    transaction.Commit();
}

// ------------------------------------------------------ species and sexes

dao::Recordset SpeciesRecords::OpenSpecies(dao::Database db)
{
    return db.OpenRecordset(QStringLiteral("SELECT * FROM GATUNEK ORDER BY IDGatunek"));
}

dao::Recordset SpeciesRecords::OpenSexes(dao::Database db, qint64 species)
{
    return db.OpenRecordset(QStringLiteral("SELECT * FROM PLEC WHERE IDGatunek = ") +
                            QString::number(species));
}

// ------------------------------------------------------ hint and person lists

std::optional<Refusal> ListEntryRules::Check(const ListEntryKind &kind, const QString &number)
{
    if (std::optional<QString> text =
            DictionaryStore::ByteNumberFault(number, kind.emptyNumberText))
        return info(*text, kind.numberBox);
    return std::nullopt;
}

void ListEntryRules::Write(dao::Recordset &rs, const ListEntryKind &kind, const QString &number,
                           const QString &text)
{
    rs(kind.numberField) = DictionaryStore::ByteNumber(number);
    rs(kind.textField) = TrimBlanks(text);
}

std::optional<Refusal> ListEntryRules::Save(dao::Database db, dao::Recordset list,
                                            const ListEntryKind &kind,
                                            const std::optional<LoadedRow> &loaded,
                                            const QString &number, const QString &text)
{
    return DictionaryStore::SaveRow(
        db, list, list.TableName(), loaded, [&] { return Check(kind, number); },
        [&](dao::Recordset &rs) { Write(rs, kind, number, text); });
}
