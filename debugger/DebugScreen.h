#pragma once
// The debug screen "Korvelin (デバッグ画面)": a text window in which each
// line, when Enter is pressed on it, is executed as direct statements in
// the context of the current program, also while it is stopped at a break.

#include <QPlainTextEdit>
#include <QWidget>

#include <functional>

namespace korvelin {

class DebugTextBox : public QPlainTextEdit {
    Q_OBJECT
  public:
    explicit DebugTextBox(QWidget* parent = nullptr);

    // True while a program runs: every key is then refused with a beep.
    std::function<bool()> keysRefused;
    std::function<void()> beep;
    // Executes a typed line (called with the whole line, never empty).
    std::function<void(const QString&)> executeLine;

  signals:
    void statementListRequested();
    void focusEntered();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

  private:
    void enterLine();
    void startFreshLine();
};

class DebugScreen : public QWidget {
    Q_OBJECT
  public:
    explicit DebugScreen(QWidget* parent = nullptr);

    DebugTextBox* Text1 = nullptr;

    // Shows the window in front and focuses its text box.
    void showScreen();
    // The text a direct PRINT collected, written at the caret: the rest of
    // the caret's line is replaced by it; then the caret goes on to the
    // next line, unless this was the last line and the PRINT ended its
    // line, in which case a new line is started.
    void writeOutput(const QString& text, bool lineEnded);

  signals:
    void closed();

  protected:
    void closeEvent(QCloseEvent* event) override;
};

} // namespace korvelin
