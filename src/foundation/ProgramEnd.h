#pragma once

// Ends the program at once, as the old End statement did: the shared
// databases are closed and the process exits without running any more of the
// caller's code. While a ProgramEndRecorder exists (tests), the end is only
// recorded and the call returns; callers return right after it.
void EndProgram();

class ProgramEndRecorder
{
public:
    ProgramEndRecorder();
    ~ProgramEndRecorder();
    ProgramEndRecorder(const ProgramEndRecorder &) = delete;
    ProgramEndRecorder &operator=(const ProgramEndRecorder &) = delete;

    bool Ended() const { return count_ > 0; }
    int Count() const { return count_; }

    static ProgramEndRecorder *Active();
    void Record() { ++count_; }

private:
    int count_ = 0;
    ProgramEndRecorder *previous_;
};
