#include "screen/statements/GraphicsArguments.h"

#include "expressions/Evaluator.h"
#include "values/ValueOps.h"

#include <cfloat>
#include <cmath>

namespace korvelin {

GraphicsPoint lastPoint(const ScreenState& s) {
    return {checkedSingle(s.lastPointX.toDouble()), toIntegerRounded(s.lastPointY)};
}

void setLastPoint(ScreenState& s, GraphicsPoint p) {
    s.lastPointX = Value::single(p.x);
    s.lastPointY = Value::integer(p.y);
}

GraphicsPoint readPoint(Interpreter& in, GraphicsPoint origin) {
    Lexer& lexer = in.lexer;
    const bool step = lexer.isWord(KwStepWord);
    if (step) lexer.nextToken();
    in.expectSymbol(u'(');
    lexer.nextToken();
    const double x = evaluateExpression(in).toDouble();
    in.expectSymbol(u',');
    lexer.nextToken();
    const double y = evaluateExpression(in).toDouble();
    in.expectSymbol(u')');
    lexer.nextToken();
    if (!step) return {checkedSingle(x), toIntegerRounded(Value::dbl(y))};
    return {checkedSingle(origin.x + x), toIntegerRounded(Value::dbl(origin.y + y))};
}

std::int64_t pixelColumn(float x) {
    return toLongRounded(Value::single(x));
}

std::int16_t colorArgument(Interpreter& in, std::int16_t fallback) {
    const std::int16_t n = in.optionalInteger(fallback);
    if (n < 0 || n > 15) failHost(HostFailureKind::Other);
    return n;
}

std::uint32_t colorPixel(const ScreenState& s, std::int16_t color) {
    return pixelOf(s.ColorValue(color));
}

bool isPlainWord(const Interpreter& in, std::u16string_view word) {
    return in.lexer.tokenKind == TokenWord && in.words.text(in.lexer.wordId) == word;
}

} // namespace korvelin
