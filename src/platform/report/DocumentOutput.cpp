#include "DocumentOutput.h"

#include "ReportError.h"
#include "Units.h"

#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>

namespace report
{

bool DocumentOutput::paint(const Document &document, QPagedPaintDevice &device, int first, int last)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    for (int i = first; i <= last; ++i) {
        if (i > first && !device.newPage())
            return false;
        document.paintPage(i, painter, device);
    }
    return painter.end();
}

void DocumentOutput::writePdf(const Document &document, const QString &path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw ReportError::cannotWrite(path, file.errorString());
    {
        QPdfWriter writer(&file);
        writer.setResolution(int(units::dotsPerInch));
        writer.setPageLayout(document.layout);
        writer.setTitle(document.title);
        if (!paint(document, writer, 0, document.pageCount() - 1)) {
            file.cancelWriting();
            throw ReportError::cannotWrite(path, QStringLiteral("błąd tworzenia PDF"));
        }
    }
    if (!file.commit())
        throw ReportError::cannotWrite(path, file.errorString());
}

void DocumentOutput::print(const Document &document, QPrinter &printer)
{
    printer.setFullPage(true);
    printer.setPageLayout(document.layout);
    printer.setDocName(document.title);
    int first = 0;
    int last = document.pageCount() - 1;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = std::max(first, printer.fromPage() - 1);
        last = std::min(last, std::max(printer.toPage(), printer.fromPage()) - 1);
    }
    if (first > last)
        return;
    if (!paint(document, printer, first, last))
        throw ReportError::printFailed(printer.printerName());
}

} // namespace report
