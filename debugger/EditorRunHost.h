#pragma once
// The windows as the interpreter sees them: the editor's text and caret,
// the line indicator, the execution control's end-of-run steps, message
// boxes, the event loop (cheap when asked very often), the execution
// screen's input box and the debug screen's output.

#include "platform/RunHost.h"

#include <QElapsedTimer>

namespace korvelin {

class DebugScreen;
class EditorWindow;
class ExecutionControl;
class ExecutionScreenPort;
class UserDialogs;
class WatchWindow;

class EditorRunHost : public RunHost {
  public:
    // Pending window events run at most this often during a run.
    static constexpr int eventIntervalMs = 16;
    // Reading the clock costs more than most statements, so it is read
    // only every so many calls; even slow statements (a PRINT that
    // scrolls the page) leave the windows answering within a tenth of a
    // second.
    static constexpr int callsPerClockReading = 32;

    EditorRunHost();
    void attach(EditorWindow& editor, ExecutionControl& control, DebugScreen& debugScreen,
                ExecutionScreenPort& screen, UserDialogs& dialogs);

    std::u16string programText() override;
    std::u16string directText() override;
    bool loadProgramFile(const std::u16string& path) override;
    void placeEditorCaret(std::int32_t offset) override;
    void showLineNumber(std::int32_t lineNumber) override;
    void setBusyPointer(bool busy) override;
    void runStopped(RunStop stop) override;
    void closeEditor() override;
    void showErrorBox(const std::u16string& text) override;
    void showWarningBox(const std::u16string& text) override;
    void processEvents() override;
    void waitForEvents() override;
    void showInputBox() override;
    InputBoxTag inputBoxTag() override;
    void hideInputBox() override;
    void showDirectOutput(const std::u16string& text, bool lineEnded) override;
    void keysWanted(std::u16string& keyBuffer, std::size_t count) override;
    // The watch window, once there is one; without it nothing is watched.
    void attachWatches(WatchWindow& watches) { watches_ = &watches; }
    bool hasWatches() override;
    int checkWatches() override;
    void showWatch(int index) override;
    void compileWatches() override;

  private:
    // Hands the line number of the statement last started to the editor's
    // indicator, which shows at most 25 a second.
    void passLineNumber();

    EditorWindow* editor_ = nullptr;
    ExecutionControl* control_ = nullptr;
    DebugScreen* debugScreen_ = nullptr;
    ExecutionScreenPort* screen_ = nullptr;
    UserDialogs* dialogs_ = nullptr;
    WatchWindow* watches_ = nullptr;
    QElapsedTimer sinceEvents_;
    int callsSinceClock_ = 0;
    std::int32_t lineNumber_ = -1; // not passed on yet
    bool busy_ = false;
};

} // namespace korvelin
