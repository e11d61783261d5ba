#pragma once
// What the interpreter needs from the windows around it while it prepares
// and runs a program: the editor's text and caret, the line indicator, the
// menus, message boxes, the event loop, the watch window and the console
// input box. The editor implements it; HeadlessHost stands in without windows.

#include <cstddef>
#include <cstdint>
#include <string>

namespace korvelin {

// The tag of the console input box: how a console INPUT the run waits for
// went. The comments give each tag's text form.
enum class InputBoxTag : std::uint8_t {
    Typing,   // "": shown, the user is typing
    Accepted, // "OK": the line was taken, the run goes on
    Rejected, // "NG": the line did not fit the variables, the user types again
    Forced,   // "FORCED": the run was ended while it waited
};

constexpr bool inputFinished(InputBoxTag tag) {
    return tag == InputBoxTag::Accepted || tag == InputBoxTag::Forced;
}

enum class RunStop {
    Ended, // the program finished, failed or was ended: menus return to idle
    Break, // the program stopped at a break and can be resumed
};

class RunHost {
  public:
    virtual ~RunHost() = default;

    // --- editor ---
    // The program text (lines separated by CR LF).
    virtual std::u16string programText() = 0;
    // Text to append behind the program (prepareProgram's Append mode).
    // The debug screen's lines do not come this way: the interpreter
    // appends them itself (Interpreter::prepareDirectLine).
    virtual std::u16string directText() = 0;
    // Loads a program file into the editor text; false (after telling the
    // user) when it cannot be read.
    virtual bool loadProgramFile(const std::u16string& path) = 0;
    // After a failed load the run goes on with the program still in the
    // editor; a host with nobody to end that run (batch mode) ends it instead.
    virtual bool restartsAfterFailedLoad() { return true; }
    // Puts the editor caret at a text offset, shows the editor and focuses it.
    virtual void placeEditorCaret(std::int32_t offset) = 0;
    // The line indicator: the number of the program line being executed.
    virtual void showLineNumber(std::int32_t lineNumber) = 0;
    virtual void setBusyPointer(bool busy) = 0;
    // The end of a run or a break: repaint the execution screen, restore
    // the menus and the toolbar, focus the editor when interactive.
    virtual void runStopped(RunStop stop) = 0;
    // Closes the editor window, which ends the application.
    virtual void closeEditor() = 0;

    // --- messages ---
    // The error message box (exclamation icon, OK button, application title).
    virtual void showErrorBox(const std::u16string& text) = 0;
    // A warning that does not stop the program (a serial port that did not
    // open); the same box.
    virtual void showWarningBox(const std::u16string& text) = 0;

    // --- event loop ---
    // Lets pending window events run; cheap when called very often.
    virtual void processEvents() = 0;
    // Blocks until at least one window event has been handled.
    virtual void waitForEvents() = 0;

    // --- console input box ---
    // A console INPUT waits: show the line editor at the window's pen
    // position (ScreenState::windowPen) with an empty text and tag. The
    // typed line goes to acceptConsoleInput (screen/ConsoleInput.h).
    virtual void showInputBox() {}
    // Accepted or Forced once console input has finished or the run was ended.
    virtual InputBoxTag inputBoxTag() = 0;
    virtual void hideInputBox() = 0;

    // --- keyboard ---
    // INKEY$ or INPUT$ finds fewer than `count` characters in the key
    // buffer. Window hosts have nothing to do (keys arrive as window
    // events); batch mode appends characters read from stdin, and raises
    // the end request when stdin has ended.
    virtual void keysWanted(std::u16string& keyBuffer, std::size_t count) {
        (void)keyBuffer;
        (void)count;
    }

    // --- debug screen ---
    // A PRINT typed as a direct statement (its slot's key is above
    // highestKey) collects its text instead of writing to the console and
    // hands it over here when the statement ends; `lineEnded` is false when
    // the PRINT ended with ";" or ",". The debug screen writes it at its caret.
    virtual void showDirectOutput(const std::u16string& text, bool lineEnded) {
        (void)text;
        (void)lineEnded;
    }

    // --- watch window ---
    virtual bool hasWatches() = 0;
    // The index of the first watch expression whose value changed, or -1.
    virtual int checkWatches() = 0;
    // Selects that watch entry and shows the watch window.
    virtual void showWatch(int index) = 0;
    // Compiles the watch expressions for a new run.
    virtual void compileWatches() = 0;
};

} // namespace korvelin
