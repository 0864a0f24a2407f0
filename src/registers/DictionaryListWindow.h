#pragma once

#include "registers/DictionaryStore.h"
#include "registers/RegisterRecords.h"
#include "registers/RegisterWindowBase.h"

#include <QPlainTextEdit>
#include <QString>
#include <QStringList>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ui
{
class DataControl;
class DBGrid;
} // namespace ui

// A multi-line text box that takes at most `maxLength` characters, typed or
// pasted, and in which Enter starts no new line.
class LimitedTextEdit : public QPlainTextEdit
{
    Q_OBJECT

public:
    LimitedTextEdit(int maxLength, QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void Limit();
    int maxLength_;
};

// The shape of the small dictionaries that keep a number and a text per row
// (sample descriptions, remark hints, person lists): a list, the buttons
// "&Dodaj", "&Popraw", "&Usuń", "&Zamknij", and an edit frame with the number
// and the text. Numbers are proposed as the row count + 1 and need not be
// unique; the one-byte number is checked before it is written.
class DictionaryListWindow : public RegisterWindowBase
{
    Q_OBJECT

public:
    struct Shape {
        const char *name;
        const char *dataControl; // DataPodp or DataDane
        const char *numberBox;   // TxtNr or TextNr
        QString numberLabel;
        const char *textBox; // TxtMet or TextNazwa
        QString textLabel;
        int maxLength;
        bool multiLine;
        QString addCaption; // the frame's caption for a new row
        QString textColumn; // the list's caption of the text column
        ListEntryKind kind;
    };

    ui::DataControl *Data;
    ui::DBGrid *DBGridPodp;
    QPushButton *ComDodaj;
    QPushButton *ComPopraw;
    QPushButton *ComUsun;
    QPushButton *ComZamk;
    QGroupBox *FrmEdycja;
    QLineEdit *NumberBox;
    QLineEdit *LineBox;            // the text box when it has one line
    LimitedTextEdit *MultiLineBox; // the text box when it has several
    QPushButton *ComZapisz;
    QPushButton *ComAnuluj;

protected:
    DictionaryListWindow(const Shape &shape, QWidget *parent);
    // Binds the list to the whole table in the order of the field. Errors go
    // to the caller.
    void BindTable(const QString &table, const QString &orderField);
    // The tables whose pick lists are refilled when the window closes.
    virtual QStringList ChangedTables() const = 0;
    QLabel *Heading; // hidden unless a subclass gives it a text

private:
    void ComDodaj_Click();
    void ComPopraw_Click();
    void ComUsun_Click();
    void ComZapisz_Click();
    void ComAnuluj_Click();
    void ComZamk_Click();
    void DBGridPodp_RowColChange();

    QString Text() const;
    void SetText(const QString &text);
    QWidget *TextBox() const;

    Shape shape_;
};
