#include "screen/widgets/ConsoleLineEdit.h"

#include "screen/ScreenState.h"
#include "values/Cp932.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>

namespace korvelin {

void sendEscapeAfterF10(QWidget* pressed) {
    QWidget* target = QApplication::focusWidget();
    if (!target) target = pressed;
    QApplication::postEvent(
        target, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b")));
    QApplication::postEvent(
        target, new QKeyEvent(QEvent::KeyRelease, Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b")));
}

namespace {

constexpr int cellWidth = 8;
constexpr int cellHeight = 16;

int cellsOf(QChar c) {
    return cp932::isDoubleByte(c.unicode()) ? 2 : 1;
}

} // namespace

QFont ConsoleLineEdit::consoleFont() {
    installFontSubstitutions(); // the console's own name for its font
    QFont font(QStringLiteral("ＭＳ 明朝"));
    font.setPixelSize(cellHeight);
    // As on the console: whole pixels in the console's colours, no grey edges.
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

ConsoleLineEdit::ConsoleLineEdit(QWidget* parent) : QLineEdit(parent) {
    setObjectName(QStringLiteral("Text2"));
    setFrame(false);
    setFont(consoleFont());
    setTextMargins(0, 0, 0, 0);
    setFixedHeight(cellHeight);
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

void ConsoleLineEdit::setConsoleColors(QColor text, QColor background) {
    text_ = text;
    background_ = background;
    update();
}

void ConsoleLineEdit::setZoom(int factor) {
    zoom_ = factor;
    setFixedHeight(cellHeight * zoom_);
    update();
}

void ConsoleLineEdit::paintEvent(QPaintEvent*) {
    // Drawn cell by cell like the console: a half-width character takes one
    // 8-pixel cell, a full-width one two.
    const QString shown = displayText();
    int caretX = 0;
    for (int i = 0; i < cursorPosition() && i < shown.size(); ++i)
        caretX += cellWidth * cellsOf(shown[i]);
    const int cells = width() / zoom_;
    if (caretX - scrollX_ > cells - cellWidth) scrollX_ = caretX - cells + cellWidth;
    if (caretX < scrollX_) scrollX_ = caretX;

    // Only the typed cells get the background, as the console fills only
    // behind what it writes; the page shows through the rest.
    QImage line(std::max(1, cells), cellHeight, QImage::Format_ARGB32_Premultiplied);
    line.fill(Qt::transparent);
    QPainter painter(&line);
    painter.setFont(font());
    const int baseline = QFontMetrics(font()).ascent();
    const int selectedFrom = hasSelectedText() ? selectionStart() : -1;
    const int selectedTo = selectedFrom + static_cast<int>(selectedText().size());
    int x = -scrollX_;
    for (int i = 0; i < shown.size(); ++i) {
        const int w = cellWidth * cellsOf(shown[i]);
        const bool selected = i >= selectedFrom && i < selectedTo;
        painter.fillRect(x, 0, w, cellHeight, selected ? text_ : background_);
        painter.setPen(selected ? background_ : text_);
        painter.drawText(x, baseline, QString(shown[i]));
        x += w;
    }
    if (hasFocus()) painter.fillRect(caretX - scrollX_, 0, 2, cellHeight, text_);
    painter.end();
    QPainter(this).drawImage(QRect(0, 0, line.width() * zoom_, cellHeight * zoom_), line);
}

} // namespace korvelin
