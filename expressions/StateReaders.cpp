// ERR, ERL, DATE$, TIME$ and MOUSE: readers of the error state, the
// interpreter's clock and the mouse state kept with the keyboard.

#include "expressions/BuiltinFunctions.h"
#include "expressions/FunctionArguments.h"

#include <QDateTime>

namespace korvelin {

namespace {

Value errorNumber(Interpreter& in) {
    noArgument(in);
    return Value::integer(in.errors.errorNumber);
}

// Line numbers can go beyond 16 bits; such an ERL is a Long.
Value errorLine(Interpreter& in) {
    noArgument(in);
    const std::int32_t line = in.errors.errorLine;
    if (line >= -32768 && line <= 32767) return Value::integer(static_cast<std::int16_t>(line));
    return Value::longInt(line);
}

Value clockText(Interpreter& in, const char* format) {
    noArgument(in);
    return Value::bytes(in.clock.now().toString(QString::fromLatin1(format)).toStdString());
}

Value date(Interpreter& in) {
    return clockText(in, "yy/MM/dd");
}
Value time(Interpreter& in) {
    return clockText(in, "HH:mm:ss");
}

// MOUSE(k [, b]): 0 and 1 the last position, 4 and 5 where button b went
// down, 7 and 8 where it came up. Without b the never-written entry 0 is read.
Value mouse(Interpreter& in) {
    openList(in);
    const std::int32_t k = wholeOf(evaluateExpression(in));
    std::int32_t b = 0;
    bool buttonGiven = false;
    if (in.lexer.isSymbol(u',')) {
        in.lexer.nextToken();
        b = wholeOf(evaluateExpression(in));
        buttonGiven = true;
    }
    closeList(in);
    if (buttonGiven && b != 1 && b != 2) raise(ErrIllegalCall);
    const KeyboardState& m = in.keyboard;
    const auto button = static_cast<std::size_t>(b);
    switch (k) {
    case 0: return Value::single(m.mouseX);
    case 1: return Value::integer(m.mouseY);
    case 4: return Value::single(m.buttonDownX[button]);
    case 5: return Value::integer(m.buttonDownY[button]);
    case 7: return Value::single(m.buttonUpX[button]);
    case 8: return Value::integer(m.buttonUpY[button]);
    case 2:
    case 3:
    case 6:
    case 9: return Value::integer(0);
    default: raise(ErrIllegalCall);
    }
}

} // namespace

void registerStateReaders(BuiltinTable& table) {
    table[KwErr] = errorNumber;
    table[KwErl] = errorLine;
    table[KwDateS] = date;
    table[KwTimeS] = time;
    table[KwMouse] = mouse;
}

} // namespace korvelin
