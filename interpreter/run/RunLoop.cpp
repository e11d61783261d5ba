// The run loop: one statement slot after another, and after each one the
// pending event: a trap subroutine, a break, loading another program, or
// waiting for console input.

#include "interpreter/statements/Statements.h"
#include "values/InterpreterError.h"

namespace korvelin {

void Interpreter::waitForConsoleInput() {
    host.processEvents();
    while (!inputFinished(host.inputBoxTag()))
        host.waitForEvents();
}

void Interpreter::pushEventEntry(int cur) {
    try {
        control.push(events.pendingEvent * EntryScale + cur);
    } catch (const HostFailure&) {
        // No room for the return entry of an event: the run cannot go on
        // correctly, so it ends with the stack error instead.
        recordError(-1, ErrUnprintable);
        reportError(-1, ErrUnprintable, {});
        events.pendingEvent = NoEvent;
        throw;
    }
}

void Interpreter::runLoop(int startSlot) {
    if (session.depth == 0) session.endRequested = false;
    ++session.depth;
    runSlots(startSlot);
    --session.depth;
}

void Interpreter::runSlots(int startSlot) {
    int cur = startSlot;
    for (;;) {
        events.pendingEvent = NoEvent;
        while (cur >= 0) {
            StatementSlot& s = statements[cur];
            lexer.setText(&s.text);
            int jumped = 0;
            control.levelStatement[static_cast<std::size_t>(control.controlTop + 1)] =
                static_cast<std::int16_t>(cur);
            int next = s.next;
            executeStatement(cur, next, jumped);
            if (!jumped) cur = statements[cur].next;
            const int event = events.pendingEvent;
            if (event != NoEvent) {
                try {
                    pushEventEntry(cur);
                } catch (const HostFailure&) {
                    cur = -1;
                    break;
                }
                cur = event < EventCount ? events.eventTarget[static_cast<std::size_t>(event)] : -1;
                if (event < EventCount)
                    events.eventLevel[static_cast<std::size_t>(event)] =
                        static_cast<std::int16_t>(control.controlTop);
                if (isTrapEvent(event)) {
                    events.pendingEvent = NoEvent; // enter the trap subroutine
                    continue;
                }
                break; // break, load and input wait are handled below
            }
        }

        if (events.pendingEvent == EventLoad) {
            control.pop();
            const bool keepVariables = currentStatement == u"CHAIN ALL";
            // Only CHAIN ALL hands its open files to the next program.
            if (!keepVariables) finishFiles(FilesAtEnd::Close);
            if (!host.loadProgramFile(currentProgramPath) && !host.restartsAfterFailedLoad()) {
                events.pendingEvent = NoEvent;
                finishRun();
                return;
            }
            prepareProgram(keepVariables ? PrepareMode::ChainAll : PrepareMode::Full);
            cur = statements.firstStatement;
            if (chainStartLine != 0 && (currentStatement == u"CHAIN" || keepVariables)) {
                const std::int32_t key = static_cast<std::int32_t>(chainStartLine) * 100;
                cur = -1;
                for (int slot = statements.firstStatement; slot >= 0; slot = statements[slot].next) {
                    if (statements[slot].key == key) {
                        cur = slot;
                        break;
                    }
                }
            }
            continue;
        }
        if (events.pendingEvent == EventInputWait) {
            waitForConsoleInput();
            cur = entrySlot(control.top());
            control.pop();
            if (host.inputBoxTag() != InputBoxTag::Forced) continue;
            host.hideInputBox();
            events.pendingEvent = NoEvent;
        }
        finishRun();
        return;
    }
}

// What the host refuses while the files are written out is reported: no
// statement is left to trap it.
void Interpreter::finishFiles(FilesAtEnd filesAtEnd) {
    try {
        if (filesAtEnd == FilesAtEnd::Close)
            files.closeAll();
        else
            files.flushAll();
    } catch (const HostFailure& failure) {
        const int number = mapHostFailure(failure.kind());
        recordError(-1, number);
        reportError(-1, number, {});
    }
}

void Interpreter::finishRun() {
    if (session.directLine.active && finishDirectLine()) return;
    if (events.pendingEvent == EventBreak) {
        // The break entry, the open loops and the variables stay for
        // resuming; the files stay open, but what was written reaches the disk.
        finishFiles(FilesAtEnd::KeepOpen);
        host.runStopped(RunStop::Break);
        return;
    }
    endRun();
}

void Interpreter::endRun(FilesAtEnd filesAtEnd) {
    // Every file is written out and closed, so nothing written is lost and
    // the next run finds every number free.
    finishFiles(filesAtEnd);
    control.controlTop = -1;
    loops.loopTop = -1;
    loops.skipLevel = -1;
    host.runStopped(RunStop::Ended);
    if (startMode == StartMode::CloseWhenRunEnds) {
        // The user closed the editor during the run.
        startMode = StartMode::Interactive;
        host.closeEditor();
    }
}

} // namespace korvelin
