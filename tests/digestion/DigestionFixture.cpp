#include "DigestionFixture.h"

#include "foundation/Globals.h"

QStringList DigestionFixture::Column(dao::Database db, const QString &sql, const QString &field)
{
    QStringList values;
    for (const QVariant &value : TableData::Column(db, sql, field))
        values.append(value.typeId() == QMetaType::QDate
                          ? value.toDate().toString(QStringLiteral("dd.MM.yyyy"))
                          : value.toString());
    return values;
}

void DigestionFixture::AddBatch(int batch, const QVariantMap &extra)
{
    QVariantMap values{{QStringLiteral("Partia"), batch},
                       {QStringLiteral("WNI"), QStringLiteral("14650301")},
                       {QStringLiteral("DataDoLab"), Day},
                       {QStringLiteral("DataRozpBad"), Day},
                       {QStringLiteral("DataZakBad"), Day.addDays(1)}};
    values.insert(extra);
    AddRow(MonthDb, QStringLiteral("Partia"), values);
}

void DigestionFixture::AddRun(int batch, int run, const QVariantMap &extra)
{
    QVariantMap values{{QStringLiteral("Partia"), batch}, {QStringLiteral("Nastawienie"), run}};
    values.insert(extra);
    AddRow(MonthDb, QStringLiteral("Nastawienie"), values);
}

void DigestionFixture::AddTray(int batch, int run, int tray, const QVariantMap &extra)
{
    QVariantMap values{{QStringLiteral("Partia"), batch},
                       {QStringLiteral("Nastawienie"), run},
                       {QStringLiteral("NrTacy"), tray},
                       {QStringLiteral("NrTusz"), QString::number(tray * 10)},
                       {QStringLiteral("IlProbek"), 1}};
    values.insert(extra);
    AddRow(MonthDb, QStringLiteral("PozycjaN"), values);
}

void DigestionFixture::AddSample(int batch, int carcass, const QVariantMap &extra)
{
    QVariantMap values{{QStringLiteral("Partia"), batch},
                       {QStringLiteral("NrProbki"), carcass},
                       {QStringLiteral("NrDzien"), carcass}};
    values.insert(extra);
    AddRow(MonthDb, QStringLiteral("Badanie"), values);
}

BatchHeading DigestionFixture::Heading(int batch)
{
    return {batch, Day, QStringLiteral("14650301"),
            QStringLiteral("14650301 - Ubojnia Łęczyca, Łęczyca ul. Polna 1")};
}

QStringList DigestionFixture::Trays(int batch, int run)
{
    QStringList trays;
    for (const QVariantMap &row :
         Rows(MonthDb, QStringLiteral("SELECT * FROM PozycjaN WHERE Partia = %1 And Nastawienie = "
                                      "%2 ORDER BY NrTacy")
                           .arg(batch)
                           .arg(run)))
        trays.append(row.value(QStringLiteral("NrTacy")).toString() + u':' +
                     row.value(QStringLiteral("NrTusz")).toString());
    return trays;
}
