#pragma once

#include "platform/db/Database.h"
#include "platform/ui/ScriptedUi.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariantMap>

class FormPartia;

// A workstation made by the installer in a temporary drives folder: the
// shared databases open as the start-up leaves them, a month database of
// March 2024, the working date and a signed-in operator. Its functions add
// clients, batches and their children, and open the batch register as the
// main window does.
class BatchesFixture
{
public:
    BatchesFixture();
    ~BatchesFixture();
    BatchesFixture(const BatchesFixture &) = delete;
    BatchesFixture &operator=(const BatchesFixture &) = delete;

    bool IsValid() const { return valid_; }
    QString Real(const QString &windowsPath) const;

    static inline const QDate Day = QDate(2024, 3, 5);
    static inline const QString Operator = QStringLiteral("Wąsik");

    static void AddRow(dao::Database db, const QString &table, const QVariantMap &values);
    static int Count(dao::Database db, const QString &sql);
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

private:
    static void ResetProgramState();
    QTemporaryDir dir_;
    bool valid_ = false;
};
