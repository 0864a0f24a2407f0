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

// The fixed fillers of the batch, sample and run windows: each clears the
// list and reads StaleDb; an error ends the filling silently.
void FillSampleDescriptionCombo(QComboBox *combo); // from OpisProbki
void FillAuthorisedByCombo(QComboBox *combo);      // from Autoryzowal
void FillOperatorCombo(QComboBox *combo);          // operators other than administrators
void FillPerformedByCombo(QComboBox *combo);       // from Wykonujacy
void FillResponsibleCombo(QComboBox *combo);       // from Odpowiedzialny
void FillTissueCombo(QComboBox *combo);            // from Tkanka, in name order
