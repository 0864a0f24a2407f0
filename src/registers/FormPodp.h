#pragma once

#include "registers/DictionaryListWindow.h"

// The remark hints for samples (UwagiProbka) or batches (UwagiPartia),
// offered by the remark lists. The opener names the list in the window's
// caption.
class FormPodp : public DictionaryListWindow
{
    Q_OBJECT

public:
    explicit FormPodp(QWidget *parent = nullptr);

    // Opens the register with its caption on the hints of the table, in
    // number order.
    static void Open(const QString &caption, const QString &table);

    QLabel *LabelCaption; // the heading
    ui::DataControl *DataPodp;
    QLineEdit *TxtNr;
    LimitedTextEdit *TxtMet;

protected:
    QStringList ChangedTables() const override;
};
