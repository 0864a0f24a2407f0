#pragma once

#include "TemporaryDrives.h"

#include <QList>
#include <QString>
#include <QVariantMap>

// A workstation of its own for one test: a ready-made installation in a
// temporary drives folder, its dictionaries open as StaleDb, and the
// program's windows and shared values reset before and after.
class RegistersFixture
{
public:
    RegistersFixture();

    bool IsValid() const { return valid_; }
    const QString &Problem() const { return problem_; }

    // Adds a row to a table of StaleDb; absent fields stay Null.
    static void AddRow(const QString &table, const QVariantMap &values);
    // Every row of a table of StaleDb in table order, Null fields as invalid
    // variants.
    static QList<QVariantMap> Rows(const QString &table);

private:
    TemporaryDrives drives_;
    bool valid_ = false;
    QString problem_;
};
