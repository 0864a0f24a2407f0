#pragma once

#include <QLatin1StringView>
#include <QObject>
#include <QString>
#include <QStringList>

// Tells the windows that keep pick lists that a dictionary table may have
// changed. A register raises it when it closes; a window that fills a pick
// list from that table refills it. Registers sit below the windows that use
// their tables, so they announce the change instead of reaching up.
class DictionaryEvents : public QObject
{
    Q_OBJECT

public:
    static DictionaryEvents &Instance()
    {
        static DictionaryEvents events;
        return events;
    }

    // The tables announced, by the names the registers give them; a window
    // compares what it hears with these.
    static constexpr QLatin1StringView Vets{"Lekarz"};
    static constexpr QLatin1StringView TestMethod{"Kierunek"};
    static constexpr QLatin1StringView Tissues{"Tkanka"};
    static constexpr QLatin1StringView SampleDescriptions{"OpisProbki"};
    static constexpr QLatin1StringView SampleRemarks{"UwagiProbka"};
    static constexpr QLatin1StringView BatchRemarks{"UwagiPartia"};
    static constexpr QLatin1StringView AuthorisedBy{"Autoryzowal"};
    static constexpr QLatin1StringView Performers{"Wykonujacy"};
    static constexpr QLatin1StringView Responsible{"Odpowiedzialny"};
    static constexpr QLatin1StringView Scales{"Waga"};
    static constexpr QLatin1StringView Thermometers{"Termometr"};
    static constexpr QLatin1StringView Stirrers{"Mieszadlo"};
    static constexpr QLatin1StringView Trichinoscopes{"Trychinoskop"};
    static constexpr QLatin1StringView AcidSeries{"HCLseria"};
    static constexpr QLatin1StringView PepsinSeries{"PepsynaSeria"};
    static constexpr QLatin1StringView Sieves{"Sito"};

    // The laboratory equipment lists, which share one window.
    static QStringList Equipment()
    {
        return {Scales, Thermometers, Stirrers, Trichinoscopes, AcidSeries, PepsinSeries, Sieves};
    }

    // `table` is one of the names above.
    void Announce(const QString &table) { emit TableChanged(table); }

signals:
    void TableChanged(const QString &table);

private:
    DictionaryEvents() = default;
};
