// The line-number tools as the editor's menu commands: sort, renumber and
// automatic numbering. Each rewrites the program text in one step that a
// single undo (Ctrl+Z) takes back, and resets the interpreter afterwards.

#include "editor/EditorWindow.h"

#include "editor/LineNumberTools.h"
#include "editor/ProgramEditor.h"
#include "editor/RenumberDialog.h"
#include "editor/RunCommands.h"
#include "interpreter/Interpreter.h"
#include "platform/widgets/UserDialogs.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QTextCursor>

namespace korvelin {

namespace {

constexpr int autoNumberButton = 20;

// The hourglass while a tool works, also when it fails.
class BusyPointer {
  public:
    BusyPointer() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { QApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

QString documentText(const std::u16string& crlfText) {
    QString text = QString::fromStdU16String(crlfText);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

} // namespace

void EditorWindow::replaceWholeText(const std::u16string& crlfText) {
    QTextCursor cursor(RichTextBox1->document());
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.insertText(documentText(crlfText));
    cursor.endEditBlock();
    QTextCursor caret = RichTextBox1->textCursor();
    caret.setPosition(0);
    RichTextBox1->setTextCursor(caret);
}

void EditorWindow::insertAtCrlf(std::int32_t offset, const std::u16string& text, std::int32_t caretOffset) {
    QTextCursor cursor(RichTextBox1->document());
    cursor.setPosition(documentPosition(RichTextBox1->toPlainText(), offset));
    cursor.insertText(documentText(text));
    cursor.setPosition(documentPosition(RichTextBox1->toPlainText(), caretOffset));
    RichTextBox1->setTextCursor(cursor);
    RichTextBox1->ensureCursorVisible();
}

void EditorWindow::applyLineTool(const LineToolResult& result) {
    switch (result.kind) {
    case LineToolResult::Kind::Unchanged: break;
    case LineToolResult::Kind::Changed: replaceWholeText(result.text); break;
    case LineToolResult::Kind::Failed:
        if (result.caretOffset >= 0) placeCaret(result.caretOffset);
        interpreter_.reportError(-1, result.errorNumber, {});
        break;
    }
}

void EditorWindow::menu_sort_Click() {
    // The run works on the prepared program; the text stays as it is meanwhile.
    if (programRunning()) return;
    {
        BusyPointer busy;
        applyLineTool(sortProgramLines(programText()));
    }
    if (runCommands_) runCommands_->resetInterpreter();
}

void EditorWindow::menu_renum_Click() {
    if (programRunning()) return;
    RenumberDialog dialog(this);
    const std::int32_t lowest = lowestLineNumber(programText());
    if (lowest > 0) dialog.Text2->setText(QString::number(lowest));
    dialogs_.showModal(dialog);
    if (dialog.result != QLatin1String("OK")) return;
    {
        BusyPointer busy;
        applyLineTool(renumberProgramLines(interpreter_.lexer, programText(), dialog.newNumber(),
                                           dialog.oldNumber(), dialog.step()));
    }
    if (runCommands_) runCommands_->resetInterpreter();
}

void EditorWindow::showAutoNumbering(bool on) {
    menuItem(QStringLiteral("menu_auto"))->setChecked(on);
    setButton(autoNumberButton,
              on ? QStringLiteral("行番号の自動生成(&A).A") : QStringLiteral("行番号の自動生成(&A)"),
              buttonEnabled(autoNumberButton));
}

void EditorWindow::menu_auto_Click() {
    // The check mark is this command's own state; a click on the checkable
    // item has toggled it already.
    if (state.autoNumbering) {
        state.autoNumbering = false;
        showAutoNumbering(false);
        return;
    }
    showAutoNumbering(false);
    if (programRunning()) return;
    RenumberDialog dialog(this);
    dialog.useForAutoNumbering();
    dialogs_.showModal(dialog);
    if (dialog.result != QLatin1String("OK")) return;
    {
        BusyPointer busy;
        LineToolResult failure;
        const std::optional<TextInsertion> insertion =
            startAutoNumbering(programText(), dialog.newNumber(), failure);
        if (insertion) {
            insertAtCrlf(insertion->offset, insertion->text, insertion->caretOffset);
            state.AutoNumberNext = dialog.newNumber();
            state.AutoNumberStep = dialog.step();
        } else {
            applyLineTool(failure);
        }
    }
    state.autoNumbering = true;
    showAutoNumbering(true);
    if (runCommands_) runCommands_->resetInterpreter();
}

bool EditorWindow::continueAutoNumbering() {
    if (!state.autoNumbering) return false;
    const std::int64_t next = static_cast<std::int64_t>(state.AutoNumberNext) + state.AutoNumberStep;
    // Beyond the highest line number Enter is an ordinary key again.
    if (next > 21474836) return false;
    const std::optional<TextInsertion> insertion = korvelin::continueAutoNumbering(
        programText(), caretCrlfOffset(), state.AutoNumberNext, static_cast<std::int32_t>(next));
    if (!insertion) return false;
    insertAtCrlf(insertion->offset, insertion->text, insertion->caretOffset);
    state.AutoNumberNext = static_cast<std::int32_t>(next);
    return true;
}

} // namespace korvelin
