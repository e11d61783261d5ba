#pragma once
// The RunHost of batch mode: no window at all. The console's text goes to
// stdout as UTF-8 (a transcript of what the screen shows), message boxes go
// to stderr, and stdin stands in for the keyboard: INPUT and LINE INPUT take
// one line each, INKEY$ and INPUT$ take characters (a line end arrives as
// character 13). When stdin ends while the program waits for it, the run
// ends as if the user had given the end command.
//
// A full-width character that straddles the last column is drawn twice on
// the screen (half at the end of the row, half at the start of the next);
// the transcript has it once, before the line end.

#include "platform/RunHost.h"
#include "platform/Settings.h"
#include "screen/ScreenState.h"

#include <cstdio>
#include <functional>
#include <string>

namespace korvelin {

class Interpreter;

class BatchHost : public RunHost, public ConsoleTranscript {
  public:
    BatchHost(std::FILE* input, std::FILE* output, std::FILE* errors)
        : input_(input), output_(output), errors_(errors) {}

    // Connects the host to the interpreter it serves (and its console).
    void attach(Interpreter& in);

    std::u16string program;
    // Loads another program for RUN "file" and CHAIN: the text with CR LF
    // line ends, or false when the file cannot be read.
    std::function<bool(const std::u16string& path, std::u16string& text)> loadFile;

    // The settings file as the windows read it; batch mode never writes it.
    Settings settings;

    bool errorReported = false;  // a message box was shown
    bool stoppedAtBreak = false; // the last run stopped at STOP

    // --- RunHost ---
    std::u16string programText() override { return program; }
    std::u16string directText() override { return {}; }
    bool loadProgramFile(const std::u16string& path) override;
    bool restartsAfterFailedLoad() override { return false; }
    void placeEditorCaret(std::int32_t) override {}
    void showLineNumber(std::int32_t) override {}
    void setBusyPointer(bool) override {}
    void runStopped(RunStop stop) override;
    void closeEditor() override {}
    void showErrorBox(const std::u16string& text) override;
    void showWarningBox(const std::u16string& text) override;
    // Nothing to do, except that the serial port's data arrives through
    // the event pass (now and then, only while a port is open).
    void processEvents() override;
    void waitForEvents() override;
    void showInputBox() override;
    InputBoxTag inputBoxTag() override { return inputTag_; }
    void hideInputBox() override { inputOpen_ = false; }
    void keysWanted(std::u16string& keyBuffer, std::size_t count) override;
    bool hasWatches() override { return false; }
    int checkWatches() override { return -1; }
    void showWatch(int) override {}
    void compileWatches() override {}

    // --- ConsoleTranscript ---
    void consoleText(std::u16string_view text) override;
    void consoleLineEnd() override;

    void flush();

  private:
    // One line of stdin without its line end; false at the end of stdin.
    bool readLine(std::u16string& line);
    // One character of stdin, CR LF and LF as character 13; false at the end.
    bool readKey(char16_t& key);
    // One character decoded from UTF-8; -1 at the end of stdin.
    long readCodePoint();
    // Appends keys from stdin until the buffer holds `count`; false when
    // stdin ended first.
    bool readKeys(std::u16string& keyBuffer, std::size_t count);
    // The end command: no F1 trap may take it.
    void requestEnd();
    void writeText(std::FILE* file, std::u16string_view text);

    Interpreter* in_ = nullptr;
    std::FILE* input_;
    std::FILE* output_;
    std::FILE* errors_;
    bool inputOpen_ = false;
    InputBoxTag inputTag_ = InputBoxTag::Typing;
    long pushedBack_ = -2; // a code point read ahead, -2 for none
    unsigned passes_ = 0;
    // INKEY$ polls that found stdin ended: past EndlessPolls the program is
    // taken to wait for a key that cannot come.
    static constexpr long EndlessPolls = 10000;
    long pollsAtEnd_ = 0;
};

} // namespace korvelin
