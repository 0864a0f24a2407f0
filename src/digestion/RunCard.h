#pragma once

#include "foundation/BatchHeading.h"

#include <QString>

// The run card of one digestion run: which definition prints it and the
// staging it reads (the batch, its samples and tissues, the run, its trays
// and the card's title in RobotDb).
class RunCard
{
public:
    // The card of the laboratory's own layout: "052" prints W, "055" O, any
    // other code (compared exactly) S.
    static QString DefinitionFor(const QString &laboratoryCode);
    // The parent laboratory code of the laboratory row, as the main window
    // shows it ("" without a row).
    static QString LaboratoryCode();
    // "Karta Przebiegu Nastawienia nr 2 w dniu 05.03.2024".
    static QString Title(int run, const QString &deliveryDate);

    // Empties the staging tables and copies the batch, its samples (tissues
    // collected), the run and its trays (with NrTuszRazem), then writes the
    // title into the one WynikTMP row (nothing when it holds another number
    // of rows); all in one transaction (StagePrint). A failed step undoes the
    // whole staging, is reported and ends it: false.
    static bool Stage(BatchNumber batch, int run, const QDate &deliveryDate);
};

// Copies the run (table "Nastawienie") or its trays ("PozycjaN", in tray
// order, each with NrTuszRazem made row by row) into the staging table of the
// same name. False after a reported failure.
bool PrzedDrNastawienie(const QString &table, BatchNumber batch, int run);
