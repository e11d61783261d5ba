#pragma once
// The debugging menu's commands: the watch window and the call history,
// which the editor reaches through DebugCommands.

#include "debugger/WatchWindow.h"
#include "editor/DebugCommands.h"

#include <QPoint>

#include <optional>

namespace korvelin {

class EditorWindow;
class Interpreter;
class UserDialogs;

class DebugTools : public DebugCommands {
  public:
    DebugTools(Interpreter& interpreter, EditorWindow& editor, UserDialogs& dialogs);

    void AddWatch() override { watchWindow.AddWatch(); }
    void showWatchWindow() override;
    void ShowCallHistory() override;

    // Selects a calling statement in the editor (a CR LF offset of the
    // program text, as the error caret uses).

    WatchWindow watchWindow;

  private:
    Interpreter& interpreter_;
    EditorWindow& editor_;
    UserDialogs& dialogs_;
    std::optional<QPoint> callHistoryPosition_;
};

} // namespace korvelin
