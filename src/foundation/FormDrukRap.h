#pragma once

#include "platform/db/Recordset.h"
#include "platform/mail/MAPIMessages.h"
#include "platform/mail/MAPISession.h"
#include "platform/ui/FileDialog.h"

#include <QDialog>

#include <functional>

class QGroupBox;
class QLabel;
class QPushButton;

namespace report
{
class ReportPreview;
} // namespace report

// The preview window of every report: the pages with paging, zoom and
// printing, the printer choice, and "Wyślij wynik", which exports the report
// to a PDF file named after the batch register's current batch and sends it
// to the county inspectorate.
class FormDrukRap : public QDialog
{
    Q_OBJECT

public:
    explicit FormDrukRap(QWidget *parent = nullptr);

    report::ReportPreview *CRViewer;
    QPushButton *ComWyslij;   // "Wyślij wynik"
    QPushButton *ComDrukarka; // "Drukarka"
    QPushButton *CmdAnuluj;   // "Zamknij"
    QGroupBox *Frame1;
    QLabel *Label1;
    ui::FileDialog CommonDialog1; // the save dialog of the PDF export
    mail::MAPISession MAPISession1;
    mail::MAPIMessages MAPIMessages1;

    // The doors: each renders the report of the definition (a Windows path
    // such as ReportFolder & "wyniki.rpt") with the selection formula (empty:
    // every row) under the busy pointer, shows it under the caption modally
    // and returns when the operator closes it. Errors go to the caller;
    // nothing is shown then.
    //
    // A list report: "Wyślij wynik" has no batch to send.
    static void OpenReport(const QString &path, const QString &caption);
    // A batch's result sheet: "Wyślij wynik" sends the batch current in
    // `batches` (the batch register's list) when pressed.
    static void OpenResult(const QString &path, const QString &selectionFormula,
                           const QString &caption, const dao::Recordset &batches);
    // A run card, which is not a batch's result: it is never sent.
    static void OpenCard(const QString &path, const QString &selectionFormula,
                         const QString &caption);

    // The list whose current row is the batch "Wyślij wynik" sends; set by the
    // doors. Unset, there is no current batch.
    std::function<dao::Recordset()> BatchRegister;

    bool Send_Mail(const QString &recipient, const QString &subject, const QString &note,
                   const QString &attachment);

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void Form_Activate();
    void CmdAnuluj_Click();
    void ComDrukarka_Click();
    void ComWyslij_Click();

    static void open(const QString &path, const QString &selectionFormula, const QString &caption,
                     std::function<dao::Recordset()> batches, bool sendable);
    void buildControls();
    dao::Recordset currentBatch() const;
    QString exportResult(const dao::Recordset &batch);
};
