// SCREEN (the active and the display page), ROLL (the whole page
// scrolled) and COLOR = (one palette entry).

#include "screen/statements/PageStatements.h"

#include "expressions/Evaluator.h"
#include "interpreter/statements/Statements.h"
#include "screen/statements/GraphicsArguments.h"
#include "values/InterpreterError.h"
#include "values/ValueOps.h"

#include <algorithm>
#include <cmath>

namespace korvelin {

namespace {

void executeScreen(Interpreter& in, StatementArgs& args) {
    Lexer& lexer = in.lexer;
    ScreenState& s = in.screen;
    in.currentStatement = u"SCREEN";
    lexer.nextToken();
    evaluateExpression(in); // the mode: there is one screen mode
    in.optionalInteger(0);  // the switch
    const std::int16_t oldActive = s.activePage, oldDisplay = s.displayPage;
    s.activePage = in.optionalInteger(s.activePage);
    if (s.activePage != 0 && s.activePage != 1) {
        s.activePage = oldActive;
        raise(ErrIllegalCall);
    }
    // Display numbers count 16 (or, in colour mode 2, 32) per page from 1.
    const int perPage = 16 * (s.colorMode / 2 + 1);
    const std::int16_t display = in.optionalInteger(static_cast<std::int16_t>(s.displayPage * perPage + 1));
    const int page = (display - 1) / perPage;
    if (page != 0 && page != 1) {
        s.activePage = oldActive;
        s.displayPage = oldDisplay;
        raise(ErrIllegalCall);
    }
    s.displayPage = static_cast<std::int16_t>(page);
    s.RepaintWindow();
    s.lastPointX = Value::integer(0);
    s.lastPointY = Value::integer(0);
    in.checkStatementEnd(args);
}

// ROLL [dy] [, dx] [, Y | N]
void executeRoll(Interpreter& in, StatementArgs& args) {
    Lexer& lexer = in.lexer;
    ScreenState& s = in.screen;
    in.currentStatement = u"ROLL";
    std::int16_t dy = 0;
    lexer.nextToken();
    if (!lexer.atListEnd() && !lexer.isSymbol(u',')) {
        const Value v = evaluateExpression(in);
        if (v.isString()) failHost(HostFailureKind::TypeMismatch);
        dy = toIntegerRounded(Value::dbl(std::floor(v.toDouble())));
    }
    const std::int16_t dx = in.optionalInteger(0);
    ColorRef fill = 0;
    if (lexer.isSymbol(u',')) {
        lexer.nextToken();
        if (isPlainWord(in, u"Y"))
            fill = s.ColorValue(s.backgroundColor);
        else if (!isPlainWord(in, u"N"))
            raise(ErrSyntax);
        lexer.nextToken();
    }
    if (!lexer.atStatementEnd()) raise(ErrSyntax);
    s.ScrollConsole(dy, dx, 0, s.page(s.activePage).height(), fill);
    in.checkStatementEnd(args);
}

// A palette component: a 4-bit level n of the 4096-colour modes is 17 n.
int level(std::int64_t n, int scale) {
    const std::int64_t v = n * scale;
    if (v < 0) failHost(HostFailureKind::InvalidArgument);
    return static_cast<int>(std::min<std::int64_t>(v, 255));
}

} // namespace

void executePaletteColor(Interpreter& in, StatementArgs& args) {
    Lexer& lexer = in.lexer;
    ScreenState& s = in.screen;
    in.currentStatement = u"COLOR";
    lexer.nextToken();
    in.expectSymbol(u'(');
    lexer.nextToken();
    const std::int32_t p = toLongRounded(evaluateExpression(in));
    if (p < 0 || p > 15) raise(ErrIllegalCall);
    in.expectSymbol(u',');
    lexer.nextToken();
    const Value value = evaluateExpression(in);
    if (value.isString()) failHost(HostFailureKind::TypeMismatch);
    const double whole = std::floor(value.toDouble());
    if (!(std::fabs(whole) < 2147483648.0)) failHost(HostFailureKind::Other);
    const auto c = static_cast<std::int64_t>(whole);
    in.expectSymbol(u')');
    lexer.nextToken();
    int red, green, blue;
    if (s.colorMode == 0) {
        // The digital colour code: bit 0 blue, bit 1 red, bit 2 green.
        red = level((c / 2) % 2, 255);
        green = level(c / 4, 255);
        blue = level(c % 2, 255);
    } else {
        // &Hgrb, four bits a component.
        green = level(c / 256, 17);
        red = level((c / 16) % 16, 17);
        blue = level(c % 16, 17);
    }
    s.paletteTable[static_cast<std::size_t>(p)][static_cast<std::size_t>(s.colorMode)] =
        static_cast<ColorRef>(red | green << 8 | blue << 16);
    in.checkStatementEnd(args);
}

void registerPageStatements(std::array<StatementHandler, KeywordCount>& table) {
    table[KwScreen] = executeScreen;
    table[KwRoll] = executeRoll;
}

} // namespace korvelin
