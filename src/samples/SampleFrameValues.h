#pragma once

#include <QString>

// The sample frame as the save reads it: the texts of its boxes and lists,
// in the order the Badanie row is written.
struct SampleFrameValues {
    QString carcass;     // TextNrProbki
    QString tray;        // TextNrTacy
    QString codeWni;     // TextIDProbkiWNI
    QString codeNumber;  // TextIDProbkiNr
    QString codeDate;    // TextIDProbkiData
    QString tissue;      // ComboTkanka
    QString species;     // ComboGatunek
    QString sex;         // ComboPlec
    QString daily;       // TextNrDzien
    QString general;     // TextNrOgolny
    QString result;      // ComboWynik
    QString description; // ComboOpis
    QString remarks;     // TextUwagi

    bool operator==(const SampleFrameValues &) const = default;
};
