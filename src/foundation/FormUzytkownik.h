#pragma once

#include "foundation/LaboratoryIdentity.h"

#include <QDialog>

#include <array>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

// The laboratory's identity: the one row of PODATNIK in StaleDb with the five
// letterhead lines, the town, the accreditation code and the two laboratory
// codes. A save announces itself (LaboratoryChanged), so that the main window
// shows the new letterhead and codes without a restart. With a table that does
// not hold exactly one row nothing is loaded or written.
class FormUzytkownik : public QDialog
{
    Q_OBJECT

public:
    explicit FormUzytkownik(QWidget *parent = nullptr);

    // Shown modally. Errors go to the caller.
    static void Open();

    QLabel *Label1; // "DANE UŻYTKOWNIKA"
    QLineEdit *Text2;
    QLineEdit *Text3;
    QLineEdit *Text4;
    QLineEdit *Text5;
    QLineEdit *Text6;
    QLabel *Label2; // the preview of Text2 .. Label6 of Text6
    QLabel *Label3;
    QLabel *Label4;
    QLabel *Label5;
    QLabel *Label6;
    QLineEdit *TextMiejsc;
    QLineEdit *TextKodPCA;
    QLineEdit *TextLok;     // the parent laboratory code
    QLineEdit *TextLok2;    // the remote-station code
    QPushButton *ComZapisz; // "&Zapisz"
    QPushButton *ComZamk;   // "&Anuluj"

signals:
    // The laboratory row was written.
    void LaboratoryChanged();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void Form_Activate();
    void ComZapisz_Click();
    void ComZamk_Click();

    void buildControls();
    QWidget *buildLetterhead();
    QWidget *buildReportData();
    QWidget *buildSystemCodes();
    bool codesAccepted();
    void save();

    // The row as the window was filled from it; a save writes only over it.
    std::optional<LoadedRow> loaded_;
    std::array<QLineEdit *, 5> lines_{};
    std::array<QLabel *, 5> previews_{};
};
