#pragma once
// What the editor and the execution control ask of the execution screen.
// The execution-screen window implements it; until a window is attached,
// DetachedExecutionScreen keeps the caption and the input box tag so that
// runs, captions and the end command behave the same without it.

#include "platform/RunHost.h"

#include <QString>

#include <string>

class QWidget;

namespace korvelin {

class ExecutionScreenPort {
  public:
    virtual ~ExecutionScreenPort() = default;
    // The window, or null while there is none.
    virtual QWidget* window() { return nullptr; }
    // menu_disp: shown and restored to its normal size.
    virtual void showScreen() {}
    // menu_clear: both pages emptied, positions and cursor back home.
    virtual void clearScreen() {}
    // A run starts: loaded, shown, automatic redraw off, focused.
    virtual void runStarting() {}
    // A run resumes after a break or a direct line runs: redraw off, focused.
    virtual void runResuming() {}
    // A run ended or stopped at a break: automatic redraw back on and the
    // display page repainted, so the last picture stays visible.
    virtual void runStopped() {}
    // Drawing goes to the window at once (on) or only to the page (off).
    virtual void setAutoRedraw(bool on) { (void)on; }
    virtual void setFocus() {}
    virtual void setCaption(const QString& caption) { caption_ = caption; }
    virtual QString caption() const { return caption_; }
    // The console input box: its tag and hiding it.
    virtual InputBoxTag inputBoxTag() const { return inputBoxTag_; }
    virtual void setInputBoxTag(InputBoxTag tag) { inputBoxTag_ = tag; }
    // A console INPUT waits: the line editor appears with an empty tag.
    virtual void showInputBox() { inputBoxTag_ = InputBoxTag::Typing; }
    virtual void hideInputBox() {}
    virtual void closeScreen() {}
    // Window events are about to run: the window catches up with what the
    // program drew and with the size it asked for.
    virtual void refresh() {}
    // INKEY$ found no key: a program that does nothing but poll may wait
    // here for the next window event instead of spinning.
    virtual void keyPollEmpty() {}
    // The page shown 1x, 2x or 3x (pixels repeated); programs still see
    // page pixels.
    virtual void setZoom(int factor) { (void)factor; }
    virtual int zoom() const { return 1; }

  private:
    QString caption_ = QStringLiteral("Korvelin (実行画面)");
    InputBoxTag inputBoxTag_ = InputBoxTag::Typing;
};

class DetachedExecutionScreen : public ExecutionScreenPort {};

} // namespace korvelin
