#include "batches/BatchOrderFile.h"

#include "foundation/TextProcedures.h"
#include "platform/fs/FsErrors.h"
#include "platform/fs/TextFileReader.h"

namespace
{

const QString Separators = QStringLiteral("|||||");
constexpr QChar Separator = QLatin1Char('|');

} // namespace

BatchOrderFile BatchOrderFile::Read(const QString &path)
{
    return FromLines(fs::TextFileReader::ReadLines(path));
}

BatchOrderFile BatchOrderFile::FromLines(const QStringList &lines)
{
    BatchOrderFile file;
    const QString marker = QLatin1String(HeaderMarker);
    for (const QString &line : lines) {
        const QString prepared = TrimBlanks(line) + Separators;
        if (prepared.startsWith(marker)) {
            file.header_ = prepared;
            file.hasHeader_ = true;
            break;
        }
    }
    return file;
}

QString BatchOrderFile::HeaderField(int n) const
{
    const QVariant field = GetDelimitedField(header_, n, Separator);
    if (field.isValid())
        return field.toString();
    // The field would run from the last separator to beyond the line's end.
    if (n > 0 && header_.count(Separator) == n)
        throw fs::FsError(fs::ErrInvalidArgument);
    return QString();
}

QStringList BatchOrderFile::ClientFields() const
{
    QStringList fields;
    for (int n = 21; n <= 30; ++n)
        fields.append(HeaderField(n));
    return fields;
}

QString BatchOrderFile::UnregisteredClientNotice(const QStringList &clientFields)
{
    // Field n of the header is clientFields[n - 21].
    const auto f = [&clientFields](int n) { return clientFields.value(n - 21); };
    const QString indent(5, QLatin1Char(' '));
    const QChar cr = QLatin1Char('\r');
    return QStringLiteral("Wczytywany plik zawiera dane zleceniodawcy, który nie został jeszcze "
                          "zdefiniowany:") +
           cr + indent + f(21) + QLatin1Char('-') + f(23) + cr + indent + f(24) + QLatin1Char(' ') +
           f(25) + cr + indent + f(26) + QLatin1Char(' ') + f(27) + cr + indent +
           QStringLiteral("Tel.: ") + f(28) + QStringLiteral(", e-mail: ") + f(29) + cr + indent +
           QStringLiteral("Kod PIW: ") + f(30) + cr +
           QStringLiteral("Po kliknieciu Ok, dane zostaną automatycznie dopisane do bazy danych!");
}
