#pragma once

#include "TableData.h"
#include "TemporaryDrives.h"
#include "platform/ui/ScriptedUi.h"

#include <QDate>
#include <QVariantMap>

// A workstation of its own for the administration tests: a temporary drives
// folder with Stale.mdb (the installation's tables and seed rows) and the
// month database of March 2024, open as StaleDb and MonthDb.
class AdminFixture : public TableData
{
public:
    AdminFixture();
    bool IsValid() const { return valid_; }

    static inline const QDate Day{2024, 3, 5};
    static inline const QString DayText = QStringLiteral("05.03.2024");

    // Leaves the operator signed in, as a successful sign-in would.
    static void SignIn(const QString &number, const QString &surname, const QString &kind);

    static void AddOperator(const QString &number, const QString &surname, const QString &kind,
                            const QString &login, QString password);
    // The first row whose field holds the value; empty when there is none.
    static QVariantMap Row(dao::Database &db, const QString &table, const QString &field,
                           const QVariant &value);

    // The alarm box that must come next.
    static void ExpectAlarm(ui::ScriptedUi &scripted, const QString &text,
                            const QString &caption = QStringLiteral("ALARM!!!"));

private:
    TemporaryDrives drives_;
    bool valid_ = false;
};
