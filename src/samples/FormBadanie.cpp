#include "samples/FormBadanie.h"

#include "foundation/ComboFillers.h"
#include "foundation/Globals.h"
#include "foundation/Messages.h"
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

QComboBox *pickList(QWidget *parent, const char *name)
{
    auto *combo = ui::Named(new QComboBox(parent), name);
    combo->setEditable(true);
    return combo;
}

QLabel *label(QWidget *parent, const char *name, const QString &caption = QString())
{
    return ui::Named(new QLabel(caption, parent), name);
}

const QList<ui::RecordsetModel::Column> &gridColumns()
{
    static const QList<ui::RecordsetModel::Column> columns{
        {QStringLiteral("Nr tuszy"), QStringLiteral("NrProbki")},
        {QString(), QStringLiteral("IDProbkiWNI")},
        {QStringLiteral("Kod próbki"), QStringLiteral("IDProbkiNr")},
        {QString(), QStringLiteral("IDProbkiData")},
        {QStringLiteral("NrTacy"), QStringLiteral("NrTacy")},
        {QStringLiteral("Gatunek"), QStringLiteral("Gatunek")},
        {QStringLiteral("Wiek (m-c)"), QStringLiteral("Wiek")},
        {QStringLiteral("Płeć"), QStringLiteral("Plec")},
        {QStringLiteral("Rodzaj materiału"), QStringLiteral("NazTkanka")},
        {QStringLiteral("Jakość"), QStringLiteral("Jakosc")},
        {QStringLiteral("Wynik"), QStringLiteral("Wynik")},
        {QStringLiteral("Opis i stan próbki w chwili przyjęcia"), QStringLiteral("Opis")},
        {QStringLiteral("Uwagi"), QStringLiteral("Uwagi")},
    };
    return columns;
}

} // namespace

FormBadanie::FormBadanie(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormBadanie"));
    setWindowTitle(QStringLiteral("PRÓBKI"));
    LabPartiaOp = label(this, "LabPartiaOp", QStringLiteral("Nr Partii:"));
    LabPartia = label(this, "LabPartia");
    LabDataOp = label(this, "LabDataOp", QStringLiteral("Data:"));
    LabData = label(this, "LabData");
    LabZaklOp = label(this, "LabZaklOp", QStringLiteral("Zakład:"));
    LabZaklad = label(this, "LabZaklad");
    LabelKod = label(this, "LabelKod");
    DataBad = ui::Named(new ui::DataControl(this), "DataBad");
    DataBad->setCaption(QStringLiteral("PRÓBKI"));
    DBGridBad = ui::Named(new ui::DBGrid(this), "DBGridBad");
    DBGridBad->Bind(DataBad, gridColumns());
    ComZamk = ui::Named(new QPushButton(QStringLiteral("&Zamknij"), this), "ComZamk");
    ComZamk->setAutoDefault(false);
    ComboUwagi = pickList(this, "ComboUwagi");
    ComboOpis = pickList(this, "ComboOpis");
    ComboTkanka = pickList(this, "ComboTkanka");
    LabelWczytajPlik = label(this, "LabelWczytajPlik");
    LabelWczytajPlik->setVisible(false);

    auto *header = new QGridLayout;
    header->addWidget(LabPartiaOp, 0, 0);
    header->addWidget(LabPartia, 0, 1);
    header->addWidget(LabDataOp, 0, 2);
    header->addWidget(LabData, 0, 3);
    header->addWidget(LabZaklOp, 1, 0);
    header->addWidget(LabZaklad, 1, 1, 1, 3);
    header->addWidget(LabelKod, 2, 1);
    auto *lists = new QFormLayout;
    lists->addRow(QStringLiteral("Uwagi"), ComboUwagi);
    lists->addRow(QStringLiteral("Opis"), ComboOpis);
    lists->addRow(QStringLiteral("Tkanka"), ComboTkanka);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(DataBad, 1);
    buttons->addWidget(ComZamk);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(header);
    layout->addWidget(DBGridBad, 1);
    layout->addLayout(lists);
    layout->addLayout(buttons);

    connect(DBGridBad, &ui::DBGrid::RowColChange, this, &FormBadanie::DBGridBad_RowColChange);
    connect(ComZamk, &QPushButton::clicked, this, &FormBadanie::ComZamk_Click);
    Form_Load();
}

void FormBadanie::OpenForBatch(const BatchHeading &batch, const QString &importFile)
{
    open(batch, importFile);
}

void FormBadanie::OpenAtCarcass(const BatchHeading &batch, const QString &carcassNumber)
{
    FormRequest = QStringLiteral("find") + carcassNumber;
    open(batch, QString());
}

void FormBadanie::open(const BatchHeading &batch, const QString &importFile)
{
    FormBadanie &form = ui::WindowRegistry::Instance<FormBadanie>();
    form.LabZaklad->setText(batch.Zaklad);
    form.LabPartia->setText(batch.Partia);
    form.LabelKod->setText(batch.Wni);
    form.LabData->setText(batch.DataDoLab);
    dao::Recordset previous = form.DataBad->Recordset();
    form.DataBad->setRecordset(MonthDb.OpenRecordset(
        QStringLiteral("SELECT * FROM BADANIE WHERE PARTIA = %1 ORDER BY PARTIA, NrProbki")
            .arg(batch.Partia.toInt())));
    if (previous.IsOpen())
        previous.Close();
    form.LabelWczytajPlik->setText(importFile);
    InitOnActivate = true;
    ui::ShowModal(form);
}

void FormBadanie::RefillPickLists()
{
    FillHintCombo(this, QStringLiteral("UwagiProbka"), ComboUwagi);
    FillSampleDescriptionCombo(ComboOpis);
    FillTissueCombo(ComboTkanka);
}

void FormBadanie::Form_Load()
{
    LabelWczytajPlik->clear();
}

void FormBadanie::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    Form_Activate();
}

void FormBadanie::Form_Activate()
{
    if (!InitOnActivate)
        return;
    InitOnActivate = false;
    if (!FormRequest.startsWith(QLatin1String("find")))
        return;
    // The request carries a carcass number; nothing else reaches the search.
    bool number = false;
    const int carcass = FormRequest.mid(4).trimmed().toInt(&number);
    FormRequest.clear();
    try {
        dao::Recordset samples = DataBad->Recordset();
        if (number && samples.IsOpen())
            samples.FindFirst(QStringLiteral("NrProbki = ") + QString::number(carcass));
    } catch (const RuntimeError &error) {
        ShowError(QStringLiteral("Powiadom programistę!"), error);
    }
}

void FormBadanie::DBGridBad_RowColChange()
{
    SelectCurrentGridRow(DBGridBad);
}

void FormBadanie::ComZamk_Click()
{
    dao::Recordset samples = DataBad->Recordset();
    if (samples.IsOpen())
        samples.Close();
    hide();
}

void FormBadanie::reject()
{
    ComZamk_Click();
}
