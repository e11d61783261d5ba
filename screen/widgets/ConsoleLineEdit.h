#pragma once
// Text2: the one-line editor a console INPUT or LINE INPUT shows at the
// pen position. Its tag tells the waiting run loop how the input went.

#include "platform/RunHost.h"

#include <QColor>
#include <QFont>
#include <QLineEdit>

#include <functional>
#include <string>

namespace korvelin {

class ConsoleLineEdit : public QLineEdit {
    Q_OBJECT
  public:
    explicit ConsoleLineEdit(QWidget* parent);

    InputBoxTag tag = InputBoxTag::Typing;
    // Enter: the typed line; returns the new tag (Accepted or Rejected).
    std::function<InputBoxTag(const QString& line)> lineEntered;
    // The text function key n (1..15) types.
    std::function<QString(int n)> functionKeyText;

    // Text2_KeyPress with character 13.
    void Text2_Enter();

    // The console's text and background colours: the typed text looks as
    // the console would draw it, in its font, on its 8 x 16 cells.
    void setConsoleColors(QColor text, QColor background);
    // Drawn at 1x, 2x or 3x, as the execution window shows its page.
    void setZoom(int factor);
    // The font the console draws with.
    static QFont consoleFont();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    bool Text2_KeyDown(QKeyEvent* event);

    QColor text_ = Qt::white;
    QColor background_ = Qt::black;
    int scrollX_ = 0; // pixels of the text scrolled out to the left
    int zoom_ = 1;
};

// F10 would leave a menu bar activated, so an Escape keystroke follows it wherever the keyboard focus is
// (`pressed`, the widget that got F10, when no widget has the focus).
void sendEscapeAfterF10(QWidget* pressed);

} // namespace korvelin
