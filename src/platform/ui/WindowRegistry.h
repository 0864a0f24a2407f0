#pragma once

#include <QWidget>

#include <typeindex>
#include <typeinfo>

namespace ui
{

// The program-wide instances of the windows: each window class exists once,
// created on its first use (its constructor is its load) and destroyed at
// program end, newest first. Tests reset the registry between cases.
class WindowRegistry
{
public:
    template <class W> static W &Instance()
    {
        if (QWidget *window = Find(typeid(W)))
            return *static_cast<W *>(window);
        auto *window = new W();
        Add(typeid(W), window);
        return *window;
    }

    template <class W> static bool Exists() { return Find(typeid(W)) != nullptr; }

    // Destroys every window; the next use creates it anew.
    static void Reset();

private:
    static QWidget *Find(std::type_index type);
    static void Add(std::type_index type, QWidget *window);
};

} // namespace ui
