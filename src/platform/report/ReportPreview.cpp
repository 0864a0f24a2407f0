#include "ReportPreview.h"

#include "DocumentOutput.h"
#include "PrintDialogSeam.h"

#include "platform/RuntimeError.h"
#include "platform/ui/MsgBox.h"

#include <QAction>
#include <QGraphicsView>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QScrollBar>
#include <QSpinBox>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

#include <array>

namespace report
{

namespace
{

constexpr std::array zoomSteps{25, 50, 75, 87, 100, 125, 150, 200, 300, 400};

// A printer drawn for desktops whose icon theme has none: paper above a grey
// body with its output slot.
QIcon drawnPrinterIcon()
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(60, 60, 60), 1.5));
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(9.5, 3.5, 13, 10));
    painter.setBrush(QColor(150, 150, 155));
    painter.drawRoundedRect(QRectF(3.5, 12.5, 25, 12), 2, 2);
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(8.5, 20.5, 15, 8));
    painter.setPen(QPen(QColor(60, 60, 60), 1));
    painter.drawLine(QPointF(11, 23.5), QPointF(21, 23.5));
    painter.drawLine(QPointF(11, 26), QPointF(19, 26));
    painter.end();
    return QIcon(pixmap);
}

} // namespace

ReportPreview::ReportPreview(QWidget *parent)
    : QWidget(parent), printer_(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    printer_->setFullPage(true);
    view_ = new QPrintPreviewWidget(printer_.get(), this);
    view_->setObjectName(QStringLiteral("previewView"));
    connect(view_, &QPrintPreviewWidget::paintRequested, this, &ReportPreview::paintPreview);
    connect(view_, &QPrintPreviewWidget::previewChanged, this, &ReportPreview::updateControls);
    buildToolBar();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolBar_);
    layout->addWidget(view_, 1);
}

ReportPreview::~ReportPreview() = default;

QAction *ReportPreview::addAction(const QString &name, const QString &text, int icon,
                                  void (ReportPreview::*slot)())
{
    QAction *action =
        toolBar_->addAction(style()->standardIcon(QStyle::StandardPixmap(icon)), text, this, slot);
    action->setObjectName(name);
    action->setToolTip(text);
    return action;
}

void ReportPreview::buildToolBar()
{
    toolBar_ = new QToolBar(this);
    toolBar_->setObjectName(QStringLiteral("previewToolBar"));
    addAction(QStringLiteral("actionFirstPage"), QStringLiteral("Pierwsza strona"),
              QStyle::SP_MediaSkipBackward, &ReportPreview::firstPage);
    addAction(QStringLiteral("actionPreviousPage"), QStringLiteral("Poprzednia strona"),
              QStyle::SP_MediaSeekBackward, &ReportPreview::previousPage);
    pageBox_ = new QSpinBox(toolBar_);
    pageBox_->setObjectName(QStringLiteral("pageBox"));
    pageBox_->setRange(1, 1);
    pageBox_->setKeyboardTracking(false);
    toolBar_->addWidget(pageBox_);
    connect(pageBox_, &QSpinBox::valueChanged, this, &ReportPreview::setCurrentPage);
    pageCountLabel_ = new QLabel(toolBar_);
    toolBar_->addWidget(pageCountLabel_);
    addAction(QStringLiteral("actionNextPage"), QStringLiteral("Następna strona"),
              QStyle::SP_MediaSeekForward, &ReportPreview::nextPage);
    addAction(QStringLiteral("actionLastPage"), QStringLiteral("Ostatnia strona"),
              QStyle::SP_MediaSkipForward, &ReportPreview::lastPage);
    toolBar_->addSeparator();
    addAction(QStringLiteral("actionZoomOut"), QStringLiteral("Pomniejsz"), QStyle::SP_ArrowDown,
              &ReportPreview::zoomOut);
    zoomLabel_ = new QLabel(toolBar_);
    toolBar_->addWidget(zoomLabel_);
    addAction(QStringLiteral("actionZoomIn"), QStringLiteral("Powiększ"), QStyle::SP_ArrowUp,
              &ReportPreview::zoomIn);
    addAction(QStringLiteral("actionFitWidth"), QStringLiteral("Dopasuj do szerokości"),
              QStyle::SP_TitleBarMaxButton, &ReportPreview::fitToWidth);
    addAction(QStringLiteral("actionFitPage"), QStringLiteral("Cała strona"),
              QStyle::SP_TitleBarNormalButton, &ReportPreview::fitToPage);
    toolBar_->addSeparator();
    QAction *print = addAction(QStringLiteral("actionPrint"), QStringLiteral("Drukuj"),
                               QStyle::SP_DialogSaveButton, &ReportPreview::printFromToolBar);
    print->setIcon(QIcon::fromTheme(QStringLiteral("document-print"), drawnPrinterIcon()));
    // Printing is reached without a mouse: by Tab, and by the desktop's print
    // key anywhere in the window.
    print->setShortcut(QKeySequence::Print);
    print->setShortcutContext(Qt::WindowShortcut);
    toolBar_->widgetForAction(print)->setFocusPolicy(Qt::TabFocus);
}

void ReportPreview::setDocument(Document document)
{
    document_ = std::move(document);
    printer_->setFullPage(true);
    printer_->setPageLayout(document_.layout);
    view_->updatePreview();
    view_->setCurrentPage(1);
    updateControls();
}

void ReportPreview::paintPreview(QPrinter *printer)
{
    if (document_.pageCount() > 0)
        DocumentOutput::paint(document_, *printer, 0, document_.pageCount() - 1);
}

void ReportPreview::updateControls()
{
    const int count = std::max(1, pageCount());
    const QSignalBlocker block(pageBox_);
    pageBox_->setRange(1, count);
    pageBox_->setValue(std::clamp(currentPage(), 1, count));
    pageCountLabel_->setText(QStringLiteral(" z %1 ").arg(count));
    zoomLabel_->setText(QStringLiteral(" %1% ").arg(zoomPercent()));
}

int ReportPreview::pageCount() const
{
    return document_.pageCount();
}

int ReportPreview::currentPage() const
{
    return view_->currentPage();
}

void ReportPreview::setCurrentPage(int page)
{
    const int target = std::clamp(page, 1, std::max(1, pageCount()));
    if (target == currentPage())
        return updateControls();
    view_->setCurrentPage(target);
    updateControls();
    emit currentPageChanged(target);
}

void ReportPreview::firstPage()
{
    setCurrentPage(1);
}

void ReportPreview::previousPage()
{
    setCurrentPage(currentPage() - 1);
}

void ReportPreview::nextPage()
{
    setCurrentPage(currentPage() + 1);
}

void ReportPreview::lastPage()
{
    setCurrentPage(pageCount());
}

int ReportPreview::zoomPercent() const
{
    return qRound(view_->zoomFactor() * 100);
}

void ReportPreview::setZoomPercent(int percent)
{
    view_->setZoomMode(QPrintPreviewWidget::CustomZoom);
    view_->setZoomFactor(std::clamp(percent, zoomSteps.front(), zoomSteps.back()) / 100.0);
    updateControls();
}

void ReportPreview::zoomIn()
{
    const int now = zoomPercent();
    for (int step : zoomSteps)
        if (step > now)
            return setZoomPercent(step);
}

void ReportPreview::zoomOut()
{
    const int now = zoomPercent();
    for (auto it = zoomSteps.rbegin(); it != zoomSteps.rend(); ++it)
        if (*it < now)
            return setZoomPercent(*it);
}

void ReportPreview::fitToWidth()
{
    view_->fitToWidth();
    updateControls();
}

void ReportPreview::fitToPage()
{
    view_->fitInView();
    updateControls();
}

QString ReportPreview::printerName() const
{
    return printerName_.isEmpty() ? printer_->printerName() : printerName_;
}

void ReportPreview::setPrinterName(const QString &name)
{
    printerName_ = name;
    printer_->setPrinterName(name);
    printer_->setPageLayout(document_.layout);
}

void ReportPreview::showTopOfFirstPage()
{
    setCurrentPage(1);
    // The zoom keeps the middle of the view in place, which leaves page 1
    // scrolled down to its middle.
    if (auto *view = view_->findChild<QGraphicsView *>()) {
        view->verticalScrollBar()->setValue(view->verticalScrollBar()->minimum());
        view->horizontalScrollBar()->setValue(view->horizontalScrollBar()->minimum());
    }
}

bool ReportPreview::print()
{
    if (!printerName_.isEmpty() && printer_->printerName() != printerName_)
        printer_->setPrinterName(printerName_);
    if (!PrintDialogSeam::exec(*printer_, this))
        return false;
    // A printer picked in the print dialog is the one chosen from now on.
    if (!printer_->printerName().isEmpty())
        printerName_ = printer_->printerName();
    DocumentOutput::print(document_, *printer_);
    // The dialog may have changed the paper; the preview keeps the report's.
    printer_->setPageLayout(document_.layout);
    return true;
}

void ReportPreview::printFromToolBar()
{
    // The toolbar has no caller to hand an error to.
    try {
        print();
    } catch (const RuntimeError &e) {
        ui::MsgBox(QString::number(e.Number()) + u' ' + e.Description(), ui::vbExclamation,
                   QStringLiteral("Drukowanie"));
    }
}

void ReportPreview::exportPdf(const QString &path) const
{
    DocumentOutput::writePdf(document_, path);
}

} // namespace report
