#include "foundation/FormZegar.h"

#include "platform/ui/ShowModal.h"
#include "platform/ui/WindowRegistry.h"

#include "foundation/KeyAscii.h"
#include "foundation/TextProcedures.h"
#include "platform/ui/SendKeys.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace
{

void fillNumbers(QListWidget *list, int count)
{
    list->clear();
    for (int n = 0; n < count; ++n)
        list->addItem(DigitsOnlyPadded(QString::number(n), true, 2));
}

} // namespace

FormZegar::FormZegar(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormZegar"));
    setWindowTitle(QStringLiteral("GODZINA"));
    ListGodz = new QListWidget(this);
    ListGodz->setObjectName(QStringLiteral("ListGodz"));
    ListMin = new QListWidget(this);
    ListMin->setObjectName(QStringLiteral("ListMin"));
    Label1 = new QLabel(QStringLiteral("Godz. : Min."), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    auto *lists = new QHBoxLayout;
    lists->addWidget(ListGodz);
    lists->addWidget(ListMin);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addLayout(lists);
    setTabOrder(ListGodz, ListMin);

    connect(ListMin, &QListWidget::itemDoubleClicked, this, &FormZegar::ListMin_DblClick);
    ListGodz->installEventFilter(this);
    ListMin->installEventFilter(this);
    Form_Load();
}

void FormZegar::Form_Load()
{
    fillNumbers(ListGodz, 24);
    fillNumbers(ListMin, 60);
}

bool FormZegar::SelectItem(QListWidget *list, const QString &text)
{
    const QList<QListWidgetItem *> found = list->findItems(text, Qt::MatchExactly);
    if (found.isEmpty())
        return false;
    list->setCurrentItem(found.first());
    return true;
}

void FormZegar::ListGodz_KeyPress(int keyAscii)
{
    if (keyAscii == 13)
        ui::SendTab();
}

void FormZegar::ListMin_DblClick()
{
    closeWhenHourChosen();
}

void FormZegar::ListMin_KeyPress(int)
{
    closeWhenHourChosen();
}

void FormZegar::reject()
{
    // Closing the window is choosing the time shown, as a key in the minutes is.
    closeWhenHourChosen();
}

void FormZegar::closeWhenHourChosen()
{
    if (ListGodz->currentItem() == nullptr) {
        QApplication::beep();
        ListGodz->setCurrentRow(0);
        return;
    }
    hide();
}

bool FormZegar::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int ascii = KeyAscii(static_cast<QKeyEvent *>(event));
        if (watched == ListGodz && ascii != 0)
            ListGodz_KeyPress(ascii);
        if (watched == ListMin && ascii != 0) {
            ListMin_KeyPress(ascii);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

QString FormZegar::Pick(const std::optional<QString> &hour, const QString &minute)
{
    FormZegar &window = ui::WindowRegistry::Instance<FormZegar>();
    if (hour)
        SelectItem(window.ListGodz, *hour);
    SelectItem(window.ListMin, minute);
    ui::ShowModal(window);
    if (window.ListMin->currentItem() == nullptr)
        window.ListMin->setCurrentRow(0);
    if (window.ListGodz->currentItem() == nullptr)
        window.ListGodz->setCurrentRow(0);
    return window.ListGodz->currentItem()->text() + QLatin1Char(':') +
           window.ListMin->currentItem()->text();
}
