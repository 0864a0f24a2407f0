#include "foundation/ConfigurationLine.h"

void SplitKeyValue(QString &line, QString &value, QString &separator, int maxKeyLength)
{
    if (line.isEmpty())
        return;
    const QString first = separator.isEmpty() ? QStringLiteral("=") : separator;
    QString used = first;
    qsizetype at = line.indexOf(first);
    for (const QString &fallback : {QStringLiteral("#"), QStringLiteral(";")}) {
        if (at >= 0)
            break;
        used = fallback;
        at = line.indexOf(fallback);
    }
    if (at >= 0) {
        value = line.mid(at + used.size());
        line = line.left(at);
        separator = used;
    } else {
        value.clear();
    }
    if (maxKeyLength > 0 && !line.isEmpty())
        line = line.left(maxKeyLength);
}
