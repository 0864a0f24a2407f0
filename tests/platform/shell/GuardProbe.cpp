// Runs the single-instance guard with the drives folder of $MERVASKLAB_DRIVES and
// prints "primary" (then "activated" when signalled) or "secondary".
#include "platform/shell/SingleInstanceGuard.h"

#include <QCoreApplication>
#include <QTimer>
#include <cstdio>

namespace
{

constexpr int kExitSecondary = 3;
constexpr int kExitUnsignalled = 9;
constexpr int kGiveUpMs = 60000;

void Say(const char *text)
{
    std::printf("%s\n", text);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    shell::SingleInstanceGuard guard;
    if (!guard.TryToRun()) {
        Say("secondary");
        return kExitSecondary;
    }
    QObject::connect(&guard, &shell::SingleInstanceGuard::activationRequested, &app, [] {
        Say("activated");
        QCoreApplication::exit(0);
    });
    QTimer::singleShot(kGiveUpMs, &app, [] { QCoreApplication::exit(kExitUnsignalled); });
    Say("primary");
    return QCoreApplication::exec();
}
