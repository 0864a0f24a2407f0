#pragma once

#include "InstalledWorkstation.h"
#include "TableData.h"

#include <QDate>
#include <QString>
#include <QVariantMap>

// The installed workstation of 05.03.2024, its central-laboratory addresses
// set, with the rows an export reads:
// clients, batches (fair copies unless told otherwise) and their samples.
class ClabFixture : public InstalledWorkstation, public TableData
{
public:
    ClabFixture();

    static inline const QString Operator = QStringLiteral("Wąsik");
    // The central laboratory's address set in T:\mervasklab.ini.
    static inline const QString Address = QStringLiteral("https://clab.example.org");

    static void AddClient(const QString &id, const QVariantMap &values);
    // A fair-copy official batch of client "14650301", delivered and ended on
    // the working day; `extra` overrides fields.
    static void AddBatch(int batch, const QVariantMap &extra = {});
    static void AddSample(int batch, const QVariantMap &values);
    // Client "14650301" named `clientName` and its official batch 7 of two
    // pig samples (general numbers 123 and 124) in which none was found.
    static void AddOfficialBatch(const QString &clientName);

    static QByteArray ReadAll(const QString &windowsPath);
};
