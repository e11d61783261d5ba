#pragma once
// Start, break, resume and end of a run, direct lines of the debug screen,
// and the menus and run buttons that follow the state of the run:
//
//   state    | exec/start | halt | stop | resume | call
//   Idle     | on         | off  | off  | off    | off
//   Running  | off        | on   | on   | off    | off
//   Break    | off        | on   | off  | on     | on
//
// The interpreter runs inside the command that started it; window events
// reach it only through its pending event, between statements.

#include "editor/RunCommands.h"
#include "platform/RunHost.h"

#include <QObject>
#include <QString>

#include <string>

namespace korvelin {

class DebugScreen;
class EditorWindow;
class ExecutionScreenPort;
class Interpreter;
class UserDialogs;

class ExecutionControl : public QObject, public RunCommands {
    Q_OBJECT
  public:
    ExecutionControl(Interpreter& interpreter, EditorWindow& editor, DebugScreen& debugScreen,
                     ExecutionScreenPort& screen, UserDialogs& dialogs);

    void StartRun() override;
    void BreakRun() override;
    void ResumeRun() override;
    void EndRun() override;
    void showDebugScreen() override;
    void resetInterpreter() override;
    bool runLoopActive() const override { return runDepth_ > 0; }

    // Executes one line typed in the debug screen.
    void ExecuteDirectLine(const QString& line);
    // The run loop has ended or stopped at a break.
    void runStopped(RunStop stop);

    // The end command was given during the current run. An INPUT that
    // starts after it (the command can arrive while INPUT finishes its
    // statement) must not wait for a line.
    bool endRequested() const { return endRequested_; }

    // The state as the menus show it.
    RunState runState() const;
    // The text appended behind the program for a direct line.
    const std::u16string& directText() const { return directText_; }

  private:
    void runFrom(int slot);
    void showRunningState();
    void showIdleState();
    void appendDirectText(std::u16string text);

    Interpreter& in_;
    EditorWindow& editor_;
    DebugScreen& debugScreen_;
    ExecutionScreenPort& screen_;
    UserDialogs& dialogs_;
    std::u16string directText_;
    int runDepth_ = 0;
    bool endRequested_ = false;
};

} // namespace korvelin
