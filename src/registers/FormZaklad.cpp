#include "registers/FormZaklad.h"

#include "foundation/Globals.h"
#include "foundation/TextProcedures.h"
#include "foundation/UiProcedures.h"
#include "platform/RuntimeError.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/MaskEdBox.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/PickList.h"
#include "platform/ui/ShowModal.h"
#include "platform/ui/TypingLimit.h"
#include "platform/ui/WindowRegistry.h"
#include "registers/ClientStore.h"
#include "registers/DictionaryStore.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <iterator>
#include <utility>

namespace
{

const QString PickRequest = QStringLiteral("Uzyj");
const QString SearchByName = QStringLiteral("Nazwa");

QLineEdit *textBox(QWidget *parent, const char *name, int maxLength, const QString &tip = {})
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    if (maxLength > 0)
        box->setMaxLength(maxLength);
    if (!tip.isEmpty())
        box->setToolTip(tip);
    return box;
}

} // namespace

FormZaklad::FormZaklad(QWidget *parent) : RegisterWindowBase(parent)
{
    setObjectName(QStringLiteral("FormZaklad"));
    setWindowTitle(QStringLiteral("KLIENT"));
    BuildBrowseControls();
    BuildEditFrame();
    AttachList(DataDane, DBGridLekarz, FrameEdycja);
    LayOut();
    SetBrowseControls({ComLaborZamk, ComLaborKor, ComLaborKas, ComLaborDod, DataDane, DBGridLekarz,
                       TextSzuk, OptionN, OptionP});
    SetCloseButton(ComLaborZamk);
    ConnectHandlers();
    resize(980, 620);
}

void FormZaklad::BuildBrowseControls()
{
    DataDane = new ui::DataControl(this);
    DataDane->setObjectName(QStringLiteral("DataDane"));
    DBGridLekarz = new ui::DBGrid(this);
    DBGridLekarz->setObjectName(QStringLiteral("DBGridLekarz"));
    DBGridLekarz->Bind(DataDane, {{QStringLiteral("WNI"), QStringLiteral("IdRzezni")},
                                  {QStringLiteral("Kod PIW"), QStringLiteral("KodPIW")},
                                  {QStringLiteral("Nazwa"), QStringLiteral("Nazwa")},
                                  {QStringLiteral("Nazwa2"), QStringLiteral("Nazwa2")},
                                  {QStringLiteral("Ulica/Nr posesji"), QStringLiteral("Ulica")},
                                  {QStringLiteral("KodPocztowy"), QStringLiteral("KodPocztowy")},
                                  {QStringLiteral("Miejscowość"), QStringLiteral("Miasto")},
                                  {QStringLiteral("Telefon"), QStringLiteral("Telefon")},
                                  {QStringLiteral("Email"), QStringLiteral("Email")},
                                  {QStringLiteral("Województwo"), QStringLiteral("Wojewodztwo")},
                                  {QStringLiteral("TypWNI"), QStringLiteral("TypWNI")},
                                  {QStringLiteral("Uwagi"), QStringLiteral("UWAGI")}});

    OptionN = new QRadioButton(QStringLiteral("Nazwa"), this);
    OptionN->setObjectName(QStringLiteral("OptionN"));
    OptionP = new QRadioButton(QStringLiteral("WNI"), this);
    OptionP->setObjectName(QStringLiteral("OptionP"));
    OptionN->setChecked(true);
    ComboSzukajWg = new QComboBox(this);
    ComboSzukajWg->setObjectName(QStringLiteral("ComboSzukajWg"));
    ComboSzukajWg->addItems({SearchByName, QStringLiteral("NIP")});
    TextSzuk = textBox(this, "TextSzuk", 0);

    ComLaborDod = MakeButton("ComLaborDod", QStringLiteral("&Dodaj"));
    ComLaborKor = MakeButton("ComLaborKor", QStringLiteral("&Popraw"));
    ComLaborKas = MakeButton("ComLaborKas", QStringLiteral("&Usuń"));
    ComLaborZamk =
        MakeButton("ComLaborZamk", QStringLiteral("&Zamknij"), QStringLiteral("Zamknij okno"));
    ComUzyj = MakeButton("ComUzyj", QStringLiteral("&Pobierz"),
                         QStringLiteral("Wstawia dane zaznaczonego klienta do zlecenia"));
    ComUzyj->setVisible(false);
    LabelWPZ = new QLabel(this);
    LabelWPZ->setObjectName(QStringLiteral("LabelWPZ"));
    LabelWPZ->setVisible(false);
}

void FormZaklad::BuildEditFrame()
{
    FrameEdycja = new QGroupBox(this);
    FrameEdycja->setObjectName(QStringLiteral("FrameEdycja"));

    ComboTypWNI = new QComboBox(FrameEdycja);
    ComboTypWNI->setObjectName(QStringLiteral("ComboTypWNI"));
    ComboTypWNI->setEditable(true);
    ComboTypWNI->setInsertPolicy(QComboBox::NoInsert);
    ComboTypWNI->addItems({QStringLiteral("zakład ubojowy"), QStringLiteral("siedziba stada"),
                           QStringLiteral("obwód łowiecki"), QStringLiteral("osoba prywatna")});
    ComboTypWNI->setEditText(QStringLiteral("zakład ubojowy"));
    ui::LimitTyping(ComboTypWNI->lineEdit(),
                    DictionaryStore::ColumnWidth(ClientStore::Table, QStringLiteral("TypWNI")));

    TextIDKlient = textBox(FrameEdycja, "TextIDKlient", 14,
                           QStringLiteral("W przypadku osoby prywatnej należy wpisać unikalny "
                                          "identyfikator: NIP lub Pesel lub nr dowodu osobistego"));
    TextKodPIW = textBox(FrameEdycja, "TextKodPIW", 4);
    TextNazwa =
        textBox(FrameEdycja, "TextNazwa", 100, QStringLiteral("Wpisz nazwę lub imię i nazwisko"));
    TextMiejscowosc = textBox(FrameEdycja, "TextMiejscowosc", 30,
                              QStringLiteral("Wpisz tylko nazwę miejscowości"));
    TextUlica = textBox(FrameEdycja, "TextUlica", 50,
                        QStringLiteral("Wpisz ulicę oraz numer lub tylko numer posesji jeżeli "
                                       "adres nie posiada ulicy"));
    MEBKodPoczt = new ui::MaskEdBox(FrameEdycja);
    MEBKodPoczt->setObjectName(QStringLiteral("MEBKodPoczt"));
    MEBKodPoczt->setMask(PostalCodeMask);
    TextMiasto = textBox(FrameEdycja, "TextMiasto", 30,
                         QStringLiteral("Wpisz nazwę miejscowości stosowną do kodu pocztowego"));
    TextTelefon = textBox(FrameEdycja, "TextTelefon", 15);
    TextMail = textBox(FrameEdycja, "TextMail", 100);
    TextUwagi = textBox(FrameEdycja, "TextUwagi", 0);
    ComZapisz = MakeButton("ComZapisz", QStringLiteral("Z&apisz"));
    ComAnuluj = MakeButton("ComAnuluj", QStringLiteral("&Anuluj"));

    auto *grid = new QGridLayout(FrameEdycja);
    int row = 0;
    const auto addRow = [&](const QString &caption, QWidget *box, const QString &hint = {}) {
        grid->addWidget(new QLabel(caption, FrameEdycja), row, 0);
        grid->addWidget(box, row, 1);
        if (!hint.isEmpty())
            grid->addWidget(new QLabel(hint, FrameEdycja), row, 2);
        ++row;
    };
    addRow(QStringLiteral("Rodzaj klienta"), ComboTypWNI);
    addRow(QStringLiteral("WNI"), TextIDKlient,
           QStringLiteral("WNI zakładu / nr siedziby stada / nr koła łowieckiego"));
    addRow(QStringLiteral("Kod PIW"), TextKodPIW, QStringLiteral("4-cyfrowy kod PIW"));
    addRow(QStringLiteral("Nazwa"), TextNazwa);
    addRow(QStringLiteral("Miejscowość"), TextMiejscowosc);
    addRow(QStringLiteral("Ulica/Nr posesji"), TextUlica);
    auto *postal = new QHBoxLayout;
    postal->addWidget(MEBKodPoczt);
    postal->addWidget(new QLabel(QStringLiteral("Poczta"), FrameEdycja));
    postal->addWidget(TextMiasto, 1);
    grid->addWidget(new QLabel(QStringLiteral("Kod pocztowy"), FrameEdycja), row, 0);
    grid->addLayout(postal, row++, 1, 1, 2);
    addRow(QStringLiteral("Telefon"), TextTelefon);
    addRow(QStringLiteral("E-mail"), TextMail);
    addRow(QStringLiteral("Uwagi"), TextUwagi);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ComZapisz);
    buttons->addWidget(ComAnuluj);
    grid->addLayout(buttons, row, 0, 1, 3);
    grid->setColumnMinimumWidth(1, 320);

    QWidget *order[] = {ComboTypWNI, TextIDKlient, TextKodPIW, TextNazwa,   TextMiejscowosc,
                        TextUlica,   MEBKodPoczt,  TextMiasto, TextTelefon, TextMail,
                        TextUwagi,   ComZapisz,    ComAnuluj};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void FormZaklad::LayOut()
{
    auto *heading = new QLabel(QStringLiteral("KARTOTEKA KLIENTÓW"), this);
    heading->setObjectName(QStringLiteral("LabelKartoteka"));
    heading->setAlignment(Qt::AlignCenter);
    QFont font = heading->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.4);
    heading->setFont(font);

    auto *sort = new QGroupBox(QStringLiteral("Sortuj według"), this);
    sort->setObjectName(QStringLiteral("FrameSortuj"));
    auto *sortLayout = new QHBoxLayout(sort);
    sortLayout->addWidget(OptionN);
    sortLayout->addWidget(OptionP);

    auto *browse = new QHBoxLayout;
    browse->addWidget(sort);
    browse->addWidget(new QLabel(QStringLiteral("Szukaj wg:"), this));
    browse->addWidget(ComboSzukajWg);
    browse->addWidget(new QLabel(QStringLiteral("Znajdź:"), this));
    browse->addWidget(TextSzuk, 1);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(DataDane, 1);
    for (QPushButton *button : {ComLaborDod, ComLaborKor, ComLaborKas, ComUzyj, ComLaborZamk})
        bottom->addWidget(button);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addLayout(browse);
    layout->addWidget(MakeListArea(), 1);
    layout->addLayout(bottom);
}

void FormZaklad::ConnectHandlers()
{
    connect(OptionN, &QRadioButton::clicked, this, &FormZaklad::OptionN_Click);
    connect(OptionP, &QRadioButton::clicked, this, &FormZaklad::OptionP_Click);
    connect(TextSzuk, &QLineEdit::textChanged, this, &FormZaklad::TextSzuk_Change);
    connect(ComLaborDod, &QPushButton::clicked, this, &FormZaklad::ComLaborDod_Click);
    connect(ComLaborKor, &QPushButton::clicked, this, &FormZaklad::ComLaborKor_Click);
    connect(ComLaborKas, &QPushButton::clicked, this, &FormZaklad::ComLaborKas_Click);
    connect(ComLaborZamk, &QPushButton::clicked, this, &FormZaklad::ComLaborZamk_Click);
    connect(ComUzyj, &QPushButton::clicked, this, &FormZaklad::ComUzyj_Click);
    connect(ComZapisz, &QPushButton::clicked, this, &FormZaklad::ComZapisz_Click);
    connect(ComAnuluj, &QPushButton::clicked, this, &FormZaklad::ComAnuluj_Click);
    ui::OnPick(ComboTypWNI, this, [this](int) { ComboTypWNI_Click(); });
    connect(DBGridLekarz, &ui::DBGrid::RowColChange, this, &FormZaklad::DBGridLekarz_RowColChange);
    connect(DBGridLekarz, &ui::DBGrid::DblClick, this, &FormZaklad::DBGridLekarz_DblClick);
}

// ---------------------------------------------------------------- doors

void FormZaklad::Open()
{
    FormZaklad &form = ui::WindowRegistry::Instance<FormZaklad>();
    InitOnActivate = true;
    // The choose button belongs to the batch register's picker only.
    form.ComUzyj->setVisible(false);
    ui::ShowModal(form);
}

std::optional<Client> FormZaklad::PickClient(const QString &kind)
{
    FormZaklad &form = ui::WindowRegistry::Instance<FormZaklad>();
    form.picked_.reset();
    form.LabelWPZ->setText(kind);
    form.ComUzyj->setVisible(true);
    InitOnActivate = true;
    FormRequest = PickRequest;
    ui::ShowModal(form);
    // Pick mode lasts only while the window is open.
    form.ComUzyj->setVisible(false);
    FormRequest.clear();
    return std::exchange(form.picked_, std::nullopt);
}

// ------------------------------------------------------------- browsing

void FormZaklad::Form_Activate()
{
    // The flag stays set: the pick clears it.
    if (!InitOnActivate)
        return;
    OptionN->setChecked(true);
    BindRecordSource(StaleDb, ClientStore::ListStatement(true));
    TextSzuk->setFocus();
    ComboSzukajWg->setCurrentIndex(ComboSzukajWg->findText(SearchByName));
}

void FormZaklad::OptionN_Click()
{
    BindRecordSource(StaleDb, ClientStore::ListStatement(true));
}

void FormZaklad::OptionP_Click()
{
    BindRecordSource(StaleDb, ClientStore::ListStatement(false));
}

void FormZaklad::TextSzuk_Change()
{
    BindRecordSource(StaleDb,
                     ClientStore::SearchStatement(ComboSzukajWg->currentText(), TextSzuk->text()));
    Klawisze(true);
}

void FormZaklad::DBGridLekarz_RowColChange()
{
    Trapped([this] { SelectCurrentGridRow(DBGridLekarz); });
}

void FormZaklad::DBGridLekarz_DblClick()
{
    TakeCurrentClient();
}

void FormZaklad::ComUzyj_Click()
{
    TakeCurrentClient();
}

void FormZaklad::TakeCurrentClient()
{
    if (ListIsEmpty() || FormRequest != PickRequest)
        return;
    Trapped([this] {
        // The whole row is read before the pick is taken, so a failed read
        // leaves the batch as it was.
        picked_ = ClientStore::Read(ListRecordset());
        InitOnActivate = false;
        hide();
    });
}

void FormZaklad::ComLaborZamk_Click()
{
    hide();
    // Pick mode lasts only until the window closes.
    FormRequest.clear();
}

// ------------------------------------------------------------- editing

void FormZaklad::ComLaborDod_Click()
{
    StartAdding();
    TextIDKlient->setEnabled(true);
    ClearEditBoxes();
    OpenEditFrame(QStringLiteral(" NOWY KLIENT "), TextIDKlient);
}

void FormZaklad::ClearEditBoxes()
{
    for (QLineEdit *box : {TextIDKlient, TextNazwa, TextMiejscowosc, TextUlica, TextMiasto,
                           TextTelefon, TextMail, TextKodPIW, TextUwagi})
        box->clear();
    MEBKodPoczt->setMask(QString());
    MEBKodPoczt->setText(QString());
    MEBKodPoczt->setMask(PostalCodeMask);
}

void FormZaklad::ComLaborKor_Click()
{
    if (ListIsEmpty()) {
        Beep();
        return;
    }
    Klawisze(false);
    if (!Trapped([this] { LoadClient(); })) {
        CloseEditFrame();
        return;
    }
    OpenEditFrame(QStringLiteral("KOREKTA KLIENTA"), ComAnuluj);
}

void FormZaklad::LoadClient()
{
    const Client client = ClientStore::Read(ListRecordset());
    StartCorrecting();
    TextIDKlient->setText(client.IdRzezni);
    TextNazwa->setText(client.Nazwa);
    ComboTypWNI->setEditText(client.TypWNI);
    TextKodPIW->setText(client.KodPIW);
    TextMiejscowosc->setText(client.Miejscowosc);
    TextUlica->setText(client.Ulica);
    TextMiasto->setText(client.Miasto);
    TextTelefon->setText(client.Telefon);
    TextMail->setText(client.Email);
    TextUwagi->setText(client.Uwagi);
    LoadPostalCode(client.KodPocztowy);
}

void FormZaklad::LoadPostalCode(const QString &code)
{
    MEBKodPoczt->setMask(QString());
    MEBKodPoczt->setText(QString());
    MEBKodPoczt->setMask(PostalCodeMask);
    try {
        MEBKodPoczt->setText(code);
    } catch (const RuntimeError &) {
        // A stored code that does not fit the mask (written by an import) is
        // shown as it stands, so that saving the correction keeps it.
        MEBKodPoczt->setMask(QString());
        MEBKodPoczt->setText(code);
    }
}

void FormZaklad::ComLaborKas_Click()
{
    if (ListIsEmpty())
        return;
    if (ui::MsgBox(QStringLiteral("Czy na pewno usunąć zaznaczonego klienta?"),
                   ui::vbYesNo + ui::vbQuestion + ui::vbDefaultButton2,
                   QStringLiteral("PYTANIE")) != ui::vbYes)
        return;
    // Batches that name the client keep its identifier.
    Trapped([this] { DeleteListedRow(); });
}

void FormZaklad::ComAnuluj_Click()
{
    CloseEditFrame();
}

void FormZaklad::ComboTypWNI_Click()
{
    if (TextIDKlient->isEnabled())
        TextIDKlient->setFocus();
}

Client FormZaklad::EditedClient() const
{
    Client c;
    c.IdRzezni = TextIDKlient->text();
    c.TypWNI = ComboTypWNI->currentText();
    c.KodPIW = TextKodPIW->text();
    c.Nazwa = TextNazwa->text();
    c.Miejscowosc = TextMiejscowosc->text();
    c.Ulica = TextUlica->text();
    c.KodPocztowy = MEBKodPoczt->Text();
    c.Miasto = TextMiasto->text();
    c.Telefon = TextTelefon->text();
    c.Email = TextMail->text();
    c.Uwagi = TextUwagi->text();
    return c;
}

void FormZaklad::ComZapisz_Click()
{
    const Client entry = EditedClient();
    const SaveOutcome result =
        SaveRow([&](dao::Recordset list, const std::optional<LoadedRow> &loaded) {
            return ClientStore::Save(StaleDb, list, loaded, entry);
        });
    if (result == SaveOutcome::Saved)
        CloseEditFrame();
}
