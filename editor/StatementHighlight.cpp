#include "editor/StatementHighlight.h"

#include <QTextBlock>

namespace korvelin {

namespace {

const char* const markProperty = "korvelinStopMark";

} // namespace

void StatementHighlight::mark(int documentPosition, StopMark kind) {
    clear();
    QTextEdit::ExtraSelection selection;
    selection.cursor = QTextCursor(edit_.document());
    selection.cursor.setPosition(std::clamp(documentPosition, 0, edit_.document()->characterCount() - 1));
    selection.cursor.clearSelection();
    selection.format.setBackground(kind == StopMark::Break ? QColor(255, 238, 140) : QColor(255, 190, 190));
    selection.format.setProperty(QTextFormat::FullWidthSelection, true);
    selection.format.setProperty(QTextFormat::UserProperty, markProperty);
    line_ = selection.cursor.blockNumber();
    kind_ = kind;
    // Marks others put in the edit control (found words ...) stay.
    QList<QTextEdit::ExtraSelection> selections = edit_.extraSelections();
    selections.append(selection);
    edit_.setExtraSelections(selections);
}

void StatementHighlight::clear() {
    if (line_ < 0) return;
    line_ = -1;
    QList<QTextEdit::ExtraSelection> selections = edit_.extraSelections();
    selections.removeIf([](const QTextEdit::ExtraSelection& s) {
        return s.format.property(QTextFormat::UserProperty).toString() == QLatin1String(markProperty);
    });
    edit_.setExtraSelections(selections);
}

} // namespace korvelin
