#include "foundation/Messages.h"
#include "mainwindow/aMain.h"
#include "platform/ui/Application.h"
#include "platform/ui/WindowRegistry.h"

int main(int argc, char *argv[])
{
    ui::Application app(argc, argv);
    app.setApplicationName(QStringLiteral("MervaskLab"));
    // An error that no handler of a window traps is reported and the program
    // goes on.
    app.SetReporter([](const RuntimeError &error) {
        ShowError(QStringLiteral("Powiadom programistę!"), error);
    });
    aMain &window = ui::WindowRegistry::Instance<aMain>();
    window.Form_Load();
    window.show();
    return app.exec();
}
