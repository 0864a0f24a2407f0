#include "Installer.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

// mervasklab-setup --drives DIR --login L --password P
// Exit codes: 0 installed, 1 an installation exists already, 2 bad arguments,
// 3 the installation failed (nothing was installed).
int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("mervasklab-setup"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Creates the ready-made installation of the laboratory register."));
    parser.addHelpOption();
    const QCommandLineOption drives(QStringLiteral("drives"),
                                    QStringLiteral("Drives folder (default: $MERVASKLAB_DRIVES or "
                                                   "~/.local/share/mervasklab/drives)."),
                                    QStringLiteral("DIR"));
    const QCommandLineOption login(QStringLiteral("login"),
                                   QStringLiteral("Login of the administrator account."),
                                   QStringLiteral("L"));
    const QCommandLineOption password(QStringLiteral("password"),
                                      QStringLiteral("Its password, 3 to 10 characters."),
                                      QStringLiteral("P"));
    parser.addOptions({drives, login, password});
    parser.process(app);

    QTextStream err(stderr);
    if (!parser.positionalArguments().isEmpty() || !parser.isSet(login) ||
        !parser.isSet(password)) {
        err << parser.helpText();
        return Installer::InvalidOptions;
    }

    Installer installer({parser.value(drives), parser.value(login), parser.value(password)});
    const Installer::Result result = installer.Run();
    QTextStream(result == Installer::Installed ? stdout : stderr) << installer.Message() << '\n';
    return result;
}
