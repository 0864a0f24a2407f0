#include "registers/FormLekarz.h"

#include "foundation/DictionaryEvents.h"
#include "foundation/Globals.h"
#include "foundation/UiProcedures.h"
#include "platform/RuntimeError.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/MaskEdBox.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/NamedControls.h"
#include "platform/ui/ShowModal.h"
#include "platform/ui/WindowRegistry.h"
#include "registers/DictionaryStore.h"
#include "registers/RegisterRecords.h"

#include <QFont>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <iterator>

FormLekarz::FormLekarz(QWidget *parent) : RegisterWindowBase(parent)
{
    setObjectName(QStringLiteral("FormLekarz"));
    setWindowTitle(QStringLiteral("Lekarz"));
    DataLekarz = ui::Named(new ui::DataControl(this), "DataLekarz");
    DBGridLekarz = ui::Named(new ui::DBGrid(this), "DBGridLekarz");
    QList<ui::RecordsetModel::Column> columns{
        {QStringLiteral("Nr identyfikacyjny"), QStringLiteral("LekarzNr")}};
    for (const char *field : {"Nazwa", "Imie", "Nazwisko", "KodPocztowy", "Miasto", "Ulica",
                              "Telefon", "Email", "Uwagi"})
        columns.append({QLatin1String(field), QLatin1String(field)});
    DBGridLekarz->Bind(DataLekarz, columns);
    ComLaborDod = MakeButton("ComLaborDod", QStringLiteral("&Dodaj"));
    ComLaborKor = MakeButton("ComLaborKor", QStringLiteral("&Popraw"));
    ComLaborKas = MakeButton("ComLaborKas", QStringLiteral("&Usuń"));
    ComKopiuj = MakeButton("ComKopiuj", QStringLiteral("&Kopiuj"),
                           QStringLiteral("Nowy lekarz na podstawie istniejących danych"));
    ComLaborZamk = MakeButton("ComLaborZamk", QStringLiteral("&Zamknij"));

    FrameLabor = ui::Named(new QGroupBox(this), "FrameLabor");
    TextLekarzNr = MakeTextBox(FrameLabor, "TextLekarzNr", 10);
    TextLekarzNr->setToolTip(QStringLiteral("Unikalny identyfikator lekarza w PIW"));
    const auto width = [](const char *field) {
        return DictionaryStore::ColumnWidth(QStringLiteral("Lekarz"), QLatin1String(field));
    };
    TextImie = MakeTextBox(FrameLabor, "TextImie", width("Imie"));
    TextNazwisko = MakeTextBox(FrameLabor, "TextNazwisko", width("Nazwisko"));
    MEBKodPoczt = ui::Named(new ui::MaskEdBox(FrameLabor), "MEBKodPoczt");
    MEBKodPoczt->setMask(PostalCodeMask);
    // The columns' widths: nothing typed is cut silently on saving.
    TextMiasto = MakeTextBox(FrameLabor, "TextMiasto", 50);
    TextAdres = MakeTextBox(FrameLabor, "TextAdres", 50);
    TextTelefon = MakeTextBox(FrameLabor, "TextTelefon", width("Telefon"));
    TextMail = MakeTextBox(FrameLabor, "TextMail", 30);
    TextUwagi = MakeTextBox(FrameLabor, "TextUwagi");
    TextID = MakeTextBox(FrameLabor, "TextID");
    TextID->hide();
    TextNazwa = MakeTextBox(FrameLabor, "TextNazwa");
    TextNazwa->hide();
    ComLaborZap = MakeFrameButton(FrameLabor, "ComLaborZap", QStringLiteral("Z&apisz"));
    ComLaborRez = MakeFrameButton(FrameLabor, "ComLaborRez", QStringLiteral("&Anuluj"));
    auto *form = new QFormLayout(FrameLabor);
    form->addRow(QStringLiteral("Nr identyfikacyjny"), TextLekarzNr);
    form->addRow(QStringLiteral("Imię"), TextImie);
    form->addRow(QStringLiteral("Nazwisko"), TextNazwisko);
    form->addRow(QStringLiteral("Poczta"), MEBKodPoczt);
    form->addRow(QStringLiteral("Miejscowość"), TextMiasto);
    form->addRow(QStringLiteral("Adres"), TextAdres);
    AddContactRow(form, TextTelefon, TextMail);
    form->addRow(QStringLiteral("Uwagi"), TextUwagi);
    AddFrameButtons(form, ComLaborZap, ComLaborRez);
    FrameLabor->setMinimumWidth(480);
    QWidget *order[] = {TextLekarzNr, TextImie, TextNazwisko, MEBKodPoczt, TextMiasto, TextAdres,
                        TextTelefon,  TextMail, TextUwagi,    ComLaborZap, ComLaborRez};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    AttachList(DataLekarz, DBGridLekarz, FrameLabor);
    heading_ =
        ui::Named(new QLabel(QStringLiteral("INFORMACJE O LEKARZACH"), this), "LabelNaglowek");
    QFont font = heading_->font();
    font.setBold(true);
    heading_->setFont(font);
    heading_->adjustSize();
    heading_->move(0, ToPixels(120));
    for (QPushButton *button : {ComKopiuj, ComLaborKas, ComLaborKor, ComLaborDod, ComLaborZamk})
        button->resize(ToPixels(1215), ToPixels(375));
    DataLekarz->resize(ToPixels(3600), ToPixels(375));
    DBGridLekarz->move(ToPixels(240), ToPixels(600));
    FrameLabor->adjustSize();
    FrameLabor->move(0, ToPixels(900));
    FrameLabor->setAutoFillBackground(true);
    FrameLabor->hide();
    FrameLabor->raise();
    SetBrowseControls(
        {ComLaborZamk, ComLaborKor, ComLaborKas, ComLaborDod, DataLekarz, DBGridLekarz});
    SetCloseButton(ComLaborZamk);
    resize(980, 560);

    connect(ComLaborDod, &QPushButton::clicked, this, &FormLekarz::ComLaborDod_Click);
    connect(ComKopiuj, &QPushButton::clicked, this, &FormLekarz::ComKopiuj_Click);
    connect(ComLaborKor, &QPushButton::clicked, this, &FormLekarz::ComLaborKor_Click);
    connect(ComLaborKas, &QPushButton::clicked, this, &FormLekarz::ComLaborKas_Click);
    connect(ComLaborZap, &QPushButton::clicked, this, &FormLekarz::ComLaborZap_Click);
    connect(ComLaborRez, &QPushButton::clicked, this, &FormLekarz::ComLaborRez_Click);
    connect(ComLaborZamk, &QPushButton::clicked, this, &FormLekarz::ComLaborZamk_Click);
    connect(DBGridLekarz, &ui::DBGrid::RowColChange, this, &FormLekarz::DBGridLekarz_RowColChange);
}

void FormLekarz::Open()
{
    FormLekarz &form = ui::WindowRegistry::Instance<FormLekarz>();
    form.Bind(true);
    ui::ShowModal(form);
}

void FormLekarz::resizeEvent(QResizeEvent *event)
{
    RegisterWindowBase::resizeEvent(event);
    Form_Resize();
}

void FormLekarz::Form_Resize()
{
    const QSizeF outer = OuterTwips();
    CentreHorizontally(heading_, outer.width());
    FrameLabor->resize(FrameLabor->sizeHint().expandedTo(FrameLabor->minimumSize()));
    CentreHorizontally(FrameLabor, outer.width());
    PlaceButtonRow(ComLaborZamk, {ComLaborDod, ComLaborKor, ComLaborKas, ComKopiuj}, outer);
    const QRectF close = Twips(ComLaborZamk);
    const QRectF list = Twips(DBGridLekarz);
    const QRectF data = Twips(DataLekarz);
    PlaceTwips(DataLekarz, list.x(), close.y(), data.width(), data.height());
    PlaceTwips(DBGridLekarz, list.x(), list.y(), outer.width() - 600,
               close.y() - 2.5 * close.height());
    FrameLabor->raise();
}

void FormLekarz::Bind(bool byName)
{
    dao::Recordset rows = VetRules::OpenList(StaleDb, byName);
    DataLekarz->Replace(rows);
}

void FormLekarz::DBGridLekarz_RowColChange()
{
    Trapped([this] { SelectCurrentGridRow(DBGridLekarz); });
}

void FormLekarz::ResetPostalCode()
{
    MEBKodPoczt->setMask(QString());
    MEBKodPoczt->setText(QString());
    MEBKodPoczt->setMask(PostalCodeMask);
}

void FormLekarz::LoadPostalCode(const QString &code)
{
    ResetPostalCode();
    try {
        MEBKodPoczt->setText(code);
    } catch (const RuntimeError &) {
        // A stored code that does not fit the mask is shown as it stands, so
        // that saving the correction keeps it.
        MEBKodPoczt->setMask(QString());
        MEBKodPoczt->setText(code);
    }
}

void FormLekarz::ComLaborDod_Click()
{
    qint64 number = 1;
    const bool numbered = Trapped([&] {
        if (ListIsEmpty())
            return;
        Bind(false);
        DataLekarz->Recordset().MoveLast();
        number = DictionaryStore::NextNumber(StaleDb, QStringLiteral("Lekarz"),
                                             QStringLiteral("IDLekarz"));
    });
    if (!numbered)
        return;
    StartAdding();
    TextID->setText(QString::number(number));
    for (QLineEdit *box : {TextLekarzNr, TextImie, TextNazwisko, TextMiasto, TextAdres, TextTelefon,
                           TextMail, TextUwagi, TextNazwa})
        box->clear();
    ResetPostalCode();
    OpenEditFrame(QStringLiteral("NOWY LEKARZ"), TextLekarzNr);
}

void FormLekarz::ComKopiuj_Click()
{
    if (ListIsEmpty()) {
        Beep();
        return;
    }
    const bool copied = Trapped([this] {
        const dao::Recordset rs = ListRecordset();
        const auto text = [&rs](const char *field) { return FieldText(rs, QLatin1String(field)); };
        TextNazwa->setText(text("Nazwa"));
        LoadPostalCode(text("KodPocztowy"));
        TextMiasto->setText(text("Miasto"));
        TextAdres->setText(text("Ulica"));
        TextTelefon->setText(text("Telefon"));
        TextMail->setText(text("Email"));
        TextUwagi->setText(text("Uwagi"));
        TextID->setText(QString::number(DictionaryStore::NextNumber(
            StaleDb, QStringLiteral("Lekarz"), QStringLiteral("IDLekarz"))));
    });
    if (!copied)
        return;
    StartAdding();
    for (QLineEdit *box : {TextLekarzNr, TextImie, TextNazwisko})
        box->clear();
    OpenEditFrame(QStringLiteral(" NOWY LEKARZ NA PODSTAWIE KOPII "), TextImie);
}

void FormLekarz::ComLaborKor_Click()
{
    if (ListIsEmpty()) {
        Beep();
        return;
    }
    Klawisze(false);
    const bool loaded = Trapped([this] {
        const dao::Recordset rs = ListRecordset();
        StartCorrecting();
        const auto text = [&rs](const char *field) { return FieldText(rs, QLatin1String(field)); };
        TextID->setText(text("IDLekarz"));
        TextNazwa->setText(text("Nazwa"));
        TextNazwisko->setText(text("Nazwisko"));
        TextImie->setText(text("Imie"));
        TextLekarzNr->setText(text("LekarzNr"));
        TextMiasto->setText(text("Miasto"));
        TextAdres->setText(text("Ulica"));
        TextTelefon->setText(text("Telefon"));
        TextMail->setText(text("Email"));
        TextUwagi->setText(text("Uwagi"));
        LoadPostalCode(text("KodPocztowy"));
    });
    if (!loaded) {
        CloseEditFrame();
        return;
    }
    OpenEditFrame(QStringLiteral("KOREKTA LEKARZA"), TextImie);
}

void FormLekarz::ComLaborKas_Click()
{
    if (ListIsEmpty())
        return;
    if (ui::MsgBox(QStringLiteral("Czy na pewno usunąć zaznaczone Lekarz?"),
                   ui::vbYesNo + ui::vbQuestion + ui::vbDefaultButton2,
                   QStringLiteral("PYTANIE")) != ui::vbYes)
        return;
    // Batches that name the vet keep their text.
    Trapped([this] { DeleteListedRow(); });
}

void FormLekarz::ComLaborZap_Click()
{
    const VetValues values{TextLekarzNr->text(), TextNazwa->text(),   TextImie->text(),
                           TextNazwisko->text(), MEBKodPoczt->Text(), TextMiasto->text(),
                           TextAdres->text(),    TextTelefon->text(), TextMail->text(),
                           TextUwagi->text()};
    const SaveOutcome result =
        SaveRow([&](dao::Recordset list, const std::optional<LoadedRow> &loaded) {
            return VetRules::Save(StaleDb, list, loaded, values);
        });
    if (result == SaveOutcome::Saved)
        CloseEditFrame();
}

void FormLekarz::ComLaborRez_Click()
{
    CloseEditFrame();
}

void FormLekarz::ComLaborZamk_Click()
{
    HideAndAnnounce({DictionaryEvents::Vets});
}
