#pragma once

#include "ProgramState.h"
#include "TableData.h"
#include "TemporaryDrives.h"
#include "foundation/Schema.h"
#include "platform/ui/ScriptedUi.h"

#include <QList>
#include <QString>
#include <QStringList>

// A workstation of its own for one test: a ready-made installation in a
// temporary drives folder, made by the installer, and the program's shared
// state reset before and after.
class MainWindowFixture : public TableData
{
public:
    explicit MainWindowFixture(bool install = true);

    bool IsValid() const { return valid_; }
    const QString &Problem() const { return problem_; }
    QString Real(const QString &windowsPath) const;
    bool Exists(const QString &windowsPath) const;

    // Opens the installation's dictionary database (a handle of the test's own).
    dao::Database OpenStale() const;
    dao::Database Open(const QString &windowsPath) const;
    dao::Database Create(const QString &windowsPath) const;

    // The path of the month database of a date, and its year folder made.
    QString MonthPath(const QDate &date) const;

    static void CreateTable(dao::Database &db, const QString &name, const QList<FieldSpec> &fields);
    // The month table's fields without the named ones, in table order.
    static QList<FieldSpec> MonthFieldsWithout(const QString &table, const QStringList &left);
    // "Field:type:size" for every field of the table, in table order.
    static QStringList Shape(dao::Database &db, const QString &table);
    // The searches of the sample and run windows that would read a whole
    // table of the month database at the real path instead of going through an
    // index, each with the step of its plan that does so.
    static QStringList FullScans(const QString &realPath);

    // Closes the shared databases, forgets every window and empties the
    // program-wide values.
    static void ResetProgramState() { ProgramState::Reset(); }

    // The sign-in of the installation's administrator, as a scripted window.
    static ui::ScriptedUi::WindowAction SignIn(const QString &login, const QString &password);
    static ui::ScriptedUi::WindowAction SignIn() { return SignIn(Login, Password); }

    // An alarm box that must come next, with its text, caption, delay and
    // close button.
    static ui::ScriptedUi::WindowAction Alarm(const QString &text, const QString &caption,
                                              int delaySeconds, bool closeButton);

    static inline const QString Login = QStringLiteral("admin");
    static inline const QString Password = QStringLiteral("haslo1");

private:
    TemporaryDrives drives_;
    bool valid_ = false;
    QString problem_;
};
