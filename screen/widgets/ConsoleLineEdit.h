#pragma once
// Text2: the one-line editor a console INPUT or LINE INPUT shows at the
// pen position. Its tag tells the waiting run loop how the input went.

#include "platform/RunHost.h"

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

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    bool Text2_KeyDown(QKeyEvent* event);
};

// F10 would leave a menu bar activated, so an Escape keystroke follows it wherever the keyboard focus is (`pressed`,
// the widget that got F10, when no widget has the focus).
void sendEscapeAfterF10(QWidget* pressed);

} // namespace korvelin
