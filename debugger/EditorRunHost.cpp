#include "debugger/EditorRunHost.h"

#include "debugger/DebugScreen.h"
#include "debugger/ExecutionControl.h"
#include "debugger/WatchWindow.h"
#include "editor/EditorWindow.h"
#include "editor/StatementHighlight.h"
#include "platform/widgets/UserDialogs.h"
#include "screen/widgets/ExecutionScreenPort.h"

#include <QApplication>

namespace korvelin {

EditorRunHost::EditorRunHost() {
    sinceEvents_.start();
}

void EditorRunHost::attach(EditorWindow& editor, ExecutionControl& control, DebugScreen& debugScreen,
                           ExecutionScreenPort& screen, UserDialogs& dialogs) {
    editor_ = &editor;
    control_ = &control;
    debugScreen_ = &debugScreen;
    screen_ = &screen;
    dialogs_ = &dialogs;
}

std::u16string EditorRunHost::programText() {
    editor_->rememberPreparedText();
    return editor_->programText();
}

std::u16string EditorRunHost::directText() {
    return {}; // the interpreter appends the debug screen's lines itself
}

bool EditorRunHost::loadProgramFile(const std::u16string& path) {
    return editor_->loadProgramFile(QString::fromStdU16String(path));
}

void EditorRunHost::placeEditorCaret(std::int32_t offset) {
    editor_->placeCaret(offset);
    editor_->markStop(offset, StopMark::Error);
}

void EditorRunHost::showLineNumber(std::int32_t lineNumber) {
    // Called before every statement: passed on with the next event pass.
    lineNumber_ = lineNumber;
}

void EditorRunHost::passLineNumber() {
    if (lineNumber_ < 0) return;
    editor_->showLineNumber(lineNumber_);
    lineNumber_ = -1;
}

void EditorRunHost::setBusyPointer(bool busy) {
    if (busy == busy_) return;
    busy_ = busy;
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void EditorRunHost::runStopped(RunStop stop) {
    passLineNumber();
    control_->runStopped(stop);
}

void EditorRunHost::closeEditor() {
    editor_->close();
}

void EditorRunHost::showErrorBox(const std::u16string& text) {
    QString message = QString::fromStdU16String(text);
    message.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    // What the program drew last shows behind its error message.
    screen_->refresh();
    QWidget* parent = editor_->isVisible() ? static_cast<QWidget*>(editor_) : screen_->window();
    // An error of a typed line shows where it was typed, not behind that window.
    if (control_->directLineActive() && debugScreen_->isVisible()) parent = debugScreen_;
    dialogs_->message(parent, QMessageBox::Warning, message);
}

void EditorRunHost::showWarningBox(const std::u16string& text) {
    screen_->refresh();
    QWidget* parent = editor_->isVisible() ? static_cast<QWidget*>(editor_) : screen_->window();
    dialogs_->message(parent, QMessageBox::Warning, QString::fromStdU16String(text));
}

void EditorRunHost::processEvents() {
    // Called after every statement: most calls only count.
    if (++callsSinceClock_ < callsPerClockReading) return;
    callsSinceClock_ = 0;
    if (sinceEvents_.elapsed() < eventIntervalMs) return;
    passLineNumber();
    screen_->refresh();
    QApplication::processEvents();
    sinceEvents_.restart();
}

void EditorRunHost::waitForEvents() {
    passLineNumber();
    editor_->flushLineNumber();
    screen_->refresh();
    QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    sinceEvents_.restart();
}

void EditorRunHost::showInputBox() {
    screen_->showInputBox();
    if (control_->endRequested()) screen_->setInputBoxTag(InputBoxTag::Forced);
}

InputBoxTag EditorRunHost::inputBoxTag() {
    return screen_->inputBoxTag();
}

void EditorRunHost::hideInputBox() {
    screen_->hideInputBox();
}

void EditorRunHost::keysWanted(std::u16string& keyBuffer, std::size_t count) {
    (void)count;
    if (keyBuffer.empty()) screen_->keyPollEmpty();
}

void EditorRunHost::showDirectOutput(const std::u16string& text, bool lineEnded) {
    debugScreen_->writeOutput(QString::fromStdU16String(text), lineEnded);
}

bool EditorRunHost::hasWatches() {
    return watches_ && watches_->hasWatches();
}

int EditorRunHost::checkWatches() {
    return watches_->CheckWatches();
}

void EditorRunHost::showWatch(int index) {
    watches_->showWatch(index);
}

void EditorRunHost::compileWatches() {
    if (watches_) watches_->CompileWatches();
}

} // namespace korvelin
