#pragma once
// The expression evaluator: recursive descent that evaluates while it
// parses, one function per precedence level, loosest first.

#include "values/Value.h"

#include <array>
#include <cstdint>

namespace korvelin {

class Interpreter;
struct StatementArgs;

// Evaluates one expression from the current token and leaves the token
// after it current. Errors are thrown (InterpreterError, HostFailure).
Value evaluateExpression(Interpreter& in); // XOR
Value evaluateOr(Interpreter& in);
Value evaluateAnd(Interpreter& in);
Value evaluateRelation(Interpreter& in);   // NOT and one comparison
Value evaluateSum(Interpreter& in);        // sign, \ and MOD, + and -
Value evaluateProduct(Interpreter& in);    // ^, * and /
Value evaluatePrimary(Interpreter& in);

// The current token is "(": reads up to five subscripts, rounded to whole
// numbers, and leaves the token after the last one current (the ")").
void readSubscripts(Interpreter& in, std::array<std::int32_t, 5>& subscripts);

// A call of a DEF FN function; the current token is its name.
Value callUserFunction(Interpreter& in);
// DEF FN name [(parameters)] = expression
void executeDefFn(Interpreter& in, StatementArgs& args);

// A built-in function; the current token is its name.
Value evaluateBuiltinFunction(Interpreter& in, int keyword);
bool isBuiltinFunction(int wordId);

} // namespace korvelin
