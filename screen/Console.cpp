// The text console over the pages: cursor positioning, writing with
// wrapping at the text width, new lines and scrolling of the console band.

#include "screen/ScreenState.h"

#include <algorithm>
#include <cstdint>

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
    // Below the page nothing would show; a long text run there stays cheap.
    if (pen.y < page(activePage).height()) {
        FillBox(pen.x, pen.y, pen.x + width - 1, pen.y + CellHeight - 1, ColorValue(backgroundColor));
        drawGlyphs(activePage, pen.x, pen.y, text, surfaceTextColor(activePage));
    }
    pen.x += width;
    if (activeIsDisplayed()) windowPen = pen;
    if (transcript && transcribeFrom < text.size()) transcript->consoleText(text.substr(transcribeFrom));
}

// A wrapped row that later rows will scroll out of the band before the
// text ends: it goes to the transcript and moves the cursor as the drawn
// row and its scroll would, without the drawing and the scroll.
void ScreenState::passHiddenRow(std::u16string_view text, std::size_t transcribeFrom) {
    if (transcript && transcribeFrom < text.size()) transcript->consoleText(text.substr(transcribeFrom));
    if (cursorRow < consoleTop + consoleLines - 1) ++cursorRow;
    cursorColumn = 0;
    if (transcript) transcript->consoleLineEnd();
}

void ScreenState::ConsoleWrite(std::u16string_view text) {
    // The tail after a wrap is measured again, so a text longer than two
    // lines wraps line by line instead of running past the right edge, and
    // a cursor already at or beyond the last column (after LOCATE or a zone
    // move) starts a new line instead of drawing off the left edge.
    const int columns = static_cast<int>(textColumns);
    if (columns <= 0) {
        writePiece(text, 0);
        cursorColumn = pagePen(activePage).x / CellWidth;
        return;
    }
    // The text is walked once, row by row: `at` is where the rest starts,
    // `carried` a full-width character drawn again at the start of the row
    // (0 for none) and `restWidth` the width of both. A row holds at most
    // columns + 2 units, which bounds the rows still to come from below.
    std::size_t at = 0;
    char16_t carried = 0;
    std::int64_t restWidth = columnWidth(text);
    std::u16string row;
    for (;;) {
        const int free = columns - cursorColumn;
        const std::size_t transcribeFrom = carried ? 1 : 0;
        // A carried character's row that its tail fills exactly stays the
        // current row, the cursor after its last column.
        if (restWidth < free || (carried && restWidth == free)) {
            row.clear();
            if (carried) row += carried;
            row.append(text.substr(at));
            writePiece(row, transcribeFrom);
            cursorColumn = pagePen(activePage).x / CellWidth;
            return;
        }
        if (free <= 0 && cursorColumn > 0) {
            ConsoleNewLine();
            PositionCursor();
            continue;
        }
        row.clear();
        int headWidth = 0;
        if (carried) {
            row += carried;
            headWidth = columnWidth(carried);
        }
        std::size_t cut = at;
        while (cut < text.size() && headWidth < free)
            headWidth += columnWidth(text[cut++]);
        row.append(text.substr(at, cut - at));
        at = cut;
        restWidth -= headWidth;
        // Twice the band's rows still to come scroll this one out, whatever
        // row the cursor is in (scrolls only start at the bottom).
        const bool inBand = cursorRow >= consoleTop && cursorRow < consoleTop + consoleLines;
        if (inBand && restWidth / (columns + 2) >= 2 * static_cast<std::int64_t>(consoleLines) + 3) {
            passHiddenRow(row, transcribeFrom);
        } else {
            writePiece(row, transcribeFrom);
            ConsoleNewLine();
        }
        if (headWidth == free) {
            carried = 0;
            PositionCursor();
            if (at >= text.size()) return;
            continue;
        }
        // The last character of the head stands half beyond the last
        // column: it is drawn again straddling the left edge, so its right
        // half shows in column 0 and the text goes on in column 1.
        carried = row.back();
        restWidth += columnWidth(carried);
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
