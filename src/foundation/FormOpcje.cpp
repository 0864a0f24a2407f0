#include "foundation/FormOpcje.h"
#include "platform/ui/ShowModal.h"
#include "platform/ui/WindowRegistry.h"

#include "foundation/Globals.h"
#include "foundation/Messages.h"
#include "platform/ui/NamedControls.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QVBoxLayout>

namespace
{

const QString WindowCaption = QStringLiteral("Opcje");

QCheckBox *checkBox(const char *name, const QString &caption)
{
    return ui::Named(new QCheckBox(caption), name);
}

} // namespace

void FormOpcje::Open()
{
    ui::ShowModal(ui::WindowRegistry::Instance<FormOpcje>());
}

FormOpcje::FormOpcje(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormOpcje"));
    setWindowTitle(WindowCaption);
    buildControls();
    connect(TabStrip1, &QTabBar::currentChanged, this, &FormOpcje::TabStrip1_Click);
    connect(CheckWczPlikSzyfr, &QCheckBox::clicked, this, &FormOpcje::CheckWczPlikSzyfr_Click);
    connect(ComZapisz, &QPushButton::clicked, this, &FormOpcje::ComZapisz_Click);
    connect(ComZamk, &QPushButton::clicked, this, &FormOpcje::ComZamk_Click);
}

void FormOpcje::buildControls()
{
    Label1 = ui::Named(new QLabel(QStringLiteral("OPCJE PROGRAMU"), this), "Label1");
    Label1->setAlignment(Qt::AlignCenter);
    TabStrip1 = ui::Named(new QTabBar(this), "TabStrip1");
    TabStrip1->addTab(QStringLiteral("&Ogólne"));
    TabStrip1->addTab(QStringLiteral("&Widok"));
    ComZapisz = ui::Named(new QPushButton(QStringLiteral("&Zapisz"), this), "ComZapisz");
    ComZamk = ui::Named(new QPushButton(QStringLiteral("&Anuluj"), this), "ComZamk");
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(TabStrip1);
    layout->addWidget(buildOptionFrames());
    layout->addStretch();
    layout->addLayout(ui::ButtonRow({ComZapisz, ComZamk}));
}

QGroupBox *FormOpcje::buildOptionFrames()
{
    Frame1 = ui::Named(new QGroupBox(this), "Frame1");
    CheckMatZuz = checkBox("CheckMatZuz", QStringLiteral("  Pytaj o materiały zużyte"));
    CheckMatZuz->setToolTip(
        QStringLiteral("Jeśli zaznaczone, przed zakończeniem programu pojawia się okienko do "
                       "wpisu materiałów zużytych"));
    CheckEmailWynik =
        checkBox("CheckEmailWynik", QStringLiteral("  Przy wysłaniu wyników pobierz email PIW z "
                                                   "kolumny: Email (podpis elektroniczny)"));
    CheckDostZamNrPr = checkBox("CheckDostZamNrPr", QStringLiteral("  Zezwalaj na zapis do pliku"));
    CheckEdycja = checkBox("CheckEdycja", QStringLiteral("  Zezwalaj na edycję danych"));
    CheckWczPlikSzyfr = checkBox("CheckWczPlikSzyfr", QStringLiteral("  Wczytywanie plików"));
    CheckIgnBrakPr = checkBox("CheckIgnBrakPr", QStringLiteral("  Ignoruj brak danych"));
    CheckZastZero = checkBox("CheckZastZero", QStringLiteral("  Redaguj istniejące zakłady"));

    FrameKoniec = frame(Frame1, "FrameKoniec", QStringLiteral(" Koniec"), {CheckMatZuz});
    FrameDostawca = frame(Frame1, "FrameDostawca", QStringLiteral(" Eksport "), {CheckEmailWynik});
    FrameEdycja = frame(Frame1, "FrameEdycja", QStringLiteral(" Edycja "),
                        {CheckDostZamNrPr, CheckEdycja, CheckWczPlikSzyfr});
    Frame1Import =
        frame(Frame1, "Frame1Import", QStringLiteral(" Import "), {CheckIgnBrakPr, CheckZastZero});
    auto *layout = new QVBoxLayout(Frame1);
    for (QGroupBox *inner : {FrameKoniec, FrameDostawca, FrameEdycja, Frame1Import})
        layout->addWidget(inner);
    return Frame1;
}

QGroupBox *FormOpcje::frame(QWidget *parent, const char *name, const QString &caption,
                            const QList<QCheckBox *> &boxes)
{
    auto *group = ui::Named(new QGroupBox(caption, parent), name);
    auto *layout = new QVBoxLayout(group);
    for (QCheckBox *box : boxes) {
        box->setParent(group);
        layout->addWidget(box);
    }
    return group;
}

void FormOpcje::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    Form_Activate();
}

void FormOpcje::ReadOption(QCheckBox *box, const QString &key)
{
    const std::optional<ProgramOptions::Shown> shown = ProgramOptions::Load(StaleDb, key);
    loaded_.insert(key, shown ? std::optional(shown->row) : std::nullopt);
    box->setEnabled(shown.has_value());
    box->setCheckState(shown && shown->set ? Qt::Checked : Qt::Unchecked);
}

ProgramOptions::Change FormOpcje::OptionToWrite(QCheckBox *box, const QString &key) const
{
    // A greyed box counts as unchecked.
    return {key, loaded_.value(key), box->checkState() == Qt::Checked};
}

void FormOpcje::Form_Activate()
{
    loaded_.clear();
    try {
        ReadOption(CheckWczPlikSzyfr, QStringLiteral("plikszyfr"));
        CheckWczPlikSzyfr->setEnabled(false);
        ReadOption(CheckZastZero, QStringLiteral("zastzero"));
        CheckZastZero->setEnabled(false);
        ReadOption(CheckEdycja, QStringLiteral("edycja"));
        ReadOption(CheckIgnBrakPr, QStringLiteral("IgnBrakPr"));
        CheckIgnBrakPr->setEnabled(false);
        ReadOption(CheckDostZamNrPr, QStringLiteral("probproduc"));
        CheckDostZamNrPr->setEnabled(false);
        ReadOption(CheckMatZuz, QStringLiteral("matzuz"));
        CheckMatZuz->setCheckState(Qt::Checked);
        CheckMatZuz->setEnabled(false);
        ReadOption(CheckEmailWynik, QStringLiteral("EmailWynik"));
    } catch (const RuntimeError &error) {
        ShowError(WindowCaption, error);
    }
}

void FormOpcje::ComZapisz_Click()
{
    const QList<QPair<QCheckBox *, QString>> options{
        {CheckWczPlikSzyfr, QStringLiteral("plikszyfr")},
        {CheckZastZero, QStringLiteral("zastzero")},
        {CheckEdycja, QStringLiteral("edycja")},
        {CheckIgnBrakPr, QStringLiteral("IgnBrakPr")},
        {CheckDostZamNrPr, QStringLiteral("probproduc")},
        {CheckMatZuz, QStringLiteral("matzuz")},
        {CheckEmailWynik, QStringLiteral("EmailWynik")}};
    QList<ProgramOptions::Change> changes;
    for (const auto &[box, key] : options)
        changes.append(OptionToWrite(box, key));
    try {
        ProgramOptions::Write(StaleDb, changes);
    } catch (const RuntimeError &error) {
        ShowError(WindowCaption, error);
        return;
    }
    hide();
}

void FormOpcje::ComZamk_Click()
{
    hide();
}

void FormOpcje::TabStrip1_Click()
{
    Frame1->setVisible(TabStrip1->currentIndex() == 0);
}

void FormOpcje::CheckWczPlikSzyfr_Click()
{
    // The box has no action of its own.
}
