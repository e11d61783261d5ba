#include "expressions/Evaluator.h"

#include "expressions/CompiledExpression.h"
#include "interpreter/Interpreter.h"
#include "values/InterpreterError.h"
#include "values/StackGuard.h"
#include "values/ValueOps.h"

namespace korvelin {

Value evaluateExpression(Interpreter& in) {
    // Every nesting of parentheses, arguments and FN bodies passes here.
    checkStackLeft();
    Value result;
    if (!evaluateCompiled(in, result)) result = evaluateXor(in);
    return result;
}

Value evaluateXor(Interpreter& in) {
    Value left = evaluateOr(in);
    while (in.lexer.isWord(KwXor)) {
        in.lexer.nextToken();
        left = logicalXor(left, evaluateOr(in));
    }
    return left;
}

Value evaluateOr(Interpreter& in) {
    Value left = evaluateAnd(in);
    while (in.lexer.isWord(KwOr)) {
        in.lexer.nextToken();
        left = logicalOr(left, evaluateAnd(in));
    }
    return left;
}

Value evaluateAnd(Interpreter& in) {
    Value left = evaluateRelation(in);
    while (in.lexer.isWord(KwAnd)) {
        in.lexer.nextToken();
        left = logicalAnd(left, evaluateRelation(in));
    }
    return left;
}

bool isComparisonOperator(const Lexer& lexer, Comparison& op) {
    if (lexer.tokenKind != TokenSymbol) return false;
    switch (lexer.symbol) {
    case u'=': op = Comparison::Equal; return true;
    case u'<': op = Comparison::Less; return true;
    case u'>': op = Comparison::Greater; return true;
    case SymLessEqual:
    case SymEqualLess: op = Comparison::LessOrEqual; return true;
    case SymGreaterEqual:
    case SymEqualGreater: op = Comparison::GreaterOrEqual; return true;
    case SymNotEqual: op = Comparison::NotEqual; return true;
    default: return false;
    }
}

bool isIntegerDivisionOperator(const Lexer& lexer) {
    return lexer.tokenKind == TokenSymbol && (lexer.symbol == u'\\' || lexer.symbol == SymMod);
}

bool isAddOperator(const Lexer& lexer) {
    return lexer.tokenKind == TokenSymbol && (lexer.symbol == u'+' || lexer.symbol == u'-');
}

namespace {

// Applies the \ and MOD operators that follow a product.
Value integerDivisionChain(Interpreter& in, Value left) {
    while (isIntegerDivisionOperator(in.lexer)) {
        const bool isMod = in.lexer.symbol == SymMod;
        in.lexer.nextToken();
        Value right = evaluateProduct(in);
        left = isMod ? modulo(left, right) : integerDivide(left, right);
    }
    return left;
}

// Applies the ^ operators that follow a primary; the exponent may carry a sign.
Value powerChain(Interpreter& in, Value left) {
    while (in.lexer.isSymbol(u'^')) {
        in.lexer.nextToken();
        bool negative = false;
        if (isAddOperator(in.lexer)) {
            negative = in.lexer.symbol == u'-';
            in.lexer.nextToken();
        }
        Value exponent = evaluatePrimary(in);
        left = power(left, negative ? negate(exponent) : exponent);
    }
    return left;
}

} // namespace

Value evaluateRelation(Interpreter& in) {
    const bool negated = in.lexer.isWord(KwNot);
    if (negated) in.lexer.nextToken();
    Value left = evaluateSum(in);
    Comparison op;
    if (isComparisonOperator(in.lexer, op)) {
        in.lexer.nextToken();
        left = compare(left, evaluateSum(in), op);
    }
    return negated ? logicalNot(left) : left;
}

Value evaluateSum(Interpreter& in) {
    bool negative = false;
    if (isAddOperator(in.lexer)) {
        negative = in.lexer.symbol == u'-';
        in.lexer.nextToken();
    }
    // The sign belongs to the first term including its \ and MOD chain:
    // -7 MOD 3 is -(7 MOD 3).
    Value left = integerDivisionChain(in, evaluateProduct(in));
    if (negative) left = negate(left);
    while (isAddOperator(in.lexer)) {
        const bool subtracting = in.lexer.symbol == u'-';
        in.lexer.nextToken();
        Value right = integerDivisionChain(in, evaluateProduct(in));
        left = subtracting ? subtract(left, right) : add(left, right);
    }
    return left;
}

Value evaluateProduct(Interpreter& in) {
    Value left = powerChain(in, evaluatePrimary(in));
    while (in.lexer.tokenKind == TokenSymbol && (in.lexer.symbol == u'*' || in.lexer.symbol == u'/')) {
        const bool dividing = in.lexer.symbol == u'/';
        in.lexer.nextToken();
        Value right = powerChain(in, evaluatePrimary(in));
        if (!dividing) {
            left = multiply(left, right);
        } else {
            if (equalsZero(right)) raise(ErrDivisionByZero);
            left = divide(left, right);
        }
    }
    return left;
}

void readSubscripts(Interpreter& in, std::array<std::int32_t, 5>& subscripts) {
    std::size_t count = 0;
    do {
        in.lexer.nextToken();
        if (count == subscripts.size()) failHost(HostFailureKind::Other); // a sixth subscript
        subscripts[count++] = toLongRounded(evaluateExpression(in));
    } while (in.lexer.isSymbol(u','));
    for (std::size_t i = 0; i < count; ++i) {
        if (subscripts[i] < 0) raise(ErrIllegalCall);
    }
}

Value evaluatePrimary(Interpreter& in) {
    Lexer& lexer = in.lexer;
    switch (lexer.tokenKind) {
    case TokenConstant: {
        Value v = lexer.tokenValue;
        lexer.nextToken();
        return v;
    }
    case TokenSymbol: {
        if (!lexer.isSymbol(u'(')) raise(ErrSyntax);
        lexer.nextToken();
        Value v = evaluateExpression(in);
        if (!lexer.isSymbol(u')')) raise(ErrSyntax);
        lexer.nextToken();
        return v;
    }
    case TokenWord: break;
    default: raise(ErrSyntax);
    }

    const int wordId = lexer.wordId;
    if (isBuiltinFunction(wordId)) return evaluateBuiltinFunction(in, wordId);
    if (in.words.isFunctionName(wordId)) return callUserFunction(in);

    if (in.reservedIndex(wordId) >= 0) raise(ErrSyntax); // a reserved word used as a value
    const int nameId = in.completeName(wordId);
    std::array<std::int32_t, 5> subscripts{-1, -1, -1, -1, -1};
    lexer.nextToken();
    if (lexer.isSymbol(u'(')) {
        readSubscripts(in, subscripts);
        lexer.nextToken();
    }
    in.variables.subscriptRegister = subscripts;
    return in.variables[in.variables.lookupVariable(nameId, LookupMode::Reference)];
}

} // namespace korvelin
