#include "reports/ClabHosts.h"

#include "foundation/InitApplication.h"
#include "foundation/TextProcedures.h"
#include "platform/fs/TextFileReader.h"

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
            return value.trimmed();
    }
    return QString();
}

QString ClabHosts::MissingKeyText(const QString &key)
{
    return QStringLiteral("Brak adresu serwera CLab w pliku ") + ConfigurationFile +
           QStringLiteral("!\rUzupełnij klucz ") + key +
           QStringLiteral(" i uruchom eksport ponownie.");
}
