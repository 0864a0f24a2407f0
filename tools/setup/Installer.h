#pragma once

#include <QByteArray>
#include <QString>

// Makes the ready-made installation that the register expects to find, in a
// drives folder (one folder per drive letter):
//
//   c/MervaskLab/               C:\MervaskLab, the program folder
//       mervasklab.ini          STALE, RAPORTY and ROBOT folders
//       Dane/Stale.mdb          dictionaries with their seed rows and one
//                               administrator account
//       Dane/Robot.mdb          the report staging tables
//       Raporty/                the report definitions
//       Eksport/ Archiwum/      exports and backups
//       7za.exe                 a link to the system's 7za
//   t -> c/MervaskLab           T:\, the data drive of a single workstation
//
// Everything is built in a temporary folder inside the drives folder and moved
// into place only when complete. An existing installation is never touched.
class Installer
{
public:
    struct Options {
        QString drivesFolder; // empty: the drive map's drives folder
        QString login;        // the administrator's login
        QString password;     // and password, 3 to 10 characters
    };

    enum Result { Installed = 0, AlreadyInstalled = 1, InvalidOptions = 2, Failed = 3 };

    explicit Installer(Options options);

    Result Run();
    // What Run did or why it refused, for the person who ran it.
    const QString &Message() const { return message_; }

    // The exact bytes of T:\mervasklab.ini: Windows-1250, CR LF line ends.
    static QByteArray IniBytes();
    // The archiver that C:\MervaskLab\7za.exe links to.
    static QString SevenZipTarget();

    static constexpr auto ProgramFolderName = "MervaskLab";
    static constexpr auto AdministratorName = "Administrator";

private:
    bool CheckOptions();
    bool AlreadyThere() const;
    void BuildProgramFolder(const QString &folder);
    void CreateStale(const QString &path) const;
    void CreateRobot(const QString &path) const;
    void AddAdministrator(const QString &stalePath) const;
    int CopyReports(const QString &folder) const;
    void MoveIntoPlace(const QString &builtFolder) const;

    Options options_;
    QString drives_;
    QString message_;
    int reportCount_ = 0;
};
