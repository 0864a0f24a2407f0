#include "foundation/OperatorStore.h"

#include "foundation/RecordWrite.h"
#include "foundation/ScramblePassword.h"
#include "foundation/TextProcedures.h"
#include "platform/db/Field.h"
#include "platform/db/SqlText.h"
#include "platform/db/Transaction.h"

namespace
{

constexpr int NameLength = 50;

qint64 leadingNumber(const QString &text)
{
    const QString trimmed = TrimBlanks(text);
    qsizetype end = 0;
    while (end < trimmed.size() && end < 18 && trimmed.at(end).isDigit())
        ++end;
    return trimmed.left(end).toLongLong();
}

QString numberText(const dao::Recordset &rs)
{
    return ValueText(NullToDefault(rs(QStringLiteral("OP_NUMER")).Value(), QString()));
}

} // namespace

dao::Recordset OperatorStore::OpenList(dao::Database db)
{
    return db.OpenRecordset(QStringLiteral("OPERATORZY"));
}

std::optional<OperatorStore::Account> OperatorStore::FindLogin(dao::Database db,
                                                               const QString &login)
{
    dao::Recordset rs = db.OpenRecordset(
        QStringLiteral("Select * From OPERATORZY Where OP_LOGIN = ") + dao::SqlText(login));
    if (rs.RecordCount() == 0) {
        rs.Close();
        return std::nullopt;
    }
    const auto text = [&rs](const char *field) {
        return ValueText(NullToDefault(rs(QLatin1String(field)).Value(), QString()));
    };
    Account account{text("OP_NUMER"), text("OP_NAZWISKO"), text("OP_RODZAJ"), text("OP_HASLO")};
    rs.Close();
    return account;
}

QString OperatorStore::NextNumber(dao::Database db)
{
    dao::Recordset rs = db.OpenRecordset(QStringLiteral("SELECT * FROM OPERATORZY"));
    qint64 highest = 0;
    for (; !rs.EOF(); rs.MoveNext())
        highest = std::max(highest, leadingNumber(numberText(rs)));
    rs.Close();
    return DigitsOnlyPadded(QString::number(highest + 1), true, 3);
}

bool OperatorStore::NumberTaken(dao::Database db, const QString &number)
{
    const qint64 wanted = leadingNumber(number);
    dao::Recordset rs = db.OpenRecordset(QStringLiteral("SELECT * FROM OPERATORZY"));
    bool taken = false;
    for (; !taken && !rs.EOF(); rs.MoveNext())
        taken = leadingNumber(numberText(rs)) == wanted;
    rs.Close();
    return taken;
}

bool OperatorStore::LoginTaken(dao::Database db, const QString &login)
{
    const QString wanted = TrimBlanks(login);
    dao::Recordset rs = db.OpenRecordset(QStringLiteral("SELECT * FROM OPERATORZY"));
    bool taken = false;
    for (; !taken && !rs.EOF(); rs.MoveNext())
        taken = ValueText(NullToDefault(rs(QStringLiteral("OP_LOGIN")).Value(), QString()))
                    .compare(wanted, Qt::CaseInsensitive) == 0;
    rs.Close();
    return taken;
}

std::optional<QString> OperatorStore::Add(dao::Database db, dao::Recordset &rs, Entry entry)
{
    dao::Transaction transaction(db, dao::Transaction::Immediate);
    if (LoginTaken(db, entry.login))
        return std::nullopt;
    if (entry.number.trimmed().isEmpty() || NumberTaken(db, entry.number))
        entry.number = NextNumber(db);
    rs.AddNew();
    StoreRow(rs, [&] { SetFields(rs, entry); });
    transaction.Commit();
    return entry.number;
}

bool OperatorStore::Change(dao::Recordset &rs, const LoadedRow &loaded, const Entry &entry,
                           bool newLogin)
{
    dao::Transaction transaction(rs.Parent(), dao::Transaction::Immediate);
    if (newLogin && LoginTaken(rs.Parent(), entry.login))
        return false;
    WriteLoadedRow(rs, std::optional(loaded), [&](dao::Recordset &row) { SetFields(row, entry); });
    transaction.Commit();
    return true;
}

void OperatorStore::Delete(dao::Recordset &list)
{
    DeleteShownRow(list);
}

void OperatorStore::SetFields(dao::Recordset &rs, const Entry &entry)
{
    int keyLength = 0;
    rs(QStringLiteral("OP_NUMER")) = entry.number;
    rs(QStringLiteral("OP_NAZWISKO")) = entry.surname.left(NameLength);
    rs(QStringLiteral("OP_KLUCZ")) = MakeNameSortKey(entry.surname, QString(), keyLength);
    rs(QStringLiteral("OP_RODZAJ")) = entry.kind;
    rs(QStringLiteral("OP_LOGIN")) = TrimBlanks(entry.login);
    if (entry.password) {
        QString password = *entry.password;
        rs(QStringLiteral("OP_HASLO")) = ScramblePassword(password);
    }
}
