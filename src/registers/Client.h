#pragma once

#include <QString>

// One row of the client register (table Zaklad), as the register's edit frame
// and its picker hand it on. Texts as typed or stored; Null reads as "".
struct Client {
    QString IdRzezni; // the WNI: establishment, herd, hunting district or person
    QString TypWNI;   // the kind of client
    QString KodPIW;
    QString Nazwa;
    QString Miejscowosc;
    QString Ulica;
    QString KodPocztowy;
    QString Miasto;
    QString Telefon;
    QString Email;
    QString Uwagi;

    // Name, locality and street, postal code and post town on one line.
    // Missing parts leave their separators in place.
    QString AddressLine() const;
};
