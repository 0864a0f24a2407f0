#pragma once

#include "platform/db/Database.h"

#include <QString>

// The print settings of a result sheet: the test name and series kept in the
// dictionaries (PARAMETRY "Test") and the settings of the next sheet, staged
// in the one SeriaTest row of the staging database. Errors go to the caller.
class ResultPrintSettings
{
public:
    struct TestSeries {
        QString test;
        QString series;
    };

    // The test name and series; empty unless exactly one "Test" row exists.
    static TestSeries ReadTestSeries(dao::Database stale);

    // The "Test" row is created when missing; with several none is known to
    // be the one, so none is changed.
    static void StoreTestSeries(dao::Database stale, const TestSeries &values);

    struct Sheet {
        TestSeries testSeries;
        QString payer;
        QString account;
        QString copies;
        QString date;
        QString recipients;
        bool logoPca = false;
    };

    // Writes the sheet's settings into the SeriaTest row, made first when the
    // table has none or several; the short texts trimmed, the recipients as
    // given.
    static void StoreSheet(dao::Database robot, const Sheet &sheet);
};
