#pragma once
// Expressions compiled once and then evaluated without reading a token.
//
// The scanning evaluator reads the same tokens every time a statement runs.
// The first time an expression is evaluated from a position of a ScanText,
// the compiler reads it the way the scanner would and keeps a small tree
// beside the text's tokens. Because which tokens the scanner reads never
// depends on the values it computes, the tree also knows the lexer state
// after each of those reads: evaluation leaves the lexer where the scanner
// would have left it, and an error leaves it where the scanner would have
// stopped, so that messages and the editor caret cannot tell the two apart.
//
// Whatever may change while a program runs is looked at while it runs:
// default types (DEFINT ...), variables created later, a new run emptying
// the variable store, functions defined later.

#include "values/Value.h"

namespace korvelin {

class Interpreter;

// Evaluates the expression at the lexer's current token from its compiled
// form, compiling it when it is first met there. Returns false, with the
// lexer untouched, for an expression that has to be scanned instead: one
// the compiler does not take (a few built-in functions, syntax errors,
// reserved words), or a DATA item.
bool evaluateCompiled(Interpreter& in, Value& result);

// For statements compiled ahead (interpreter/CompiledStatement.h), which
// keep the expressions they contain and the lexer state before each.
struct CompiledExpression;
struct ScanText;
// The compiled form of the expression at the lexer's current token,
// compiling it when it is first met there; null when it must be scanned.
const CompiledExpression* compiledExpressionHere(Interpreter& in);
// Moves the lexer past the expression without evaluating it.
void skipCompiled(Interpreter& in, const CompiledExpression& compiled);
// Evaluates it as evaluateExpression would; the lexer must stand where it
// stood when the expression was compiled. An error leaves the lexer where
// the scanner would have stopped; success leaves it wherever the work
// took it (a statement that can still fail afterwards puts it after the
// expression with leaveCompiled first).
Value evaluatePrepared(Interpreter& in, const CompiledExpression& compiled);
// Puts the lexer where a successful evaluation in `text` ends,
// `callerValue` being the token value the evaluation started with.
void leaveCompiled(Interpreter& in, const CompiledExpression& compiled, const ScanText* text,
                   const Value& callerValue);
// Whether evaluating it may run code with effects of its own: a user
// function, or a built-in function that reads its own arguments (RND moves
// the random sequence, INPUT$ reads input). The built-in functions whose
// arguments are evaluated in the compiled form only compute a result from
// them; they may fail, but an expression made of them and of operators can
// be evaluated again from its start after an error and do what it did.
bool mayCallFunctions(const CompiledExpression& compiled);

} // namespace korvelin
