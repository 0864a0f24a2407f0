#include "registers/FormZaklad.h"

#include "batches/FormPartia.h"
#include "foundation/Globals.h"
#include "foundation/TextProcedures.h"
#include "foundation/UiProcedures.h"
#include "platform/RuntimeError.h"
#include "platform/db/SqlText.h"
#include "platform/db/Transaction.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/MaskEdBox.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/WindowRegistry.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <functional>
#include <iterator>
#include <utility>

namespace
{

const QString Table = QStringLiteral("Zaklad");
const QString ByName = QStringLiteral("SELECT * FROM Zaklad ORDER BY Nazwa");
const QString ById = QStringLiteral("SELECT * FROM Zaklad ORDER BY IdRzezni");
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

// The client as one line: name, locality and street, postal code and post
// town. Missing parts leave their separators in place.
QString addressLine(const std::function<QString(const QString &)> &text)
{
    return text(QStringLiteral("Nazwa")) + QStringLiteral(", ") +
           text(QStringLiteral("Miejscowosc")) + QLatin1Char(' ') + text(QStringLiteral("Ulica")) +
           QStringLiteral(", ") + text(QStringLiteral("KodPocztowy")) + QLatin1Char(' ') +
           text(QStringLiteral("Miasto"));
}

// Writes a text into a control of the batch window, whatever kind of box or
// caption it is.
void setControlText(QWidget &window, const QString &name, const QString &text)
{
    QWidget *control = window.findChild<QWidget *>(name);
    if (auto *masked = qobject_cast<ui::MaskEdBox *>(control))
        masked->setText(text);
    else if (auto *combo = qobject_cast<QComboBox *>(control))
        combo->setEditText(text);
    else if (control)
        control->setProperty("text", text);
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
    connect(ComboTypWNI, &QComboBox::activated, this, &FormZaklad::ComboTypWNI_Click);
    connect(DBGridLekarz, &ui::DBGrid::RowColChange, this, &FormZaklad::DBGridLekarz_RowColChange);
    connect(DBGridLekarz, &ui::DBGrid::DblClick, this, &FormZaklad::DBGridLekarz_DblClick);
}

// ------------------------------------------------------------- browsing

void FormZaklad::Form_Activate()
{
    // The flag stays set: the pick clears it.
    if (!InitOnActivate)
        return;
    OptionN->setChecked(true);
    BindRecordSource(StaleDb, ByName);
    TextSzuk->setFocus();
    ComboSzukajWg->setCurrentIndex(ComboSzukajWg->findText(SearchByName));
}

void FormZaklad::OptionN_Click()
{
    BindRecordSource(StaleDb, ByName);
}

void FormZaklad::OptionP_Click()
{
    BindRecordSource(StaleDb, ById);
}

void FormZaklad::TextSzuk_Change()
{
    // A prefix of the typed text itself: its quotes and wildcards match only
    // themselves.
    const QString prefix = dao::SqlLikePrefix(TrimBlanks(TextSzuk->text()));
    if (ComboSzukajWg->currentText() == SearchByName)
        BindRecordSource(StaleDb, QStringLiteral("SELECT * FROM Zaklad Where Nazwa LIKE ") +
                                      prefix + QStringLiteral(" ORDER BY Nazwa"));
    else
        BindRecordSource(StaleDb, QStringLiteral("SELECT * FROM Zaklad Where NIP LIKE ") + prefix +
                                      QStringLiteral(" ORDER BY IdRzezni"));
    Klawisze(true);
}

void FormZaklad::DBGridLekarz_RowColChange()
{
    Trapped([this] { SelectCurrentGridRow(DBGridLekarz); });
}

void FormZaklad::DBGridLekarz_DblClick()
{
    PickClient();
}

void FormZaklad::ComUzyj_Click()
{
    PickClient();
}

void FormZaklad::PickClient()
{
    if (ListIsEmpty() || FormRequest != PickRequest)
        return;
    Trapped([this] {
        const dao::Recordset rs = ListRecordset();
        const auto text = [&rs](const QString &field) { return FieldText(rs, field); };
        // Every value is read before anything is written, so a failed read
        // leaves the batch as it was.
        const QString line = addressLine(text);
        const QString kind = LabelWPZ->text();
        QList<std::pair<QString, QString>> writes;
        if (kind == QLatin1String("W"))
            writes = {{QStringLiteral("LabelNazZak"), line},
                      {QStringLiteral("LabTypWNI"), text(QStringLiteral("TypWNI"))},
                      {QStringLiteral("TextZaklad"), text(QStringLiteral("IdRzezni"))},
                      {QStringLiteral("TextKodPIW"), text(QStringLiteral("KodPIW"))},
                      {QStringLiteral("TextMiejscowoscPobr"), text(QStringLiteral("Miejscowosc"))}};
        else if (kind == QLatin1String("Z"))
            writes = {{QStringLiteral("LabelNazZleceniodawca"), line},
                      {QStringLiteral("TextZleceniodawcaWNI"), text(QStringLiteral("IdRzezni"))}};
        if (!writes.isEmpty()) {
            FormPartia &batch = ui::WindowRegistry::Instance<FormPartia>();
            for (const auto &[control, value] : std::as_const(writes))
                setControlText(batch, control, value);
        }
        ComUzyj->setVisible(false);
        InitOnActivate = false;
        FormRequest.clear();
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
    AddingClient = true;
    TextIDKlient->setEnabled(true);
    EditedClientId.clear();
    ForgetLoadedRow();
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
    AddingClient = false;
    if (ListIsEmpty()) {
        Beep();
        return;
    }
    Klawisze(false);
    if (!Trapped([this] { LoadClient(); })) {
        ForgetLoadedRow();
        Klawisze(true);
        return;
    }
    OpenEditFrame(QStringLiteral("KOREKTA KLIENTA"), ComAnuluj);
}

void FormZaklad::LoadClient()
{
    const dao::Recordset rs = ListRecordset();
    RememberLoadedRow();
    const auto text = [&rs](const char *field) { return FieldText(rs, QLatin1String(field)); };
    EditedClientId = text("IdRzezni");
    TextIDKlient->setText(EditedClientId);
    TextNazwa->setText(text("Nazwa"));
    ComboTypWNI->setEditText(text("TypWNI"));
    TextKodPIW->setText(text("KodPIW"));
    TextMiejscowosc->setText(text("Miejscowosc"));
    TextUlica->setText(text("Ulica"));
    TextMiasto->setText(text("Miasto"));
    TextTelefon->setText(text("Telefon"));
    TextMail->setText(text("Email"));
    TextUwagi->setText(text("UWAGI"));
    LoadPostalCode(text("KodPocztowy"));
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
    Trapped([this] {
        ListRecordset().Delete();
        DataDane->Refresh();
    });
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

bool FormZaklad::CheckEditBoxes()
{
    const QString piw = TextKodPIW->text();
    if (TrimBlanks(TextIDKlient->text()).isEmpty())
        Refuse(QStringLiteral("Wpisz WNI!"), TextIDKlient);
    else if (!piw.isEmpty() && !IsNumericText(piw))
        Refuse(QStringLiteral("Popraw kod PIW!"), TextKodPIW);
    else if (TrimBlanks(TextNazwa->text()).isEmpty())
        Refuse(QStringLiteral("Wpisz nazwę lub imię i nazwisko!"), TextNazwa);
    else if (TrimBlanks(TextMiejscowosc->text()).isEmpty())
        Refuse(QStringLiteral("Wpisz miejscowość!"), TextMiejscowosc);
    else if (TrimBlanks(TextTelefon->text()).isEmpty())
        Refuse(QStringLiteral("Wpisz nr telefonu!"), TextTelefon);
    else
        return true;
    return false;
}

void FormZaklad::ComZapisz_Click()
{
    if (!CheckEditBoxes())
        return;
    // Blanks around an identifier would make a key that no batch finds.
    const QString id = TrimBlanks(TextIDKlient->text());
    bool duplicate = false;
    const bool saved = Trapped([&] {
        // The test and the write are one step for every workstation.
        dao::Transaction transaction(StaleDb, dao::Transaction::Immediate);
        if (AddingClient || id != EditedClientId)
            duplicate = ClientExists(id);
        if (duplicate)
            return;
        WriteRow(AddingClient, StaleDb, Table,
                 [this, &id](dao::Recordset &rs) { WriteClient(rs, id); });
        transaction.Commit();
    });
    if (duplicate) {
        Refuse(QStringLiteral("Klient o numerze: ") + id + QStringLiteral(" już istnieje. Popraw!"),
               TextIDKlient);
        return;
    }
    if (saved)
        CloseEditFrame();
}

bool FormZaklad::ClientExists(const QString &id) const
{
    // The client under correction is no duplicate of itself, also when only
    // the case of its identifier changes.
    dao::Recordset rs = StaleDb.OpenRecordset(
        QStringLiteral("SELECT * FROM Zaklad WHERE IdRzezni = ") + dao::SqlText(id));
    bool found = false;
    for (; !found && !rs.EOF(); rs.MoveNext())
        found = AddingClient || !IsLoadedRow(rs.Bookmark());
    rs.Close();
    return found;
}

void FormZaklad::WriteClient(dao::Recordset &rs, const QString &id) const
{
    const auto trimmed = [](const QLineEdit *box) { return TrimBlanks(box->text()); };
    const QString piw = trimmed(TextKodPIW);
    rs(QStringLiteral("IdRzezni")) = id;
    rs(QStringLiteral("TypWNI")) = TrimBlanks(ComboTypWNI->currentText());
    rs(QStringLiteral("Nazwa")) = TextNazwa->text();
    rs(QStringLiteral("Miejscowosc")) = trimmed(TextMiejscowosc);
    rs(QStringLiteral("Ulica")) = trimmed(TextUlica);
    rs(QStringLiteral("KodPocztowy")) = MEBKodPoczt->Text();
    rs(QStringLiteral("Miasto")) = trimmed(TextMiasto);
    rs(QStringLiteral("Telefon")) = trimmed(TextTelefon);
    rs(QStringLiteral("Email")) = trimmed(TextMail);
    rs(QStringLiteral("KodPIW")) = IsNumericText(piw) ? dao::Variant(piw) : dao::Variant();
    rs(QStringLiteral("UWAGI")) = trimmed(TextUwagi);
}
