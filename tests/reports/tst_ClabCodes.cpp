#include "reports/ClabCodes.h"

#include <QtTest>

using Mapping = QString (*)(const QString &, const ClabCodes::Warning &);
Q_DECLARE_METATYPE(Mapping)

// Every code table of the central laboratory, entry by entry, with the
// names the register really holds and the warnings for unknown ones.
class tst_ClabCodes : public QObject
{
    Q_OBJECT

private slots:
    void names_data()
    {
        QTest::addColumn<Mapping>("mapping");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("warning");
        const Mapping tissue = &ClabCodes::TkankaCLab;
        const Mapping species = &ClabCodes::GatunekCLab;
        const Mapping sex = &ClabCodes::PlecCLab;
        const QString report = QStringLiteral("\rZgłoś problem do informatyka WIW.");
        const auto row = [](const char *tag, Mapping m, const QString &name, const char *code,
                            const QString &warning = {}) {
            QTest::newRow(tag) << m << name << QString::fromLatin1(code) << warning;
        };

        row("tissue capital F", tissue, "Filary przepony", "187001");
        row("tissue costal", tissue, "część żebrowa przepony", "187001");
        row("tissue sternal, capitals", tissue, "CZĘŚĆ MOSTKOWA PRZEPONY", "187001");
        row("tissue jaw", tissue, "mięśnie żuchwowe", "187001");
        row("tissue tongue", tissue, "Mięśnie języka", "187001");
        row("tissue belly", tissue, "mięśnie brzuszne", "187001");
        row("tissue other", tissue, "inne", "507001");
        row("tissue two blanks", tissue, "filary  przepony", "187001",
            "Proba wysłania do CBD tkanki: filary  przepony" + report);
        row("tissue empty", tissue, "", "187001", "Proba wysłania do CBD tkanki: " + report);

        row("species cattle", species, "bydło", "65001");
        row("species cattle plain", species, "Bydlo", "65001");
        row("species sheep", species, "owce", "452001");
        row("species goats", species, "kozy", "455001");
        row("species pigs", species, "Świnie", "66001");
        row("species pig capitals", species, "ŚWINIA", "66001");
        row("species horses", species, "koniowate", "305001");
        row("species dogs", species, "psy", "322001");
        row("species cats", species, "koty", "306001");
        row("species wild boar", species, "dziki", "",
            QStringLiteral("Proba wysłania do CBD gatunku: dziki"));
        row("species empty", species, "", "", QStringLiteral("Proba wysłania do CBD gatunku: "));

        const char *const female[] = {"krowa", "jałówka", "owca",  "koza",    "klacz", "suka",
                                      "kotka", "samica",  "Locha", "Maciora", "prosię"};
        for (const char *name : female)
            row(name, sex, QString::fromUtf8(name), "272001");
        const char *const male[] = {"buhaj",    "baran",    "kozioł", "Knur",      "ogier",
                                    "Wałach",   "pies",     "kot",    "samiec",    "tucznik",
                                    "warchlak", "wieprzek", "dzik",   "świniodzik"};
        for (const char *name : male)
            row(name, sex, QString::fromUtf8(name), "271001");
        // The sex must not pass unnoticed when it is in neither list.
        row("sex female word", sex, "żeńska", "271001",
            "Proba wysłania do CBD płci: żeńska" + report);
        row("sex empty", sex, "", "271001", "Proba wysłania do CBD płci: " + report);
    }

    void names()
    {
        QFETCH(Mapping, mapping);
        QFETCH(QString, name);
        QFETCH(QString, code);
        QFETCH(QString, warning);
        QStringList warnings;
        QCOMPARE(mapping(name, [&](const QString &text) { warnings << text; }), code);
        QCOMPARE(warnings, warning.isNull() ? QStringList() : QStringList{warning});
    }

    void places_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("byKind");
        QTest::addColumn<QString>("byName");
        QTest::newRow("slaughterhouse kind") << "Ubojnia zwierząt rzeźnych"
                                             << "X"
                                             << "526001"
                                             << "";
        QTest::newRow("abattoir kind, any name") << "rzeźnia"
                                                 << "Zakład Ubojowy"
                                                 << "901001"
                                                 << "538001";
        QTest::newRow("meat plant kind") << "zakład mięsny"
                                         << ""
                                         << "538001"
                                         << "";
        QTest::newRow("rendering kind") << "zakład utylizacyjny"
                                        << ""
                                        << "707001"
                                        << "";
        QTest::newRow("farm kind") << "gospodarstwo (ferma)"
                                   << ""
                                   << "1001"
                                   << "";
        // The register's own kinds are not in the table; the name decides.
        QTest::newRow("register kind, abattoir name") << "zakład ubojowy"
                                                      << "Ubojnia X"
                                                      << ""
                                                      << "526001";
        QTest::newRow("accented abattoir") << ""
                                           << "UBÓJ Sp. z o.o."
                                           << ""
                                           << "526001";
        QTest::newRow("last match wins") << ""
                                         << "Zakład Ubojowy"
                                         << ""
                                         << "538001";
        QTest::newRow("rendering name") << ""
                                        << "SARIA sp."
                                        << ""
                                        << "707001";
        QTest::newRow("farm name") << ""
                                   << "Gospodarstwo rolne"
                                   << ""
                                   << "1001";
        QTest::newRow("farm after abattoir") << ""
                                             << "Ubojnia i gospodarstwo"
                                             << ""
                                             << "1001";
        QTest::newRow("nothing") << "osoba prywatna"
                                 << "Jan Nowak"
                                 << ""
                                 << "";
    }

    void places()
    {
        QFETCH(QString, kind);
        QFETCH(QString, name);
        QFETCH(QString, byKind);
        QFETCH(QString, byName);
        QCOMPARE(ClabCodes::PlaceByKindCLab(kind), byKind);
        QCOMPARE(ClabCodes::PlaceByNameCLab(name), byName);
    }

    void results_data()
    {
        QTest::addColumn<QString>("wynik");
        QTest::addColumn<QString>("code");
        QTest::newRow("negative") << "nie stwierdzono"
                                  << "32001";
        QTest::newRow("negative short") << "ujemny"
                                        << "32001";
        QTest::newRow("positive") << "stwierdzono"
                                  << "31001";
        QTest::newRow("positive short") << "dodatni"
                                        << "31001";
        QTest::newRow("capital N stays") << "Nie stwierdzono"
                                         << "Nie stwierdzono";
        QTest::newRow("other stays") << "odstąpienie"
                                     << "odstąpienie";
        QTest::newRow("empty") << ""
                               << "";
    }

    void results()
    {
        QFETCH(QString, wynik);
        QFETCH(QString, code);
        QCOMPARE(ClabCodes::ResultCLab(wynik), code);
    }
};

QTEST_GUILESS_MAIN(tst_ClabCodes)
#include "tst_ClabCodes.moc"
