#include "reports/ClabHosts.h"

#include "foundation/InitApplication.h"
#include "foundation/TextProcedures.h"
#include "platform/fs/TextFileReader.h"

#include <QRegularExpression>
#include <QUrl>

namespace
{

const QString ConfigurationFile = QStringLiteral("T:\\mervasklab.ini");

// The host an address names, in small letters and without the trailing dot
// of a fully qualified name: "https://user@Host.Example.:8080/path",
// "https:host.example" and "host.example" all give "host.example".
QString hostOf(const QString &address)
{
    QString rest = address.trimmed();
    // A scheme, with or without the slashes; "host:443" is a port.
    static const QRegularExpression scheme(
        QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*:(?![0-9]+(?:[/\\\\?#]|$))"));
    rest.remove(scheme);
    while (rest.startsWith(u'/') || rest.startsWith(u'\\'))
        rest.remove(0, 1);
    static const QRegularExpression pathStart(QStringLiteral("[/\\\\?#]"));
    const qsizetype path = rest.indexOf(pathStart);
    if (path >= 0)
        rest.truncate(path);
    rest = rest.mid(rest.lastIndexOf(u'@') + 1);
    if (!rest.startsWith(u'[')) {
        const qsizetype port = rest.indexOf(u':');
        if (port >= 0)
            rest.truncate(port);
    }
    rest = QUrl::fromPercentEncoding(rest.toUtf8());
    while (rest.endsWith(u'.'))
        rest.chop(1);
    // The form the name is looked up in: small letters, and dots of other
    // scripts as full stops.
    QUrl normal;
    normal.setHost(rest);
    return normal.host().isEmpty() ? rest.toLower() : normal.host();
}

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
    // installer writes one until the laboratory sets its own. Whatever form
    // the address takes (with or without a scheme, in capitals, with the
    // root's trailing dot), a host in that domain is never a real server.
    const QString host = hostOf(address);
    return host == QLatin1String("invalid") || host.endsWith(QLatin1String(".invalid"));
}

QString ClabHosts::MissingKeyText(const QStringList &keys)
{
    const QString file = QStringLiteral(" w pliku ") + ConfigurationFile + u'!';
    if (keys.size() == 1) {
        return QStringLiteral("Brak adresu serwera CLab") + file +
               QStringLiteral("\rUzupełnij klucz ") + keys.front() +
               QStringLiteral(" i uruchom eksport ponownie.");
    }
    QString named = keys.mid(0, keys.size() - 1).join(QStringLiteral(", "));
    named += QStringLiteral(" i ") + keys.back();
    return QStringLiteral("Brak adresów serwera CLab") + file +
           QStringLiteral("\rUzupełnij klucze ") + named +
           QStringLiteral(", a potem uruchom eksport ponownie.");
}
