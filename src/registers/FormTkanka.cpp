#include "registers/FormTkanka.h"

#include "foundation/DictionaryEvents.h"
#include "foundation/Globals.h"
#include "foundation/Messages.h"
#include "foundation/RecordsetProcedures.h"
#include "foundation/TextProcedures.h"
#include "foundation/UiProcedures.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/NamedControls.h"
#include "platform/ui/ShowModal.h"
#include "platform/ui/WindowRegistry.h"
#include "registers/RegisterRecords.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

FormTkanka::FormTkanka(QWidget *parent) : RegisterWindowBase(parent)
{
    setObjectName(QStringLiteral("FormTkanka"));
    setWindowTitle(QStringLiteral("MATERIAŁ"));
    DataTkanka = ui::Named(new ui::DataControl(this), "DataTkanka");
    DBGridTkanka = ui::Named(new ui::DBGrid(this), "DBGridTkanka");
    DBGridTkanka->Bind(DataTkanka, {{QStringLiteral("Numer"), QStringLiteral("IDTkanka")},
                                    {QStringLiteral("Nazwa"), QStringLiteral("NazTkanka")},
                                    {QStringLiteral("Kod CLab"), QStringLiteral("KodCLab")},
                                    {QStringLiteral("Nazwa w CLab"), QStringLiteral("NazCLab")},
                                    {QStringLiteral("Uwagi"), QStringLiteral("Uwagi")}});
    ComDodaj = MakeButton("ComDodaj", QStringLiteral("&Dodaj"));
    ComPopraw = MakeButton("ComPopraw", QStringLiteral("&Popraw"));
    ComUsun = MakeButton("ComUsun", QStringLiteral("&Usuń"));
    ComZamknij =
        MakeButton("ComZamknij", QStringLiteral("&Zamknij"), QStringLiteral("Zamknij okno"));

    FrameTkanka = ui::Named(new QGroupBox(this), "FrameTkanka");
    TextID = MakeTextBox(FrameTkanka, "TextID", 0);
    TextID->setEnabled(false);
    TextNazwa = MakeTextBox(FrameTkanka, "TextNazwa", 30);
    TextKodCLab = MakeTextBox(FrameTkanka, "TextKodCLab", 10);
    TextNazCLab = MakeTextBox(FrameTkanka, "TextNazCLab", 30);
    TextUwagi = MakeTextBox(FrameTkanka, "TextUwagi", 0);
    ComZapisz = MakeFrameButton(FrameTkanka, "ComZapisz", QStringLiteral("Z&apisz"),
                                QStringLiteral("Zapisz zmiany"));
    ComAnuluj = MakeFrameButton(FrameTkanka, "ComAnuluj", QStringLiteral("&Anuluj"),
                                QStringLiteral("Zrezygnuj z zapisania zmian"));
    auto *form = new QFormLayout(FrameTkanka);
    form->addRow(QStringLiteral("Numer"), TextID);
    form->addRow(QStringLiteral("Nazwa materiału"), TextNazwa);
    form->addRow(QStringLiteral("Kod CLab"), TextKodCLab);
    form->addRow(QStringLiteral("Nazwa w CLab"), TextNazCLab);
    form->addRow(QStringLiteral("Uwagi"), TextUwagi);
    AddFrameButtons(form, ComZapisz, ComAnuluj);
    FrameTkanka->setMinimumWidth(440);

    AttachList(DataTkanka, DBGridTkanka, FrameTkanka);
    auto *heading =
        ui::Named(new QLabel(QStringLiteral("DEFINICJA RODZAJU MATERIAŁU"), this), "LabelNaglowek");
    heading->setAlignment(Qt::AlignCenter);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(DataTkanka, 1);
    for (QPushButton *button : {ComDodaj, ComPopraw, ComUsun, ComZamknij})
        buttons->addWidget(button);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(MakeListArea(), 1);
    layout->addLayout(buttons);
    SetBrowseControls({ComDodaj, ComUsun, ComPopraw, ComZamknij, DataTkanka, DBGridTkanka});
    SetCloseButton(ComZamknij);
    resize(760, 480);

    connect(ComDodaj, &QPushButton::clicked, this, &FormTkanka::ComDodaj_Click);
    connect(ComPopraw, &QPushButton::clicked, this, &FormTkanka::ComPopraw_Click);
    connect(ComUsun, &QPushButton::clicked, this, &FormTkanka::ComUsun_Click);
    connect(ComZapisz, &QPushButton::clicked, this, &FormTkanka::ComZapisz_Click);
    connect(ComAnuluj, &QPushButton::clicked, this, &FormTkanka::ComAnuluj_Click);
    connect(ComZamknij, &QPushButton::clicked, this, &FormTkanka::ComZamknij_Click);
    connect(DBGridTkanka, &ui::DBGrid::RowColChange, this, &FormTkanka::DBGridTkanka_RowColChange);
    connect(TextNazwa, &QLineEdit::returnPressed, this, [] { SendTab(); });
}

void FormTkanka::Open()
{
    FormTkanka &form = ui::WindowRegistry::Instance<FormTkanka>();
    form.Bind();
    ui::ShowModal(form);
}

void FormTkanka::Bind()
{
    dao::Recordset rows = TissueRules::OpenList(StaleDb);
    DataTkanka->Replace(rows);
}

void FormTkanka::DBGridTkanka_RowColChange()
{
    Trapped([this] { SelectCurrentGridRow(DBGridTkanka); });
}

void FormTkanka::ComDodaj_Click()
{
    qint64 number = 1;
    std::optional<Refusal> full;
    const bool numbered = Trapped([&] {
        if (!ListIsEmpty()) {
            Bind();
            DataTkanka->Recordset().MoveLast();
        }
        full = TissueRules::NextNumber(StaleDb, number);
    });
    if (!numbered)
        return;
    if (full) {
        ShowFault(*full);
        return;
    }
    StartAdding();
    TextID->setText(QString::number(number));
    for (QLineEdit *box : {TextNazwa, TextKodCLab, TextNazCLab, TextUwagi})
        box->clear();
    OpenEditFrame(QStringLiteral(" NOWY RODZAJ MATERIAŁU "), TextNazwa);
}

void FormTkanka::ComPopraw_Click()
{
    if (ListIsEmpty()) {
        Beep();
        return;
    }
    Klawisze(false);
    const bool loaded = Trapped([this] {
        const dao::Recordset rs = ListRecordset();
        StartCorrecting();
        TextID->setText(FieldText(rs, QStringLiteral("IDTkanka")));
        TextNazwa->setText(FieldText(rs, QStringLiteral("NazTkanka")));
        TextKodCLab->setText(FieldText(rs, QStringLiteral("KodCLab")));
        TextNazCLab->setText(FieldText(rs, QStringLiteral("NazCLab")));
        TextUwagi->setText(FieldText(rs, QStringLiteral("Uwagi")));
    });
    if (!loaded) {
        CloseEditFrame();
        return;
    }
    OpenEditFrame(QStringLiteral(" KOREKTA RODZAJU MATERIAŁU "), TextNazwa);
}

void FormTkanka::ComUsun_Click()
{
    if (ListIsEmpty()) {
        Beep();
        return;
    }
    DBGridTkanka->setEnabled(false);
    bool reread = false;
    Trapped([&] {
        dao::Recordset rs = ListRecordset();
        try {
            if (ConfirmDelete(QStringLiteral("Czy usunąć tkankę: ") +
                                  TrimBlanks(FieldText(rs, QStringLiteral("NazTkanka"))),
                              QStringLiteral("PYTANIE")))
                TissueRules::Delete(rs);
        } catch (const RuntimeError &error) {
            // A row gone meanwhile leaves the list as one's own delete does.
            reread = !LockedElsewhere(error);
            throw;
        }
    });
    if (reread)
        RereadAfterRefusal();
    DBGridTkanka->setEnabled(true);
}

void FormTkanka::ComZapisz_Click()
{
    const TissueValues values{TextNazwa->text(), TextKodCLab->text(), TextNazCLab->text(),
                              TextUwagi->text()};
    const SaveOutcome result =
        SaveRow([&](dao::Recordset list, const std::optional<LoadedRow> &loaded) {
            return TissueRules::Save(StaleDb, list, loaded, values);
        });
    if (result == SaveOutcome::Saved)
        CloseEditFrame();
}

void FormTkanka::ComAnuluj_Click()
{
    CloseEditFrame();
}

void FormTkanka::ComZamknij_Click()
{
    HideAndAnnounce({DictionaryEvents::Tissues});
}
