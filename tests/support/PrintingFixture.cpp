#include "PrintingFixture.h"

#include "foundation/Globals.h"

QStringList PrintingFixture::Column(dao::Database db, const QString &table, const QString &field)
{
    QStringList values;
    for (const QVariant &value : TableData::Column(db, table, field))
        values.append(value.toString());
    return values;
}

dao::Variant PrintingFixture::Value(dao::Database db, const QString &table, const QString &field)
{
    dao::Recordset rs = db.OpenRecordset(table);
    return rs.RecordCount() > 0 ? rs.ValueAt(0, rs.FieldIndex(field)) : dao::Variant();
}

void PrintingFixture::AddEstablishment(const QString &wni, const QString &name, const QString &town)
{
    AddRow(StaleDb, "Zaklad",
           {{"IdRzezni", wni},
            {"Nazwa", name},
            {"Miejscowosc", town},
            {"Ulica", "ul. Źródlana 7"},
            {"KodPocztowy", "90-001"},
            {"Miasto", town},
            {"KodPIW", wni.left(4)}});
}

void PrintingFixture::AddInspectorate(const QString &code, const QString &name, const QString &town,
                                      const QVariant &email, const QVariant &encryptedEmail)
{
    AddRow(StaleDb, "PIW",
           {{"IDPIW", code},
            {"NAZWA", name},
            {"Ulica", "ul. Weterynaryjna 2"},
            {"KodPocztowy", "90-100"},
            {"Miasto", town},
            {"Email", email},
            {"EmailSzyfr", encryptedEmail}});
}

void PrintingFixture::AddBatch(int batch, const QString &wni, const QVariantMap &extra)
{
    QVariantMap values{{"Partia", batch},
                       {"WNI", wni},
                       {"ZleceniodawcaWNI", wni},
                       {"ZleceniodawcaTypWNI", "Rzeźnia"},
                       {"Platnik", "Z"},
                       {"IlProbek", "3"},
                       {"DataUboju", Day.addDays(-1)},
                       {"DataDoLab", Day},
                       {"Przyjal", "Józef Wąsik"}};
    values.insert(extra);
    AddRow(MonthDb, "Partia", values);
}

void PrintingFixture::AddSample(int batch, int dailyNumber, int carcass, const QString &tissue)
{
    AddRow(MonthDb, "Badanie",
           {{"Partia", batch},
            {"NrDzien", dailyNumber},
            {"NrOgolny", 1000 + dailyNumber},
            {"NrProbki", carcass},
            {"NazTkanka", tissue.isEmpty() ? QVariant() : tissue},
            {"Wynik", "nie stwierdzono"}});
}

dao::Recordset PrintingFixture::BatchList(int batch)
{
    dao::Recordset rs = MonthDb.OpenRecordset("SELECT * FROM Partia ORDER BY Partia");
    rs.FindFirst("Partia = " + QString::number(batch));
    return rs;
}
