#pragma once

#include "foundation/Schema.h"
#include "platform/db/Database.h"

#include <QString>
#include <QTemporaryDir>

#include <optional>

// A drives folder of its own in a temporary directory, mapped while it
// lives, with the program's shared state reset when it is made and when it
// goes. The file dialogs can be given the same mapping.
class TemporaryDrives
{
public:
    enum FileDialogs { DialogsUnmapped, DialogsMapped };

    explicit TemporaryDrives(FileDialogs dialogs = DialogsUnmapped);
    ~TemporaryDrives();
    TemporaryDrives(const TemporaryDrives &) = delete;
    TemporaryDrives &operator=(const TemporaryDrives &) = delete;

    bool IsValid() const { return dir_.isValid(); }
    QString Path() const { return dir_.path(); }

    // Makes a ready-made installation here; empty when it was made, otherwise
    // why not.
    QString Install(const QString &login, const QString &password) const;

    static QString Real(const QString &windowsPath);
    static dao::Database Open(const QString &windowsPath);
    // A new database, its folder made first, with the tables of the kind.
    static dao::Database Create(const QString &windowsPath,
                                std::optional<Schema::DatabaseKind> kind = std::nullopt);

private:
    QTemporaryDir dir_;
    FileDialogs dialogs_;
};
