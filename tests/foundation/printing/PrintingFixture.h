#pragma once

#include "platform/db/Database.h"
#include "platform/db/Recordset.h"

#include <QDate>
#include <QString>
#include <QTemporaryDir>
#include <QVariantMap>

// A workstation made by the installer in a temporary drives folder, with the
// shared databases open as the start-up leaves them and a month database of
// March 2024. Helpers add dictionary rows, batches and samples.
class PrintingFixture
{
public:
    PrintingFixture();
    ~PrintingFixture();
    PrintingFixture(const PrintingFixture &) = delete;
    PrintingFixture &operator=(const PrintingFixture &) = delete;

    bool IsValid() const { return valid_; }
    QString Real(const QString &windowsPath) const;

    static inline const QDate Day = QDate(2024, 3, 5);

    static void AddRow(dao::Database db, const QString &table, const QVariantMap &values);
    static int RowCount(dao::Database db, const QString &table);
    // The values of one field over the table's rows, in table order.
    static QStringList Column(dao::Database db, const QString &table, const QString &field);
    static dao::Variant Value(dao::Database db, const QString &table, const QString &field);

    void AddEstablishment(const QString &wni, const QString &name, const QString &town);
    void AddInspectorate(const QString &code, const QString &name, const QString &town,
                         const QVariant &email, const QVariant &encryptedEmail = QVariant());
    // A batch delivered on Day; `extra` overrides or adds fields.
    void AddBatch(int batch, const QString &wni, const QVariantMap &extra = {});
    void AddSample(int batch, int dailyNumber, int carcass, const QString &tissue,
                   const QString &result = QStringLiteral("nie stwierdzono"));

    // The batch list of the month, its current row on the batch.
    static dao::Recordset BatchList(int batch);

    // Closes the shared databases, forgets every window, empties the
    // program-wide values.
    static void ResetProgramState();

private:
    QTemporaryDir dir_;
    bool valid_ = false;
};
