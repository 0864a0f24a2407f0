#pragma once

#include "platform/db/Database.h"
#include "platform/db/Recordset.h"

#include <QDate>
#include <QTemporaryDir>
#include <QVariantMap>

// A workstation made by the installer in a temporary drives folder, with the
// shared databases open as the start-up leaves them and a month database of
// March 2024, working date 05.03.2024.
class PrintingFixture
{
public:
    PrintingFixture();
    ~PrintingFixture();

    bool IsValid() const { return valid_; }
    static QString Real(const QString &windowsPath);
    static inline const QDate Day = QDate(2024, 3, 5);

    static void AddRow(dao::Database db, const QString &table, const QVariantMap &values);
    static int RowCount(dao::Database db, const QString &table);
    static QStringList Column(dao::Database db, const QString &table, const QString &field);
    static dao::Variant Value(dao::Database db, const QString &table, const QString &field);

    static void AddEstablishment(const QString &wni, const QString &name, const QString &town);
    static void AddInspectorate(const QString &code, const QString &name, const QString &town,
                                const QVariant &email, const QVariant &encryptedEmail = {});
    // A batch delivered on Day, ordered and paid by its establishment.
    static void AddBatch(int batch, const QString &wni, const QVariantMap &extra = {});
    static void AddSample(int batch, int dailyNumber, int carcass, const QString &tissue);
    // The month's batch list, its current row on the batch.
    static dao::Recordset BatchList(int batch);

private:
    static void ResetProgramState();
    QTemporaryDir dir_;
    bool valid_ = false;
};
