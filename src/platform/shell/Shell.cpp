#include "platform/shell/Shell.h"

#include "platform/fs/DriveMap.h"
#include "platform/fs/FsErrors.h"
#include "platform/shell/ShellRecorder.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace shell
{

namespace
{

bool IsExecutableFile(const QString &path)
{
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable();
}

} // namespace

QString Shell::ResolveProgram(const QString &program)
{
    if (program.isEmpty()) {
        return QString();
    }
    const bool isPath = program.contains(u'/') || program.contains(u'\\') ||
                        (program.size() >= 2 && program[1] == u':');
    if (!isPath) {
        return QStandardPaths::findExecutable(program);
    }
    const QString real = fs::DriveMap::ToReal(program);
    return IsExecutableFile(real) ? real : QString();
}

bool Shell::Start(const QString &program, const QStringList &arguments, WindowStyle,
                  const QString &workingFolder)
{
    if (ShellRecorder *recorder = ShellRecorder::Current()) {
        const auto outcome = recorder->Record(program, arguments, false, workingFolder);
        if (recorder->RecordingMode() == ShellRecorder::Mode::RecordOnly) {
            return outcome.started;
        }
    }
    const QString real = ResolveProgram(program);
    if (real.isEmpty()) {
        return false;
    }
    QProcess process;
    process.setProgram(real);
    process.setArguments(arguments);
    process.setStandardInputFile(QProcess::nullDevice());
    if (!workingFolder.isEmpty())
        process.setWorkingDirectory(workingFolder);
    return process.startDetached();
}

int Shell::RunAndWait(const QString &program, const QStringList &arguments, WindowStyle)
{
    if (ShellRecorder *recorder = ShellRecorder::Current()) {
        const auto outcome = recorder->Record(program, arguments, true);
        if (recorder->RecordingMode() == ShellRecorder::Mode::RecordOnly) {
            if (!outcome.started) {
                throw fs::FsError(fs::ErrPathFileAccess);
            }
            return outcome.exitCode;
        }
    }
    const QString real = ResolveProgram(program);
    if (real.isEmpty()) {
        throw fs::FsError(fs::ErrFileNotFound);
    }
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(real, arguments);
    if (!process.waitForStarted(-1)) {
        throw fs::FsError(fs::ErrPathFileAccess);
    }
    process.waitForFinished(-1);
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

bool Shell::OpenUrl(const QString &url)
{
    // Not awaited: with some browsers the opener stays until the browser ends.
    return Start(QStringLiteral("xdg-open"), {url});
}

} // namespace shell
