// The debugging menu: watches and the call history live in the debugger,
// which the editor reaches through its debug commands.

#include "editor/EditorWindow.h"

#include "editor/DebugCommands.h"

namespace korvelin {

// --- watches and call history ---

void EditorWindow::menu_wadd_Click() {
    if (debugCommands_) debugCommands_->AddWatch();
}

void EditorWindow::menu_wdelete_Click() {
    if (debugCommands_) debugCommands_->showWatchWindow();
}

void EditorWindow::menu_wedit_Click() {
    if (debugCommands_) debugCommands_->showWatchWindow();
}

void EditorWindow::menu_call_Click() {
    if (debugCommands_) debugCommands_->ShowCallHistory();
}

} // namespace korvelin
