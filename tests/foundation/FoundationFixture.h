#pragma once

#include "TableData.h"
#include "TemporaryDrives.h"

#include <QList>
#include <QPair>

// A workstation of its own for one test: a drives folder in a temporary
// directory with T:\Dane\, small databases built through the database layer,
// and the program's shared state reset before and after.
class FoundationFixture : public TableData
{
public:
    using Columns = QList<QPair<QString, int>>; // name and Text size; 0 Long, -1 Date

    FoundationFixture();

    QString Real(const QString &windowsPath) const { return TemporaryDrives::Real(windowsPath); }
    void WriteIni(const QByteArray &bytes) const; // T:\mervasklab.ini, exactly these bytes

    // Stale.mdb with one laboratory row (unless withLaboratory is false), the
    // operators ADMIN (password "tajne1") and anna ("anna12", stored with
    // trailing blanks), and two rows in every pick-list table.
    dao::Database CreateStale(const QString &folder = "T:\\Dane\\",
                              bool withLaboratory = true) const;
    dao::Database CreateRobot() const;

    static void CreateTable(dao::Database &db, const QString &name, const Columns &columns);

private:
    TemporaryDrives drives_;
};
