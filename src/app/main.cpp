#include "foundation/Messages.h"
#include "mainwindow/aMain.h"
#include "platform/fs/DriveMap.h"
#include "platform/ui/Application.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/QtTranslation.h"
#include "platform/ui/WindowFit.h"
#include "platform/ui/WindowRegistry.h"

int main(int argc, char *argv[])
{
    ui::Application app(argc, argv);
    app.setApplicationName(QStringLiteral("MervaskLab"));
    ui::InstallQtTranslation();
    // An error that no handler of a window traps is reported and the program
    // goes on.
    app.SetReporter([](const RuntimeError &error) {
        ShowError(QStringLiteral("Powiadom programistę!"), error);
    });
    // File dialogs show real folders and hand the register its own paths.
    ui::FileDialog::SetPathMapping(fs::DriveMap::ToReal, fs::DriveMap::ToWindows);
    aMain &window = ui::WindowRegistry::Instance<aMain>();
    window.Start();
    ui::FitOnScreen(window);
    window.show();
    return app.exec();
}
