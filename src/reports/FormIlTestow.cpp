#include "reports/FormIlTestow.h"

#include "foundation/Globals.h"
#include "foundation/Messages.h"
#include "foundation/TextProcedures.h"
#include "platform/db/DaoError.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/ShowModal.h"
#include "platform/ui/WindowRegistry.h"
#include "reports/MaterialsStore.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace
{

const QString WindowCaption = QStringLiteral("Zużyte materiały");
const QString InfoCaption = QStringLiteral("INFORMACJA");
const QString Assistant = QStringLiteral("ASYSTENT");
const QString PlainOperator = QStringLiteral("OPERATOR");

template <class W> W *named(W *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QLocale polish()
{
    QLocale locale(QLocale::Polish, QLocale::Poland);
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale;
}

// Both quantities must be numbers; the focus goes to the one to correct.
std::optional<float> checkedQuantity(QLineEdit *box, const QString &refusal)
{
    const std::optional<float> quantity = FormIlTestow::ParseQuantity(box->text());
    if (!quantity) {
        ShowInfo(refusal, InfoCaption);
        box->setFocus();
    }
    return quantity;
}

} // namespace

void FormIlTestow::Open(const QString &day, const QString &operatorKind,
                        bool reportDayWithoutBatches)
{
    FormIlTestow &form = ui::WindowRegistry::Instance<FormIlTestow>();
    form.showDay(day);
    form.loaded_.reset();
    try {
        if (!MaterialsStore::DayHasBatches(MonthDb, day)) {
            if (reportDayWithoutBatches)
                ui::MsgBox(QStringLiteral("Brak zdefiniowanych partii próbek dnia ") + day +
                               QStringLiteral("!\rNie możesz wpisać zużytych materiałów!"),
                           ui::vbExclamation, QStringLiteral("FORMAT DATY"));
            return;
        }
        if (const std::optional<MaterialsStore::Shown> stored =
                MaterialsStore::Read(MonthDb, day)) {
            form.loaded_ = stored->row;
            form.showQuantities(stored->quantities.tests, stored->quantities.plates);
            if (operatorKind == Assistant)
                form.lock(QStringLiteral(
                    "Zmiany w istniejącym zapisie może wprowadzać tylko administrator!"));
        }
    } catch (const RuntimeError &error) {
        // A month database without the materials table, for one.
        ShowError(WindowCaption, error);
        return;
    }
    if (operatorKind == PlainOperator)
        form.lock(QStringLiteral("Zapisu może dokonać tylko asystent lub administrator programu!"));
    ui::ShowModal(form);
}

FormIlTestow::FormIlTestow(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormIlTestow"));
    setWindowTitle(WindowCaption);
    buildControls();
    connect(ComZapisz, &QPushButton::clicked, this, &FormIlTestow::ComZapisz_Click);
}

void FormIlTestow::buildControls()
{
    LabOpis = named(new QLabel(this), "LabOpis");
    LabOpis->setTextFormat(Qt::PlainText);
    LabData = named(new QLabel(this), "LabData");
    TextIlTestow = named(new QLineEdit(this), "TextIlTestow");
    TextIlPlytek = named(new QLineEdit(this), "TextIlPlytek");
    ComZapisz = named(new QPushButton(QStringLiteral("&Zapisz"), this), "ComZapisz");
    ComZapisz->setAutoDefault(false);
    auto *grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Dzień:"), this), 0, 0);
    grid->addWidget(LabData, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Ilość testów"), this), 1, 0);
    grid->addWidget(TextIlTestow, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Ilość płytek"), this), 2, 0);
    grid->addWidget(TextIlPlytek, 2, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ComZapisz);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(LabOpis);
    layout->addLayout(buttons);
}

QString FormIlTestow::QuantityText(const QVariant &value)
{
    if (dao::IsNull(value))
        return QStringLiteral("0");
    // A single-precision value keeps 7 significant digits.
    return polish().toString(value.toDouble(), 'g', 7);
}

std::optional<float> FormIlTestow::ParseQuantity(const QString &text)
{
    const QString trimmed = TrimBlanks(text);
    bool ok = false;
    float value = polish().toFloat(trimmed, &ok);
    if (!ok)
        value = QLocale::c().toFloat(trimmed, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

void FormIlTestow::ComZapisz_Click()
{
    const std::optional<float> tests =
        checkedQuantity(TextIlTestow, QStringLiteral("Pole ilość testów nie jest cyfrą! Popraw!"));
    if (!tests)
        return;
    const std::optional<float> plates =
        checkedQuantity(TextIlPlytek, QStringLiteral("Pole ilość płytek nie jest cyfrą! Popraw!"));
    if (!plates)
        return;
    if ((*tests == 0 || *plates == 0) &&
        ui::MsgBox(QStringLiteral("Ilość zużytych testów lub płytek wynosi 0!\rCzy zapisać?"),
                   ui::vbYesNo + ui::vbQuestion + ui::vbDefaultButton2,
                   QStringLiteral("PYTANIE")) != ui::vbYes)
        return;
    try {
        MaterialsStore::Store(MonthDb, LabData->text(), loaded_, *tests, *plates);
        // The window holds the day's row as now written.
        const std::optional<MaterialsStore::Shown> stored =
            MaterialsStore::Read(MonthDb, LabData->text());
        loaded_ = stored ? std::optional(stored->row) : std::nullopt;
    } catch (const RuntimeError &error) {
        ShowError(WindowCaption, error);
        return;
    }
    hide();
}

void FormIlTestow::showDay(const QString &day)
{
    LabOpis->clear();
    TextIlTestow->setText(QStringLiteral("0"));
    TextIlPlytek->setText(QStringLiteral("0"));
    for (QWidget *control : std::initializer_list<QWidget *>{TextIlTestow, TextIlPlytek, ComZapisz})
        control->setEnabled(true);
    LabData->setText(day);
}

void FormIlTestow::showQuantities(const QVariant &tests, const QVariant &plates)
{
    TextIlTestow->setText(QuantityText(tests));
    TextIlPlytek->setText(QuantityText(plates));
}

void FormIlTestow::lock(const QString &notice)
{
    TextIlTestow->setEnabled(false);
    TextIlPlytek->setEnabled(false);
    ComZapisz->setEnabled(false);
    LabOpis->setText(notice);
}
