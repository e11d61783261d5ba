#pragma once
// How built-in functions read their arguments. Every reader starts with
// the function's name as the current token and leaves the token after the
// call current.
//
// The compiled expressions read the arguments of the common functions the
// way these readers do (values/CompiledExpression.cpp, computedBuiltin); a
// reader that reads differently needs the same change there.

#include "expressions/BuiltinFunctions.h"
#include "expressions/Evaluator.h"
#include "interpreter/Interpreter.h"
#include "values/InterpreterError.h"
#include "values/ValueOps.h"

#include <cstdint>
#include <span>
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

// The reader of a function that takes one argument and then computes.
template <OneArgumentFunction compute> Value readOneArgument(Interpreter& in) {
    return compute(singleArgument(in));
}

// A family's one-argument functions, listed once for both the table of
// readers and the compiled expressions.
struct OneArgumentEntry {
    int keyword;
    OneArgumentFunction compute;
    BuiltinFunction reader;
};
inline OneArgumentFunction findOneArgumentFunction(std::span<const OneArgumentEntry> entries, int keyword) {
    for (const OneArgumentEntry& entry : entries) {
        if (entry.keyword == keyword) return entry.compute;
    }
    return nullptr;
}
inline void registerOneArgumentFunctions(BuiltinTable& table, std::span<const OneArgumentEntry> entries) {
    for (const OneArgumentEntry& entry : entries)
        table[static_cast<std::size_t>(entry.keyword)] = entry.reader;
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
