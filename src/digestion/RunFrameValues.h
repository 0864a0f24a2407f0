#pragma once

#include <QString>

// The run edit frame as the save reads it: the texts of its boxes, in the
// order the Nastawienie row is written.
struct RunFrameValues {
    QString number;         // TextNastawienie
    QString trays;          // TextNrTac
    QString sampleCount;    // TextIlProbek
    QString sampleWeight;   // TextNawazka
    QString pepsin;         // TextPepsyna
    QString acid;           // TextKwas
    QString temperature;    // TextTemperatura
    QString temperatureMax; // TextTemperaturaMax
    QString digestionTime;  // TextCzas
    QString settlingTime1;  // TextCzasSedymentacji1
    QString settlingTime2;  // TextCzasSedymentacji2
    QString scales;         // ComboWaga
    QString thermometer;    // ComboTermometr
    QString stirrer;        // ComboMieszadlo
    QString trichinoscope;  // ComboTrychinoskop
    QString acidSeries;     // ComboOdczynnikHCL
    QString pepsinSeries;   // ComboOdczynnikPepsyna
    QString sieve;          // ComboSito
    QString result;         // ComboWynik
    QString startDate;      // DTPDataRozpBad
    QString startTime;      // TextGodzRozpBad
    QString endDate;        // DTPDataZakBad
    QString endTime;        // TextGodzZakBad
    QString remarks;        // TextUwagi
    QString performedBy;    // ComboWykonujacy
    QString responsible;    // ComboOdpowiedzialny
};
