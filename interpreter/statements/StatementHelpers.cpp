// The helpers every statement family shares: the end of a statement, jumps,
// optional arguments, expected words and symbols, variable targets.

#include "expressions/Evaluator.h"
#include "interpreter/Interpreter.h"
#include "values/CheckedNumbers.h"
#include "values/InterpreterError.h"
#include "values/ValueOps.h"

#include <cmath>

namespace korvelin {

void Interpreter::checkStatementEnd(StatementArgs& args) {
    if (args.slot >= 0 && !lexer.atStatementEnd()) raise(ErrSyntax);
    host.processEvents();
}

void Interpreter::skipToStatementEnd() {
    while (!(lexer.tokenKind == TokenEnd || lexer.isSymbol(u':') || lexer.isWord(KwElse) ||
             lexer.isSymbol(u'\'')))
        lexer.nextToken();
}

void Interpreter::pushReturnEntry(int slot) {
    control.push(statements[slot].next);
    control.levelStatement[static_cast<std::size_t>(control.controlTop)] = static_cast<std::int16_t>(slot);
}

void Interpreter::jumpToLine(StatementArgs& args) {
    const int target = statements.findLine(lexer.tokenValue.toDouble());
    if (target < 0) raise(ErrUndefinedLine);
    if (currentStatement == u"GOSUB") pushReturnEntry(args.slot);
    args.slot = target;
    args.jumped = 1;
    lexer.nextToken();
}

void Interpreter::jumpToLabel(StatementArgs& args) {
    if (lexer.tokenKind != TokenWord) raise(ErrSyntax);
    const int target = labels.find(lexer.wordId);
    if (target < 0) raise(ErrUndefinedLabel);
    if (currentStatement == u"GOSUB") pushReturnEntry(args.slot);
    args.slot = target;
    args.jumped = 1;
    lexer.nextToken();
}

void Interpreter::jumpToTarget(StatementArgs& args) {
    if (lexer.isSymbol(u'*')) {
        lexer.nextToken();
        jumpToLabel(args);
    } else if (lexer.tokenKind == TokenConstant && !lexer.tokenValue.isString()) {
        jumpToLine(args);
    } else {
        raise(ErrSyntax);
    }
}

std::int16_t Interpreter::optionalInteger(std::int16_t defaultValue) {
    if (lexer.atListEnd()) return defaultValue;
    lexer.nextToken();
    if (lexer.isSymbol(u',')) return defaultValue;
    const Value v = evaluateExpression(*this);
    if (v.isString() || v.kind() == ValueKind::Boolean) return defaultValue;
    return flooredInteger(v.toDouble());
}

float Interpreter::optionalSingle(float defaultValue) {
    if (lexer.atListEnd()) return defaultValue;
    lexer.nextToken();
    if (lexer.isSymbol(u',')) return defaultValue;
    return checkedSingle(evaluateExpression(*this).toDouble());
}

Value Interpreter::optionalString(const Value& defaultValue) {
    if (lexer.atListEnd()) return defaultValue;
    lexer.nextToken();
    if (lexer.isSymbol(u',')) return defaultValue;
    return Value::bytes(evaluateExpression(*this).toTextBytes());
}

void Interpreter::expectSymbol(char16_t symbol) {
    if (!lexer.isSymbol(symbol)) raise(ErrSyntax);
}

void Interpreter::expectWord(Keyword keyword) {
    if (!lexer.isWord(keyword)) raise(ErrSyntax);
}

void Interpreter::watchCheck() {
    if (!host.hasWatches()) return;
    const int changed = host.checkWatches();
    if (changed < 0) return;
    host.showWatch(changed);
    events.eventTarget[EventBreak] = -1;
    events.pendingEvent = EventBreak;
}

int Interpreter::parseVariableTarget() {
    if (lexer.tokenKind != TokenWord) raise(ErrSyntax);
    const int wordId = lexer.wordId;
    if (words.isFunctionName(wordId)) raise(ErrSyntax);
    if (reservedIndex(wordId) >= 0) raise(ErrSyntax);
    const int nameId = completeName(wordId);

    std::array<std::int32_t, MaxDimensions> subscripts{-1, -1, -1, -1, -1};
    lexer.nextToken();
    if (lexer.isSymbol(u'(')) {
        readSubscripts(*this, subscripts);
        lexer.nextToken(); // the ")", whatever it is
    }
    variables.subscriptRegister = subscripts;
    return nameId;
}

} // namespace korvelin
