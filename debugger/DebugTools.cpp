#include "debugger/DebugTools.h"

#include "debugger/CallHistory.h"
#include "devices/ProgramFile.h"
#include "editor/EditorWindow.h"
#include "editor/ProgramEditor.h"
#include "interpreter/Interpreter.h"
#include "platform/widgets/BringToFront.h"
#include "platform/widgets/UserDialogs.h"

#include <QTextBlock>

namespace korvelin {

DebugTools::DebugTools(Interpreter& interpreter, EditorWindow& editor, UserDialogs& dialogs)
    : watchWindow(interpreter, dialogs, &editor), interpreter_(interpreter), editor_(editor),
      dialogs_(dialogs) {
    editor_.setDebugCommands(this);
}

void DebugTools::showWatchWindow() {
    bringToFront(watchWindow);
}

void DebugTools::ShowCallHistory() {
    CallHistoryWindow window(
        callHistoryRows(interpreter_), [this](int offset) { editor_.placeCaret(offset); }, &editor_);
    if (callHistoryPosition_) window.move(*callHistoryPosition_);
    dialogs_.showModal(window);
    callHistoryPosition_ = window.pos();
}

} // namespace korvelin
