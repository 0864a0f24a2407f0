#include "digestion/FormNastawienie.h"

#include "foundation/ComboFillers.h"
#include "foundation/Globals.h"
#include "foundation/UiProcedures.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/NamedControls.h"
#include "platform/ui/ShowModal.h"
#include "platform/ui/WindowRegistry.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace
{

QList<ui::RecordsetModel::Column> gridColumns()
{
    const std::pair<const char *, const char *> columns[] = {
        {"Partia", "Partia"},
        {"Nr nastawienia", "Nastawienie"},
        {"Kod tacy", "NrTac"},
        {"Liczba próbek jednostkowych", "IlProbek"},
        {"Naważka w [g] próbek jednostk.", "Nawazka"},
        {"Naważka pepsyny", "Pepsyna"},
        {"Ilość kwasu HCI", "Kwas"},
        {"Waga (nr ewid.)", "Waga"},
        {"Termometr", "Termometr"},
        {"Mieszadlo", "Mieszadlo"},
        {"Temperatura min", "Temperatura"},
        {"Temperatura max", "TemperaturaMax"},
        {"Trychinoskop", "Trychinoskop"},
        {"HCI seria/data ważności", "OdczynnikHCL"},
        {"Pepsyna seria/data ważności", "OdczynnikPepsyna"},
        {"Wynik", "Wynik"},
        {"Czas wytrawiania", "Czas"},
        {"Czas sedymentacji I", "CzasSedymentacji1"},
        {"Czas sedymentacji II", "CzasSedymentacji2"},
        {"Sito", "Sito"},
        {"Osoba wykonujaca badanie", "Wykonujacy"},
        {"Osoba odpowiedzialna za badanie", "Odpowiedzialny"},
        {"Uwagi", "Uwagi"},
    };
    QList<ui::RecordsetModel::Column> list;
    for (const auto &[header, field] : columns)
        list.append({QString::fromUtf8(header), QLatin1String(field)});
    return list;
}

} // namespace

FormNastawienie::FormNastawienie(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormNastawienie"));
    setWindowTitle(QStringLiteral("NASTAWIENIE"));
    auto *header = new QGridLayout;
    buildHeader(header);
    DataPartia = ui::Named(new ui::DataControl(this), "DataPartia");
    DBGridPartia = ui::Named(new ui::DBGrid(this), "DBGridPartia");
    DBGridPartia->Bind(DataPartia, gridColumns());
    ComZamk = ui::Named(new QPushButton(QStringLiteral("&Zamknij"), this), "ComZamk");
    ComZamk->setAutoDefault(false);

    auto *lists = new QFormLayout;
    const auto pickList = [this, lists](const char *name, const char *label) {
        auto *combo = ui::Named(new QComboBox(this), name);
        combo->setEditable(true);
        lists->addRow(QString::fromUtf8(label), combo);
        return combo;
    };
    ComboWykonujacy = pickList("ComboWykonujacy", "Wykonujący");
    ComboOdpowiedzialny = pickList("ComboOdpowiedzialny", "Odpowiedzialny");
    ComboWaga = pickList("ComboWaga", "Waga");
    ComboTermometr = pickList("ComboTermometr", "Termometr");
    ComboMieszadlo = pickList("ComboMieszadlo", "Mieszadło");
    ComboTrychinoskop = pickList("ComboTrychinoskop", "Trychinoskop");
    ComboOdczynnikHCL = pickList("ComboOdczynnikHCL", "HCl");
    ComboOdczynnikPepsyna = pickList("ComboOdczynnikPepsyna", "Pepsyna");
    ComboSito = pickList("ComboSito", "Sito");

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(DataPartia, 1);
    buttons->addWidget(ComZamk);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(header);
    layout->addWidget(DBGridPartia, 1);
    layout->addLayout(lists);
    layout->addLayout(buttons);

    connect(DBGridPartia, &ui::DBGrid::RowColChange, this,
            &FormNastawienie::DBGridPartia_RowColChange);
    connect(ComZamk, &QPushButton::clicked, this, &FormNastawienie::ComZamk_Click);
    Form_Load();
}

void FormNastawienie::buildHeader(QGridLayout *header)
{
    const auto label = [this](const char *name, const QString &caption) {
        return ui::Named(new QLabel(caption, this), name);
    };
    LabZaklad = label("LabZaklad", QString());
    LabPartia = label("LabPartia", QString());
    LabelKod = label("LabelKod", QString());
    LabData = label("LabData", QString());
    header->addWidget(new QLabel(QStringLiteral("NASTAWIENIE"), this), 0, 0, 1, 4);
    header->addWidget(new QLabel(QStringLiteral("Nr Partii:"), this), 1, 0);
    header->addWidget(LabPartia, 1, 1);
    header->addWidget(new QLabel(QStringLiteral("Data:"), this), 1, 2);
    header->addWidget(LabData, 1, 3);
    header->addWidget(new QLabel(QStringLiteral("Zakład:"), this), 2, 0);
    header->addWidget(LabZaklad, 2, 1, 1, 3);
    header->addWidget(LabelKod, 3, 1);
}

void FormNastawienie::OpenForBatch(const BatchHeading &batch)
{
    FormNastawienie &form = ui::WindowRegistry::Instance<FormNastawienie>();
    form.LabZaklad->setText(batch.Zaklad);
    form.LabPartia->setText(batch.Partia);
    form.LabelKod->setText(batch.Wni);
    form.LabData->setText(batch.DataDoLab);
    dao::Recordset previous = form.DataPartia->Recordset();
    form.DataPartia->setRecordset(MonthDb.OpenRecordset(
        QStringLiteral("SELECT * FROM Nastawienie WHERE PARTIA = %1 ORDER BY Nastawienie")
            .arg(batch.Partia.toInt())));
    if (previous.IsOpen())
        previous.Close();
    InitOnActivate = true;
    ui::ShowModal(form);
}

void FormNastawienie::RefillEquipmentLists()
{
    const std::pair<QComboBox *, const char *> lists[] = {
        {ComboWaga, "Waga"},
        {ComboTermometr, "Termometr"},
        {ComboMieszadlo, "Mieszadlo"},
        {ComboTrychinoskop, "Trychinoskop"},
        {ComboOdczynnikHCL, "HCLseria"},
        {ComboOdczynnikPepsyna, "PepsynaSeria"},
        {ComboSito, "Sito"},
    };
    for (const auto &[combo, table] : lists)
        FillComboFromTable(combo, StaleDb, QLatin1String(table), QStringLiteral("Wartosc"),
                           QString(), QString(), QString());
}

void FormNastawienie::RefillPersonLists()
{
    FillPerformedByCombo(ComboWykonujacy);
    FillResponsibleCombo(ComboOdpowiedzialny);
}

void FormNastawienie::Form_Load()
{
    RefillPersonLists();
}

void FormNastawienie::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    Form_Activate();
}

void FormNastawienie::Form_Activate()
{
    InitOnActivate = false;
}

void FormNastawienie::DBGridPartia_RowColChange()
{
    SelectCurrentGridRow(DBGridPartia);
}

void FormNastawienie::ComZamk_Click()
{
    hide();
}

void FormNastawienie::reject()
{
    ComZamk_Click();
}
