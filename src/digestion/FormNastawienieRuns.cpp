// The run frame of FormNastawienie: new, edit, duplicate, save and delete of
// a run, and its date and hour buttons.
#include "digestion/FormNastawienie.h"

#include "digestion/RunStore.h"
#include "digestion/RunValidator.h"
#include "foundation/DatePickers.h"
#include "foundation/FormKalendarz1.h"
#include "foundation/FormZegar.h"
#include "foundation/Globals.h"
#include "foundation/Messages.h"
#include "foundation/RecordsetProcedures.h"
#include "foundation/ResultWords.h"
#include "foundation/UiProcedures.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/MaskEdBox.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/NamedControls.h"
#include "platform/ui/PickList.h"
#include "platform/ui/TypingLimit.h"
#include "platform/ui/WindowRegistry.h"

#include <algorithm>

#include <QComboBox>
#include <QCompleter>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTime>

namespace
{

const QString ErrorCaption = QStringLiteral("Powiadom programistę!");

// Typing stops at the field's length; an entry picked whole, or completed
// from the first letters typed, stays whole even when it is longer, every
// time, so that the save refuses it instead of cutting it. The box itself
// has no length of its own, which would cut whatever is put into it.
QComboBox *pickList(QWidget *parent, const char *name, int maxLength)
{
    QComboBox *combo = ui::PickList(parent, name);
    ui::LimitTyping(combo->lineEdit(), maxLength);
    auto *completer = new QCompleter(combo->model(), combo);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setCompletionMode(QCompleter::InlineCompletion);
    combo->setCompleter(completer);
    return combo;
}

void setBoxText(QWidget *box, const QString &text)
{
    if (auto *masked = qobject_cast<ui::MaskEdBox *>(box))
        masked->setText(text);
    else if (auto *line = qobject_cast<QLineEdit *>(box))
        line->setText(text);
    else if (auto *combo = qobject_cast<QComboBox *>(box))
        combo->setEditText(text);
    else if (auto *memo = qobject_cast<QPlainTextEdit *>(box))
        memo->setPlainText(text);
}

QString boxText(const QWidget *box)
{
    if (auto *masked = qobject_cast<const ui::MaskEdBox *>(box))
        return masked->Text();
    if (auto *line = qobject_cast<const QLineEdit *>(box))
        return line->text();
    if (auto *combo = qobject_cast<const QComboBox *>(box))
        return combo->currentText();
    if (auto *memo = qobject_cast<const QPlainTextEdit *>(box))
        return memo->toPlainText();
    return QString();
}

} // namespace

// The boxes in the order of the run's fields, which is also their tab order.
void FormNastawienie::buildRunFrame()
{
    FramePartia = ui::Named(new QGroupBox(QStringLiteral("NOWE NASTAWIENIE"), this), "FramePartia");
    auto *grid = new QGridLayout(FramePartia);
    int row = 0;
    const auto place = [&](int column, const char *text, QWidget *box, QWidget *button = nullptr) {
        grid->addWidget(new QLabel(QString::fromUtf8(text), FramePartia), row, column);
        grid->addWidget(box, row, column + 1);
        if (button)
            grid->addWidget(button, row, column + 2);
        ++row;
    };
    const auto text = [this](const char *name, int maxLength) {
        return ui::TextBox(FramePartia, name, maxLength);
    };
    TextNastawienie = text("TextNastawienie", 5);
    place(0, "Nr nastawienia", TextNastawienie);
    TextNrTac = text("TextNrTac", 20);
    TextNrTac->setToolTip(QStringLiteral("Wpisz zakres numerów tac np. 1-5"));
    place(0, "Kod tacy (nr-y)", TextNrTac);
    TextIlProbek = text("TextIlProbek", 7);
    TextIlProbek->setToolTip(QStringLiteral("Wpisz liczbę próbek jednostkowych w nastawieniu"));
    place(0, "Liczba próbek", TextIlProbek);
    TextNawazka = text("TextNawazka", 7);
    place(0, "Naważka w [g] próbek jednostk.", TextNawazka);
    TextPepsyna = text("TextPepsyna", 7);
    place(0, "Naważka pepsyny", TextPepsyna);
    TextKwas = text("TextKwas", 7);
    place(0, "Ilość kwasu HCl", TextKwas);
    TextTemperatura = text("TextTemperatura", 5);
    place(0, "Temperat. min    C", TextTemperatura);
    TextTemperaturaMax = text("TextTemperaturaMax", 5);
    place(0, "Temperat. max   C", TextTemperaturaMax);
    TextCzas = text("TextCzas", 3);
    place(0, "Czas wytrawiania [min]", TextCzas);
    TextCzasSedymentacji1 = text("TextCzasSedymentacji1", 3);
    place(0, "Czas sedymentacji I [min]", TextCzasSedymentacji1);
    TextCzasSedymentacji2 = text("TextCzasSedymentacji2", 3);
    place(0, "Czas sedymentacji II [min]", TextCzasSedymentacji2);
    const int leftRows = row;

    row = 0;
    grid->addWidget(new QLabel(QStringLiteral("Numer ewidencyjny"), FramePartia), row++, 3, 1, 2);
    ComboWaga = pickList(FramePartia, "ComboWaga", 30);
    place(3, "Waga", ComboWaga);
    ComboTermometr = pickList(FramePartia, "ComboTermometr", 30);
    place(3, "Termometr", ComboTermometr);
    ComboMieszadlo = pickList(FramePartia, "ComboMieszadlo", 30);
    place(3, "Mieszadło", ComboMieszadlo);
    ComboTrychinoskop = pickList(FramePartia, "ComboTrychinoskop", 30);
    place(3, "Trychinoskop", ComboTrychinoskop);
    ComboSito = pickList(FramePartia, "ComboSito", 30);
    place(3, "Sito", ComboSito);
    grid->addWidget(new QLabel(QStringLiteral("Dane dotyczące odczynników"), FramePartia), row++, 3,
                    1, 2);
    ComboOdczynnikHCL = pickList(FramePartia, "ComboOdczynnikHCL", 150);
    place(3, "HCL seria/data ważności", ComboOdczynnikHCL);
    ComboOdczynnikPepsyna = pickList(FramePartia, "ComboOdczynnikPepsyna", 150);
    place(3, "Pepsyna seria/data ważności", ComboOdczynnikPepsyna);
    ComboWynik = pickList(FramePartia, "ComboWynik", 15);
    ComboWynik->addItems(ResultWords::Choices());
    place(3, "Wynik nastawienia", ComboWynik);

    const auto dateBox = [this](const char *name) {
        auto *box = ui::Named(new ui::MaskEdBox(FramePartia), name);
        box->setMaxLength(10);
        return box;
    };
    const auto pickButton = [this](const char *name, const QString &caption) {
        auto *button = ui::CommandButton(FramePartia, name, caption);
        button->setToolTip(QStringLiteral("Wybierz datę początku podzbioru"));
        return button;
    };
    row = std::max(row, leftRows);
    DTPDataRozpBad = dateBox("DTPDataRozpBad");
    ComDataRozpBad = pickButton("ComDataRozpBad", QStringLiteral("..."));
    place(0, "Data rozpoczęcia nastawienia", DTPDataRozpBad, ComDataRozpBad);
    TextGodzRozpBad = text("TextGodzRozpBad", 5);
    ComGodzRozpBad = ui::CommandButton(FramePartia, "ComGodzRozpBad", QStringLiteral("gg:mm"));
    place(0, "Godz rozpoczęcia nastawienia", TextGodzRozpBad, ComGodzRozpBad);
    DTPDataZakBad = dateBox("DTPDataZakBad");
    ComDatZakBad = pickButton("ComDatZakBad", QStringLiteral("..."));
    place(0, "Data zakończenia nastawienia", DTPDataZakBad, ComDatZakBad);
    TextGodzZakBad = text("TextGodzZakBad", 5);
    ComGodzZakBad = ui::CommandButton(FramePartia, "ComGodzZakBad", QStringLiteral("gg:mm"));
    place(0, "Godz zakończenia nastawienia", TextGodzZakBad, ComGodzZakBad);
    // The persons, the remark and the frame's buttons stand right of the
    // dates, so that the frame fits the window on a small or scaled screen.
    row -= 4;
    ComboWykonujacy = pickList(FramePartia, "ComboWykonujacy", 30);
    place(3, "Osoba wykonująca badanie", ComboWykonujacy);
    ComboOdpowiedzialny = pickList(FramePartia, "ComboOdpowiedzialny", 30);
    place(3, "Osoba odpowiedzialna za badanie", ComboOdpowiedzialny);
    TextUwagi = ui::Named(new QPlainTextEdit(FramePartia), "TextUwagi");
    TextUwagi->setTabChangesFocus(true);
    TextUwagi->setFixedHeight(TextUwagi->fontMetrics().lineSpacing() * 2 +
                              2 * (TextUwagi->frameWidth() + 4));
    grid->addWidget(new QLabel(QStringLiteral("Uwagi:"), FramePartia), row, 3, Qt::AlignTop);
    grid->addWidget(TextUwagi, row++, 4, 1, 2);
    ComZapiszFr = ui::CommandButton(FramePartia, "ComZapiszFr", QStringLiteral("&Zapisz"));
    ComAnulujFr = ui::CommandButton(FramePartia, "ComAnulujFr", QStringLiteral("&Anuluj"));
    grid->addWidget(ComZapiszFr, row, 4);
    grid->addWidget(ComAnulujFr, row, 5);
    grid->setVerticalSpacing(std::min(grid->verticalSpacing(), 3));
    FramePartia->setVisible(false);
}

RunFrameValues FormNastawienie::RunValues() const
{
    RunFrameValues v;
    v.number = boxText(TextNastawienie);
    v.trays = boxText(TextNrTac);
    v.sampleCount = boxText(TextIlProbek);
    v.sampleWeight = boxText(TextNawazka);
    v.pepsin = boxText(TextPepsyna);
    v.acid = boxText(TextKwas);
    v.temperature = boxText(TextTemperatura);
    v.temperatureMax = boxText(TextTemperaturaMax);
    v.digestionTime = boxText(TextCzas);
    v.settlingTime1 = boxText(TextCzasSedymentacji1);
    v.settlingTime2 = boxText(TextCzasSedymentacji2);
    v.scales = boxText(ComboWaga);
    v.thermometer = boxText(ComboTermometr);
    v.stirrer = boxText(ComboMieszadlo);
    v.trichinoscope = boxText(ComboTrychinoskop);
    v.acidSeries = boxText(ComboOdczynnikHCL);
    v.pepsinSeries = boxText(ComboOdczynnikPepsyna);
    v.sieve = boxText(ComboSito);
    v.result = boxText(ComboWynik);
    v.startDate = boxText(DTPDataRozpBad);
    v.startTime = boxText(TextGodzRozpBad);
    v.endDate = boxText(DTPDataZakBad);
    v.endTime = boxText(TextGodzZakBad);
    v.remarks = boxText(TextUwagi);
    v.performedBy = boxText(ComboWykonujacy);
    v.responsible = boxText(ComboOdpowiedzialny);
    return v;
}

void FormNastawienie::ShowRunValues(const RunFrameValues &v)
{
    setBoxText(TextNastawienie, v.number);
    setBoxText(TextNrTac, v.trays);
    setBoxText(TextIlProbek, v.sampleCount);
    setBoxText(TextNawazka, v.sampleWeight);
    setBoxText(TextPepsyna, v.pepsin);
    setBoxText(TextKwas, v.acid);
    setBoxText(TextTemperatura, v.temperature);
    setBoxText(TextTemperaturaMax, v.temperatureMax);
    setBoxText(TextCzas, v.digestionTime);
    setBoxText(TextCzasSedymentacji1, v.settlingTime1);
    setBoxText(TextCzasSedymentacji2, v.settlingTime2);
    setBoxText(ComboWaga, v.scales);
    setBoxText(ComboTermometr, v.thermometer);
    setBoxText(ComboMieszadlo, v.stirrer);
    setBoxText(ComboTrychinoskop, v.trichinoscope);
    setBoxText(ComboOdczynnikHCL, v.acidSeries);
    setBoxText(ComboOdczynnikPepsyna, v.pepsinSeries);
    setBoxText(ComboSito, v.sieve);
    setBoxText(ComboWynik, v.result);
    setBoxText(DTPDataRozpBad, v.startDate);
    setBoxText(TextGodzRozpBad, v.startTime);
    setBoxText(DTPDataZakBad, v.endDate);
    setBoxText(TextGodzZakBad, v.endTime);
    setBoxText(TextUwagi, v.remarks);
    setBoxText(ComboWykonujacy, v.performedBy);
    setBoxText(ComboOdpowiedzialny, v.responsible);
}

void FormNastawienie::ComAnulujFr_Click()
{
    FramePartia->setVisible(false);
    Klawisze(true, true);
}

void FormNastawienie::ComDodajPr_Click()
{
    try {
        StartNewRun();
    } catch (const RuntimeError &error) {
        OpenFailed(QStringLiteral("Powiadom programiste!"), error);
    }
}

void FormNastawienie::StartNewRun()
{
    Klawisze(false, false);
    showFrame(FramePartia, QStringLiteral("NOWE NASTAWIENIE"));
    edit_ = Edit::Adding;
    StartingRunNumber.clear();
    loadedRun_.reset();
    const auto [start, end] = RunStore::BatchTestDates(MonthDb, Batch());
    RunFrameValues defaults;
    defaults.temperature = QStringLiteral("44");
    defaults.temperatureMax = QStringLiteral("46");
    defaults.startDate = start;
    defaults.endDate = end;
    ShowRunValues(defaults);
    const dao::Recordset runs = Runs();
    const int proposed =
        runs.IsOpen() && runs.RecordCount() > 0 ? RunStore::NextRunNumber(MonthDb, Batch()) : 1;
    TextNastawienie->setText(QString::number(proposed));
    TextNrTac->setFocus();
}

void FormNastawienie::ComPopraw_Click()
{
    if (!HasRun())
        return;
    try {
        LoadRunForEdit();
    } catch (const RuntimeError &error) {
        OpenFailed(ErrorCaption, error);
    }
}

void FormNastawienie::LoadRunForEdit()
{
    edit_ = Edit::Correcting;
    Klawisze(false, false);
    showFrame(FramePartia, QStringLiteral("EDYCJA NASTAWIENIA"));
    const dao::Recordset runs = Runs();
    const RunFrameValues values = RunStore::RunValues(runs);
    ShowRunValues(values);
    StartingRunNumber = values.number;
    loadedRun_ = RememberRow(runs);
    ComZapiszFr->setFocus();
}

void FormNastawienie::ComDuplikuj_Click()
{
    if (!HasRun())
        return;
    try {
        const RunFrameValues source = RunStore::RunValues(Runs());
        StartNewRun();
        // After a run that found larvae only the instrument and reagents are
        // carried over.
        RunFrameValues copy = RunValues();
        copy.trichinoscope = source.trichinoscope;
        copy.acidSeries = source.acidSeries;
        copy.pepsinSeries = source.pepsinSeries;
        if (source.result != ResultWords::Found) {
            copy.sampleWeight = source.sampleWeight;
            copy.pepsin = source.pepsin;
            copy.acid = source.acid;
            copy.temperature = source.temperature;
            copy.temperatureMax = source.temperatureMax;
            copy.digestionTime = source.digestionTime;
            copy.scales = source.scales;
            copy.thermometer = source.thermometer;
            copy.stirrer = source.stirrer;
            copy.remarks = source.remarks;
        }
        ShowRunValues(copy);
        TextNrTac->setFocus();
    } catch (const RuntimeError &error) {
        OpenFailed(ErrorCaption, error);
    }
}

void FormNastawienie::ComZapiszFr_Click()
{
    const RunFrameValues values = RunValues();
    if (const std::optional<Refusal> fault = RunValidator::CheckRunNumber(values.number)) {
        ShowFault(*fault);
        return;
    }
    if (const std::optional<Refusal> fault = RunValidator::CheckRunTextLengths(values)) {
        ShowFault(*fault);
        return;
    }
    try {
        const auto result =
            RunStore::SaveRun(MonthDb, Batch(), values,
                              edit_ == Edit::Adding ? std::optional<LoadedRow>() : loadedRun_);
        if (const Refusal *fault = std::get_if<Refusal>(&result)) {
            ShowFault(*fault);
            return;
        }
        RunSaved(std::get<dao::Bookmark>(result));
    } catch (const RuntimeError &error) {
        // Nothing was written: the frame stays open over the locked lists.
        ShowError(ErrorCaption, error);
        if (ChangedElsewhere(error)) {
            // The list beneath shows the run as it is now, so that a new
            // correction starts from it.
            try {
                RereadRuns(loadedRun_ ? std::optional(loadedRun_->Bookmark()) : std::nullopt);
            } catch (const RuntimeError &) {
                // The failure reported already says that the list is not right.
            }
        }
    }
}

void FormNastawienie::RunSaved(const dao::Bookmark &row)
{
    const bool corrected = edit_ == Edit::Correcting;
    edit_ = Edit::None;
    FramePartia->setVisible(false);
    Klawisze(true, true);
    if (corrected) {
        RereadRuns(row);
    } else {
        // The list is read anew and stands on its last run, the highest
        // number, whichever number the new run got.
        dao::Recordset runs = RunStore::OpenRuns(MonthDb, Batch());
        if (runs.RecordCount() > 0)
            runs.MoveLast();
        BindRuns(runs);
    }
}

void FormNastawienie::RereadRuns(std::optional<dao::Bookmark> current)
{
    dao::Recordset runs = Runs();
    if (!runs.IsOpen())
        return;
    runs.Requery();
    if (current && runs.PositionOf(*current) >= 0)
        runs.setBookmark(*current);
    LoadTrays();
}

void FormNastawienie::ComUsun_Click()
{
    if (!HasRun())
        return;
    if (ui::MsgBox(QStringLiteral("Czy na pewno usunąć zaznaczone nastawienie?"),
                   ui::vbYesNo + ui::vbQuestion + ui::vbDefaultButton2,
                   QStringLiteral("USUWANIE!")) != ui::vbYes)
        return;
    std::optional<dao::Bookmark> run;
    const auto rowsOf = [](const dao::Recordset &list) {
        return list.IsOpen() ? list.RecordCount() : 0;
    };
    const int shownRuns = rowsOf(Runs());
    const int shownTrays = rowsOf(Trays());
    try {
        run = Runs().Bookmark();
        const int number = CurrentRunNumber();
        // Each tray is asked about once, in list order; the deletion follows
        // the answers in one go.
        QList<dao::Bookmark> trays;
        dao::Recordset list = Trays();
        for (int i = 0; i < list.RecordCount(); ++i)
            trays.append(list.BookmarkAt(i));
        QList<dao::Bookmark> deleted;
        for (const dao::Bookmark &tray : trays) {
            list.setBookmark(tray);
            if (ui::MsgBox(QStringLiteral("Czy na pewno usunąć nr tacy nr: ") +
                               FieldText(list, QStringLiteral("NrTacy")) +
                               QStringLiteral(" z nastawienia: ") + QString::number(number),
                           ui::vbYesNo + ui::vbQuestion + ui::vbDefaultButton2,
                           QStringLiteral("USUWANIE!")) == ui::vbYes)
                deleted.append(tray);
        }
        // The run and its trays go through the lists that showed them.
        dao::Recordset runs = Runs();
        if (RunStore::DeleteRun(MonthDb, runs, list, deleted))
            run.reset();
    } catch (const RuntimeError &error) {
        ShowError(ErrorCaption, error);
        if (LockedElsewhere(error) && rowsOf(Runs()) == shownRuns && rowsOf(Trays()) == shownTrays)
            return;
    }
    try {
        RereadRuns(run);
    } catch (const RuntimeError &error) {
        ShowError(ErrorCaption, error);
    }
}

void FormNastawienie::PickDateInto(ui::MaskEdBox *box, QPushButton *button)
{
    FormKalendarz1 &calendar = ui::WindowRegistry::Instance<FormKalendarz1>();
    calendar.move(
        FramePartia->mapToGlobal(QPoint(box->x(), button->y() + button->height() * 5 / 2)));
    const QDate picked = PickPastDate(box->Text(), QString());
    box->setText(picked.toString(QStringLiteral("dd.MM.yyyy")));
    SendTab();
}

void FormNastawienie::PickTimeInto(QLineEdit *box, QPushButton *button)
{
    FormZegar &clock = ui::WindowRegistry::Instance<FormZegar>();
    const QPoint at = FramePartia->mapToGlobal(button->pos());
    clock.move(at.x() - clock.width() / 2, at.y());
    box->setText(QTime::currentTime().toString(QStringLiteral("HH:mm")));
    QString preset = box->text();
    box->setText(PickTime(preset));
    SendTab();
}

void FormNastawienie::ComDataRozpBad_Click()
{
    PickDateInto(DTPDataRozpBad, ComDataRozpBad);
}

void FormNastawienie::ComDatZakBad_Click()
{
    PickDateInto(DTPDataZakBad, ComDatZakBad);
}

void FormNastawienie::ComGodzRozpBad_Click()
{
    PickTimeInto(TextGodzRozpBad, ComGodzRozpBad);
}

void FormNastawienie::ComGodzZakBad_Click()
{
    PickTimeInto(TextGodzZakBad, ComGodzZakBad);
}
