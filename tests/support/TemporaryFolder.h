#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>
#include <QTest>

// A temporary directory for the platform tests, its files named by paths
// relative to it. Header only: these tests do not link the system.
class TemporaryFolder
{
public:
    QString Path() const { return dir_.path(); }
    QString Real(const QString &relative) const { return dir_.path() + u'/' + relative; }

    // The file's bytes, or "(none)" when it cannot be read.
    QByteArray Read(const QString &relative) const
    {
        QFile file(Real(relative));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
    }

    // Writes the bytes, making the folders on the way.
    void Write(const QString &relative, const QByteArray &content) const
    {
        const QString path = Real(relative);
        QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

private:
    QTemporaryDir dir_;
};
