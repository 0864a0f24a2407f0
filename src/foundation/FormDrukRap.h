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
class Document;
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

    // The batch register's list, whose current row is the batch a result
    // belongs to; the batch window sets it. Unset, there is no current batch.
    std::function<dao::Recordset()> BatchRegister;

    // Shows the rendered report under the caption, modally.
    void ShowReport(const report::Document &document, const QString &caption);
    // Whether "Wyślij wynik" may be pressed (a run card is never sent).
    void AllowSending(bool allowed);
    // The batch register whose current row a result belongs to.
    void FollowBatches(std::function<dao::Recordset()> batches);

    void Form_Activate();
    void CmdAnuluj_Click();
    void ComDrukarka_Click();
    void ComWyslij_Click();

    bool Send_Mail(const QString &recipient, const QString &subject, const QString &note,
                   const QString &attachment);

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void buildControls();
    dao::Recordset currentBatch() const;
    QString exportResult(const dao::Recordset &batch);
};
