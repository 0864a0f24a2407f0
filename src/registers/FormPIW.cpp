#include "registers/FormPIW.h"

#include "platform/ui/DBGrid.h"
#include "platform/ui/WindowRegistry.h"
#include "registers/RegisterRecords.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>

FormPIW::FormPIW(QWidget *parent) : InspectorateWindow(InspectorateKind::County(), parent)
{
    setObjectName(QStringLiteral("FormPIW"));
    menu1 = new QMenu(this);
    menu1->setObjectName(QStringLiteral("menu1"));
    menPartia = menu1->addAction(QStringLiteral("&Wstaw PIW do partii"));
    menPartia->setObjectName(QStringLiteral("menPartia"));
    menu1->addSeparator();
    menUkryj = menu1->addAction(QStringLiteral("&Ukryj"));
    menUkryj->setObjectName(QStringLiteral("menUkryj"));
    DBGridZlew->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(DBGridZlew, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { menu1->popup(DBGridZlew->viewport()->mapToGlobal(at)); });
}

void FormPIW::Open()
{
    ui::WindowRegistry::Instance<FormPIW>().OpenOn(
        InspectorateRules::ListStatement(InspectorateKind::County(), false));
}

void FormPIW::contextMenuEvent(QContextMenuEvent *event)
{
    menu1->popup(event->globalPos());
    event->accept();
}
