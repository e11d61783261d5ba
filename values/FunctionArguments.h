#pragma once
// How built-in functions read their arguments. Every reader starts with
// the function's name as the current token and leaves the token after the
// call current.

#include "interpreter/Interpreter.h"
#include "values/Evaluator.h"
#include "values/InterpreterError.h"
#include "values/ValueOps.h"

#include <cstdint>
#include <string>

namespace korvelin {

// NAME ( x ). The token after the name is passed over as the "(" without
// looking at it; only the ")" is checked.
inline Value singleArgument(Interpreter& in) {
    in.lexer.nextToken();
    in.lexer.nextToken();
    Value x = evaluateExpression(in);
    in.expectSymbol(u')');
    in.lexer.nextToken();
    return x;
}

// NAME with no argument list.
inline void noArgument(Interpreter& in) {
    in.lexer.nextToken();
}

// The checked list form, NAME ( a, b ... ): the "(" must be there, and the
// first token of the first argument becomes current.
inline void openList(Interpreter& in) {
    in.lexer.nextToken();
    in.expectSymbol(u'(');
    in.lexer.nextToken();
}
// The "," in front of the next argument.
inline void nextInList(Interpreter& in) {
    in.expectSymbol(u',');
    in.lexer.nextToken();
}
inline void closeList(Interpreter& in) {
    in.expectSymbol(u')');
    in.lexer.nextToken();
}

// An argument used as text: a number counts as the plain text it is
// written as (LEN(123) is 3).
inline std::string textOf(const Value& v) {
    return v.toTextBytes();
}
// The same as a String value, which shares the bytes of a String argument
// instead of copying them.
inline Value asText(Value v) {
    if (v.isString()) return v;
    return Value::bytes(v.toTextBytes());
}

// An argument used as a count or position: rounded to a whole number,
// halves to even; beyond the Long range is error 21.
inline std::int32_t wholeOf(const Value& v) {
    return toLongRounded(v);
}

} // namespace korvelin
