#pragma once

#include <QString>

// The batch edit frame as the save reads it: the texts of its boxes and the
// state of its ticks and options, in the order the Partia row is written.
struct BatchFrameValues {
    QString batchNumber;           // TextNrPartii
    QString trays;                 // TextNrTac
    QString sampleCount;           // TextIlProbek
    QString establishment;         // TextZaklad, the owner's WNI
    QString establishmentKind;     // LabTypWNI
    QString countyCode;            // TextKodPIW
    QString samplingPlace;         // TextMiejscowoscPobr
    QString vet;                   // ComboLekarz
    QString orderingParty;         // TextZleceniodawcaWNI
    bool countyOrders = false;     // CheckZleceniodawcaPIW
    bool orderingPartyPays = true; // OptionZ, otherwise OptionW
    QString slaughterDate;         // DTPDataUboju
    QString samplingDate;          // TextDataPobr
    QString samplingTime;          // TextGodzPobr
    QString deliveryDate;          // DTPDataDoLab
    QString deliveryTime;          // TextGodzDoLab
    QString startDate;             // DTPDataRozpBad
    QString startTime;             // TextGodzRozpBad
    QString endDate;               // DTPDataZakBad
    QString endTime;               // TextGodzZakBad
    QString method;                // TextMetoda
    QString receivedBy;            // ComboPrzyjal
    QString authorisedBy;          // ComboAutoryzowal
    QString resultDelivery;        // ComboPrzekazanieWyniku
    bool fairCopy = false;         // OptionTak, otherwise OptionNie
    QString remarks;               // TextUwagi
    QString deliveredBy;           // TextDostarczyl

    bool operator==(const BatchFrameValues &) const = default;
};
