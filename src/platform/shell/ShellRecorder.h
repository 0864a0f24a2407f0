#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace shell
{

// Test seam: while an object of this class exists, Shell records every start
// instead of running it (or, with PassThrough, records and runs it). Scripted
// outcomes are used in order; without one, a start succeeds with exit code 0.
class ShellRecorder
{
public:
    enum class Mode { RecordOnly, PassThrough };

    struct Call {
        QString program;
        QStringList arguments;
        bool waited = false;
        QString workingFolder; // "" when the program starts in its own
    };

    explicit ShellRecorder(Mode mode = Mode::RecordOnly);
    ~ShellRecorder();
    ShellRecorder(const ShellRecorder &) = delete;
    ShellRecorder &operator=(const ShellRecorder &) = delete;

    // The exit code of the next waited run (record-only mode).
    void QueueExitCode(int code);
    // The next start fails: Start returns false, RunAndWait raises 75.
    void QueueStartFailure();

    const QList<Call> &Calls() const { return calls_; }
    void Clear() { calls_.clear(); }

    // Used by Shell.
    static ShellRecorder *Current();
    Mode RecordingMode() const { return mode_; }
    struct Outcome {
        bool started = true;
        int exitCode = 0;
    };
    Outcome Record(const QString &program, const QStringList &arguments, bool waited,
                   const QString &workingFolder = {});

private:
    Mode mode_;
    QList<Call> calls_;
    QList<Outcome> script_;
    ShellRecorder *previous_;
};

} // namespace shell
