#include "platform/fs/TextFileReader.h"

#include "platform/fs/Cp1250.h"
#include "platform/fs/DriveMap.h"
#include "platform/fs/FsErrors.h"

#include <QFile>
#include <QFileInfo>

namespace fs
{

QStringList TextFileReader::ReadLines(const QString &path)
{
    const QString real = DriveMap::ToReal(path);
    const QFileInfo info(real);
    if (!info.exists()) {
        throw FsError(QFileInfo(info.absolutePath()).isDir() ? ErrFileNotFound : ErrPathNotFound);
    }
    QFile file(real);
    if (info.isDir() || !file.open(QIODevice::ReadOnly)) {
        throw FsError(ErrPathFileAccess);
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        throw FsError(ErrPathFileAccess);
    }
    return SplitLines(Cp1250::Decode(bytes));
}

QStringList TextFileReader::SplitLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n') {
            continue;
        }
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < size && text[i + 1] == u'\n') {
            ++i;
        }
        start = i + 1;
    }
    if (start < size) {
        lines.append(text.mid(start));
    }
    return lines;
}

} // namespace fs
