#include "debugger/DebugTools.h"

#include "debugger/CallHistory.h"
#include "devices/ProgramFile.h"
#include "editor/EditorWindow.h"
#include "editor/ProgramEditor.h"
#include "interpreter/Interpreter.h"
#include "platform/widgets/UserDialogs.h"

#include <QTextBlock>

namespace korvelin {

DebugTools::DebugTools(Interpreter& interpreter, EditorWindow& editor, UserDialogs& dialogs)
    : watchWindow(interpreter, dialogs, &editor), interpreter_(interpreter), editor_(editor),
      dialogs_(dialogs) {
    editor_.setDebugCommands(this);
}

void DebugTools::showWatchWindow() {
    watchWindow.show();
    watchWindow.raise();
    watchWindow.activateWindow();
}

void DebugTools::ShowCallHistory() {
    CallHistoryWindow window(
        callHistoryRows(interpreter_), [this](int offset, int length) { selectStatement(offset, length); },
        &editor_);
    if (callHistoryPosition_) window.move(*callHistoryPosition_);
    dialogs_.showModal(window);
    callHistoryPosition_ = window.pos();
}

void DebugTools::selectStatement(int crlfOffset, int length) {
    ProgramEditor& box = *editor_.RichTextBox1;
    const QString text = box.toPlainText();
    // A statement after ":" keeps the blank before it; the selection does not.
    int from = documentPosition(text, crlfOffset);
    while (from < text.size() && text[from] == QLatin1Char(' ') && length > 0) {
        ++from;
        --length;
    }
    QTextCursor cursor = box.textCursor();
    cursor.setPosition(from);
    // The statement ends with its line at the latest.
    const QTextBlock block = cursor.block();
    const int lineEnd = block.position() + block.length() - 1;
    cursor.setPosition(std::clamp(from + length, from, std::max(from, lineEnd)), QTextCursor::KeepAnchor);
    box.setTextCursor(cursor);
    box.ensureCursorVisible();
}

} // namespace korvelin
