#pragma once

#include "platform/db/Database.h"

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;

// The cleaning window "Administrator": empties chosen tables completely, the
// samples, batches and materials used of the working month and the client,
// county and regional inspectorate dictionaries. Only an administrator may
// run it; for anyone else "Wyczyść" is disabled.
//
// Emptying the batches also empties the month's runs and trays, which would
// otherwise attach to the new batches that take the old numbers. Each table
// is emptied in one transaction; a table that cannot be emptied (a missing
// one, for instance) is reported by name and the cleaning goes on.
class FormAdmBaz : public QDialog
{
    Q_OBJECT

public:
    explicit FormAdmBaz(QWidget *parent = nullptr);

    // Opens the window modally for the signed-in operator.
    static void Open();

    QLabel *Label2; // "CZYSZCZENIE BAZY DANYCH"
    QGroupBox *Frame1Import;
    QCheckBox *CheckAllProbki;
    QCheckBox *CheckAllPartie;
    QCheckBox *CheckMatZuz;
    QCheckBox *CheckZaklad;
    QCheckBox *CheckPIW;
    QCheckBox *CheckWIW;
    QCheckBox *CheckArch; // no archive database exists here: never available
    QLabel *LabOpis;
    QPushButton *ComWyczysc; // "&Wyczyść"
    QPushButton *ComZamk;    // "&Zamknij"

    void RequireChecked(QCheckBox *required, QCheckBox *checked, const QString &requiredName,
                        const QString &checkedName);
    void ClearTable(QCheckBox *box, dao::Database db, const QString &table);

    bool CleanOk() const { return cleanOk_; }

    // Closing by the title bar or Esc leaves the boxes as "Zamknij" does.
    void reject() override;

private:
    void Form_Load();
    void CheckAllPartie_Click(bool checked);
    void CheckZaklad_Click(bool checked);
    void ComWyczysc_Click();
    void ComZamk_Click();

    void buildControls();
    QString confirmationText() const;
    void clearTables();
    void clearRunTable(const QString &table);

    bool cleanOk_ = true;
};
