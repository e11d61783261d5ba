#pragma once
// What the interpreter keeps about the runs the windows start: how many run
// loops are active (a direct line may not start inside one), whether the
// end command came during the current run, and, while a line typed in the
// debug screen runs, the break it was typed at.

#include <cstdint>

namespace korvelin {

// The break context a direct line puts back when it returns to the break.
struct SavedBreak {
    int loopTop = -1;
    int skipLevel = -1;
    int controlTop = -1;
    std::int32_t topEntry = 0;
};

// The program's tables before a direct line was appended behind them.
struct ProgramExtent {
    int firstStatement = -1;
    int lastStatement = -1;
    std::int32_t highestKey = 0;
    int statementCount = 0;
    int labelCount = 0;
    int dataCount = 0;
};

struct DirectLineRun {
    bool active = false;       // the run loop runs a direct line
    bool breakActive = false;  // it was typed while the program was at a break
    bool failed = false;       // one of its own statements raised an error
    int firstAppendedSlot = 0; // the never-executed END in front of it
    SavedBreak saved;
};

struct RunSession {
    int depth = 0;             // run loops active, one inside another
    bool endRequested = false; // the end command came during the current run
    DirectLineRun directLine;
};

} // namespace korvelin
