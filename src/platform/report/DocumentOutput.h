#pragma once

#include "Document.h"

#include <QString>

class QPrinter;
class QPagedPaintDevice;

namespace report
{

// Sends a laid-out document to a PDF file or a printer.
class DocumentOutput
{
public:
    // Writes the whole document; the file appears only when it is complete.
    // Throws RuntimeError 75 when the file cannot be written.
    static void writePdf(const Document &document, const QString &path);
    // Prints the pages the printer's range asks for (all by default).
    // Throws RuntimeError (err::PrintFailed) when the printer cannot start.
    static void print(const Document &document, QPrinter &printer);
    // Draws pages first..last (0-based) on an open paged device.
    static bool paint(const Document &document, QPagedPaintDevice &device, int first, int last);
};

} // namespace report
