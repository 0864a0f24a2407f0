#pragma once

namespace ui
{

// The busy pointer over the whole application while a long task runs. Show
// sets it once however often it is called; Restore, or the end of the
// object, takes it back. Without a GUI application both do nothing.
class WaitPointer
{
public:
    WaitPointer() = default;
    ~WaitPointer();
    WaitPointer(const WaitPointer &) = delete;
    WaitPointer &operator=(const WaitPointer &) = delete;

    void Show();
    void Restore();

private:
    bool shown_ = false;
};

} // namespace ui
