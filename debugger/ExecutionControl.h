#pragma once
// The menus and run buttons that follow the state of a run, for start,
// break, resume, end and the direct lines of the debug screen (the
// interpreter carries these out):
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
    bool runLoopActive() const override;

    // Executes one line typed in the debug screen.
    void ExecuteDirectLine(const QString& line);
    // The run loop has ended or stopped at a break.
    void runStopped(RunStop stop);

    // The end command was given during the current run. An INPUT that
    // starts after it (the command can arrive while INPUT finishes its
    // statement) must not wait for a line.
    bool endRequested() const;
    // A line of the debug screen is being prepared or run: its messages
    // belong in front of the debug screen.
    bool directLineActive() const { return directLineActive_; }

    // The state as the menus show it.
    RunState runState() const;

  private:
    void showRunningState();
    void showIdleState();
    void markBreakLine();

    Interpreter& in_;
    EditorWindow& editor_;
    DebugScreen& debugScreen_;
    ExecutionScreenPort& screen_;
    UserDialogs& dialogs_;
    bool directLineActive_ = false;
};

} // namespace korvelin
