#pragma once

#include "InstalledWorkstation.h"
#include "TableData.h"
#include "platform/ui/ScriptedUi.h"

#include <QString>
#include <QStringList>
#include <QVariantMap>

class FormPartia;

// The installed workstation of 05.03.2024 with a signed-in operator. Its
// functions add clients, batches and their children, and open the batch
// register as the main window does.
class BatchesFixture : public InstalledWorkstation, public TableData
{
public:
    BatchesFixture();

    static inline const QString Operator = QStringLiteral("Wąsik");

    static int Count(dao::Database db, const QString &sql) { return RowCount(db, sql); }
    // The values of one field over the statement's rows, as texts.
    static QStringList Column(dao::Database db, const QString &sql, const QString &field);

    static void AddClient(const QString &id, const QString &name, const QVariantMap &extra = {});
    // A batch that passes every check of the save; `extra` overrides fields.
    static void AddBatch(int batch, const QString &wni, const QVariantMap &extra = {});
    // Samples, runs and trays of one batch.
    static void AddChildren(int batch, int samples, int runs, int trays);

    // The register as "Ewidencja próbek" opens it: the working date in its
    // date box, the month's batches newest first, shown.
    static FormPartia &OpenRegister();

    // A frame that passes every check, over what ComDodajPr prepared.
    static void FillValidFrame(FormPartia &form, const QString &wni);
};
