#include "foundation/FormDrukRap.h"
#include "foundation/RecordsetProcedures.h"

#include "foundation/Globals.h"
#include "foundation/Messages.h"
#include "foundation/ResultSend.h"
#include "foundation/ShowCrystalReport.h"
#include "foundation/TextProcedures.h"
#include "platform/db/DaoError.h"
#include "platform/fs/DriveMap.h"
#include "platform/fs/FileSystemObject.h"
#include "platform/mail/MailErrors.h"
#include "platform/report/PrinterChoice.h"
#include "platform/report/ReportPreview.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/NamedControls.h"
#include "platform/ui/ShowModal.h"
#include "platform/ui/WaitPointer.h"
#include "platform/ui/WindowRegistry.h"

#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QVBoxLayout>

#include <optional>

namespace
{

const QChar CR = QLatin1Char('\r');
const QString PdfEnding = QStringLiteral("pdf");
constexpr int PreviewZoom = 87;

// "<Partia>MervaskLab<DataDoLab yyyymmdd>-Zaklad<WNI>", the WNI as stored.
QString DefaultName(const dao::Recordset &batch)
{
    const dao::Variant delivered = batch(QStringLiteral("DataDoLab")).Value();
    const QString day = dao::IsNull(delivered)
                            ? QString()
                            : delivered.toDate().toString(QStringLiteral("yyyyMMdd"));
    return FieldText(batch, "Partia") + QStringLiteral("MervaskLab") + day +
           QStringLiteral("-Zaklad") + FieldText(batch, "WNI");
}

// ProgramFolder\Eksport\<working date yyyymmdd>\<county code>, created when
// missing.
QString CountyFolder(const dao::Recordset &batch)
{
    const QString dayFolder = ProgramFolder + QStringLiteral("\\Eksport\\") +
                              WorkingDate.toString(QStringLiteral("yyyyMMdd"));
    if (!fs::FileSystemObject::FolderExists(dayFolder))
        fs::FileSystemObject::CreateFolderPath(dayFolder);
    const QString county = TrimBlanks(FieldText(batch, "WNI")).left(4);
    const QString folder = dayFolder + u'\\' + county;
    if (!fs::FileSystemObject::FolderExists(folder))
        fs::FileSystemObject::CreateFolder(folder);
    return folder;
}

void ReportExportError(const RuntimeError &error)
{
    const QString numbered = QString::number(error.Number()) + error.Description();
    const QString caption = QStringLiteral("EKSPORT DO PLIKU");
    switch (error.Number()) {
    case dao::err::NoCurrentRecord:
        ShowInfo(QStringLiteral("Wybierz (kliknij) pozycję do eksportu!") + CR +
                     QStringLiteral("Spróbuj ponownie!") + CR + numbered,
                 caption);
        break;
    case rterr::PathFileAccess:
        ShowInfo(QStringLiteral("Błąd dostępu do ścieżki/pliku!") + CR +
                     QStringLiteral("Spróbuj ponownie!") + CR + numbered,
                 caption);
        break;
    case ui::FileDialog::ErrCancel:
    case mail::mapNotSupported:
        break;
    default:
        ShowInfo(QStringLiteral("Błąd eksportu! ") + numbered, caption);
    }
}

} // namespace

FormDrukRap::FormDrukRap(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormDrukRap"));
    setWindowTitle(QStringLiteral("Raport"));
    buildControls();
    connect(CmdAnuluj, &QPushButton::clicked, this, &FormDrukRap::CmdAnuluj_Click);
    connect(ComDrukarka, &QPushButton::clicked, this, &FormDrukRap::ComDrukarka_Click);
    connect(ComWyslij, &QPushButton::clicked, this, &FormDrukRap::ComWyslij_Click);
    resize(1000, 800);
}

void FormDrukRap::buildControls()
{
    // The bar above the report says "Podgląd" once, in its label; the frame
    // around it carries no caption of its own.
    Frame1 = new QGroupBox(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Label1 = new QLabel(QStringLiteral("Podgląd"), Frame1);
    Label1->setObjectName(QStringLiteral("Label1"));
    ComWyslij = ui::CommandButton(Frame1, "ComWyslij", QStringLiteral("Wyślij wynik"));
    ComDrukarka = ui::CommandButton(Frame1, "ComDrukarka", QStringLiteral("Drukarka"));
    CmdAnuluj = ui::CommandButton(Frame1, "CmdAnuluj", QStringLiteral("Zamknij"));
    auto *bar = new QHBoxLayout(Frame1);
    bar->setContentsMargins(6, 2, 6, 2);
    bar->addWidget(Label1);
    bar->addStretch();
    bar->addWidget(ComWyslij);
    bar->addWidget(ComDrukarka);
    bar->addWidget(CmdAnuluj);

    CRViewer = new report::ReportPreview(this);
    CRViewer->setObjectName(QStringLiteral("CRViewer"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Frame1);
    layout->addWidget(CRViewer, 1);
}

void FormDrukRap::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    Form_Activate();
}

// However the preview is closed, the next report may be sent again.
void FormDrukRap::hideEvent(QHideEvent *event)
{
    QDialog::hideEvent(event);
    ComWyslij->setEnabled(true);
}

// The report opens at its letterhead and title, not wherever the zoom left
// the page.
void FormDrukRap::Form_Activate()
{
    CRViewer->setZoomPercent(PreviewZoom);
    CRViewer->showTopOfFirstPage();
}

void FormDrukRap::CmdAnuluj_Click()
{
    hide();
    ComWyslij->setEnabled(true);
}

// Only the choice of printer; printing is the viewer's own command, which
// then prints on the printer chosen here.
void FormDrukRap::ComDrukarka_Click()
{
    if (const std::optional<QString> printer =
            report::PrinterChoice::Choose(CRViewer->printerName(), this))
        CRViewer->setPrinterName(*printer);
}

dao::Recordset FormDrukRap::currentBatch() const
{
    const dao::Recordset batches = BatchRegister ? BatchRegister() : dao::Recordset();
    if (!batches.IsOpen() || batches.AbsolutePosition() < 0)
        throw dao::Error::Make(dao::err::NoCurrentRecord);
    return batches;
}

// Writes the report shown to the PDF file the operator chooses; returns the
// file's Windows path. The proposed name has no ending; a file without one is
// what the inspectorate's mail client cannot open, so the dialog adds it, and
// asks before replacing a file of that full name.
QString FormDrukRap::exportResult(const dao::Recordset &batch)
{
    CommonDialog1.FileName = CountyFolder(batch) + u'\\' + DefaultName(batch);
    CommonDialog1.Filter = QStringLiteral("Plik PDF (*.pdf)|*.pdf");
    CommonDialog1.FilterIndex = 1;
    CommonDialog1.DefaultExt = PdfEnding;
    CommonDialog1.OverwritePrompt = true;
    CommonDialog1.ShowSave();
    const QString file = CommonDialog1.FileName;
    CRViewer->exportPdf(fs::DriveMap::ToReal(file));
    return file;
}

// The busy pointer stays on the preview for the whole send, however it ends;
// its questions and the save dialog keep the ordinary pointer.
void FormDrukRap::ComWyslij_Click()
{
    setCursor(Qt::WaitCursor);
    const auto restorePointer = qScopeGuard([this] { unsetCursor(); });
    const QString startFolder = QDir::currentPath();
    try {
        const dao::Recordset batch = currentBatch();
        ResultToSend result;
        result.wni = FieldText(batch, "WNI");
        result.dataDoLab = batch(QStringLiteral("DataDoLab")).Value();
        result.subjectPrefix = QStringLiteral("MervaskLab - Zakład: ");
        result.batch = batch;
        result.file = exportResult(batch);
        WyslijWynik(result, [this](const QString &recipient, const QString &subject,
                                   const QString &note, const QString &attachment) {
            return Send_Mail(recipient, subject, note, attachment);
        });
    } catch (const RuntimeError &error) {
        unsetCursor();
        QDir::setCurrent(startFolder);
        ReportExportError(error);
    }
}

bool FormDrukRap::Send_Mail(const QString &recipient, const QString &subject, const QString &note,
                            const QString &attachment)
{
    return ::Send_Mail(MAPISession1, MAPIMessages1, recipient, subject, note, attachment);
}

void FormDrukRap::OpenReport(const QString &path, const QString &caption)
{
    open(path, QString(), caption, {}, true);
}

void FormDrukRap::OpenResult(const QString &path, const QString &selectionFormula,
                             const QString &caption, const dao::Recordset &batches)
{
    const auto current = [batches] { return batches; };
    open(path, selectionFormula, caption, current, true);
}

void FormDrukRap::OpenCard(const QString &path, const QString &selectionFormula,
                           const QString &caption)
{
    open(path, selectionFormula, caption, {}, false);
}

void FormDrukRap::open(const QString &path, const QString &selectionFormula, const QString &caption,
                       std::function<dao::Recordset()> batches, bool sendable)
{
    report::Document document;
    {
        ui::WaitPointer pointer;
        pointer.Show();
        document = RenderCrystalReport(path, selectionFormula, QString(), QString());
    }
    FormDrukRap &form = ui::WindowRegistry::Instance<FormDrukRap>();
    form.BatchRegister = std::move(batches);
    form.CRViewer->setDocument(document);
    form.setWindowTitle(caption);
    // Hiding the preview allows sending again.
    if (!sendable)
        form.ComWyslij->setEnabled(false);
    ui::ShowModal(form);
}
