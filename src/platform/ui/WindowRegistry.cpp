#include "WindowRegistry.h"

#include <QCoreApplication>
#include <QPointer>

#include <utility>
#include <vector>

namespace ui
{

namespace
{

struct Entry {
    std::type_index type;
    QPointer<QWidget> window;
};

std::vector<Entry> &Entries()
{
    static std::vector<Entry> entries;
    return entries;
}

// Windows must go before the application object does; its destructor runs
// the post routines while the widgets are still alive.
void EnsureCleanupAtExit()
{
    static QCoreApplication *registeredFor = nullptr;
    if (registeredFor != QCoreApplication::instance()) {
        registeredFor = QCoreApplication::instance();
        qAddPostRoutine(&WindowRegistry::Reset);
    }
}

} // namespace

QWidget *WindowRegistry::Find(std::type_index type)
{
    for (const Entry &entry : Entries()) {
        if (entry.type == type)
            return entry.window.data();
    }
    return nullptr;
}

void WindowRegistry::Add(std::type_index type, QWidget *window)
{
    EnsureCleanupAtExit();
    auto &entries = Entries();
    // A window deleted behind the registry's back leaves an empty entry.
    std::erase_if(entries, [type](const Entry &entry) { return entry.type == type; });
    entries.push_back({type, window});
}

void WindowRegistry::Reset()
{
    // Taken out first: a window's destructor may still ask for another one.
    std::vector<Entry> entries = std::exchange(Entries(), {});
    for (auto it = entries.rbegin(); it != entries.rend(); ++it)
        delete it->window.data();
}

} // namespace ui
