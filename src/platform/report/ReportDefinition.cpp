#include "ReportDefinition.h"

#include "DefinitionParser.h"
#include "ReportError.h"

#include <QFile>
#include <QFileInfo>

namespace report
{

ReportDefinition ReportDefinition::load(const QString &path)
{
    QFileInfo info(path);
    if (!info.exists())
        throw ReportError::missingDefinition(path);
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        throw ReportError::unreadableDefinition(path, file.errorString());
    return parse(file.readAll(), path);
}

ReportDefinition ReportDefinition::parse(const QByteArray &text, const QString &path)
{
    return DefinitionParser(path).parse(text);
}

QString ReportDefinition::declaredTable(const QString &name) const
{
    for (const QString &t : tables)
        if (t.compare(name, Qt::CaseInsensitive) == 0)
            return t;
    return QString();
}

} // namespace report
