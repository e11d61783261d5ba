#include "debugger/DebugScreen.h"

#include "editor/ProgramEditor.h"
#include "platform/widgets/BringToFront.h"

#include <QCloseEvent>
#include <QTextBlock>
#include <QVBoxLayout>

namespace korvelin {

DebugTextBox::DebugTextBox(QWidget* parent) : QPlainTextEdit(parent) {
    setObjectName(QStringLiteral("Text1"));
    setFont(programTextFont());
    setLineWrapMode(QPlainTextEdit::NoWrap);
}

void DebugTextBox::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_End: emit statementListRequested(); return;
    case Qt::Key_Home: return;
    default: break;
    }
    const bool typing = !event->text().isEmpty() || event->key() == Qt::Key_Delete ||
                        event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (typing && keysRefused && keysRefused()) {
        if (beep) beep();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        enterLine();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void DebugTextBox::enterLine() {
    QTextCursor cursor = textCursor();
    const QTextBlock line = cursor.block();
    const QString text = line.text();
    // The whole line runs, wherever the caret stands in it; the line is not split.
    if (line.next().isValid()) {
        cursor.setPosition(line.next().position());
    } else {
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(QStringLiteral("\n"));
    }
    setTextCursor(cursor);
    if (text.isEmpty() || !executeLine) return;
    executeLine(text);
    startFreshLine();
}

void DebugTextBox::startFreshLine() {
    // Output that ended with ";" or "," leaves the caret behind it on the
    // last line; what is typed next must run as typed, not glued to it.
    QTextCursor cursor = textCursor();
    if (cursor.atBlockStart()) return;
    cursor.movePosition(QTextCursor::EndOfBlock);
    if (cursor.block().next().isValid())
        cursor.movePosition(QTextCursor::NextCharacter);
    else
        cursor.insertText(QStringLiteral("\n"));
    setTextCursor(cursor);
}

void DebugTextBox::focusInEvent(QFocusEvent* event) {
    QPlainTextEdit::focusInEvent(event);
    emit focusEntered();
}

DebugScreen::DebugScreen(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("DebugScreen"));
    setWindowTitle(QStringLiteral("Korvelin (デバッグ画面)"));
    Text1 = new DebugTextBox(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Text1);
    resize(560, 300);
}

void DebugScreen::showScreen() {
    bringToFront(*this);
    Text1->setFocus();
}

void DebugScreen::writeOutput(const QString& text, bool lineEnded) {
    QTextCursor cursor = Text1->textCursor();
    cursor.clearSelection();
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    cursor.insertText(text);
    if (cursor.block().next().isValid() || !lineEnded) {
        // Past the line break; at the end of the text this stays at the end.
        cursor.movePosition(QTextCursor::NextCharacter);
    } else {
        cursor.insertText(QStringLiteral("\n"));
    }
    Text1->setTextCursor(cursor);
}

void DebugScreen::closeEvent(QCloseEvent* event) {
    // Closing only hides the window; its text stays for the next time.
    emit closed();
    QWidget::closeEvent(event);
}

} // namespace korvelin
