#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// The stored names of a zip archive as the system's unzip lists them, sorted.
inline QStringList ArchiveEntries(const QString &realPath)
{
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-Z1"), realPath});
    unzip.waitForFinished(-1);
    QStringList names = QString::fromUtf8(unzip.readAllStandardOutput()).split(u'\n');
    names.removeAll(QString());
    names.sort();
    return names;
}
