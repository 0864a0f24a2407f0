#include "reports/ClabCodes.h"

#include "foundation/ResultWords.h"
#include <QStringList>

namespace
{

struct Code {
    QStringList names;
    const char *code;
};

const QString TissueDefault = QStringLiteral("187001");
const QString MaleCode = QStringLiteral("271001");

const Code Tissues[] = {
    {{QStringLiteral("filary przepony")}, "187001"},
    {{QStringLiteral("część żebrowa przepony")}, "187001"},
    {{QStringLiteral("część mostkowa przepony")}, "187001"},
    {{QStringLiteral("mięśnie żuchwowe")}, "187001"},
    {{QStringLiteral("mięśnie języka")}, "187001"},
    {{QStringLiteral("mięśnie brzuszne")}, "187001"},
    {{QStringLiteral("inne")}, "507001"},
};

const Code Species[] = {
    {{QStringLiteral("bydło"), QStringLiteral("bydlo")}, "65001"},
    {{QStringLiteral("owce")}, "452001"},
    {{QStringLiteral("kozy")}, "455001"},
    {{QStringLiteral("świnie"), QStringLiteral("świnia")}, "66001"},
    {{QStringLiteral("koniowate")}, "305001"},
    {{QStringLiteral("psy")}, "322001"},
    {{QStringLiteral("koty")}, "306001"},
};

const Code Sexes[] = {
    {{QStringLiteral("krowa"), QStringLiteral("jałówka"), QStringLiteral("owca"),
      QStringLiteral("koza"), QStringLiteral("klacz"), QStringLiteral("suka"),
      QStringLiteral("kotka"), QStringLiteral("samica"), QStringLiteral("locha"),
      QStringLiteral("maciora"), QStringLiteral("prosię")},
     "272001"},
    {{QStringLiteral("buhaj"), QStringLiteral("baran"), QStringLiteral("kozioł"),
      QStringLiteral("knur"), QStringLiteral("ogier"), QStringLiteral("wałach"),
      QStringLiteral("pies"), QStringLiteral("kot"), QStringLiteral("samiec"),
      QStringLiteral("tucznik"), QStringLiteral("warchlak"), QStringLiteral("wieprzek"),
      QStringLiteral("dzik"), QStringLiteral("świniodzik")},
     "271001"},
};

const Code PlaceKinds[] = {
    {{QStringLiteral("ubojnia zwierząt rzeźnych")}, "526001"},
    {{QStringLiteral("rzeźnia")}, "901001"},
    {{QStringLiteral("zakład mięsny")}, "538001"},
    {{QStringLiteral("zakład utylizacyjny")}, "707001"},
    {{QStringLiteral("gospodarstwo (ferma)")}, "1001"},
};

const Code PlaceNames[] = {
    {{QStringLiteral("uboj"), QStringLiteral("ubój")}, "526001"},
    {{QStringLiteral("zakład")}, "538001"},
    {{QStringLiteral("saria")}, "707001"},
    {{QStringLiteral("gospodarstwo")}, "1001"},
};

const Code Results[] = {
    {{ResultWords::NotFound, ResultWords::Negative}, "32001"},
    {{ResultWords::Found, ResultWords::Positive}, "31001"},
};

template <std::size_t N> const char *exactMatch(const Code (&table)[N], const QString &text)
{
    for (const Code &entry : table) {
        if (entry.names.contains(text))
            return entry.code;
    }
    return nullptr;
}

const QString Report = QStringLiteral("\rZgłoś problem do informatyka WIW.");

} // namespace

QString ClabCodes::TkankaCLab(const QString &name, const Warning &warn)
{
    if (const char *code = exactMatch(Tissues, name.toLower()))
        return QLatin1String(code);
    warn(QStringLiteral("Proba wysłania do CBD tkanki: ") + name + Report);
    return TissueDefault;
}

QString ClabCodes::GatunekCLab(const QString &name, const Warning &warn)
{
    if (const char *code = exactMatch(Species, name.toLower()))
        return QLatin1String(code);
    warn(QStringLiteral("Proba wysłania do CBD gatunku: ") + name);
    return QString();
}

QString ClabCodes::PlecCLab(const QString &name, const Warning &warn)
{
    if (const char *code = exactMatch(Sexes, name.toLower()))
        return QLatin1String(code);
    warn(QStringLiteral("Proba wysłania do CBD płci: ") + name + Report);
    return MaleCode;
}

QString ClabCodes::PlaceByKindCLab(const QString &kind)
{
    const char *code = exactMatch(PlaceKinds, kind.toLower());
    return code ? QString::fromLatin1(code) : QString();
}

QString ClabCodes::PlaceByNameCLab(const QString &name)
{
    const QString lower = name.toLower();
    QString result;
    for (const Code &entry : PlaceNames) {
        for (const QString &fragment : entry.names) {
            if (lower.contains(fragment))
                result = QLatin1String(entry.code);
        }
    }
    return result;
}

QString ClabCodes::ResultCLab(const QString &wynik)
{
    const char *code = exactMatch(Results, wynik);
    return code ? QString::fromLatin1(code) : wynik;
}
