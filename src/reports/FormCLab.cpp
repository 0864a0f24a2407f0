#include "reports/FormCLab.h"

#include "foundation/ComboFillers.h"
#include "foundation/DatePickers.h"
#include "foundation/FormKalendarz1.h"
#include "foundation/Globals.h"
#include "foundation/Messages.h"
#include "foundation/TextProcedures.h"
#include "foundation/frmLoginLab.h"
#include "platform/db/DaoError.h"
#include "platform/db/SqlText.h"
#include "platform/fs/FsErrors.h"
#include "platform/shell/Shell.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/MaskEdBox.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/NamedControls.h"
#include "platform/ui/ShowModal.h"
#include "platform/ui/WaitPointer.h"
#include "platform/ui/WindowRegistry.h"
#include "reports/ClabExport.h"
#include "reports/ClabHosts.h"
#include "reports/ClabJournal.h"
#include "reports/ClabStore.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace
{

const QString CodesKey = QStringLiteral("MervaskLab");
const QString Warning = QStringLiteral("OSTRZEŻENIE");
const QString Attention = QStringLiteral("UWAGA!");
const QString ExportCaption = QStringLiteral("EKSPORT do CLab");
const QString FileCaption = QStringLiteral("EKSPORT DO PLIKU");
constexpr int ProgressIntervalMs = 50;

// Errors that the check and the export report the same way.
void reportRunError(const RuntimeError &error)
{
    const QString detail = QString::number(error.Number()) + error.Description();
    switch (error.Number()) {
    case fs::ErrPathFileAccess:
        ui::MsgBox(QStringLiteral("Błąd dostępu do ścieżki/pliku!\rSpróbuj ponownie!\r") + detail,
                   ui::vbExclamation, FileCaption);
        break;
    case dao::err::NoCurrentRecord:
        ui::MsgBox(QStringLiteral("Wybierz (kliknij) pozycję do eksportu!\rSpróbuj ponownie!\r") +
                       detail,
                   ui::vbExclamation, FileCaption);
        break;
    default:
        ui::MsgBox(QStringLiteral("Błąd eksportu! ") + detail, ui::vbExclamation, FileCaption);
    }
}

QDate dateOf(const ui::MaskEdBox *box)
{
    const std::optional<QDate> day = dao::ParseDateText(box->Text());
    if (!day)
        throw RuntimeError(rterr::TypeMismatch, QStringLiteral("Niezgodność typów."));
    return *day;
}

// A description box shows the dictionary's usual names whole.
constexpr int DescriptionChars = 56;

QLineEdit *codeBox(QWidget *parent, const char *name, int length, const char *tip)
{
    QLineEdit *box = ui::TextBox(parent, name, length);
    box->setToolTip(QString::fromUtf8(tip));
    if (length > DescriptionChars)
        box->setMinimumWidth(box->fontMetrics().averageCharWidth() * DescriptionChars);
    return box;
}

QLabel *valueLabel(QWidget *parent, const char *name)
{
    auto *label = ui::Named(new QLabel(parent), name);
    label->setTextFormat(Qt::PlainText);
    return label;
}

// Clears a flag when the run ends, however it ends.
class RunningFlag
{
public:
    explicit RunningFlag(bool &flag) : flag_(flag) { flag_ = true; }
    ~RunningFlag() { flag_ = false; }
    RunningFlag(const RunningFlag &) = delete;
    RunningFlag &operator=(const RunningFlag &) = delete;

private:
    bool &flag_;
};

} // namespace

FormCLab::FormCLab(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormCLab"));
    setWindowTitle(QStringLiteral("EXPORT"));
    buildControls();
    connect(ComDrukuj, &QPushButton::clicked, this, &FormCLab::ComDrukuj_Click);
    connect(ComAnuluj, &QPushButton::clicked, this, &FormCLab::ComAnuluj_Click);
    connect(ComDatOd, &QPushButton::clicked, this, &FormCLab::ComDatOd_Click);
    connect(ComDatDo, &QPushButton::clicked, this, &FormCLab::ComDatDo_Click);
    connect(ComFrCKier, &QPushButton::clicked, this, &FormCLab::ComFrCKier_Click);
    connect(ComDziennik, &QPushButton::clicked, this, &FormCLab::ComDziennik_Click);
    connect(Command1, &QPushButton::clicked, this, &FormCLab::Command1_Click);
    // The laboratory code as the identity row holds it when the window loads.
    try {
        TextLok->setText(ClabStore::LaboratoryCode(StaleDb, QStringLiteral("KodLok")));
    } catch (const RuntimeError &error) {
        ShowError(windowTitle(), error);
    }
}

void FormCLab::buildControls()
{
    Label1 = ui::Named(new QLabel(QStringLiteral("EXPORT DANYCH DO CLAB"), this), "Label1");
    QFont heading = Label1->font();
    heading.setBold(true);
    Label1->setFont(heading);

    FrameExport = ui::Named(new QGroupBox(QStringLiteral("DZIENNIK EXPORTU"), this), "FrameExport");
    TextExport = ui::Named(new QPlainTextEdit(FrameExport), "TextExport");
    TextExport->setReadOnly(true);
    Command1 = ui::CommandButton(FrameExport, "Command1", QStringLiteral("&Zamknij"));
    auto *journal = new QVBoxLayout(FrameExport);
    journal->addWidget(TextExport);
    journal->addLayout(ui::ButtonRow({Command1}));
    FrameExport->hide();

    FrameData = ui::Named(new QGroupBox(QStringLiteral("Zakres dat"), this), "FrameData");
    MebOd = ui::Named(new ui::MaskEdBox(FrameData), "MebOd");
    MebDo = ui::Named(new ui::MaskEdBox(FrameData), "MebDo");
    for (ui::MaskEdBox *box : {MebOd, MebDo})
        box->setMask(QStringLiteral("##.##.####"));
    ComDatOd = ui::CommandButton(FrameData, "ComDatOd", QStringLiteral("..."));
    ComDatOd->setToolTip(QStringLiteral("Kliknij aby wybrać datę początku raportu"));
    ComDatDo = ui::CommandButton(FrameData, "ComDatDo", QStringLiteral("..."));
    ComDatDo->setToolTip(QStringLiteral("Kliknij aby wybrać datę końca raportu"));
    auto *dates = new QHBoxLayout(FrameData);
    for (QWidget *w : std::initializer_list<QWidget *>{MebOd, ComDatOd, MebDo, ComDatDo})
        dates->addWidget(w);

    ComboPartia = ui::Named(new QComboBox(this), "ComboPartia");
    ComboPartia->setEditable(true);
    TextLok = ui::Named(new QLineEdit(this), "TextLok");
    TextLok->setToolTip(
        QStringLiteral("052-RAV Oduderaz;      054-ZAV Ararozo;     055-DAZ Erazorada"));
    TextIlProbek = ui::Named(new QLineEdit(this), "TextIlProbek");
    auto *choice = new QGridLayout;
    choice->addWidget(new QLabel(QStringLiteral("Nr zlecenia"), this), 0, 0);
    choice->addWidget(ComboPartia, 0, 1);
    choice->addWidget(new QLabel(QStringLiteral("Kod lokalizacji laboratorium:"), this), 1, 0);
    choice->addWidget(TextLok, 1, 1);
    choice->addWidget(new QLabel(QStringLiteral("Wyeksportowano próbek:"), this), 2, 0);
    choice->addWidget(TextIlProbek, 2, 1);

    FrameCzekaj = ui::Named(new QGroupBox(this), "FrameCzekaj");
    auto *wait = new QVBoxLayout(FrameCzekaj);
    wait->addWidget(new QLabel(QStringLiteral("Przetwarzanie danych. Proszę czekać ..."), this));
    FrameCzekaj->hide();
    FrameDoWIW = ui::Named(new QGroupBox(this), "FrameDoWIW");
    ProgressBar1 = ui::Named(new QProgressBar(FrameDoWIW), "ProgressBar1");
    LabTab = valueLabel(FrameDoWIW, "LabTab");
    LabIl = valueLabel(FrameDoWIW, "LabIl");
    auto *progress = new QGridLayout(FrameDoWIW);
    progress->addWidget(ProgressBar1, 0, 0, 1, 2);
    progress->addWidget(new QLabel(QStringLiteral("Zlecenie nr:"), FrameDoWIW), 1, 0);
    progress->addWidget(LabTab, 1, 1);
    progress->addWidget(new QLabel(QStringLiteral("Ilość próbek:"), FrameDoWIW), 2, 0);
    progress->addWidget(LabIl, 2, 1);
    FrameDoWIW->hide();

    Frame2 = ui::Named(new QGroupBox(QStringLiteral("TYPY I METODY BADAŃ WG SŁOWNIKA CLAB"), this),
                       "Frame2");
    const int code = ClabSettings::CodeLength;
    const int text = ClabSettings::DescriptionLength;
    const char *typeTip = "Kod typu badania (wpisz ze słownika CLab)";
    const char *typeText = "Opis typu badania (wpisz ze słownika CLab)";
    TextTypBad1MervaskLab = codeBox(Frame2, "TextTypBad1MervaskLab", code, typeTip);
    TextTypBad1OpisMervaskLab = codeBox(Frame2, "TextTypBad1OpisMervaskLab", text, typeText);
    TextTypBad2MervaskLab = codeBox(Frame2, "TextTypBad2MervaskLab", code, typeTip);
    TextTypBad2OpisMervaskLab = codeBox(Frame2, "TextTypBad2OpisMervaskLab", text, typeText);
    TextCmetoda1MervaskLab = codeBox(Frame2, "TextCmetoda1MervaskLab", code,
                                     "Kod metody badawczej (wpisz ze słownika CLab)");
    TextCmetoda1OpisMervaskLab = codeBox(Frame2, "TextCmetoda1OpisMervaskLab", text,
                                         "Opis metody badawczej (wpisz ze słownika CLab)");
    TextCkierunek1MervaskLab = codeBox(Frame2, "TextCkierunek1MervaskLab", code,
                                       "Kod kierunku badania (wpisz ze słownika CLab)");
    TextCkierunek1OpisMervaskLab = codeBox(Frame2, "TextCkierunek1OpisMervaskLab", text,
                                           "Opis kierunku badania (wpisz ze słownika CLab)");
    ComFrCKier = ui::CommandButton(Frame2, "ComFrCKier", QStringLiteral("&Zapisz"));
    auto *codes = new QGridLayout(Frame2);
    codes->addWidget(new QLabel(QStringLiteral("NAZWA"), Frame2), 0, 2);
    const std::pair<const char *, std::pair<QLineEdit *, QLineEdit *>> rows[] = {
        {"Typ badania", {TextTypBad1MervaskLab, TextTypBad1OpisMervaskLab}},
        {"Typ badania", {TextTypBad2MervaskLab, TextTypBad2OpisMervaskLab}},
        {"Metoda", {TextCmetoda1MervaskLab, TextCmetoda1OpisMervaskLab}},
        {"Kierunek", {TextCkierunek1MervaskLab, TextCkierunek1OpisMervaskLab}},
    };
    int row = 1;
    for (const auto &[caption, boxes] : rows) {
        codes->addWidget(new QLabel(QString::fromUtf8(caption), Frame2), row, 0);
        codes->addWidget(boxes.first, row, 1);
        codes->addWidget(boxes.second, row, 2);
        ++row;
    }
    codes->addLayout(ui::ButtonRow({ComFrCKier}), row, 0, 1, 3);
    codes->setColumnStretch(2, 1);

    ComDrukuj = ui::CommandButton(this, "ComDrukuj", QStringLiteral("&Exportuj"));
    ComExpCLab = ui::CommandButton(this, "ComExpCLab", QStringLiteral("ExpCLab"));
    ComExpCLab->hide();
    ComDziennik = ui::CommandButton(this, "ComDziennik", QStringLiteral("&Dziennik"));
    ComAnuluj = ui::CommandButton(this, "ComAnuluj", QStringLiteral("&Zamknij"));

    auto *layout = new QVBoxLayout(this);
    // The window fits what it shows: the wait, progress and journal frames
    // take room only while they are shown, and give it back when hidden.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(Label1);
    layout->addWidget(FrameExport);
    layout->addWidget(FrameData);
    layout->addLayout(choice);
    layout->addWidget(FrameCzekaj);
    layout->addWidget(FrameDoWIW);
    layout->addWidget(Frame2);
    layout->addLayout(ui::ButtonRow({ComDrukuj, ComDziennik, ComAnuluj}));
}

void FormCLab::Open(const QString &workingDate)
{
    FormCLab &form = ui::WindowRegistry::Instance<FormCLab>();
    form.MebOd->setText(workingDate);
    form.MebDo->setText(workingDate);
    form.workingDate_ = workingDate;
    InitOnActivate = true;
    ui::ShowModal(form);
}

void FormCLab::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    Form_Activate();
}

void FormCLab::Form_Activate()
{
    if (!InitOnActivate)
        return;
    TextIlProbek->clear();
    InitOnActivate = false;
    FillComboFromTable(ComboPartia, MonthDb, QStringLiteral("Partia"), QStringLiteral("Partia"),
                       QString(), QString(), ClabStore::AllBatches);
    ComboPartia->setCurrentText(ClabStore::AllBatches);
    LoadCodesCLab(CodesKey);
    FrameExport->hide();
}

// ------------------------------------------------------------- the run

void FormCLab::ComDrukuj_Click()
{
    // The run lets the window repaint; a second start must not interleave.
    if (running_)
        return;
    RunningFlag running(running_);
    try {
        if (frmLoginLab::SignedIn().IsOperator()) {
            ShowWarning(QStringLiteral("Nie masz uprawnień do eksportowania danych!"), Warning);
            return;
        }
        const QString station = ClabStore::LaboratoryCode(StaleDb, QStringLiteral("KodLok2"));
        if (TrimBlanks(station).isEmpty()) {
            ShowWarning(
                QStringLiteral("Brak kodu stanowiska zamiejscowego!\r"
                               "W oknie głównym programu kliknij przycisk Użytkownik i uzupełnij "
                               "kod stanowiska zamiejscowego!\r"
                               "Pełna lista kodów znajduje się w pliku: "
                               "C:\\MervaskLAB\\KodyStanowiskZamiejscowych.doc"),
                Warning);
            return;
        }
        const Period period{dateOf(MebOd), dateOf(MebDo)};
        if (period.from > period.to) {
            ui::MsgBox(QStringLiteral("Źle ustawiony zakres dat! Popraw!"), ui::vbExclamation,
                       QStringLiteral("Data"));
            return;
        }
        // Both addresses are needed; without them nothing is written. One box
        // names every key still to be filled in.
        QStringList missing;
        QString uploadHost;
        for (const QString &key : {ClabHosts::SchemaKey, ClabHosts::UploadKey}) {
            uploadHost = ClabHosts::Read(key);
            if (uploadHost.isEmpty())
                missing.append(key);
        }
        if (!missing.isEmpty()) {
            ShowWarning(ClabHosts::MissingKeyText(missing), Warning);
            return;
        }
        ClabStore store(MonthDb, StaleDb);
        if (CheckResultsCLab(store, period))
            ComExpCLab_Click(store, period, station, uploadHost);
        hideFrames();
    } catch (const RuntimeError &error) {
        hideFrames();
        ShowError(QStringLiteral("Zestawienie"), error);
    }
}

bool FormCLab::CheckResultsCLab(ClabStore &store, const Period &period)
{
    ClabPrecheck::Counts counts;
    try {
        counts = ClabPrecheck::Run(store, ComboPartia->currentText(), period.from, period.to);
    } catch (const RuntimeError &error) {
        reportRunError(error);
        return false;
    }
    if (counts.batches == 0) {
        ShowInfo(QStringLiteral("Brak danych do eksportu!"), ExportCaption);
        return false;
    }
    if (counts.missing > 0) {
        ShowInfo(QStringLiteral("Przerywam eksport danych z powodu braku wyników!\r"
                                "Ilość próbek ogółem: %1\r"
                                "Brak wyników badań w ilości: %2 dla MervaskLab!\r"
                                "Raport braków został zapisany do "
                                "C:\\MervaskLab\\Eksport\\WynikBrakMervaskLab.txt")
                     .arg(counts.total)
                     .arg(counts.missing),
                 Attention);
    }
    if (counts.doubtful > 0) {
        ShowWarning(QStringLiteral(
                        "Przerywam eksport danych z powodu wystąpienia wyniku wątpliwego (lub "
                        "odstąpienie) w badaniu MervaskLab!\r"
                        "W przypadku MervaskLab system CLab dopuszcza tylko wynik stwierdzono lub "
                        "nie stwierdzono!\r"
                        "Skontaktuj się z informatykiem WIW, a następnie z programistą!\r"
                        "Pozycje z wynikami wątpliwymi (odstąpienie lub inne), zostały zapisane "
                        "do pliku C:\\MervaskLab\\Eksport\\WynikWatpliwyMervaskLab.txt"),
                    Attention);
    }
    return counts.Passed();
}

void FormCLab::ComExpCLab_Click(ClabStore &store, const Period &period, const QString &station,
                                const QString &uploadHost)
{
    try {
        exportChosen(store, period, station, uploadHost);
    } catch (const RuntimeError &error) {
        hideFrames();
        if (error.Number() == ui::FileDialog::ErrCancel)
            return;
        if (error.Number() == rterr::FileAlreadyOpen)
            ShowInfo(QStringLiteral("Plik otwarty. Zamknij program i uruchom ponownie!"),
                     QStringLiteral("INFORMACJA"));
        else
            reportRunError(error);
    }
}

void FormCLab::exportChosen(ClabStore &store, const Period &period, const QString &station,
                            const QString &uploadHost)
{
    LabIl->setText(QStringLiteral("0"));
    TextIlProbek->setText(QStringLiteral("0"));
    const std::optional<QDate> working = dao::ParseDateText(workingDate_);
    if (!working)
        throw RuntimeError(rterr::TypeMismatch, QStringLiteral("Niezgodność typów."));
    ClabExport exporter(store, {TextLok->text(), *working, station, codeBoxes(),
                                ClabHosts::Read(ClabHosts::SchemaKey)});
    const std::variant<Refusal, ClabExport::Proposal> prepared =
        exporter.Prepare(ComboPartia->currentText(), period.from, period.to);
    if (const auto *refusal = std::get_if<Refusal>(&prepared)) {
        ShowRefusal(*this, *refusal);
        return;
    }
    const ClabExport::Proposal &proposal = std::get<ClabExport::Proposal>(prepared);

    ui::FileDialog dialog;
    dialog.FileName = proposal.path;
    dialog.Filter = QStringLiteral("All Files (*.*)|*.*|Plik XML (*.xml)|*.xml");
    dialog.FilterIndex = 2;
    dialog.ShowSave();
    const QString chosen = dialog.FileName;

    FrameCzekaj->show();
    FrameDoWIW->show();
    ui::WaitPointer pointer;
    pointer.Show();
    ProgressBar1->setRange(0, proposal.batches);
    ProgressBar1->setValue(0);
    repainted_.invalidate();
    const ClabExport::Written written = exporter.Write(
        chosen, OperatorSurname,
        [this](int batch, const QString &partia, int samples, bool boundary) {
            showProgress(batch, partia, samples, boundary);
        },
        [](const QString &text) { ShowWarning(text, Warning); });
    hideFrames();
    pointer.Restore();
    if (ui::MsgBox(QStringLiteral("Eksport danych zakończony powodzeniem!\r"
                                  "Dane zapisano w pliku: ") +
                       chosen +
                       QStringLiteral("\rCzy połączyć się teraz z serwisem www, w celu "
                                      "załadowania danych na serwer CLab?"),
                   ui::vbYesNo + ui::vbQuestion + ui::vbDefaultButton2, FileCaption) == ui::vbYes)
        shell::Shell::OpenUrl(ClabExport::UploadPage(uploadHost));
    if (written.emptyResults > 0)
        ShowInfo(QStringLiteral("Brak wyników badań w ilości: %1 dla MervaskLab!")
                     .arg(written.emptyResults),
                 Attention);
}

// The counters and the bar, at most every few hundredths of a second: the
// window repaints, and nothing the user does is taken in meanwhile.
void FormCLab::showProgress(int batch, const QString &partia, int samples, bool force)
{
    if (!force && repainted_.isValid() && repainted_.elapsed() < ProgressIntervalMs)
        return;
    ProgressBar1->setValue(batch);
    LabTab->setText(partia);
    LabIl->setText(QString::number(samples));
    TextIlProbek->setText(QString::number(samples));
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    repainted_.start();
}

void FormCLab::hideFrames()
{
    FrameCzekaj->hide();
    FrameDoWIW->hide();
}

// ------------------------------------------------------------- dates

void FormCLab::pickDateInto(ui::MaskEdBox *box, QPushButton *button)
{
    FormKalendarz1 &calendar = ui::WindowRegistry::Instance<FormKalendarz1>();
    calendar.move(button->mapToGlobal(QPoint(button->width(), 0)));
    box->setText(PickPastDate(box->Text(), QString()).toString(QStringLiteral("dd.MM.yyyy")));
}

void FormCLab::ComDatOd_Click()
{
    pickDateInto(MebOd, ComDatOd);
}

void FormCLab::ComDatDo_Click()
{
    pickDateInto(MebDo, ComDatDo);
}

void FormCLab::ComAnuluj_Click()
{
    if (!running_)
        hide();
}

// ------------------------------------------------------------- codes and journal

ClabCodeSet FormCLab::codeBoxes() const
{
    return {TextTypBad1MervaskLab->text(),    TextTypBad1OpisMervaskLab->text(),
            TextTypBad2MervaskLab->text(),    TextTypBad2OpisMervaskLab->text(),
            TextCmetoda1MervaskLab->text(),   TextCmetoda1OpisMervaskLab->text(),
            TextCkierunek1MervaskLab->text(), TextCkierunek1OpisMervaskLab->text()};
}

void FormCLab::LoadCodesCLab(const QString &key)
{
    loadedCodes_.reset();
    try {
        const std::optional<ClabSettings::StoredCodes> stored = ClabSettings::Stored(StaleDb, key);
        loadedCodes_ = stored ? std::optional(stored->row) : std::nullopt;
        const ClabCodeSet codes = ClabSettings::Shown(stored);
        TextTypBad1MervaskLab->setText(codes.typBad1);
        TextTypBad1OpisMervaskLab->setText(codes.opisTypBad1);
        TextTypBad2MervaskLab->setText(codes.typBad2);
        TextTypBad2OpisMervaskLab->setText(codes.opisTypBad2);
        TextCmetoda1MervaskLab->setText(codes.cmetoda1);
        TextCmetoda1OpisMervaskLab->setText(codes.opisCMetoda1);
        TextCkierunek1MervaskLab->setText(codes.ckierunek1);
        TextCkierunek1OpisMervaskLab->setText(codes.opisCKierunek1);
    } catch (const RuntimeError &error) {
        ShowError(windowTitle(), error);
    }
}

void FormCLab::SaveCodesCLab(const QString &key)
{
    if (TextTypBad1MervaskLab->text().isEmpty() || TextCmetoda1MervaskLab->text().isEmpty() ||
        TextCkierunek1MervaskLab->text().isEmpty()) {
        ShowInfo(QStringLiteral("Brak kompletu danych dotyczących typu badania, metody i kierunku "
                                "badań! Uzupełnij!"),
                 QStringLiteral("INFORMACJA"));
        TextTypBad1MervaskLab->setFocus();
        return;
    }
    try {
        loadedCodes_ = ClabSettings::Save(StaleDb, key, loadedCodes_, codeBoxes());
    } catch (const RuntimeError &error) {
        ShowError(windowTitle(), error);
    }
}

void FormCLab::ComFrCKier_Click()
{
    SaveCodesCLab(CodesKey);
}

void FormCLab::ComDziennik_Click()
{
    QString text;
    try {
        text = ClabJournal::Read();
    } catch (const RuntimeError &error) {
        ShowError(windowTitle(), error);
        return;
    }
    TextExport->setPlainText(text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    FrameExport->show();
}

void FormCLab::Command1_Click()
{
    FrameExport->hide();
    TextExport->clear();
}
