#pragma once
// A RunHost without windows: it serves a program text, answers every
// question plainly and records what a window would have shown, so tests
// and batch runs can look at it afterwards.

#include "platform/RunHost.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace korvelin {

class HeadlessHost : public RunHost {
  public:
    std::u16string programText() override { return program; }
    std::u16string directText() override { return direct; }
    bool loadProgramFile(const std::u16string& path) override;
    void placeEditorCaret(std::int32_t offset) override { caretOffsets.push_back(offset); }
    void showLineNumber(std::int32_t lineNumber) override { lastLineNumber = lineNumber; }
    void setBusyPointer(bool busy) override { busyPointer = busy; }
    void runStopped(RunStop stop) override { stops.push_back(stop); }
    void closeEditor() override { editorClosed = true; }
    void showErrorBox(const std::u16string& text) override { errorBoxes.push_back(text); }
    void showWarningBox(const std::u16string& text) override { warningBoxes.push_back(text); }
    void processEvents() override {
        ++eventPasses;
        if (onEvents) onEvents();
    }
    void waitForEvents() override;
    void showInputBox() override {
        inputTag = InputBoxTag::Typing;
        inputBoxHidden = false;
    }
    InputBoxTag inputBoxTag() override { return inputTag; }
    void hideInputBox() override { inputBoxHidden = true; }
    bool hasWatches() override { return watching; }
    int checkWatches() override {
        ++watchChecks;
        return -1;
    }
    void showWatch(int) override {}
    void compileWatches() override {}

    std::u16string program;
    std::u16string direct;
    // Program files that loadProgramFile can find, by path.
    std::map<std::u16string, std::u16string> files;
    std::vector<std::u16string> loadedPaths;

    std::vector<std::int32_t> caretOffsets;
    std::int32_t lastLineNumber = 0;
    bool busyPointer = false;
    std::vector<RunStop> stops;
    bool editorClosed = false;
    std::vector<std::u16string> errorBoxes;
    std::vector<std::u16string> warningBoxes;
    long eventPasses = 0;
    // Set to count the watch checks a run makes (no watch ever changes).
    bool watching = false;
    long watchChecks = 0;
    // Stands in for window events arriving during a run (key presses ...).
    std::function<void()> onEvents;

    // Console input: the tag reported after the first wait, so a run that
    // waits for input continues (or ends when it is Forced).
    InputBoxTag inputTag = InputBoxTag::Typing;
    InputBoxTag tagAfterWait = InputBoxTag::Accepted;
    bool inputBoxHidden = false;
    long waits = 0;
};

} // namespace korvelin
