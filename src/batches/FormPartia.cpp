#include "batches/FormPartia.h"

#include "batches/BatchListLayout.h"
#include "batches/BatchStore.h"
#include "batches/ClientLookup.h"
#include "batches/PrzedDr.h"
#include "digestion/FormNastawienie.h"
#include "foundation/ComboFillers.h"
#include "foundation/DictionaryEvents.h"
#include "foundation/Globals.h"
#include "foundation/Messages.h"
#include "foundation/RecordsetProcedures.h"
#include "foundation/TextProcedures.h"
#include "foundation/UiProcedures.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/MaskEdBox.h"
#include "platform/ui/NamedControls.h"
#include "platform/ui/ShowModal.h"
#include "platform/ui/WindowRegistry.h"
#include "samples/FormBadanie.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

#include <algorithm>

namespace
{

const QString ErrorCaption = QStringLiteral("Powiadom programistę!");

// A control placed by the layout rules, at its designed size in twips.
template <class W> W *placed(W *widget, const char *name, int width, int height)
{
    ui::Named(widget, name)
        ->resize(BatchListLayout::ToPixels(width), BatchListLayout::ToPixels(height));
    return widget;
}

// A control that shows a caption is never narrower than the caption in the
// desktop's font.
template <class W> W *widened(W *widget)
{
    widget->resize(std::max(widget->width(), widget->sizeHint().width()), widget->height());
    return widget;
}

QPushButton *button(QWidget *parent, const char *name, const QString &caption, int width)
{
    return widened(placed(new QPushButton(caption, parent), name, width, 375));
}

const QList<ui::RecordsetModel::Column> &gridColumns()
{
    static const QList<ui::RecordsetModel::Column> columns = [] {
        const std::pair<const char *, const char *> list[] = {
            {"Partia", "Partia"},
            {"Ilość próbek", "IlProbek"},
            {"Numery tac", "NrTac"},
            {"WNI", "WNI"},
            {"Miejscowość pobrania", "MiejscowoscPobr"},
            {"Data uboju", "DataUboju"},
            {"Data pobrania", "DataPobr"},
            {"Data przyjęcia", "DataDoLab"},
            {"Godz. przyjęcia", "GodzDoLab"},
            {"Data rozp. badania", "DataRozpBad"},
            {"Godz. rozp. bad.", "GodzRozpBad"},
            {"Data zak. badania", "DataZakBad"},
            {"Godz. zak. bad", "GodzZakBad"},
            {"Czystopis", "Czystopis"},
            {"Pobrał", "Pobral"},
            {"Metoda", "Metoda"},
            {"Przyjął", "Przyjal"},
            {"Autoryzowal", "Autoryzowal"},
            {"Sposób przekazania wyniku", "PrzekazanieWyniku"},
            {"Zleceniodawca WNI", "ZleceniodawcaWNI"},
            {"Uwagi", "Uwagi"},
        };
        QList<ui::RecordsetModel::Column> result;
        for (const auto &[header, field] : list)
            result.append({QString::fromUtf8(header), QLatin1String(field)});
        return result;
    }();
    return columns;
}

// The establishment line of the sample and run windows: "WNI - Nazwa,
// Miejscowosc Ulica"; the WNI alone when the client is not registered.
QString establishmentLine(const QString &wni)
{
    const ClientLookup client = ClientLookup::Client(wni);
    if (!client.Found())
        return wni;
    return wni + QStringLiteral(" - ") + client.Field(QStringLiteral("Nazwa")) +
           QStringLiteral(", ") + client.Field(QStringLiteral("Miejscowosc")) + QLatin1Char(' ') +
           client.Field(QStringLiteral("Ulica"));
}

} // namespace

FormPartia::FormPartia(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormPartia"));
    setWindowTitle(QStringLiteral("PARTIA"));
    resize(1024, 720);
    setWindowState(Qt::WindowMaximized);
    buildList();
    buildFrame();
    // The window has its own keys: Enter never presses a button by itself.
    for (QPushButton *child : findChildren<QPushButton *>())
        child->setAutoDefault(false);
    watchKeys();
    Form_Load();
    // A register that closes may have changed the vets or the authorising persons.
    connect(&DictionaryEvents::Instance(), &DictionaryEvents::TableChanged, this,
            [this](const QString &table) {
                if (table == DictionaryEvents::Vets)
                    FillComboTwoFields(ComboLekarz, StaleDb, table, QStringLiteral("Imie"),
                                       QStringLiteral("Nazwisko"), QStringLiteral(" "), QString());
                else if (table == DictionaryEvents::AuthorisedBy)
                    FillAuthorisedByCombo(ComboAutoryzowal);
            });
}

void FormPartia::buildList()
{
    Label9 = ui::Named(new QLabel(QStringLiteral("REDAGOWANIE PARTII"), this), "Label9");
    QFont heading(QStringLiteral("Arial"));
    heading.setBold(true);
    heading.setPointSize(12);
    Label9->setFont(heading);
    Label9->adjustSize();
    Label9->move(BatchListLayout::ToPixels(180), BatchListLayout::ToPixels(120));
    DataPartia = placed(new ui::DataControl(this), "DataPartia", 4000, 375);
    DataPartia->setCaption(QStringLiteral("PARTIA"));
    DBGridPartia = ui::Named(new ui::DBGrid(this), "DBGridPartia");
    DBGridPartia->Bind(DataPartia, gridColumns());
    // This list shows both scroll bars always; the other lists when needed.
    DBGridPartia->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    DBGridPartia->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    DBGridPartia->move(BatchListLayout::ToPixels(BatchListLayout::GridLeft),
                       BatchListLayout::ToPixels(BatchListLayout::GridTop));
    LabDataDTP = placed(new QLabel(QStringLiteral("Data "), this), "LabDataDTP", 1185, 240);
    LabDataDTP->move(0, BatchListLayout::ToPixels(30));
    DTPData = placed(new ui::MaskEdBox(this), "DTPData", 1185, 330);
    DTPData->setMaxLength(10);
    // Room for a whole date, inside the box's frame and text margins.
    DTPData->resize(
        std::max(DTPData->width(),
                 DTPData->fontMetrics().horizontalAdvance(QStringLiteral("00.00.0000 ")) +
                     2 * (DTPData->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 2)),
        DTPData->height());
    DTPData->move(0, BatchListLayout::ToPixels(270));

    ComDodajPr = button(this, "ComDodajPr", QStringLiteral("&Dodaj"), 1425);
    ComDodajPr->setToolTip(QStringLiteral("Nowa partia"));
    ComPopraw = button(this, "ComPopraw", QStringLiteral("&Popraw"), 1425);
    ComUsun = button(this, "ComUsun", QStringLiteral("&Usuń"), 1425);
    ComDrukuj = button(this, "ComDrukuj", QStringLiteral("D&rukuj"), 1560);
    ComWczytPart =
        button(this, "ComWczytPart", QStringLiteral("&Wczytaj nagłówek partii z pliku"), 3270);
    ComWczytPart->setToolTip(QStringLiteral("Wczytuje nagłówek partii z pliku"));
    CheckWczyt =
        widened(placed(new QCheckBox(QStringLiteral("Wczytuj automatycznie dane o próbkach"), this),
                       "CheckWczyt", 4200, 375));
    CheckWczyt->setToolTip(
        QStringLiteral("Jeśli zaznaczone, po wczytaniu nagłównka partii automatycznie zostaną "
                       "wczytane pozostałe dane dotyczące zlecenia"));
    CheckWczyt->setChecked(true);
    ComEdytuj = button(this, "ComEdytuj", QStringLiteral("&Próbki"), 1425);
    ComEdytuj->setToolTip(QStringLiteral("Edytuj próbki partii"));
    ComNastawienie = button(this, "ComNastawienie", QStringLiteral("&Nastawienie"), 1425);
    ComSzukaj = button(this, "ComSzukaj", QStringLiteral("&Szukaj"), 1425);
    ComPlik = button(this, "ComPlik", QStringLiteral("&Plik"), 1425);
    ComPlik->setVisible(false);
    ComPlik->setEnabled(false);
    ComZamk = button(this, "ComZamk", QStringLiteral("&Zamknij"), 1425);
    FrameSzukaj =
        placed(new QGroupBox(QStringLiteral("SZUKANIE WG"), this), "FrameSzukaj", 6000, 3000);
    FrameSzukaj->setVisible(false);

    connect(DBGridPartia, &ui::DBGrid::RowColChange, this, &FormPartia::DBGridPartia_RowColChange);
    connect(DBGridPartia, &ui::DBGrid::DblClick, this, &FormPartia::DBGridPartia_DblClick);
    connect(ComDodajPr, &QPushButton::clicked, this, &FormPartia::ComDodajPr_Click);
    connect(ComPopraw, &QPushButton::clicked, this, &FormPartia::ComPopraw_Click);
    connect(ComUsun, &QPushButton::clicked, this, &FormPartia::ComUsun_Click);
    connect(ComDrukuj, &QPushButton::clicked, this, &FormPartia::ComDrukuj_Click);
    connect(ComWczytPart, &QPushButton::clicked, this, &FormPartia::ComWczytPart_Click);
    connect(ComEdytuj, &QPushButton::clicked, this, &FormPartia::ComEdytuj_Click);
    connect(ComNastawienie, &QPushButton::clicked, this, &FormPartia::ComNastawienie_Click);
    connect(ComSzukaj, &QPushButton::clicked, this, &FormPartia::ComSzukaj_Click);
    connect(ComPlik, &QPushButton::clicked, this, &FormPartia::ComPlik_Click);
    connect(ComZamk, &QPushButton::clicked, this, &FormPartia::ComZamk_Click);
}

void FormPartia::Open(const QString &workingDate)
{
    dao::Recordset batches = BatchStore::OpenList(MonthDb);
    FormPartia &form = ui::WindowRegistry::Instance<FormPartia>();
    form.DTPData->setText(workingDate);
    form.DataPartia->setRecordset(batches);
    InitOnActivate = true;
    ui::ShowModal(form);
}

void FormPartia::RefillPickLists()
{
    FillOperatorCombo(ComboPrzyjal);
    FillAuthorisedByCombo(ComboAutoryzowal);
}

void FormPartia::Form_Load()
{
    RefillPickLists();
}

void FormPartia::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    Form_Activate();
}

void FormPartia::Form_Activate()
{
    if (!InitOnActivate)
        return;
    FillComboTwoFields(ComboLekarz, StaleDb, QStringLiteral("Lekarz"), QStringLiteral("Imie"),
                       QStringLiteral("Nazwisko"), QStringLiteral(" "), QString());
    InitOnActivate = false;
}

void FormPartia::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    Form_Resize();
}

void FormPartia::Form_Resize()
{
    if (!FramePartia)
        return; // still being built
    using L = BatchListLayout;
    const std::pair<QWidget *, QRect L::Controls::*> controls[] = {
        {FramePartia, &L::Controls::FramePartia},   {FrameSzukaj, &L::Controls::FrameSzukaj},
        {DTPData, &L::Controls::DTPData},           {LabDataDTP, &L::Controls::LabDataDTP},
        {ComZamk, &L::Controls::ComZamk},           {ComEdytuj, &L::Controls::ComEdytuj},
        {ComSzukaj, &L::Controls::ComSzukaj},       {ComDrukuj, &L::Controls::ComDrukuj},
        {ComWczytPart, &L::Controls::ComWczytPart}, {ComNastawienie, &L::Controls::ComNastawienie},
        {ComDodajPr, &L::Controls::ComDodajPr},     {ComPopraw, &L::Controls::ComPopraw},
        {ComUsun, &L::Controls::ComUsun},           {DataPartia, &L::Controls::DataPartia},
        {DBGridPartia, &L::Controls::DBGridPartia}, {CheckWczyt, &L::Controls::CheckWczyt},
    };
    L::Controls rects;
    for (const auto &[widget, rect] : controls)
        rects.*rect = L::ToTwips(widget->geometry());
    const QSize outer = frameGeometry().size();
    L::Arrange(rects, L::ToTwips(outer.width()), L::ToTwips(outer.height()));
    for (const auto &[widget, rect] : controls)
        widget->setGeometry(L::ToPixels(rects.*rect));
    // The frames stay inside the window, over the list, below the heading
    // while the window is tall enough.
    const int lowest = std::max(0, height() - FramePartia->height());
    FramePartia->move(std::max(0, FramePartia->x()),
                      std::clamp(FramePartia->y(), std::min(DBGridPartia->y(), lowest), lowest));
    FramePartia->raise();
}

void FormPartia::Klawisze(bool flag)
{
    for (QWidget *control : std::initializer_list<QWidget *>{
             ComZamk, ComDodajPr, ComPopraw, ComUsun, ComDrukuj, ComPlik, DataPartia, ComSzukaj,
             ComEdytuj, DBGridPartia, ComWczytPart, ComNastawienie})
        control->setEnabled(flag);
}

void FormPartia::RestoreListState()
{
    Klawisze(FramePartia->isHidden());
}

dao::Recordset FormPartia::Batches() const
{
    return DataPartia->Recordset();
}

bool FormPartia::HasCurrentBatch() const
{
    const dao::Recordset batches = Batches();
    return batches.IsOpen() && batches.RecordCount() > 0 && batches.AbsolutePosition() >= 0;
}

void FormPartia::DBGridPartia_RowColChange()
{
    SelectCurrentGridRow(DBGridPartia);
}

BatchHeading FormPartia::CurrentHeading() const
{
    const dao::Recordset batch = Batches();
    const QString wni = FieldText(batch, "WNI");
    return BatchHeading{batch(QStringLiteral("Partia")).Value().toLongLong(),
                        batch(QStringLiteral("DataDoLab")).Value().toDate(), wni,
                        establishmentLine(wni)};
}

void FormPartia::OpenSamples(const QString &importFile)
{
    TrapErrors(ErrorCaption, [&] {
        if (!HasCurrentBatch())
            return;
        FormBadanie::OpenForBatch(CurrentHeading(), importFile);
    });
}

void FormPartia::DBGridPartia_DblClick()
{
    OpenSamples(QString());
}

void FormPartia::ComNastawienie_Click()
{
    TrapErrors(ErrorCaption, [&] {
        if (!HasCurrentBatch())
            return;
        FormNastawienie::OpenForBatch(CurrentHeading());
    });
}

void FormPartia::ComEdytuj_Click()
{
    // Only the batch just imported hands its order file on.
    const bool pending = AutoImportMarker == QLatin1String("WczytAuto") && CheckWczyt->isChecked();
    OpenSamples(pending ? ImportFilePath : QString());
}

void FormPartia::ComDrukuj_Click()
{
    try {
        // The preview's "Wyślij wynik" sends the batch current in this list.
        PrintBatchResult(Batches());
    } catch (const RuntimeError &error) {
        ShowError(ErrorCaption, error);
    }
}

void FormPartia::ComSzukaj_Click()
{
    // The register offers no search: the button does nothing.
}

void FormPartia::ComZamk_Click()
{
    hide();
}

void FormPartia::reject()
{
    if (!FramePartia->isHidden())
        return;
    ComZamk_Click();
}

void FormPartia::keyPressEvent(QKeyEvent *event)
{
    // Esc does not close the register.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
