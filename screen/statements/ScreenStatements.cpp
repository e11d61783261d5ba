// WIDTH, CONSOLE, LOCATE, COLOR, CLS and COPY: the statements that shape
// the text screen and its colours.

#include "devices/PrinterDevice.h"
#include "expressions/Evaluator.h"
#include "interpreter/statements/Statements.h"
#include "screen/statements/PageStatements.h"
#include "values/CheckedNumbers.h"
#include "values/HostFailure.h"
#include "values/InterpreterError.h"

#include <cmath>

namespace korvelin {

namespace {

// A whole number already (or a product of 16-bit ones) that must fit 16 bits.
std::int16_t checked16(double v) {
    return flooredInteger(v);
}

// An optional argument that starts at the current token (absent at a
// comma or the end of the list; a string counts as absent).
std::int16_t integerArgument(Interpreter& in, std::int16_t defaultValue) {
    if (in.lexer.atListEnd() || in.lexer.isSymbol(u',')) return defaultValue;
    const Value v = evaluateExpression(in);
    if (v.isString() || v.kind() == ValueKind::Boolean) return defaultValue;
    return checked16(std::floor(v.toDouble()));
}

// An optional numeric expression that starts at the current token.
double numberArgument(Interpreter& in, double defaultValue) {
    if (in.lexer.atListEnd() || in.lexer.isSymbol(u',')) return defaultValue;
    return evaluateExpression(in).toDouble();
}

// The argument after a comma; the default when no comma follows.
std::int16_t nextIntegerArgument(Interpreter& in, std::int16_t defaultValue) {
    if (!in.lexer.isSymbol(u',')) return defaultValue;
    in.lexer.nextToken();
    return integerArgument(in, defaultValue);
}

// WIDTH's first argument: a string is remembered (the statement then only
// checks its syntax), anything else is floored to 16 bits.
struct WidthArgument {
    bool isString = false;
    std::int16_t value = 0;
};

WidthArgument readWidthArgument(Interpreter& in) {
    Lexer& lexer = in.lexer;
    WidthArgument a;
    if (lexer.atListEnd() || lexer.isSymbol(u',')) return a;
    const Value v = evaluateExpression(in);
    if (v.isString()) {
        a.isString = true;
        return a;
    }
    a.value = checked16(std::floor(v.toDouble()));
    return a;
}

void executeWidth(Interpreter& in, StatementArgs& args) {
    Lexer& lexer = in.lexer;
    ScreenState& s = in.screen;
    in.currentStatement = u"WIDTH";
    lexer.nextToken();
    if (lexer.isWord(KwLprint)) {
        // The printer's line width is not used.
        lexer.nextToken();
        evaluateExpression(in);
        in.checkStatementEnd(args);
        return;
    }
    const WidthArgument c = readWidthArgument(in);
    if (!c.isString && c.value <= 0) raise(ErrIllegalCall);
    in.expectSymbol(u',');
    lexer.nextToken();
    const WidthArgument r = readWidthArgument(in);
    if (!r.isString && r.value == 0) raise(ErrIllegalCall);
    if (c.isString || r.isString) {
        in.checkStatementEnd(args);
        return;
    }
    const int columns = c.value;
    int rows = r.value;
    const int width = checked16(8.0 * columns);
    if (rows < 0 || (columns == 80 && rows == 20)) {
        rows = std::abs(rows);
        s.clientWidth = width;
        s.clientHeight = checked16(20.0 * rows);
        s.textColumns = columns;
        s.pageHeightUnits = static_cast<std::int16_t>(std::floor(20.0 * rows / 16 + 0.5));
        s.glyphOffsetY = 2;
        s.rowHeight = 20;
        s.consoleTop = 0;
        s.consoleLines = static_cast<std::int16_t>(std::floor(s.pageHeightUnits * 16.0 / 20));
    } else {
        s.clientWidth = width;
        s.clientHeight = checked16(16.0 * rows);
        s.textColumns = columns;
        s.pageHeightUnits = static_cast<std::int16_t>(rows);
        s.glyphOffsetY = 0;
        s.rowHeight = 16;
        s.consoleTop = 0;
        s.consoleLines = s.pageHeightUnits;
    }
    s.cursorColumn = 0;
    s.cursorRow = 0;
    s.FillBox(0, 0, 8 * columns - 1, s.pageHeightUnits * 16 - 1, s.ColorValue(s.backgroundColor));
    s.RepaintWindow();
    in.checkStatementEnd(args);
}

void executeConsole(Interpreter& in, StatementArgs& args) {
    ScreenState& s = in.screen;
    in.currentStatement = u"CONSOLE";
    in.lexer.nextToken();
    s.consoleTop = integerArgument(in, s.consoleTop);
    s.consoleLines = nextIntegerArgument(in, s.consoleLines);
    if (s.consoleTop < 0 || s.consoleLines <= 0) raise(ErrIllegalCall);
    if (s.consoleTop + s.consoleLines > s.pageHeightUnits)
        s.consoleLines = static_cast<std::int16_t>(s.pageHeightUnits - s.consoleTop);
    // The function-key display and colour switches: there is no key line.
    for (int unused = 0; unused < 3; ++unused)
        nextIntegerArgument(in, 0);
    in.checkStatementEnd(args);
}

void executeLocate(Interpreter& in, StatementArgs& args) {
    ScreenState& s = in.screen;
    in.currentStatement = u"LOCATE";
    in.lexer.nextToken();
    const std::int16_t x = integerArgument(in, static_cast<std::int16_t>(s.cursorColumn));
    const std::int16_t y = nextIntegerArgument(in, static_cast<std::int16_t>(s.cursorRow));
    if (x < 0 || y < 0) raise(ErrIllegalCall);
    s.cursorColumn = x;
    s.cursorRow = y;
    in.checkStatementEnd(args);
}

void executeColor(Interpreter& in, StatementArgs& args) {
    Lexer& lexer = in.lexer;
    ScreenState& s = in.screen;
    in.currentStatement = u"COLOR";
    lexer.nextToken();
    if (lexer.isSymbol(u'@')) {
        // Colour attributes of a text area have no counterpart here.
        in.skipToStatementEnd();
        in.checkStatementEnd(args);
        return;
    }
    if (lexer.isSymbol(u'=')) {
        executePaletteColor(in, args);
        return;
    }
    const std::int16_t fg = integerArgument(in, -1);
    const std::int16_t bg = nextIntegerArgument(in, -1);
    nextIntegerArgument(in, 0); // the border colour
    const std::int16_t gc = nextIntegerArgument(in, -1);
    const std::int16_t mode = nextIntegerArgument(in, -1);

    if (mode != -1) {
        if (mode < 0 || mode > 2) raise(ErrIllegalCall);
        s.colorMode = mode;
        s.buildPalette();
        s.textColor = s.graphicsColor = static_cast<std::int16_t>((mode / 2) * 8 + 7);
        s.backgroundColor = 0;
    }
    const int highest = (s.colorMode / 2) * 8 + 7;
    auto check = [&](std::int16_t n) {
        if (n < 0 || n > highest) raise(ErrIllegalCall);
    };
    // Checked one by one: COLOR 3,99 sets the text colour before failing.
    if (fg != -1) {
        check(fg);
        s.textColor = fg;
    }
    if (gc != -1) {
        check(gc);
        s.graphicsColor = gc;
    }
    if (bg != -1) {
        check(bg);
        s.backgroundColor = bg;
    }
    s.setSurfaceTextColor(s.ColorValue(s.textColor));
    if (mode != -1) {
        // A colour mode replaces the pictures of both pages.
        s.applyColorModePictures();
    }
    in.checkStatementEnd(args);
}

void executeCls(Interpreter& in, StatementArgs& args) {
    ScreenState& s = in.screen;
    in.currentStatement = u"CLS";
    in.lexer.nextToken();
    const double n = numberArgument(in, 1);
    const ColorRef background = s.ColorValue(s.backgroundColor);
    if (n < 2) {
        s.FillBox(0, s.consoleTop * s.rowHeight, 8 * static_cast<int>(s.textColumns) - 1,
                  (s.consoleTop + s.consoleLines) * s.rowHeight - 1, background);
    } else {
        s.clearPage(s.activePage, background);
        if (s.activeIsDisplayed()) s.RepaintWindow();
    }
    s.lastPointX = Value::integer(0);
    s.lastPointY = Value::integer(0);
    s.cursorColumn = 0;
    s.cursorRow = s.consoleTop;
    in.checkStatementEnd(args);
}

void executeCopy(Interpreter& in, StatementArgs& args) {
    in.currentStatement = u"COPY";
    in.lexer.nextToken();
    numberArgument(in, 0); // read and not used
    // The hard copy is a document of its own: a listing still open is sent
    // first, so that the image does not land in the middle of it.
    in.printer.endDocument();
    in.printer.printImage(in.screen.windowImage());
    in.printer.endDocument();
    in.checkStatementEnd(args);
}

} // namespace

void registerScreenStatements(std::array<StatementHandler, KeywordCount>& table) {
    table[KwWidth] = executeWidth;
    table[KwConsole] = executeConsole;
    table[KwLocate] = executeLocate;
    table[KwColor] = executeColor;
    table[KwCls] = executeCls;
    table[KwCopy] = executeCopy;
}

} // namespace korvelin
