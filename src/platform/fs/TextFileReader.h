#pragma once

#include <QString>
#include <QStringList>

namespace fs
{

// Reads single-byte Windows-1250 text files line by line. A line ends at CR LF,
// a lone CR or a lone LF; a last line without a line end is a line too, and
// blank lines are kept.
class TextFileReader
{
public:
    // The lines of a file given by its Windows (or real) path. A missing file
    // raises 53, a missing folder 76, an unreadable file 75.
    static QStringList ReadLines(const QString &path);

    static QStringList SplitLines(const QString &text);
};

} // namespace fs
