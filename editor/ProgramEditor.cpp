#include "editor/ProgramEditor.h"

#include <QDragEnterEvent>
#include <QFontDatabase>
#include <QMimeData>
#include <QUrl>

namespace korvelin {

QString firstDroppedFile(const QMimeData* data) {
    if (!data || !data->hasUrls()) return {};
    for (const QUrl& url : data->urls())
        if (url.isLocalFile()) return url.toLocalFile().left(255);
    return {};
}

QFont programTextFont() {
    QFont font(QStringLiteral("IPAGothic"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPixelSize(16);
    return font;
}

ProgramEditor::ProgramEditor(QWidget* parent) : QPlainTextEdit(parent) {
    setObjectName(QStringLiteral("RichTextBox1"));
    setFont(programTextFont());
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setAcceptDrops(true);
    // Tabs are rare in programs; keep them at eight cells like the console.
    setTabStopDistance(QFontMetricsF(font()).horizontalAdvance(QLatin1Char(' ')) * 8);
}

void ProgramEditor::keyPressEvent(QKeyEvent* event) {
    const bool ctrl = (event->modifiers() & Qt::ControlModifier) != 0;
    switch (event->key()) {
    case Qt::Key_X:
        if (ctrl) {
            emit cutRequested();
            return;
        }
        break;
    case Qt::Key_V:
        if (ctrl) {
            emit pasteRequested();
            return;
        }
        break;
    case Qt::Key_End: emit statementListRequested(); return;
    case Qt::Key_Home: return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (enterHandler && enterHandler()) return;
        break;
    default: break;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void ProgramEditor::dragEnterEvent(QDragEnterEvent* event) {
    if (!firstDroppedFile(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
        return;
    }
    QPlainTextEdit::dragEnterEvent(event);
}

void ProgramEditor::dragMoveEvent(QDragMoveEvent* event) {
    if (!firstDroppedFile(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
        return;
    }
    QPlainTextEdit::dragMoveEvent(event);
}

void ProgramEditor::dropEvent(QDropEvent* event) {
    const QString path = firstDroppedFile(event->mimeData());
    if (!path.isEmpty()) {
        event->acceptProposedAction();
        emit fileDropped(path);
        return;
    }
    QPlainTextEdit::dropEvent(event);
}

void ProgramEditor::insertFromMimeData(const QMimeData* source) {
    // Only text is ever inserted; a file list is a drop of a program.
    if (source->hasText()) insertPlainText(source->text());
}

} // namespace korvelin
