#pragma once

#include "foundation/DictionaryEvents.h"
#include "registers/DictionaryListWindow.h"

// The hints for the description and state of a sample on delivery (table
// OpisProbki), offered by the sample register's description list.
class FormOpisProbki : public DictionaryListWindow
{
    Q_OBJECT

public:
    explicit FormOpisProbki(QWidget *parent = nullptr);

    // Opens the register on the descriptions in number order.
    static void Open();

    ui::DataControl *DataPodp;
    QLineEdit *TxtNr;
    QLineEdit *TxtMet;

protected:
    QStringList ChangedTables() const override { return {DictionaryEvents::SampleDescriptions}; }
};
