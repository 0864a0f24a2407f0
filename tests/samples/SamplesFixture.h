#pragma once

#include "InstalledWorkstation.h"
#include "TableData.h"

#include "foundation/BatchHeading.h"

#include <QString>
#include <QStringList>
#include <QVariantMap>

// The installed workstation of 05.03.2024 with batches and samples put in
// directly, and the order files the sample import reads.
class SamplesFixture : public InstalledWorkstation, public TableData
{
public:
    static inline const QString Wni = QStringLiteral("14650301");
    static inline const QString DeliveryDate = QStringLiteral("05.03.2024");

    // A batch delivered on `delivery`, sampled the day before.
    static void AddBatch(int batch, const QVariantMap &extra = {});
    static void AddSample(int batch, int carcass, const QVariant &daily, const QVariant &general,
                          const QVariantMap &extra = {});
    static BatchHeading Heading(int batch);

    // The values of one field over the statement's rows, as texts.
    static QStringList Texts(const QString &sql, const QString &field);

    // Writes a file in Windows-1250 with the given line end.
    static void WriteFile(const QString &windowsPath, const QStringList &lines,
                          const QString &lineEnd = QStringLiteral("\r\n"));
};
