#pragma once
// The execution screen "Korvelin (実行画面)": a view of the display page of
// the screen model, the keyboard and mouse of the running program, and the
// console line editor Text2.
//
// The interpreter draws on the pages only. The window repaints from the
// display page whenever the host lets events run (refresh), follows the
// size WIDTH gives the screen, and snaps sizes the user drags to whole
// 8 x 16 cells. When a run ends the window keeps the last picture
// (persistent mode) until the next run draws again.

#include "screen/widgets/ConsoleLineEdit.h"
#include "screen/widgets/ExecutionScreenPort.h"

#include <QElapsedTimer>
#include <QImage>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>

namespace korvelin {

class Interpreter;
class UserDialogs;

class ExecutionScreen : public QWidget, public ExecutionScreenPort {
    Q_OBJECT
  public:
    ExecutionScreen();

    // The keyboard and the mouse reach the program only while
    // `programRunning` holds (neither execute nor resume is available).
    // `closeApplication` unloads the editor window.
    void attach(Interpreter& interpreter, UserDialogs& dialogs, std::function<bool()> programRunning,
                std::function<void()> closeApplication);
    // Start-up is over: closing the window now ends the application.
    void startupFinished() { startingUp_ = false; }
    // Ctrl+Break and Pause call this while a program runs (every other
    // key goes to the program).
    void setBreakCommand(std::function<void()> command) { breakCommand_ = std::move(command); }

    // --- ExecutionScreenPort ---
    QWidget* window() override { return this; }
    void showScreen() override;
    void clearScreen() override;
    void runStarting() override;
    void runResuming() override;
    void runStopped() override;
    void setAutoRedraw(bool on) override;
    void setFocus() override;
    void setCaption(const QString& caption) override;
    InputBoxTag inputBoxTag() const override { return Text2->tag; }
    void setInputBoxTag(InputBoxTag tag) override { Text2->tag = tag; }
    void showInputBox() override;
    void hideInputBox() override;
    void closeScreen() override;
    void refresh() override;
    void keyPollEmpty() override;
    void setZoom(int factor) override;
    int zoom() const override { return zoom_; }
    // The window's client area in page pixels (its size divided by the zoom).
    QSize pageArea() const { return size() / zoom_; }

    ConsoleLineEdit* Text2;

    // The window handlers, named as the form's events.
    void Form_KeyDown(QKeyEvent* event, bool& consumed);
    void Form_KeyPress(const QString& text);
    void Form_MouseDown(Qt::MouseButton button, QPointF position);
    void Form_MouseUp(Qt::MouseButton button, QPointF position);
    void Form_MouseMove(QPointF position);
    void Form_Resize(QSize client);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    void recordButton(Qt::MouseButton button, QPointF position, std::array<float, 3>& xs,
                      std::array<std::int16_t, 3>& ys, int firstEvent);
    bool takesInput() const;
    // The program's size for the window (WIDTH, or the last snapped size).
    void followScreenSize();
    InputBoxTag enterLine(const QString& line);
    void placeInputBox();
    // The run-start copy: both pages take the window's current picture.
    void pagesTakeWindowPicture();

    Interpreter* in_ = nullptr;
    UserDialogs* dialogs_ = nullptr;
    std::function<bool()> programRunning_;
    std::function<void()> closeApplication_;
    // Persistent mode keeps a picture of its own; direct mode shows the page.
    bool persistent_ = true;
    QImage picture_;
    bool resizing_ = false;
    bool forwardingKey_ = false;
    // A stretch of empty INKEY$ polls with nothing drawn in between.
    QElapsedTimer pollStreak_;
    std::int64_t lastPollCpuMicroseconds_ = -1; // the thread's CPU time at the last poll
    std::uint64_t pollDisplayVersion_ = 0;
    bool startingUp_ = true;
    bool closingForGood_ = false;
    std::function<void()> breakCommand_;
    int zoom_ = 1;
};

} // namespace korvelin
