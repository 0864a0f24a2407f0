#pragma once

#include "InstalledWorkstation.h"
#include "TableData.h"

#include "foundation/BatchHeading.h"

#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <functional>

class FormBadanie;

namespace ui
{
class ScriptedUi;
}

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

    // Opens the batch's samples through the window's door and runs the story
    // on the shown window.
    static void Open(ui::ScriptedUi &ui, int batch,
                     const std::function<void(FormBadanie &)> &story);
    // The sign-in window's operator kind ("Operator", "Administrator").
    static void SignIn(const QString &kind);

    // Writes a file in Windows-1250 with the given line end.
    static void WriteFile(const QString &windowsPath, const QStringList &lines,
                          const QString &lineEnd = QStringLiteral("\r\n"));
};
