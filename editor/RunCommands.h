#pragma once
// The run commands the editor's menus and toolbar reach: start, break,
// resume and end, and the debug screen. The execution control implements them.

namespace korvelin {

// The state of a run as the menus show it (the execution control switches
// them; debugger/ExecutionControl.h has the table of items per state).
enum class RunState { Idle, Running, Break };

class RunCommands {
  public:
    virtual ~RunCommands() = default;
    virtual void StartRun() = 0;
    virtual void BreakRun() = 0;
    virtual void ResumeRun() = 0;
    virtual void EndRun() = 0;
    virtual void showDebugScreen() = 0;
    // Resets the interpreter for a new or reloaded program; a program held
    // at a break is thereby ended and the menus return to idle.
    virtual void resetInterpreter() = 0;
    // Whether the run loop is executing (a program or a direct line).
    virtual bool runLoopActive() const = 0;
};

} // namespace korvelin
