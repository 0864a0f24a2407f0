#include "ClabFixture.h"

#include "foundation/Globals.h"

#include <QFile>

ClabFixture::ClabFixture()
{
    if (!IsValid())
        return;
    OperatorSurname = Operator;
    // The laboratory's own addresses in place of the installer's placeholders.
    QFile ini(Real(QStringLiteral("T:\\mervasklab.ini")));
    if (!ini.open(QIODevice::ReadWrite))
        return;
    const QByteArray set = ini.readAll().replace("https://clab.invalid", Address.toLatin1());
    ini.resize(0);
    ini.seek(0);
    ini.write(set);
}

void ClabFixture::AddClient(const QString &id, const QVariantMap &values)
{
    QVariantMap row = values;
    row.insert(QStringLiteral("IdRzezni"), id);
    AddRow(StaleDb, QStringLiteral("Zaklad"), row);
}

void ClabFixture::AddBatch(int batch, const QVariantMap &extra)
{
    QVariantMap values{{QStringLiteral("Partia"), batch},
                       {QStringLiteral("WNI"), QStringLiteral("14650301")},
                       {QStringLiteral("KodPIW"), QStringLiteral("1465")},
                       {QStringLiteral("Platnik"), QStringLiteral("Z")},
                       {QStringLiteral("Pobral"), QStringLiteral("Jan Kowalski")},
                       {QStringLiteral("DataPobr"), Day.addDays(-2)},
                       {QStringLiteral("DataDoLab"), Day.addDays(-1)},
                       {QStringLiteral("DataZakBad"), Day},
                       {QStringLiteral("Czystopis"), QStringLiteral("T")}};
    values.insert(extra);
    AddRow(MonthDb, QStringLiteral("Partia"), values);
}

void ClabFixture::AddSample(int batch, const QVariantMap &values)
{
    QVariantMap row = values;
    row.insert(QStringLiteral("Partia"), batch);
    AddRow(MonthDb, QStringLiteral("Badanie"), row);
}

void ClabFixture::AddOfficialBatch(const QString &clientName)
{
    AddClient(QStringLiteral("14650301"), {{QStringLiteral("Nazwa"), clientName}});
    AddBatch(7);
    for (int n : {123, 124})
        AddSample(7, {{QStringLiteral("NrOgolny"), n},
                      {QStringLiteral("NazTkanka"), QStringLiteral("filary przepony")},
                      {QStringLiteral("Gatunek"), QStringLiteral("świnie")},
                      {QStringLiteral("Plec"), QStringLiteral("tucznik")},
                      {QStringLiteral("Wynik"), QStringLiteral("nie stwierdzono")}});
}

QByteArray ClabFixture::ReadAll(const QString &windowsPath)
{
    QFile file(Real(windowsPath));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}
