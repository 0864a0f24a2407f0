#pragma once

#include <QDate>
#include <QString>

// A batch number (Partia) wherever the program holds one as a number.
using BatchNumber = qint64;

// One batch as the windows below the batch register show it in their
// heading: the sample window, the run window and the run's jump to a sample.
struct BatchHeading {
    BatchNumber Partia = 0; // the batch number
    QDate DataDoLab;        // the delivery date; invalid when the batch has none
    QString Wni;            // the batch's WNI
    QString Zaklad;         // the establishment line
};
