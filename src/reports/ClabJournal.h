#pragma once

#include <QDate>
#include <QString>

// The export journal T:\DziennikCLAB.log, shared by every workstation: one
// Windows-1250 line per export, CR LF ended, only ever appended.
class ClabJournal
{
public:
    static inline const QString Path = QStringLiteral("T:\\DziennikCLAB.log");

    // "dd.mm.yyyy", six blanks, the exported file, six blanks, the operator.
    static QString Line(const QDate &day, const QString &exportedFile, const QString &surname);
    // Appends one line in a single write, so that lines of several
    // workstations never interleave; the first append creates the file.
    static void Append(const QString &line);
    // The whole journal, each line followed by CR LF; "" when there is none.
    static QString Read();
};
