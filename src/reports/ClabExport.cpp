#include "reports/ClabExport.h"

#include "foundation/Globals.h"
#include "platform/fs/DriveMap.h"
#include "platform/fs/FileSystemObject.h"
#include "platform/fs/FsErrors.h"
#include "platform/shell/Shell.h"
#include "platform/ui/MsgBox.h"
#include "reports/ClabJournal.h"
#include "reports/ClabSettings.h"

#include <QDir>
#include <QFileInfo>

namespace
{

const QString ExportCaption = QStringLiteral("EKSPORT do CLab");
const QString Warning = QStringLiteral("OSTRZEŻENIE");

} // namespace

ClabExport::ClabExport(ClabStore &store, ClabDocumentSettings settings)
    : store_(store), settings_(std::move(settings))
{
}

std::variant<Refusal, ClabExport::Proposal> ClabExport::Prepare(const QString &batchChoice,
                                                                const QDate &from, const QDate &to)
{
    // A laboratory code that is no number stops the run before any file is
    // asked for, made or overwritten.
    ClabDocumentWriter::LabNumber(settings_.lab);
    store_.Open(batchChoice, from, to);
    batches_ = store_.BatchCount();
    if (batches_ == 0)
        return Refusal{.text = QStringLiteral("Brak danych!"),
                       .style = ui::vbInformation,
                       .title = ExportCaption};
    if (std::optional<Refusal> refusal = refuseMissingCode())
        return *refusal;
    const QString name = ProposedName(batchChoice, from, to, store_.Batch(0).partia);
    const QString folder = DayFolder(settings_.workingDate);
    // The parent folder may be missing on a fresh installation.
    if (!QDir().mkpath(fs::DriveMap::ToReal(folder)))
        throw fs::FsError(fs::ErrPathFileAccess);
    return Proposal{folder + u'\\' + name, batches_};
}

// An export never goes out with an empty code: the user is sent to the box
// that lacks it.
std::optional<Refusal> ClabExport::refuseMissingCode() const
{
    const ClabStore::PayerKinds kinds = store_.KindsWithSamples();
    const std::optional<ClabSettings::Code> missing =
        ClabSettings::MissingCode(settings_.codes, kinds.official, kinds.service);
    if (!missing)
        return std::nullopt;
    QString box;
    QString label;
    switch (*missing) {
    case ClabSettings::Code::TypBad1:
        box = QStringLiteral("TextTypBad1MervaskLab");
        label = QStringLiteral("Typ badania (badania urzędowe)");
        break;
    case ClabSettings::Code::TypBad2:
        box = QStringLiteral("TextTypBad2MervaskLab");
        label = QStringLiteral("Typ badania (badania usługowe)");
        break;
    case ClabSettings::Code::Cmetoda1:
        box = QStringLiteral("TextCmetoda1MervaskLab");
        label = QStringLiteral("Metoda");
        break;
    case ClabSettings::Code::Ckierunek1:
        box = QStringLiteral("TextCkierunek1MervaskLab");
        label = QStringLiteral("Kierunek");
        break;
    }
    return Refusal{.text = QStringLiteral("Brak kodu CLab w polu: ") + label +
                           QStringLiteral("!\rUzupełnij kod w ramce TYPY I METODY BADAŃ WG "
                                          "SŁOWNIKA CLAB i uruchom eksport ponownie."),
                   .style = ui::vbExclamation,
                   .title = Warning,
                   .focus = box};
}

ClabExport::Written ClabExport::Write(const QString &chosen, const QString &surname,
                                      const Progress &progress, const ClabCodes::Warning &warn)
{
    int written = 0;
    QString partia;
    ClabDocumentWriter writer(settings_, warn);
    for (int i = 0; i < batches_; ++i) {
        const ClabBatch batch = store_.Batch(i);
        partia = batch.partia;
        progress(i + 1, partia, written, true);
        writer.WriteBatch(batch, store_.Client(batch.wni), [&](int samples) {
            written = samples;
            progress(i + 1, partia, samples, false);
        });
    }
    if (batches_ > 0)
        progress(batches_, partia, written, true);
    writer.Finish(fs::DriveMap::ToReal(chosen));
    ClabJournal::Append(ClabJournal::Line(QDate::currentDate(), chosen, surname));
    Pack(chosen);
    return {written, writer.EmptyResults()};
}

// The archive, the document's name followed by ".zip", lies beside it; the
// packer runs on its own and is not waited for.
void ClabExport::Pack(const QString &chosen)
{
    if (!fs::FileSystemObject::FileExists(Packer))
        return;
    const QFileInfo file(fs::DriveMap::ToReal(chosen));
    if (!shell::Shell::Start(
            Packer,
            {QStringLiteral("a"), file.fileName() + QStringLiteral(".zip"), file.fileName()},
            shell::vbMinimizedFocus, file.absolutePath()))
        throw fs::FsError(fs::ErrPathFileAccess);
}

QString ClabExport::ProposedName(const QString &batchChoice, const QDate &from, const QDate &to,
                                 const QString &firstBatch)
{
    if (batchChoice != ClabStore::AllBatches)
        return QStringLiteral("MervaskLab_ZlecenieNr") + firstBatch;
    return QStringLiteral("MervaskLab_Od") + from.toString(QStringLiteral("yyyyMMdd")) +
           QStringLiteral("Do") + to.toString(QStringLiteral("yyyyMMdd"));
}

QString ClabExport::DayFolder(const QDate &workingDay)
{
    return ProgramFolder + QStringLiteral("\\Eksport\\") +
           workingDay.toString(QStringLiteral("yyyyMMdd"));
}
