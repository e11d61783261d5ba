#pragma once
// The expression evaluator: recursive descent that evaluates while it
// parses, one function per precedence level, loosest first. An expression
// met again at the same place of the same text is evaluated from its
// compiled form instead (values/CompiledExpression.h), with the same results,
// errors and lexer state.

#include "values/Value.h"
#include "values/ValueOps.h"

#include <array>
#include <cstdint>

namespace korvelin {

class Interpreter;
class Lexer;
struct ScanText;
struct StatementArgs;

// Evaluates one expression from the current token and leaves the token
// after it current. Errors are thrown (InterpreterError, HostFailure).
Value evaluateExpression(Interpreter& in);
// The scanning levels. evaluateXor is evaluateExpression without the
// compiled form.
Value evaluateXor(Interpreter& in);
Value evaluateOr(Interpreter& in);
Value evaluateAnd(Interpreter& in);
Value evaluateRelation(Interpreter& in); // NOT and one comparison
Value evaluateSum(Interpreter& in);      // sign, \ and MOD, + and -
Value evaluateProduct(Interpreter& in);  // ^, * and /
Value evaluatePrimary(Interpreter& in);

// The operator tokens of the levels above.
bool isComparisonOperator(const Lexer& lexer, Comparison& op);
bool isAddOperator(const Lexer& lexer);
bool isIntegerDivisionOperator(const Lexer& lexer);

// The current token is "(": reads up to five subscripts, rounded to whole
// numbers, and leaves the token after the last one current (the ")").
void readSubscripts(Interpreter& in, std::array<std::int32_t, 5>& subscripts);

// A call of a DEF FN function; the current token is its name.
Value callUserFunction(Interpreter& in);

constexpr int MaxFunctionParameters = 11;

// One call of a user function, apart from reading its arguments: finds
// the record (error 18 when no DEF FN has defined the name in this run),
// saves the parameter variables, stores the arguments as they arrive and
// puts the parameters back after the body has been evaluated.
inline constexpr int MaxUserFunctionDepth = 400;

class UserFunctionCall {
  public:
    // A call nested deeper than MaxUserFunctionDepth (an FN that calls
    // itself) fails as the host's stack exhaustion would.
    UserFunctionCall(Interpreter& in, int nameId);
    ~UserFunctionCall();
    UserFunctionCall(const UserFunctionCall&) = delete;
    UserFunctionCall& operator=(const UserFunctionCall&) = delete;
    int parameterCount() const { return parameterCount_; }
    // Stores the count-th argument (counting from 1) at once, so a later
    // argument that mentions an earlier parameter sees its new value; an
    // argument beyond the parameters is error 1.
    void passArgument(int count, Value argument);
    const ScanText* bodyText() const;
    // Not done when an argument or the body fails: the parameters then keep
    // the values passed.
    void restoreParameters();

  private:
    Interpreter& in_;
    std::int32_t record_;
    int parameterCount_;
    std::array<Value, MaxFunctionParameters> saved_;
};

// A built-in function; the current token is its name.
Value evaluateBuiltinFunction(Interpreter& in, int keyword);
bool isBuiltinFunction(int wordId);

} // namespace korvelin
