// CSRLIN, POS, TAB and POINT read the screen model.

#include "expressions/ScreenFunctions.h"

#include "expressions/Evaluator.h"
#include "interpreter/Interpreter.h"
#include "values/CheckedNumbers.h"
#include "values/InterpreterError.h"
#include "values/ValueOps.h"

#include <cmath>

namespace korvelin {

namespace {

// NAME ( x ): the "(" is taken on trust, the ")" is checked.
Value singleArgument(Interpreter& in) {
    in.lexer.nextToken();
    in.lexer.nextToken();
    Value v = evaluateExpression(in);
    in.expectSymbol(u')');
    in.lexer.nextToken();
    return v;
}

Value point(Interpreter& in) {
    Lexer& lexer = in.lexer;
    ScreenState& s = in.screen;
    lexer.nextToken();
    in.expectSymbol(u'(');
    lexer.nextToken();
    const Value first = evaluateExpression(in);
    if (lexer.isSymbol(u')')) {
        lexer.nextToken();
        const std::int32_t n = toLongRounded(first);
        return n % 2 == 0 ? s.lastPointX : s.lastPointY;
    }
    in.expectSymbol(u',');
    lexer.nextToken();
    const Value second = evaluateExpression(in);
    in.expectSymbol(u')');
    lexer.nextToken();
    const double x = roundHalfEven(checkedSingle(first.toDouble()));
    const double y = roundHalfEven(checkedSingle(second.toDouble()));
    const QImage& image = s.page(s.activePage);
    // Written so that NaN, which fails every comparison, is outside too.
    if (!(x >= 0 && y >= 0 && x < image.width() && y < image.height())) return Value::longInt(-1);
    const std::uint32_t pixel = image.pixel(static_cast<int>(x), static_cast<int>(y));
    return Value::longInt(static_cast<std::int32_t>(colorOfPixel(pixel)));
}

} // namespace

Value evaluateScreenFunction(Interpreter& in, int keyword) {
    ScreenState& s = in.screen;
    switch (keyword) {
    case KwCsrlin: in.lexer.nextToken(); return Value::integer(static_cast<std::int16_t>(s.cursorRow));
    case KwPos: singleArgument(in); return Value::integer(static_cast<std::int16_t>(s.cursorColumn));
    case KwTab: {
        const double column = finiteOrOverflow(singleArgument(in).toDouble());
        const double blanks = roundHalfEven(column - s.cursorColumn);
        if (blanks <= 0) return Value::text(u"");
        if (blanks > 32767) failHost(HostFailureKind::InvalidArgument);
        return Value::bytes(std::string(static_cast<std::size_t>(blanks), ' '));
    }
    case KwPoint: return point(in);
    default: throw InterpreterError(ErrUnprintable, keywordText(static_cast<Keyword>(keyword)));
    }
}

} // namespace korvelin
