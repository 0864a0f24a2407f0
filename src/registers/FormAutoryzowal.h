#pragma once

#include "foundation/DictionaryEvents.h"
#include "registers/DictionaryListWindow.h"

// One window for the three person lists: who authorises (Autoryzowal), who
// performs (Wykonujacy) and who is responsible for a test (Odpowiedzialny).
// The opener names the list in the grid's caption.
class FormAutoryzowal : public DictionaryListWindow
{
    Q_OBJECT

public:
    explicit FormAutoryzowal(QWidget *parent = nullptr);

    // Opens the register on the persons of the table in number order, under
    // the list's caption.
    static void Open(const QString &table, const QString &gridCaption);

    ui::DataControl *DataDane;
    QLineEdit *TextNr;
    QLineEdit *TextNazwa;

protected:
    // All three lists are refilled, whichever was shown.
    QStringList ChangedTables() const override
    {
        return {DictionaryEvents::AuthorisedBy, DictionaryEvents::Performers,
                DictionaryEvents::Responsible};
    }
};
