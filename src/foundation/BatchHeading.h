#pragma once

#include <QString>

// One batch as the windows below the batch register show it in their
// heading: the sample window, the run window and the run's jump to a sample.
struct BatchHeading {
    qint32 Partia = 0; // the batch number
    QString DataDoLab; // the delivery date, "dd.mm.yyyy"
    QString Wni;       // the batch's WNI
    QString Zaklad;    // the establishment line
};
