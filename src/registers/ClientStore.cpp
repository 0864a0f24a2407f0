#include "registers/ClientStore.h"

#include "foundation/TextProcedures.h"
#include "platform/db/Field.h"
#include "platform/db/SqlText.h"
#include "platform/ui/MsgBox.h"
#include "registers/DictionaryStore.h"

#include <QRegularExpression>

#include <iterator>

namespace
{

// The entry's refusals are information boxes.
Refusal info(const QString &text, const QString &focus)
{
    return {text, ui::vbInformation, QStringLiteral("INFORMACJA"), focus};
}

QString fieldText(const dao::Recordset &rs, const char *field)
{
    return ValueText(NullToDefault(rs(QLatin1String(field)).Value(), QString()));
}

} // namespace

QString Client::AddressLine() const
{
    return Nazwa + QStringLiteral(", ") + Miejscowosc + QLatin1Char(' ') + Ulica +
           QStringLiteral(", ") + KodPocztowy + QLatin1Char(' ') + Miasto;
}

QString ClientStore::ListStatement(bool byName)
{
    return byName ? QStringLiteral("SELECT * FROM Zaklad ORDER BY Nazwa")
                  : QStringLiteral("SELECT * FROM Zaklad ORDER BY IdRzezni");
}

QString ClientStore::SearchStatement(const QString &searchBy, const QString &typed)
{
    const QString prefix = dao::SqlLikePrefix(TrimBlanks(typed));
    if (searchBy == QLatin1String("Nazwa"))
        return QStringLiteral("SELECT * FROM Zaklad Where Nazwa LIKE ") + prefix +
               QStringLiteral(" ORDER BY Nazwa");
    return QStringLiteral("SELECT * FROM Zaklad Where NIP LIKE ") + prefix +
           QStringLiteral(" ORDER BY IdRzezni");
}

std::optional<Refusal> ClientStore::Check(const Client &entry)
{
    if (TrimBlanks(entry.IdRzezni).isEmpty())
        return info(QStringLiteral("Wpisz WNI!"), QStringLiteral("TextIDKlient"));
    if (!entry.KodPIW.isEmpty() && !IsNumericText(entry.KodPIW))
        return info(QStringLiteral("Popraw kod PIW!"), QStringLiteral("TextKodPIW"));
    if (TrimBlanks(entry.Nazwa).isEmpty())
        return info(QStringLiteral("Wpisz nazwę lub imię i nazwisko!"),
                    QStringLiteral("TextNazwa"));
    if (TrimBlanks(entry.Miejscowosc).isEmpty())
        return info(QStringLiteral("Wpisz miejscowość!"), QStringLiteral("TextMiejscowosc"));
    if (TrimBlanks(entry.Telefon).isEmpty())
        return info(QStringLiteral("Wpisz nr telefonu!"), QStringLiteral("TextTelefon"));
    // Typing stops at the column's width, but a kind chosen from the list is
    // taken whole.
    if (const std::optional<Refusal> kind = DictionaryStore::TooLong(
            TrimBlanks(entry.TypWNI), Table, QStringLiteral("TypWNI"),
            QStringLiteral("Rodzaj klienta"), QStringLiteral("ComboTypWNI")))
        return kind;
    return std::nullopt;
}

bool ClientStore::Exists(dao::Database db, const QString &id,
                         const std::function<bool(const dao::Bookmark &)> &isSelf)
{
    dao::Recordset rs = db.OpenRecordset(QStringLiteral("SELECT * FROM Zaklad WHERE IdRzezni = ") +
                                         dao::SqlText(id));
    bool found = false;
    for (; !found && !rs.EOF(); rs.MoveNext())
        found = !isSelf || !isSelf(rs.Bookmark());
    rs.Close();
    return found;
}

std::optional<Refusal> ClientStore::CheckDuplicate(dao::Database db, const QString &typedId,
                                                   const std::optional<LoadedRow> &correcting,
                                                   const QString &loadedId)
{
    // Blanks around an identifier would make a key that no batch finds.
    const QString id = TrimBlanks(typedId);
    bool duplicate = false;
    if (!correcting)
        duplicate = Exists(db, id);
    else if (id != loadedId)
        duplicate =
            Exists(db, id, [&](const dao::Bookmark &row) { return row == correcting->Bookmark(); });
    if (!duplicate)
        return std::nullopt;
    return info(QStringLiteral("Klient o numerze: ") + id +
                    QStringLiteral(" już istnieje. Popraw!"),
                QStringLiteral("TextIDKlient"));
}

std::optional<Refusal> ClientStore::Save(dao::Database db, dao::Recordset list,
                                         const std::optional<LoadedRow> &loaded,
                                         const Client &entry)
{
    if (std::optional<Refusal> fault = Check(entry))
        return fault;
    const QString loadedId =
        loaded ? ValueText(NullToDefault(loaded->Value(QStringLiteral("IdRzezni")), QString()))
               : QString();
    return DictionaryStore::SaveRow(
        db, list, Table, loaded,
        [&] { return CheckDuplicate(db, entry.IdRzezni, loaded, loadedId); },
        [&entry](dao::Recordset &rs) { SetFields(rs, entry); });
}

Client ClientStore::Read(const dao::Recordset &rs)
{
    Client c;
    c.IdRzezni = fieldText(rs, "IdRzezni");
    c.TypWNI = fieldText(rs, "TypWNI");
    c.KodPIW = fieldText(rs, "KodPIW");
    c.Nazwa = fieldText(rs, "Nazwa");
    c.Miejscowosc = fieldText(rs, "Miejscowosc");
    c.Ulica = fieldText(rs, "Ulica");
    c.KodPocztowy = fieldText(rs, "KodPocztowy");
    c.Miasto = fieldText(rs, "Miasto");
    c.Telefon = fieldText(rs, "Telefon");
    c.Email = fieldText(rs, "Email");
    c.Uwagi = fieldText(rs, "UWAGI");
    return c;
}

void ClientStore::SetFields(dao::Recordset &rs, const Client &c)
{
    const QString piw = TrimBlanks(c.KodPIW);
    rs(QStringLiteral("IdRzezni")) = TrimBlanks(c.IdRzezni);
    rs(QStringLiteral("TypWNI")) = TrimBlanks(c.TypWNI);
    rs(QStringLiteral("Nazwa")) = c.Nazwa;
    rs(QStringLiteral("Miejscowosc")) = TrimBlanks(c.Miejscowosc);
    rs(QStringLiteral("Ulica")) = TrimBlanks(c.Ulica);
    rs(QStringLiteral("KodPocztowy")) = c.KodPocztowy;
    rs(QStringLiteral("Miasto")) = TrimBlanks(c.Miasto);
    rs(QStringLiteral("Telefon")) = TrimBlanks(c.Telefon);
    rs(QStringLiteral("Email")) = TrimBlanks(c.Email);
    rs(QStringLiteral("KodPIW")) = IsNumericText(piw) ? dao::Variant(piw) : dao::Variant();
    rs(QStringLiteral("UWAGI")) = TrimBlanks(c.Uwagi);
}

bool ClientStore::IsNumericText(const QString &text)
{
    static const QRegularExpression numeric(QStringLiteral("^ *[+-]?[0-9]+ *$"));
    return numeric.match(text).hasMatch();
}

std::optional<Client> ClientStore::Find(dao::Database db, const QString &id)
{
    dao::Recordset rs = db.OpenRecordset(QStringLiteral("SELECT * FROM Zaklad WHERE IdRzezni = ") +
                                         dao::SqlText(id));
    std::optional<Client> found;
    if (rs.RecordCount() > 0) {
        rs.MoveFirst();
        found = Read(rs);
    }
    rs.Close();
    return found;
}

bool ClientStore::IsEmpty(dao::Database db)
{
    dao::Recordset rs = db.OpenRecordset(QStringLiteral("SELECT * FROM Zaklad"));
    const bool empty = rs.RecordCount() == 0;
    rs.Close();
    return empty;
}

void ClientStore::AddReceived(dao::Database db, const QStringList &values)
{
    static const char *const columns[] = {"IdRzezni", "TypWNI",      "Nazwa",  "Miejscowosc",
                                          "Ulica",    "KodPocztowy", "Miasto", "Telefon",
                                          "Email",    "KodPIW"};
    dao::Recordset rs = db.OpenRecordset(QStringLiteral("SELECT * FROM ZAKLAD WHERE IdRzezni = ") +
                                         dao::SqlText(values.value(0)));
    rs.AddNew();
    for (int i = 0; i < values.size() && i < int(std::size(columns)); ++i)
        rs(QLatin1String(columns[i])) = values.at(i);
    rs.Update();
    rs.Close();
}
