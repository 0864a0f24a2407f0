#include "MemorySource.h"

#include "platform/report/DocumentOutput.h"
#include "platform/report/PrintDialogSeam.h"
#include "platform/report/Report.h"
#include "platform/report/ReportError.h"
#include "platform/report/ReportPreview.h"

#include <QAction>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QStyle>
#include <QTemporaryDir>
#include <QtTest>

using report::Document;
using report::PrintDialogSeam;

namespace
{

// A three-page list with Polish letters in headings, values and page footers.
Document threePages()
{
    MemorySource source;
    auto &t = source.table("Zaklad", {"IdRzezni", "Nazwa"});
    for (int i = 1; i <= 130; ++i)
        t.rows.append({QStringLiteral("Z%1").arg(i, 3, 10, QLatin1Char('0')),
                       QStringLiteral("Zakład Mięsny Łódź-Żółkiewskiego %1").arg(i)});
    report::Report r(definitionOf(R"({
      "title": "Lista zakładów",
      "tables": ["Zaklad"],
      "header": [ { "text": "LISTA ZAKŁADÓW", "font": { "size": 14, "bold": true } } ],
      "detail": { "table": "Zaklad", "font": { "size": 11 },
        "columns": [ { "title": "Nr WNI", "value": "{Zaklad.IdRzezni}" },
                     { "title": "Nazwa", "value": "{Zaklad.Nazwa}", "width": 4 } ] },
      "pageFooter": [ { "text": "Strona {#Page} z {#Pages}", "align": "right" } ] })"));
    Document doc = r.render(source);
    return doc;
}

// The text of a PDF as a reader extracts it; one entry per page.
QStringList pdfPages(const QString &path)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"),
            {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path, QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return {};
    QStringList pages = QString::fromUtf8(p.readAllStandardOutput()).split(u'\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

bool havePdfToText()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
}

} // namespace

// Where a laid-out report goes: a PDF file whose text can be read back, the
// printer through the print dialog, and the preview's paging and zoom.
class tst_ReportOutput : public QObject
{
    Q_OBJECT

private slots:
    void init() { PrintDialogSeam::beginScript(); }
    void cleanup() { PrintDialogSeam::endScript(); }

    void pdfHoldsTheTextWithPolishLetters();
    void pdfToAnUnwritablePlaceIsAnError();
    void printingThroughTheDialog();
    void cancelledOrUnansweredDialog();
    void printingAPageRange();
    void previewPagesAndZoom();
    void printButtonShowsAPrinter();
};

void tst_ReportOutput::pdfHoldsTheTextWithPolishLetters()
{
    if (!havePdfToText())
        QSKIP("pdftotext (poppler-utils) is not installed");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("lista.pdf"));
    const Document doc = threePages();
    QCOMPARE(doc.pageCount(), 3);
    report::DocumentOutput::writePdf(doc, path);
    const QStringList pages = pdfPages(path);
    QCOMPARE(pages.size(), 3);
    QVERIFY(pages[0].contains(QStringLiteral("LISTA ZAKŁADÓW")));
    QVERIFY(pages[0].contains(QStringLiteral("Zakład Mięsny Łódź-Żółkiewskiego 1")));
    QVERIFY(pages[2].contains(QStringLiteral("Zakład Mięsny Łódź-Żółkiewskiego 130")));
    for (int p = 0; p < 3; ++p) {
        QVERIFY(pages[p].contains(QStringLiteral("Nr WNI")));
        QVERIFY(pages[p].contains(QStringLiteral("Strona %1 z 3").arg(p + 1)));
    }
}

void tst_ReportOutput::pdfToAnUnwritablePlaceIsAnError()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("brak/folderu/wynik.pdf"));
    try {
        report::DocumentOutput::writePdf(threePages(), path);
        QFAIL("written");
    } catch (const RuntimeError &e) {
        QCOMPARE(e.Number(), report::err::PathFileAccess);
        QVERIFY(e.Description().contains(path));
    }
    QVERIFY(!QFile::exists(path));
}

void tst_ReportOutput::printingThroughTheDialog()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("wydruk.pdf"));
    report::ReportPreview preview;
    preview.setDocument(threePages());
    PrintDialogSeam::queueAccept([&](QPrinter &printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
    });
    QVERIFY(preview.print());
    QCOMPARE(PrintDialogSeam::shownCount(), 1);
    QVERIFY(QFile::exists(path));
    if (havePdfToText()) {
        const QStringList pages = pdfPages(path);
        QCOMPARE(pages.size(), 3);
        QVERIFY(pages[1].contains(QStringLiteral("Strona 2 z 3")));
    }
}

void tst_ReportOutput::cancelledOrUnansweredDialog()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("wydruk.pdf"));
    report::ReportPreview preview;
    preview.setDocument(threePages());
    preview.printer().setOutputFormat(QPrinter::PdfFormat);
    preview.printer().setOutputFileName(path);
    PrintDialogSeam::queueCancel();
    QVERIFY(!preview.print());
    QVERIFY(!QFile::exists(path));
    try {
        preview.print();
        QFAIL("printed without an answer");
    } catch (const RuntimeError &e) {
        QCOMPARE(e.Number(), report::err::NoPrintAnswer);
    }
    QCOMPARE(PrintDialogSeam::shownCount(), 2);
    QVERIFY(!QFile::exists(path));
}

void tst_ReportOutput::printingAPageRange()
{
    if (!havePdfToText())
        QSKIP("pdftotext (poppler-utils) is not installed");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("strona2.pdf"));
    report::ReportPreview preview;
    preview.setDocument(threePages());
    PrintDialogSeam::queueAccept([&](QPrinter &printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        printer.setPrintRange(QPrinter::PageRange);
        printer.setFromTo(2, 2);
    });
    QVERIFY(preview.print());
    const QStringList pages = pdfPages(path);
    QCOMPARE(pages.size(), 1);
    QVERIFY(pages[0].contains(QStringLiteral("Strona 2 z 3")));
}

void tst_ReportOutput::previewPagesAndZoom()
{
    report::ReportPreview preview;
    preview.resize(800, 600);
    preview.setDocument(threePages());
    QCOMPARE(preview.pageCount(), 3);
    QCOMPARE(preview.currentPage(), 1);

    auto trigger = [&](const char *name) {
        QAction *action = preview.findChild<QAction *>(QLatin1String(name));
        QVERIFY2(action, name);
        action->trigger();
    };
    trigger("actionNextPage");
    QCOMPARE(preview.currentPage(), 2);
    trigger("actionLastPage");
    QCOMPARE(preview.currentPage(), 3);
    trigger("actionNextPage");
    QCOMPARE(preview.currentPage(), 3);
    trigger("actionPreviousPage");
    QCOMPARE(preview.currentPage(), 2);
    trigger("actionFirstPage");
    QCOMPARE(preview.currentPage(), 1);
    preview.setCurrentPage(9);
    QCOMPARE(preview.currentPage(), 3);

    preview.setZoomPercent(87);
    QCOMPARE(preview.zoomPercent(), 87);
    trigger("actionZoomIn");
    QCOMPARE(preview.zoomPercent(), 100);
    trigger("actionZoomOut");
    trigger("actionZoomOut");
    QCOMPARE(preview.zoomPercent(), 75);
    preview.setZoomPercent(5000);
    QCOMPARE(preview.zoomPercent(), 400);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("podglad.pdf"));
    preview.exportPdf(path);
    QFile pdf(path);
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QVERIFY(pdf.read(5) == "%PDF-");
}

// The print command shows the desktop's printer icon, or a printer drawn by
// the register where the desktop's theme has none; never the save icon.
void tst_ReportOutput::printButtonShowsAPrinter()
{
    report::ReportPreview preview;
    const QAction *print = preview.findChild<QAction *>(QStringLiteral("actionPrint"));
    QVERIFY(print);
    const QImage shown = print->icon().pixmap(32, 32).toImage();
    QVERIFY(!shown.isNull());
    const QImage save =
        preview.style()->standardIcon(QStyle::SP_DialogSaveButton).pixmap(32, 32).toImage();
    QVERIFY(shown != save);
    if (QIcon::hasThemeIcon(QStringLiteral("document-print")))
        QCOMPARE(print->icon().name(), QStringLiteral("document-print"));
}

QTEST_MAIN(tst_ReportOutput)
#include "tst_ReportOutput.moc"
