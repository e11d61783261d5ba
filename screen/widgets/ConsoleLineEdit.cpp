#include "screen/widgets/ConsoleLineEdit.h"

#include <QApplication>
#include <QKeyEvent>

namespace korvelin {

void sendEscapeAfterF10(QWidget* pressed) {
    QWidget* target = QApplication::focusWidget();
    if (!target) target = pressed;
    QApplication::postEvent(
        target, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b")));
    QApplication::postEvent(
        target, new QKeyEvent(QEvent::KeyRelease, Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b")));
}

ConsoleLineEdit::ConsoleLineEdit(QWidget* parent) : QLineEdit(parent) {
    setObjectName(QStringLiteral("Text2"));
    setFrame(false);
    setAttribute(Qt::WA_InputMethodEnabled);
    hide();
}

bool ConsoleLineEdit::Text2_KeyDown(QKeyEvent* event) {
    const int key = event->key();
    if (key < Qt::Key_F1 || key > Qt::Key_F15) return false;
    const int n = key - Qt::Key_F1 + 1;
    const QString text = functionKeyText ? functionKeyText(n) : QString();
    for (QChar c : text) {
        if (c == QLatin1Char('\r')) {
            Text2_Enter();
            // An accepted line hides the editor; the rest of the text has
            // nowhere to go.
            if (isHidden()) break;
        } else {
            end(false);
            insert(QString(c));
        }
    }
    if (n == 10) sendEscapeAfterF10(this);
    return true;
}

void ConsoleLineEdit::Text2_Enter() {
    if (!lineEntered) return;
    tag = lineEntered(text());
    if (tag == InputBoxTag::Rejected) clear();
}

void ConsoleLineEdit::keyPressEvent(QKeyEvent* event) {
    if (Text2_KeyDown(event)) return;
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        Text2_Enter();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

} // namespace korvelin
