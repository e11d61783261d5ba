// The text console over the pages: cursor positioning, writing with
// wrapping at the text width, new lines and scrolling of the console band.

#include "screen/ScreenState.h"

#include <algorithm>

namespace korvelin {

void ScreenState::PositionCursor() {
    PenPosition& pen = pagePen(activePage);
    pen.x = CellWidth * cursorColumn;
    pen.y = cursorRow * rowHeight + glyphOffsetY;
    if (activeIsDisplayed()) windowPen = pen;
}

void ScreenState::clampCursorToDesktop() {
    if (cursorColumn > maxColumn) cursorColumn = static_cast<int>(maxColumn);
    if (cursorRow > maxRow) cursorRow = maxRow;
}

void ScreenState::writePiece(std::u16string_view text, std::size_t transcribeFrom) {
    if (text.empty()) return;
    PenPosition& pen = pagePen(activePage);
    const int width = columnWidth(text) * CellWidth;
    FillBox(pen.x, pen.y, pen.x + width - 1, pen.y + CellHeight - 1, ColorValue(backgroundColor));
    drawGlyphs(activePage, pen.x, pen.y, text, surfaceTextColor(activePage));
    pen.x += width;
    if (activeIsDisplayed()) windowPen = pen;
    if (transcript && transcribeFrom < text.size()) transcript->consoleText(text.substr(transcribeFrom));
}

void ScreenState::ConsoleWrite(std::u16string_view text) {
    // The tail after a wrap is measured again, so a text longer than two
    // lines wraps line by line instead of running past the right edge, and
    // a cursor already at or beyond the last column (after LOCATE or a zone
    // move) starts a new line instead of drawing off the left edge.
    const int columns = static_cast<int>(textColumns);
    std::u16string carried; // a full-width character repeated at the start of the next row
    std::size_t transcribeFrom = 0;
    for (;;) {
        const int free = columns - cursorColumn;
        if (columns <= 0 || columnWidth(text) < free) {
            writePiece(text, transcribeFrom);
            cursorColumn = pagePen(activePage).x / CellWidth;
            return;
        }
        if (free <= 0 && cursorColumn > 0) {
            ConsoleNewLine();
            PositionCursor();
            continue;
        }
        std::size_t cut = 0;
        int headWidth = 0;
        while (cut < text.size() && headWidth < free)
            headWidth += columnWidth(text[cut++]);
        writePiece(text.substr(0, cut), transcribeFrom);
        transcribeFrom = 0;
        ConsoleNewLine();
        if (headWidth == free) {
            PositionCursor();
            text = text.substr(cut);
            if (text.empty()) return;
            continue;
        }
        // The last character of the head stands half beyond the last
        // column: it is drawn again straddling the left edge, so its right
        // half shows in column 0 and the text goes on in column 1.
        carried.assign(1, text[cut - 1]);
        carried.append(text.substr(cut));
        text = carried;
        transcribeFrom = 1;
        cursorColumn = -1;
        PositionCursor();
    }
}

void ScreenState::ConsoleNewLine() {
    if (cursorRow == consoleTop + consoleLines - 1)
        ScrollConsole(rowHeight, 0, consoleTop * rowHeight, (consoleTop + consoleLines) * rowHeight,
                      ColorValue(backgroundColor));
    else
        ++cursorRow;
    cursorColumn = 0;
    if (transcript) transcript->consoleLineEnd();
}

void ScreenState::moveToNextZone() {
    PenPosition& pen = pagePen(activePage);
    if (pen.x >= page(activePage).width()) return;
    const int column = pen.x / CellWidth;
    const int next = (column / ZoneColumns + 1) * ZoneColumns;
    pen.x = next * CellWidth;
    if (activeIsDisplayed()) windowPen = pen;
    cursorColumn = next;
    if (transcript) transcript->consoleText(std::u16string(static_cast<std::size_t>(next - column), u' '));
}

void ScreenState::drawPlainText(std::u16string_view text) {
    if (text.empty()) return;
    PenPosition& pen = pagePen(activePage);
    drawGlyphs(activePage, pen.x, pen.y, text, surfaceTextColor(activePage));
    pen.x += columnWidth(text) * CellWidth;
    if (activeIsDisplayed()) windowPen = pen;
    if (transcript) transcript->consoleText(text);
}

void ScreenState::penLineEnd() {
    PenPosition& pen = pagePen(activePage);
    pen.x = 0;
    pen.y += CellHeight;
    if (activeIsDisplayed()) windowPen = pen;
    if (transcript) transcript->consoleLineEnd();
}

} // namespace korvelin
