#pragma once
// The statements a program spends its time in, compiled once per slot.
//
// Assignment, FOR, NEXT, GOTO and GOSUB to a line number, a bare RETURN,
// and IF ... THEN/GOTO a line number make up most of what loops execute. The
// first time such a statement starts from the run loop, its tokens are
// read as its handler would read them and what the handler would find is
// kept: the target's name, the expressions (compiled, see
// values/CompiledExpression.h) with the lexer state before each, the slot
// a line number names. Later runs do the handler's work in the handler's
// order without reading a token.
//
// Whatever may change during a run is checked every time: default types
// for names without a suffix, a new variable store, a changed line chain,
// the loop on top of the stack. When something does not fit, the compiled
// form declines before it has changed anything but the lexer and the
// handler runs the statement instead, so every error is raised by the
// handler or by the expression evaluator, at the same lexer position.

#include "interpreter/Interpreter.h"

namespace korvelin {

// Runs the statement of `args.slot`, which the lexer has just been set to,
// from its compiled form, compiling it first when it has not been tried.
// Returns false when the statement's handler has to run it.
bool runCompiledStatement(Interpreter& in, StatementArgs& args);

} // namespace korvelin
