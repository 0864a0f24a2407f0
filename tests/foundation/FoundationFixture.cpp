#include "FoundationFixture.h"

#include "foundation/ScramblePassword.h"
#include "platform/db/DBEngine.h"

#include <QDir>
#include <QFile>

namespace
{

void addList(dao::Database &db, const QString &table, const QString &field,
             const QStringList &values)
{
    FoundationFixture::CreateTable(db, table, {{"Nr", 0}, {field, 100}});
    for (int i = 0; i < values.size(); ++i)
        FoundationFixture::AddRow(db, table, {{"Nr", i + 1}, {field, values[i]}});
}

void addOperator(dao::Database &db, int number, const QString &login, QString password,
                 const QString &surname, const QString &kind, const QString &padding = {})
{
    FoundationFixture::AddRow(db, "OPERATORZY",
                              {{"OP_NUMER", number},
                               {"OP_LOGIN", login},
                               {"OP_HASLO", ScramblePassword(password) + padding},
                               {"OP_NAZWISKO", surname},
                               {"OP_RODZAJ", kind}});
}

} // namespace

FoundationFixture::FoundationFixture()
{
    QDir(drives_.Path()).mkpath("t/Dane");
}

void FoundationFixture::WriteIni(const QByteArray &bytes) const
{
    QFile file(Real("T:\\mervasklab.ini"));
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

void FoundationFixture::CreateTable(dao::Database &db, const QString &name, const Columns &columns)
{
    dao::TableDef table = db.CreateTableDef(name);
    for (const auto &[field, size] : columns) {
        const auto type = size > 0 ? dao::dbText : size == 0 ? dao::dbLong : dao::dbDate;
        dao::Field definition = table.CreateField(field, type, qMax(size, 0));
        definition.setAllowZeroLength(size > 0);
        table.Fields().Append(definition);
    }
    db.TableDefs().Append(table);
}

dao::Database FoundationFixture::CreateStale(const QString &folder, bool withLaboratory) const
{
    dao::Database db = dao::DBEngine::Workspaces(0).CreateDatabase(Real(folder + "Stale.mdb"));
    CreateTable(db, "PODATNIK",
                {{"TX2", 100}, {"TX3", 100}, {"TX4", 100}, {"TX5", 100}, {"TX6", 100}});
    if (withLaboratory)
        AddRow(db, "PODATNIK",
               {{"TX2", "Laboratorium Badań"}, {"TX4", "00-001 Łódź"}, {"TX6", QString()}});
    CreateTable(db, "OPERATORZY",
                {{"OP_NUMER", 0},
                 {"OP_LOGIN", 20},
                 {"OP_HASLO", 20},
                 {"OP_NAZWISKO", 50},
                 {"OP_RODZAJ", 20}});
    addOperator(db, 1, "ADMIN", "tajne1", "Kowalski", "Administrator");
    addOperator(db, 2, "anna", "anna12", "Nowak", "Operator", "  ");
    CreateTable(db, "Zaklad", {{"IdRzezni", 14}, {"TypWNI", 30}, {"Nazwa", 100}, {"NIP", 13}});
    addList(db, "UwagiProbka", "PODPOWIEDZ", {"zmiana", "brak"});
    addList(db, "OpisProbki", "PODPOWIEDZ", {"świeża", "mrożona"});
    addList(db, "Autoryzowal", "Nazwa", {"Wiśniewska"});
    addList(db, "Wykonujacy", "Nazwa", {"Zając"});
    addList(db, "Odpowiedzialny", "Nazwa", {"Lis"});
    addList(db, "Tkanka", "NazTkanka", {"przepona", "język"});
    for (const QString table :
         {"Waga", "Termometr", "Mieszadlo", "Trychinoskop", "HCLseria", "PepsynaSeria", "Sito"})
        addList(db, table, "Wartosc", {table + " 2", table + " 1"});
    return db;
}

dao::Database FoundationFixture::CreateRobot() const
{
    dao::Database db = dao::DBEngine::Workspaces(0).CreateDatabase(Real("T:\\Dane\\Robot.mdb"));
    CreateTable(db, "WynikTMP", {{"Numer", 255}});
    return db;
}
