#include "reports/ClabHosts.h"

#include "foundation/InitApplication.h"
#include "foundation/TextProcedures.h"
#include "platform/fs/TextFileReader.h"

#include <QUrl>

namespace
{

const QString ConfigurationFile = QStringLiteral("T:\\mervasklab.ini");

} // namespace

QString ClabHosts::Read(const QString &key)
{
    for (const QString &line : fs::TextFileReader::ReadLines(ConfigurationFile)) {
        QString name = line;
        QString value;
        QString separator = QStringLiteral("=");
        SplitKeyValue(name, value, separator, 0);
        if (UpperCaseKeepLength(TrimBlanks(name)) == key)
            return IsPlaceholder(value.trimmed()) ? QString() : value.trimmed();
    }
    return QString();
}

bool ClabHosts::IsPlaceholder(const QString &address)
{
    // The name "invalid" is reserved for addresses that lead nowhere; the
    // installer writes one until the laboratory sets its own.
    const QString host = QUrl(address).host().toLower();
    return host == QLatin1String("invalid") || host.endsWith(QLatin1String(".invalid"));
}

QString ClabHosts::MissingKeyText(const QString &key)
{
    return QStringLiteral("Brak adresu serwera CLab w pliku ") + ConfigurationFile +
           QStringLiteral("!\rUzupełnij klucz ") + key +
           QStringLiteral(" i uruchom eksport ponownie.");
}
