// The tray frame of FormNastawienie: new, edit, save with its chaining,
// delete, and the count from a carcass range.
#include "digestion/FormNastawienie.h"

#include "digestion/RunStore.h"
#include "digestion/RunValidator.h"
#include "digestion/TrayRanges.h"
#include "foundation/Globals.h"
#include "foundation/Messages.h"
#include "foundation/RecordsetProcedures.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/NamedControls.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

namespace
{

const QString ErrorCaption = QStringLiteral("Powiadom programistę!");

} // namespace

void FormNastawienie::buildTrayFrame()
{
    FramePartiaG = ui::Named(new QGroupBox(QStringLiteral("PRÓBKA"), this), "FramePartiaG");
    auto *grid = new QGridLayout(FramePartiaG);
    int row = 0;
    const auto box = [&](const char *name, const char *caption, int maxLength) {
        QLineEdit *line = ui::TextBox(FramePartiaG, name, maxLength);
        grid->addWidget(new QLabel(QString::fromUtf8(caption), FramePartiaG), row, 0);
        grid->addWidget(line, row++, 1, 1, 2);
        return line;
    };
    TextNrTacy = box("TextNrTacy", "Kod tacy (nr)", 4);
    TextNrTacy->setToolTip(QStringLiteral("Wprowadź numer tacy"));
    TextNrTusz = box("TextNrTusz", "Nr tuszy", 255);
    grid->addWidget(new QLabel(QStringLiteral("Nr tusz od:"), FramePartiaG), row++, 0);
    TextNrTuszTucznik = box("TextNrTuszTucznik", "Tucznika (T)", 255);
    TextNrTuszMaciora = box("TextNrTuszMaciora", "Maciory (M)", 255);
    TextNrTuszKnur = box("TextNrTuszKnur", "Knura (K)", 255);
    TextNrTuszDzik = box("TextNrTuszDzik", "Dzika (D)", 255);
    TextNrTuszInne = box("TextNrTuszInne", "Inne ...", 255);
    TextIlProbekPozycjaN = ui::TextBox(FramePartiaG, "TextIlProbekPozycjaN", 7);
    TextIlProbekPozycjaN->setToolTip(QStringLiteral("Wpisz liczbę próbek jednostkowych"));
    ComLiczbaProbek = ui::CommandButton(FramePartiaG, "ComLiczbaProbek", QString());
    ComLiczbaProbek->setIcon(style()->standardIcon(QStyle::SP_ArrowLeft));
    ComLiczbaProbek->setToolTip(
        QStringLiteral("Wylicza liczbę próbek na podstawie wpisanego zakresu w polu 'Nr tuszy'"));
    grid->addWidget(new QLabel(QStringLiteral("Liczba próbek"), FramePartiaG), row, 0);
    grid->addWidget(TextIlProbekPozycjaN, row, 1);
    grid->addWidget(ComLiczbaProbek, row++, 2);
    CheckNastG =
        ui::Named(new QCheckBox(QStringLiteral(" Następna próbka"), FramePartiaG), "CheckNastG");
    CheckNastG->setToolTip(
        QStringLiteral("Jeśli zaznaczone, automatycznie wprowadza próbkę z kolejnymi numerami"));
    grid->addWidget(CheckNastG, row++, 0, 1, 3);
    ComZapiszFrNaPIW =
        ui::CommandButton(FramePartiaG, "ComZapiszFrNaPIW", QStringLiteral("&Zapisz"));
    ComAnulujFrNaPIW =
        ui::CommandButton(FramePartiaG, "ComAnulujFrNaPIW", QStringLiteral("&Anuluj"));
    grid->addWidget(ComZapiszFrNaPIW, row, 1);
    grid->addWidget(ComAnulujFrNaPIW, row, 2);
    FramePartiaG->setMinimumWidth(420);
    FramePartiaG->setVisible(false);
}

QMap<QString, QLineEdit *> FormNastawienie::TrayBoxes() const
{
    return {{QStringLiteral("NrTacy"), TextNrTacy},
            {QStringLiteral("NrTusz"), TextNrTusz},
            {QStringLiteral("NrTuszTucznik"), TextNrTuszTucznik},
            {QStringLiteral("NrTuszMaciora"), TextNrTuszMaciora},
            {QStringLiteral("NrTuszKnur"), TextNrTuszKnur},
            {QStringLiteral("NrTuszDzik"), TextNrTuszDzik},
            {QStringLiteral("NrTuszInne"), TextNrTuszInne},
            {QStringLiteral("IlProbek"), TextIlProbekPozycjaN}};
}

void FormNastawienie::ComDodajG_Click()
{
    if (!HasRun())
        return;
    try {
        StartNewTray();
    } catch (const RuntimeError &error) {
        OpenFailed(QStringLiteral("Powiadom programiste!"), error);
    }
}

void FormNastawienie::StartNewTray()
{
    edit_ = Edit::Adding;
    Klawisze(false, false);
    showFrame(FramePartiaG, QStringLiteral("NOWA POZYCJA"));
    StartingTrayNumber.clear();
    loadedTray_.reset();
    for (QLineEdit *box : TrayBoxes())
        box->clear();
    TextNrTacy->setFocus();
}

void FormNastawienie::ComPoprawG_Click()
{
    if (!HasTray())
        return;
    try {
        LoadTrayForEdit();
    } catch (const RuntimeError &error) {
        OpenFailed(ErrorCaption, error);
    }
}

void FormNastawienie::LoadTrayForEdit()
{
    edit_ = Edit::Correcting;
    Klawisze(false, false);
    showFrame(FramePartiaG, QStringLiteral("EDYCJA POZYCJI"));
    const dao::Recordset trays = Trays();
    const FrameTexts texts = RunStore::Texts(trays, RunStore::TrayFields());
    const QMap<QString, QLineEdit *> boxes = TrayBoxes();
    for (auto it = boxes.cbegin(); it != boxes.cend(); ++it)
        it.value()->setText(texts.value(it.key()));
    StartingTrayNumber = texts.value(QStringLiteral("NrTacy"));
    loadedTray_ = RememberRow(trays);
    ComAnulujFrNaPIW->setFocus();
}

void FormNastawienie::ComZapiszFrNaPIW_Click()
{
    if (const std::optional<Refusal> fault =
            RunValidator::CheckTray(TextNrTacy->text(), TextIlProbekPozycjaN->text())) {
        ShowFault(*fault);
        return;
    }
    FrameTexts texts;
    const QMap<QString, QLineEdit *> boxes = TrayBoxes();
    for (auto it = boxes.cbegin(); it != boxes.cend(); ++it)
        texts.insert(it.key(), it.value()->text());
    try {
        // The tray an edit chains to is the one after the edited tray as the
        // list stands now, before a new number can move it.
        std::optional<dao::Bookmark> next;
        const dao::Recordset trays = Trays();
        if (edit_ != Edit::Adding && loadedTray_) {
            const int at = trays.PositionOf(loadedTray_->Bookmark());
            if (at >= 0 && at + 1 < trays.RecordCount())
                next = trays.BookmarkAt(at + 1);
        }
        const auto result =
            RunStore::SaveTray(MonthDb, Batch(), CurrentRunNumber(), texts,
                               edit_ == Edit::Adding ? std::optional<LoadedRow>() : loadedTray_);
        if (const Refusal *fault = std::get_if<Refusal>(&result)) {
            ShowFault(*fault);
            return;
        }
        TraySaved(std::get<dao::Bookmark>(result), next);
    } catch (const RuntimeError &error) {
        ShowError(ErrorCaption, error);
        if (ChangedElsewhere(error)) {
            try {
                RereadTrays(loadedTray_ ? std::optional(loadedTray_->Bookmark()) : std::nullopt);
                PokazPozycje();
            } catch (const RuntimeError &) {
                // The failure reported already says that the list is not right.
            }
        }
    }
}

void FormNastawienie::TraySaved(const dao::Bookmark &row, std::optional<dao::Bookmark> nextTray)
{
    RereadTrays(row);
    if (edit_ == Edit::Adding) {
        if (CheckNastG->isChecked()) {
            StartNewTray();
        } else {
            edit_ = Edit::None;
            FramePartiaG->setVisible(false);
            Klawisze(true, true);
        }
    } else if (CheckNastG->isChecked() && nextTray && Trays().PositionOf(*nextTray) >= 0) {
        Trays().setBookmark(*nextTray);
        LoadTrayForEdit();
    } else {
        FramePartiaG->setVisible(false);
        CheckNastG->setChecked(false);
        Klawisze(true, true);
        Trays().setBookmark(row);
    }
    PokazPozycje();
}

void FormNastawienie::RereadTrays(std::optional<dao::Bookmark> current)
{
    dao::Recordset trays = Trays();
    trays.Requery();
    if (current && trays.PositionOf(*current) >= 0)
        trays.setBookmark(*current);
}

void FormNastawienie::ComAnulujFrNaPIW_Click()
{
    FramePartiaG->setVisible(false);
    Klawisze(true, true);
}

void FormNastawienie::ComUsunG_Click()
{
    if (!HasTray())
        return;
    const int shown = Trays().RecordCount();
    try {
        DeleteCurrentTray();
    } catch (const RuntimeError &error) {
        ShowError(ErrorCaption, error);
        try {
            if (!LockedElsewhere(error) || Trays().RecordCount() != shown)
                RereadTrays(std::nullopt);
        } catch (const RuntimeError &) {
            // The failure reported already says that the list is not right.
        }
    }
    PokazPozycje();
}

bool FormNastawienie::DeleteCurrentTray()
{
    dao::Recordset trays = Trays();
    if (ui::MsgBox(QStringLiteral("Czy na pewno usunąć nr tacy nr: ") +
                       FieldText(trays, QStringLiteral("NrTacy")) +
                       QStringLiteral(" z nastawienia: ") + QString::number(CurrentRunNumber()),
                   ui::vbYesNo + ui::vbQuestion + ui::vbDefaultButton2,
                   QStringLiteral("USUWANIE!")) != ui::vbYes)
        return false;
    RunStore::DeleteTray(MonthDb, trays);
    RereadTrays(std::nullopt);
    return true;
}

void FormNastawienie::ComLiczbaProbek_Click()
{
    if (const std::optional<QString> count = TrayRanges::CountFromRange(TextNrTusz->text())) {
        TextIlProbekPozycjaN->setText(*count);
        return;
    }
    ShowInfo(QStringLiteral("Problem z wyliczeniem liczby próbek!\rAutomatyczne wyliczenie możliwe "
                            "jest w przypadku wprowadzenia prawidłowego zakresu numeracji np. "
                            "201-250\rWprowadź liczbę próbek samodzielnie!"),
             QStringLiteral("INFORMACJA"));
    TextIlProbekPozycjaN->setFocus();
}
