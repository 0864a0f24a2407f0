#pragma once

#include <QString>
#include <QStringList>

namespace shell
{

// Window styles of the old shell call; accepted for the record and ignored.
enum WindowStyle {
    vbHide = 0,
    vbNormalFocus = 1,
    vbMinimizedFocus = 2,
    vbMaximizedFocus = 3,
    vbNormalNoFocus = 4,
    vbMinimizedNoFocus = 6,
};

// Starts outside programs with an argument list (never a shell command line).
// The program is a Windows path ("C:\MervaskLab\7za.exe", mapped through the
// drive map), a real path, or a bare name looked up on PATH. Arguments are passed
// as they are: a caller maps the paths it passes. While a ShellRecorder exists,
// starts are recorded (and run only when the recorder passes them through).
class Shell
{
public:
    // Starts the program and does not wait; true when it started. A working
    // folder (a real path) is where the program starts; without one it
    // starts in the program's own.
    static bool Start(const QString &program, const QStringList &arguments,
                      WindowStyle style = vbNormalFocus, const QString &workingFolder = {});

    // Starts the program, waits for it to end and returns its exit code (-1 when
    // it crashed). A program that cannot be found raises 53, one that cannot be
    // started 75.
    static int RunAndWait(const QString &program, const QStringList &arguments,
                          WindowStyle style = vbNormalFocus);

    // Opens a web page in the desktop's browser (xdg-open); true when handed over.
    static bool OpenUrl(const QString &url);

    // The real file of a program, or "" when there is none.
    static QString ResolveProgram(const QString &program);
};

} // namespace shell
