#pragma once
// The file number of OPEN, CLOSE, FIELD, GET and PUT: one numeric constant
// token, not an expression. A string, a name or nothing in its place is a
// type mismatch (13).

#include "interpreter/Interpreter.h"
#include "values/ValueOps.h"

namespace korvelin {

inline std::int32_t readFileNumberToken(Interpreter& in) {
    Lexer& lexer = in.lexer;
    if (lexer.tokenKind != TokenConstant || lexer.tokenValue.isString()) raise(ErrTypeMismatch);
    const std::int32_t n = toLongRounded(lexer.tokenValue);
    lexer.nextToken();
    return n;
}

// A string argument of the file and disk statements; a number is a type
// mismatch.
std::u16string readNameArgument(Interpreter& in);

} // namespace korvelin
