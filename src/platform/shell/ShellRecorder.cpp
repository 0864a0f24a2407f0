#include "platform/shell/ShellRecorder.h"

namespace shell
{

namespace
{
ShellRecorder *current = nullptr;
}

ShellRecorder::ShellRecorder(Mode mode) : mode_(mode), previous_(current)
{
    current = this;
}

ShellRecorder::~ShellRecorder()
{
    current = previous_;
}

void ShellRecorder::QueueExitCode(int code)
{
    script_.append(Outcome{true, code});
}

void ShellRecorder::QueueStartFailure()
{
    script_.append(Outcome{false, 0});
}

ShellRecorder *ShellRecorder::Current()
{
    return current;
}

ShellRecorder::Outcome ShellRecorder::Record(const QString &program, const QStringList &arguments,
                                             bool waited, const QString &workingFolder)
{
    calls_.append(Call{program, arguments, waited, workingFolder});
    return script_.isEmpty() ? Outcome{} : script_.takeFirst();
}

} // namespace shell
