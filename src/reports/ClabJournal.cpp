#include "reports/ClabJournal.h"

#include "platform/fs/DriveMap.h"
#include "platform/fs/FileSystemObject.h"
#include "platform/fs/TextFileReader.h"
#include "platform/fs/TextStream.h"

namespace
{

const QString Gap = QStringLiteral("      ");

} // namespace

QString ClabJournal::Line(const QDate &day, const QString &exportedFile, const QString &surname)
{
    return day.toString(QStringLiteral("dd.MM.yyyy")) + Gap + exportedFile + Gap + surname;
}

void ClabJournal::Append(const QString &line)
{
    fs::TextStream journal(fs::DriveMap::ToReal(Path), fs::TextStream::Mode::Append);
    journal.Write(line + QStringLiteral("\r\n"));
    journal.Close();
}

QString ClabJournal::Read()
{
    if (!fs::FileSystemObject::FileExists(Path))
        return QString();
    QString text;
    for (const QString &line : fs::TextFileReader::ReadLines(Path))
        text += line + QStringLiteral("\r\n");
    return text;
}
