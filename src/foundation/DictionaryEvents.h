#pragma once

#include <QObject>
#include <QString>

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

    // `table` as the register names it ("Tkanka", "Lekarz", "Wykonujacy", ...).
    void Announce(const QString &table) { emit TableChanged(table); }

signals:
    void TableChanged(const QString &table);

private:
    DictionaryEvents() = default;
};
