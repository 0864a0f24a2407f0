#pragma once

#include "Document.h"

#include <QWidget>

#include <memory>

class QAction;
class QLabel;
class QPrintPreviewWidget;
class QPrinter;
class QSpinBox;
class QToolBar;

namespace report
{

// The viewer of the preview window: the pages of a report, paging, zoom,
// printing through the desktop's print dialog and export to a PDF file.
class ReportPreview : public QWidget
{
    Q_OBJECT

public:
    explicit ReportPreview(QWidget *parent = nullptr);
    ~ReportPreview() override;

    void setDocument(Document document);
    const Document &document() const { return document_; }
    // The printer that printing uses; a "choose printer" button of the window
    // may set it up beforehand.
    QPrinter &printer() { return *printer_; }
    // The printer chosen for printing; "" for the system's default.
    QString printerName() const;
    void setPrinterName(const QString &name);

    int pageCount() const;
    int currentPage() const; // 1-based
    void setCurrentPage(int page);
    void firstPage();
    void previousPage();
    void nextPage();
    void lastPage();

    int zoomPercent() const;
    void setZoomPercent(int percent);
    void zoomIn();
    void zoomOut();
    void fitToWidth();
    void fitToPage();
    // Page 1 from its top edge, at the zoom in force.
    void showTopOfFirstPage();

    // Shows the print dialog; prints and returns true when it is confirmed.
    // Throws RuntimeError when the printer fails.
    bool print();
    // Throws RuntimeError 75 when the file cannot be written.
    void exportPdf(const QString &path) const;

signals:
    void currentPageChanged(int page);

private:
    Document document_;
    std::unique_ptr<QPrinter> printer_;
    QString printerName_;
    QToolBar *toolBar_ = nullptr;
    QPrintPreviewWidget *view_ = nullptr;
    QSpinBox *pageBox_ = nullptr;
    QLabel *pageCountLabel_ = nullptr;
    QLabel *zoomLabel_ = nullptr;

    void buildToolBar();
    QAction *addAction(const QString &name, const QString &text, int icon,
                       void (ReportPreview::*slot)());
    void printFromToolBar();
    void paintPreview(QPrinter *printer);
    void updateControls();
};

} // namespace report
