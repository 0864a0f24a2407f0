// FormPartia's work with files and whole batches: the header import from a
// batch-order file, the list export, the delete with children and the
// method text.
#include "batches/BatchListExport.h"
#include "batches/BatchOrderFile.h"
#include "batches/BatchStore.h"
#include "batches/BatchValidator.h"
#include "batches/ClientLookup.h"
#include "batches/FormPartia.h"
#include "foundation/Globals.h"
#include "foundation/Messages.h"
#include "foundation/RecordsetProcedures.h"
#include "foundation/TextProcedures.h"
#include "platform/fs/FileSystemObject.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/MaskEdBox.h"
#include "platform/ui/MsgBox.h"
#include "registers/ClientStore.h"
#include "samples/BoxText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopedValueRollback>

namespace
{

const QString ExportTitle = QStringLiteral("EKSPORT DO PLIKU");

} // namespace

// -------------------------------------------------------------- header import

void FormPartia::ComWczytPart_Click()
{
    try {
        ui::FileDialog dialog;
        dialog.Filter = QStringLiteral("All Files (*.*)|*.*|Tekst (*.txt)|*.txt");
        dialog.FilterIndex = 2;
        dialog.ShowOpen();
        const BatchOrderFile file = BatchOrderFile::Read(dialog.FileName);
        ImportFilePath = dialog.FileName;
        if (!file.HasHeader()) {
            ui::MsgBox(QStringLiteral("Niepoprawny format wczytywanego pliku!\r"
                                      "Sprawdź plik i wczytaj ponownie!"),
                       ui::vbExclamation, QStringLiteral("WCZYTYWANIE"));
            return;
        }
        RegisterClient(file);
        const QScopedValueRollback<bool> hold(lookupsHeld_, true);
        StartNewBatch();
        ComZapiszFr->setFocus();
        FillFromHeader(file);
        AutoImportMarker = CheckWczyt->isChecked() ? QStringLiteral("WczytAuto") : QString();
    } catch (const RuntimeError &error) {
        ImportFailed(error);
    }
}

// A client the file names and the register lacks is added from the file. A
// header without a client code registers nobody.
void FormPartia::RegisterClient(const BatchOrderFile &file)
{
    const QString code = file.HeaderField(21);
    if (TrimBlanks(code).isEmpty() || ClientLookup::Client(code).Found())
        return;
    const QStringList client = file.ClientFields();
    ShowInfo(BatchOrderFile::UnregisteredClientNotice(client), QStringLiteral("INFORMACJA"));
    ClientStore::AddReceived(StaleDb, client);
}

void FormPartia::FillFromHeader(const BatchOrderFile &file)
{
    // The fields go in whole: what does not fit is refused by the save.
    const auto field = [&file](QLineEdit *box, int n) {
        return Untruncated(box, file.HeaderField(n));
    };
    TextNrTac->setText(field(TextNrTac, 1));
    TextIlProbek->setText(field(TextIlProbek, 2));
    TextZaklad->setText(field(TextZaklad, 3));
    LabTypWNI->setText(file.HeaderField(4));
    TextKodPIW->setText(field(TextKodPIW, 5));
    TextMiejscowoscPobr->setText(field(TextMiejscowoscPobr, 6));
    DTPDataUboju->setText(field(DTPDataUboju, 7));
    TextDataPobr->setText(field(TextDataPobr, 8));
    TextGodzPobr->setText(field(TextGodzPobr, 9));
    ComboLekarz->setEditText(field(ComboLekarz->lineEdit(), 10));
    SetMemoText(TextUwagi, file.HeaderField(11));
}

// No sample import stays pending and no half-filled frame stays open. A
// client registered before the failure stays.
void FormPartia::ImportFailed(const RuntimeError &error)
{
    AutoImportMarker.clear();
    if (!FramePartia->isHidden())
        ComAnulujFr_Click();
    else
        Klawisze(true);
    if (error.Number() == ui::FileDialog::ErrCancel)
        return;
    ui::MsgBox(QStringLiteral("Błąd wczytania! Poinformuj dostawcę programu!") +
                   QString::number(error.Number()) + error.Description(),
               ui::vbInformation, QStringLiteral("IMPORT"));
}

// ---------------------------------------------------------------- list export

void FormPartia::ComPlik_Click()
{
    try {
        if (DataPartia->RowCount() <= 0) {
            ui::MsgBox(QStringLiteral("Brak pozycji do Eksportu!"), ui::vbInformation, ExportTitle);
            return;
        }
        ExportList();
    } catch (const RuntimeError &error) {
        if (error.Number() == ui::FileDialog::ErrCancel)
            return;
        ui::MsgBox(QStringLiteral("Błąd eksportu! ") + error.Description(), ui::vbInformation,
                   ExportTitle);
    }
}

void FormPartia::ExportList()
{
    const std::optional<QDate> day = BatchValidator::DateOf(TrimBlanks(DTPData->Text()));
    if (!day)
        throw RuntimeError(rterr::TypeMismatch, QStringLiteral("Niezgodność typów."));
    const QString folder =
        ProgramFolder + QStringLiteral("\\Eksport\\") + day->toString(QStringLiteral("yyyyMMdd"));
    fs::FileSystemObject::CreateFolderPath(folder);
    ui::FileDialog dialog;
    dialog.FileName = folder + QLatin1Char('\\') + day->toString(QStringLiteral("yyyy-MM-dd"));
    dialog.Filter = QStringLiteral("All Files (*.*)|*.*|Plik tekstowy (*.lzl)|*.lzl|Batch Plik "
                                   "(*.txt)|*.txt|Plik Excel (*.xls)|*.xls");
    dialog.FilterIndex = 2;
    dialog.ShowSave();
    fs::TextStream out = fs::FileSystemObject::CreateTextFile(dialog.FileName, true);
    BatchListExport::Write(Batches(), out);
    out.Close();
    ui::MsgBox(QStringLiteral("Zapis do pliku zakończony powodzeniem!"), ui::vbInformation,
               ExportTitle);
}

// -------------------------------------------------------------------- delete

void FormPartia::ComUsun_Click()
{
    if (!HasCurrentBatch())
        return;
    const int shown = Batches().RecordCount();
    try {
        if (ui::MsgBox(QStringLiteral("Czy na pewno usunąć partię oraz przypisane do niej "
                                      "nastawienia i próbki?"),
                       ui::vbYesNo | ui::vbQuestion | ui::vbDefaultButton2,
                       QStringLiteral("USUWANIE!")) != ui::vbYes)
            return;
        DeleteCurrentBatch();
    } catch (const RuntimeError &error) {
        if (!LockedElsewhere(error) || Batches().RecordCount() != shown)
            RereadList();
        ShowError(QStringLiteral("Powiadom programistę!"), error);
    }
}

// The batch and its children go together or not at all; afterwards the row
// that followed it is current, or the new last row.
void FormPartia::DeleteCurrentBatch()
{
    dao::Recordset batches = Batches();
    const int position = batches.AbsolutePosition();
    const int rows = batches.RecordCount();
    std::optional<dao::Bookmark> next;
    if (position + 1 < rows)
        next = batches.BookmarkAt(position + 1);
    else if (position > 0)
        next = batches.BookmarkAt(position - 1);
    BatchStore::Delete(MonthDb, batches);
    DataPartia->Refresh();
    if (next && batches.PositionOf(*next) >= 0)
        batches.setBookmark(*next);
}

// --------------------------------------------------------------- method text

void FormPartia::ComPobierzMetoda_Click()
{
    TrapErrors(QStringLiteral("Powiadom programistę!"), [&] {
        PobierzTestSeriaMetoda(TextMetoda, QStringLiteral("MERVASK"), QStringLiteral("Metoda"));
    });
}

void FormPartia::PobierzTestSeriaMetoda(QLineEdit *box, const QString &code,
                                        const QString &fieldName)
{
    box->setText(BatchStore::MethodField(StaleDb, code, fieldName));
}
