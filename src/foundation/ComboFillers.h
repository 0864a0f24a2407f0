#pragma once

#include "platform/db/Database.h"

#include <QString>

class QComboBox;
class QWidget;

// Pick-list fillers. Filling a list means clearing it and adding one item per
// row of a fresh record set, in the statement's order.

// "SELECT * FROM " & table & " ORDER BY " & (orderField, or listField when
// empty) & suffix. Only when rows come back is the list cleared, the first
// item (when given) added and then every row's list field. A missing table
// leaves the list as it was; other errors are reported.
void FillComboFromTable(QComboBox *combo, dao::Database db, const QString &table,
                        const QString &listField, const QString &orderField, const QString &suffix,
                        const QString &firstItem);

// Like FillComboFromTable, ordered by the first field; each item is the first
// field, or first field & separator & second field when a second is named.
// A bad row is reported and skipped.
void FillComboTwoFields(QComboBox *combo, dao::Database db, const QString &table,
                        const QString &firstField, const QString &secondField,
                        const QString &separator, const QString &firstItem);

// The hints (field PODPOWIEDZ) of a hint table of StaleDb, in hint order. The
// window argument is not used.
void FillHintCombo(QWidget *window, const QString &table, QComboBox *combo);

// The fixed fillers of the batch, sample and run windows; each creates its
// window on first use, clears the list and reads StaleDb.
void FillSampleDescriptionCombo(); // FormBadanie.ComboOpis from OpisProbki
void FillAuthorisedByCombo();      // FormPartia.ComboAutoryzowal from Autoryzowal
void FillOperatorCombo();          // FormPartia.ComboPrzyjal: operators other than administrators
void FillPerformedByCombo();       // FormNastawienie.ComboWykonujacy from Wykonujacy
void FillResponsibleCombo();       // FormNastawienie.ComboOdpowiedzialny from Odpowiedzialny
void FillTissueCombo();            // FormBadanie.ComboTkanka from Tkanka, in name order

// The same fillers for a window that fills its own list while it loads, when
// it cannot yet be reached as the program-wide instance.
void FillAuthorisedByCombo(QComboBox *combo);
void FillOperatorCombo(QComboBox *combo);
void FillPerformedByCombo(QComboBox *combo);
void FillResponsibleCombo(QComboBox *combo);
