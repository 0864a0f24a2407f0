#pragma once

// The program-wide values that one test can leave behind for the next.
class ProgramState
{
public:
    // Forgets every window, closes the shared databases and empties the
    // program-wide values and the report of the preview.
    static void Reset();
};
