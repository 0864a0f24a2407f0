#include "foundation/ComboFillers.h"

#include "foundation/Globals.h"
#include "foundation/Messages.h"
#include "foundation/TextProcedures.h"
#include "platform/db/DaoError.h"

#include <QComboBox>

namespace
{

const QString FillFailedCaption = QStringLiteral("Nie mogę wypełnić Combo: ");

// Clears the list and adds the field of every row of the statement on
// StaleDb. Errors end the filling silently: the list keeps what it got.
void fillFixed(QComboBox *combo, const QString &statement, const QString &field)
{
    combo->clear();
    try {
        dao::Recordset rs = StaleDb.OpenRecordset(statement);
        while (!rs.EOF()) {
            combo->addItem(ValueText(rs(field).Value()));
            rs.MoveNext();
        }
        rs.Close();
    } catch (const RuntimeError &) {
    }
}

void startList(QComboBox *combo, const QString &firstItem)
{
    combo->clear();
    if (!firstItem.isEmpty())
        combo->addItem(firstItem);
}

} // namespace

void FillComboFromTable(QComboBox *combo, dao::Database db, const QString &table,
                        const QString &listField, const QString &orderField, const QString &suffix,
                        const QString &firstItem)
{
    try {
        dao::Recordset rs =
            db.OpenRecordset(QStringLiteral("SELECT * FROM ") + table + " ORDER BY " +
                             (orderField.isEmpty() ? listField : orderField) + suffix);
        if (rs.RecordCount() > 0) {
            startList(combo, firstItem);
            while (!rs.EOF()) {
                combo->addItem(ValueText(rs(listField).Value()));
                rs.MoveNext();
            }
        }
        rs.Close();
    } catch (const RuntimeError &error) {
        if (error.Number() != dao::err::TableNotFound)
            ShowError(FillFailedCaption + combo->currentText(), error);
    }
}

void FillComboTwoFields(QComboBox *combo, dao::Database db, const QString &table,
                        const QString &firstField, const QString &secondField,
                        const QString &separator, const QString &firstItem)
{
    dao::Recordset rs;
    try {
        rs = db.OpenRecordset(QStringLiteral("SELECT * FROM ") + table + " ORDER BY " + firstField);
    } catch (const RuntimeError &error) {
        ShowError(FillFailedCaption + combo->currentText(), error);
        return;
    }
    if (rs.RecordCount() > 0)
        startList(combo, firstItem);
    while (!rs.EOF()) {
        // A row that cannot be read is reported and skipped.
        try {
            QString item = ValueText(rs(firstField).Value());
            if (!secondField.isEmpty())
                item += separator + ValueText(rs(secondField).Value());
            combo->addItem(item);
        } catch (const RuntimeError &error) {
            ShowError(FillFailedCaption + combo->currentText(), error);
        }
        rs.MoveNext();
    }
    rs.Close();
}

void FillHintCombo(QWidget *, const QString &table, QComboBox *combo)
{
    fillFixed(combo, QStringLiteral("SELECT * FROM ") + table + " ORDER BY PODPOWIEDZ",
              QStringLiteral("PODPOWIEDZ"));
}

void FillSampleDescriptionCombo(QComboBox *combo)
{
    fillFixed(combo, QStringLiteral("SELECT * FROM OpisProbki"), QStringLiteral("PODPOWIEDZ"));
}

void FillAuthorisedByCombo(QComboBox *combo)
{
    fillFixed(combo, QStringLiteral("SELECT * FROM Autoryzowal"), QStringLiteral("Nazwa"));
}

void FillOperatorCombo(QComboBox *combo)
{
    fillFixed(combo, QStringLiteral("SELECT * FROM Operatorzy Where OP_RODZAJ <> 'Administrator'"),
              QStringLiteral("OP_NAZWISKO"));
}

void FillPerformedByCombo(QComboBox *combo)
{
    fillFixed(combo, QStringLiteral("SELECT * FROM Wykonujacy"), QStringLiteral("Nazwa"));
}

void FillResponsibleCombo(QComboBox *combo)
{
    fillFixed(combo, QStringLiteral("SELECT * FROM Odpowiedzialny"), QStringLiteral("Nazwa"));
}

void FillTissueCombo(QComboBox *combo)
{
    fillFixed(combo, QStringLiteral("SELECT * FROM Tkanka Order By NazTkanka"),
              QStringLiteral("NazTkanka"));
}
