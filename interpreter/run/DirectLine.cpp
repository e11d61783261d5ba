// The runs the windows start besides a program's own: a line typed in the
// debug screen, run behind the program with its variables and returning to
// the break it was typed at, and the break, resume and end commands.

#include "interpreter/statements/Statements.h"
#include "values/InterpreterError.h"

namespace korvelin {

namespace {

std::u16string decimal(std::int32_t n) {
    std::u16string text;
    for (char c : std::to_string(n))
        text += static_cast<char16_t>(c);
    return text;
}

} // namespace

void Interpreter::restoreExtent(const ProgramExtent& extent) {
    statements.firstStatement = extent.firstStatement;
    statements.highestKey = extent.highestKey;
    statements.statementCount = extent.statementCount;
    statements.lastStatement = extent.lastStatement;
    if (extent.lastStatement >= 0) statements[extent.lastStatement].next = -1;
    labels.labelCount = extent.labelCount;
    data.dataCount = extent.dataCount;
    statements.chainChanged();
}

bool Interpreter::prepareDirectLine(std::u16string_view line) {
    const ProgramExtent extent{statements.firstStatement, statements.lastStatement, statements.highestKey,
                               statements.statementCount, labels.labelCount,        data.dataCount};
    // The typed statements follow an END that never runs, and two STOPs
    // follow them, all with keys above the program's.
    try {
        // Built piece by piece: GCC 12 warns wrongly about an overlap in
        // `"literal" + temporary` once it inlines the insert.
        std::u16string typed(1, u' ');
        typed += decimal(extent.highestKey / 100 + 1);
        typed += u" END:";
        typed += line;
        appendText(typed);
        std::u16string stops(1, u' ');
        stops += decimal(statements.highestKey / 100 + 1);
        stops += u" STOP:STOP";
        appendText(stops);
    } catch (const InterpreterError&) {
        // Reported. A typing mistake must not cost the program (perhaps
        // held at a break) its place or its variables.
        restoreExtent(extent);
        return false;
    }
    // Cut off from the program's chain, the appended slots keep their own
    // chain and count as direct statements: their keys are above highestKey.
    statements.highestKey = extent.highestKey;
    statements.statementCount = extent.statementCount;
    statements.lastStatement = extent.lastStatement;
    if (extent.lastStatement >= 0) statements[extent.lastStatement].next = -1;
    statements.chainChanged();

    DirectLineRun& direct = session.directLine;
    direct.firstAppendedSlot = extent.statementCount;
    direct.breakActive = events.pendingEvent == EventBreak;
    direct.failed = false;
    direct.saved = {loops.loopTop, loops.skipLevel, control.controlTop, control.empty() ? 0 : control.top()};
    return true;
}

void Interpreter::runDirectLine() {
    if (session.depth > 0) return;
    session.directLine.active = true;
    // The END in front of the typed statements never runs.
    runLoop(session.directLine.firstAppendedSlot + 1);
    session.directLine.active = false;
}

// The end of a direct line's run, when it returns to where the program
// was; false when the run ends as any run does (the line ended the program,
// or jumped into it and the program ended or broke there).
bool Interpreter::finishDirectLine() {
    DirectLineRun& direct = session.directLine;
    direct.active = false;
    const bool atAppendedStop = events.pendingEvent == EventBreak && !control.empty() &&
                                entrySlot(control.top()) >= direct.firstAppendedSlot;
    // An error of a typed statement is reported like the program's, but the
    // paused program stays resumable: losing it to a typo would lose work.
    const bool backToBreak = direct.breakActive && (atAppendedStop || direct.failed);
    if (backToBreak) {
        loops.loopTop = direct.saved.loopTop;
        loops.skipLevel = direct.saved.skipLevel;
        control.controlTop = direct.saved.controlTop;
        if (direct.saved.controlTop >= 0)
            control.entries[static_cast<std::size_t>(direct.saved.controlTop)] = direct.saved.topEntry;
        events.pendingEvent = EventBreak;
        host.runStopped(RunStop::Break);
        return true;
    }
    // A line typed while idle that ran to its end, or failed, leaves the
    // files it (or an earlier line) opened for the next typed line.
    if (!atAppendedStop && !direct.failed) return false;
    events.pendingEvent = 0;
    endRun(FilesAtEnd::KeepOpen);
    return true;
}

void Interpreter::requestBreak() {
    events.eventTarget[EventBreak] = -1;
    events.pendingEvent = EventBreak;
}

bool Interpreter::canResume() const {
    return events.pendingEvent >= EventBreak && !control.empty() && session.depth == 0;
}

void Interpreter::resumeRun() {
    if (!canResume()) return;
    const int slot = entrySlot(control.top());
    control.pop();
    runLoop(slot);
}

void Interpreter::requestEnd() {
    session.endRequested = session.depth > 0;
    events.eventTarget[EventEndRequest] = -1;
    events.pendingEvent = EventEndRequest;
    if (session.depth > 0) return; // the run loop ends the run after its statement
    // At a break no run loop is there to see the request: the program ends
    // here, as the run loop would have ended it.
    events.pendingEvent = 0;
    endRun();
}

} // namespace korvelin
