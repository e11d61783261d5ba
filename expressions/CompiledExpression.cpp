// Evaluation of compiled expressions: a walk over the tree that leaves
// the lexer, on success and on failure, where the scanner would have.

#include "expressions/CompiledExpression.h"

#include "expressions/BuiltinFunctions.h"
#include "expressions/Evaluator.h"
#include "expressions/ExpressionTree.h"
#include "expressions/FunctionArguments.h"
#include "interpreter/Interpreter.h"
#include "values/InterpreterError.h"

namespace korvelin {

void CompiledExpressionDeleter::operator()(CompiledExpression* expression) const noexcept {
    delete expression;
}

namespace {

using namespace expression_tree;

class Evaluation {
  public:
    Evaluation(Interpreter& in, const CompiledExpression& compiled, const ScanText* text,
               const Value& callerValue)
        : in_(in), store_(in.variables), nodes_(compiled.nodes.data()), operands_(compiled.operands.data()),
          compiled_(compiled), text_(text), callerValue_(callerValue) {}

    Value evaluate(int index) {
        const Node& n = nodes_[index];
        switch (n.op) {
        case Op::Constant: return n.constant;
        case Op::Scalar: failStep = n.after; return store_[scalarSlot(n)];
        case Op::Element: return element(n);
        case Op::Call: return call(n);
        case Op::Builtin: return builtin(n);
        case Op::OneArgument: {
            Value copy;
            const Value& x = operand(operands_[n.left].node, copy);
            failStep = n.after;
            return n.compute(x);
        }
        case Op::Edge: return edge(n);
        case Op::Middle: return middle(n);
        case Op::Search: return search(n);
        case Op::Repeat: return repeated(n);
        case Op::Negate:
        case Op::Not: {
            const Value operand = evaluate(n.left);
            failStep = n.after;
            return n.op == Op::Negate ? negate(operand) : logicalNot(operand);
        }
        default: break;
        }
        // Constants and variables are used where they are. A variable read
        // before a call must be copied: the call may change it.
        Value leftCopy;
        Value rightCopy;
        const Value& a = nodes_[n.right].calls ? (leftCopy = evaluate(n.left)) : operand(n.left, leftCopy);
        const Value& b = operand(n.right, rightCopy);
        failStep = n.after;
        switch (n.op) {
        case Op::Add: return add(a, b);
        case Op::Subtract: return subtract(a, b);
        case Op::Multiply: return multiply(a, b);
        case Op::Divide:
            if (equalsZero(b)) raise(ErrDivisionByZero);
            return divide(a, b);
        case Op::IntegerDivide: return integerDivide(a, b);
        case Op::Modulo: return modulo(a, b);
        case Op::Power: return power(a, b);
        case Op::PowerNegated: return power(a, negate(b));
        case Op::Compare: return compare(a, b, n.comparison);
        case Op::And: return logicalAnd(a, b);
        case Op::Or: return logicalOr(a, b);
        default: break;
        }
        return logicalXor(a, b);
    }

    // The step whose lexer state belongs to an error thrown now; NoStep
    // when the lexer already holds it.
    int failStep = NoStep;

  private:
    const Value& operand(int index, Value& copy) {
        const Node& n = nodes_[index];
        if (n.op == Op::Constant) return n.constant;
        if (n.op == Op::Scalar) {
            failStep = n.after;
            return store_[scalarSlot(n)];
        }
        copy = evaluate(index);
        return copy;
    }

    std::int32_t scalarSlot(const Node& n) {
        store_.subscriptRegister = {-1, -1, -1, -1, -1};
        return remembers(store_, n) ? n.memory.found : lookUpScalar(n);
    }
    // The first lookup creates the variable when it does not exist yet.
    [[gnu::noinline]] std::int32_t lookUpScalar(const Node& n) {
        const std::int32_t slot = store_.lookupVariable(in_.completeName(n.wordId), LookupMode::Reference);
        remember(store_, n, slot);
        return slot;
    }

    [[gnu::noinline]] Value element(const Node& n) {
        const bool known = remembers(store_, n);
        const int name = known ? -1 : in_.completeName(n.wordId);
        std::array<std::int32_t, MaxDimensions> subscripts{-1, -1, -1, -1, -1};
        const Operand* items = operands_ + n.left;
        for (int i = 0; i < n.count; ++i) {
            const Value subscript = evaluate(items[i].node);
            failStep = items[i].after;
            subscripts[static_cast<std::size_t>(i)] = toLongRounded(subscript);
        }
        // Negative subscripts are rejected once the list has been read.
        for (int i = 0; i < n.count; ++i) {
            if (subscripts[static_cast<std::size_t>(i)] < 0) raise(ErrIllegalCall);
        }
        failStep = n.after;
        store_.subscriptRegister = subscripts;
        if (known)
            return store_[store_.elementSlot(store_.variableTable[static_cast<std::size_t>(n.memory.found)])];
        // The first reference may create the array, with its implicit bounds.
        const std::int32_t slot = store_.lookupVariable(name, LookupMode::Reference);
        remember(store_, n, store_.arrayEntry(name));
        return store_[slot];
    }

    [[gnu::noinline]] Value call(const Node& n) {
        failStep = n.nameStep;
        UserFunctionCall call(in_, n.wordId);
        if (n.parenthesized) {
            const Operand* items = operands_ + n.left;
            for (int i = 0; i < n.count; ++i) {
                Value argument = evaluate(items[i].node);
                failStep = items[i].after;
                call.passArgument(i + 1, std::move(argument));
            }
            if (n.count != call.parameterCount()) raise(ErrSyntax);
        }
        // The body's scan starts from the caller's state after the call
        // (a constant first read keeps the symbol and word before it), and an
        // error there leaves the lexer in the body. The caller's state need
        // not be saved: the end of its evaluation sets it anew.
        Lexer& lexer = in_.lexer;
        compiled_.leaveLexer(lexer, text_, n.after, callerValue_);
        failStep = NoStep;
        lexer.scanData = false;
        lexer.start(call.bodyText());
        Value result = evaluateExpression(in_);
        call.restoreParameters();
        return result;
    }

    // The arguments are converted as their readers convert them, each
    // failing where the reader's scan of it stopped.
    std::int32_t whole(const Operand& argument) {
        const Value x = evaluate(argument.node);
        failStep = argument.after;
        return wholeOf(x);
    }

    [[gnu::noinline]] Value edge(const Node& n) {
        const Operand* items = operands_ + n.left;
        const Value text = asText(evaluate(items[0].node));
        const std::int32_t count = whole(items[1]);
        failStep = n.after;
        return edgeOf(n.wordId == KwLeftS, text, count);
    }

    [[gnu::noinline]] Value middle(const Node& n) {
        const TextUnit unit = n.wordId == KwMidS ? TextUnit::Byte : TextUnit::Character;
        const Operand* items = operands_ + n.left;
        const Value text = asText(evaluate(items[0].node));
        const std::int64_t p = whole(items[1]);
        std::int64_t count = middleRest(unit, text, p);
        if (n.count == 3) {
            const Value x = evaluate(items[2].node);
            failStep = items[2].after;
            count = middleCount(x, count);
        }
        failStep = n.after;
        return middleOf(unit, text, p, count);
    }

    // Compiled as ( first , second [, third] ): a first argument that is
    // text leaves a third for the ")", one that is a start needs it.
    [[gnu::noinline]] Value search(const Node& n) {
        const TextUnit unit = n.wordId == KwInstr ? TextUnit::Byte : TextUnit::Character;
        const Operand* items = operands_ + n.left;
        Value first = evaluate(items[0].node);
        if (searchBeginsWithText(first)) {
            const Value s = asText(std::move(first));
            const Value t = asText(evaluate(items[1].node));
            if (n.count == 3) {
                failStep = items[1].after;
                raise(ErrSyntax);
            }
            failStep = n.after;
            return searchOf(unit, s, t, 1);
        }
        failStep = items[0].after;
        const std::int32_t p = wholeOf(first);
        const Value s = asText(evaluate(items[1].node));
        failStep = items[1].after;
        checkSearchStart(p);
        if (n.count == 2) raise(ErrSyntax);
        const Value t = asText(evaluate(items[2].node));
        failStep = n.after;
        return searchOf(unit, s, t, p);
    }

    [[gnu::noinline]] Value repeated(const Node& n) {
        const Operand* items = operands_ + n.left;
        const std::int32_t count = whole(items[0]);
        const Value c = evaluate(items[1].node);
        failStep = n.after;
        return repeatedOf(count, c);
    }

    // The lexer goes to the function's name (still there when the name came
    // first) and the function scans its arguments; it fails, if at all,
    // where the scanner would.
    [[gnu::noinline]] Value builtin(const Node& n) {
        if (n.nameStep != NoStep) compiled_.leaveLexer(in_.lexer, text_, n.nameStep, callerValue_);
        failStep = NoStep;
        return evaluateBuiltinFunction(in_, n.wordId);
    }

    Interpreter& in_;
    VariableStore& store_;
    const Node* nodes_;
    const Operand* operands_;
    const CompiledExpression& compiled_;
    const ScanText* text_;
    const Value& callerValue_;
};

// Leaves the lexer after the expression only when `leaveAtEnd` is set.
void evaluateTree(Interpreter& in, const CompiledExpression& compiled, const ScanText* text, Value& result,
                  bool leaveAtEnd) {
    Lexer& lexer = in.lexer;
    Value callerValue;
    if (compiled.hasCalls) callerValue = lexer.tokenValue;
    Evaluation evaluation(in, compiled, text, callerValue);
    try {
        result = evaluation.evaluate(compiled.root);
    } catch (...) {
        if (evaluation.failStep != NoStep) compiled.leaveLexer(lexer, text, evaluation.failStep, callerValue);
        throw;
    }
    if (leaveAtEnd) compiled.leaveLexer(lexer, text, compiled.endStep, callerValue);
}

const CompiledExpression* findOrCompile(Interpreter& in) {
    Lexer& lexer = in.lexer;
    const ScanText* text = lexer.source;
    if (!text || lexer.scanData || !lexer.compileExpressions || in.variables.watchEvaluation) return nullptr;
    const int position = lexer.position;
    const CompiledExpression* compiled = text->tokens.expressionAt(position);
    if (!compiled) {
        if (position < 1 || position > static_cast<int>(text->text.size()) + 1) return nullptr;
        compiled = compileAt(in, *text, position);
    }
    if (!compiled->usable || !compiled->startsAt(lexer)) return nullptr;
    return compiled;
}

// A constant, or a variable whose slot is known: used where it is.
const Value* plainOperand(VariableStore& store, const Node& n) {
    if (n.op == Op::Constant) return &n.constant;
    if (n.op == Op::Scalar && remembers(store, n)) return &store[n.memory.found];
    return nullptr;
}

// The commonest expressions, such as K+1 or I<N, without setting up a tree
// walk. Returns false when a variable's slot is not known yet.
bool evaluateSimpleOperation(Interpreter& in, const CompiledExpression& compiled, const Node& root,
                             Value& result) {
    VariableStore& store = in.variables;
    const Node& leftNode = compiled.nodes[static_cast<std::size_t>(root.left)];
    const Node& rightNode = compiled.nodes[static_cast<std::size_t>(root.right)];
    const Value* a = plainOperand(store, leftNode);
    const Value* b = a ? plainOperand(store, rightNode) : nullptr;
    if (!b) return false;
    if (leftNode.op == Op::Scalar || rightNode.op == Op::Scalar)
        store.subscriptRegister = {-1, -1, -1, -1, -1};
    try {
        switch (root.op) {
        case Op::Add: result = add(*a, *b); break;
        case Op::Subtract: result = subtract(*a, *b); break;
        case Op::Multiply: result = multiply(*a, *b); break;
        default: result = compare(*a, *b, root.comparison); break;
        }
    } catch (...) {
        compiled.leaveLexer(in.lexer, in.lexer.source, root.after, result);
        throw;
    }
    return true;
}

void evaluateFound(Interpreter& in, const CompiledExpression& compiled, Value& result, bool leaveAtEnd) {
    Lexer& lexer = in.lexer;
    const ScanText* text = lexer.source;
    // A lone constant, or a variable that exists, cannot fail and calls nothing.
    const Node& root = compiled.nodes[static_cast<std::size_t>(compiled.root)];
    if (compiled.simpleOperation && evaluateSimpleOperation(in, compiled, root, result)) {
        // Nothing else to do.
    } else if (root.op == Op::Constant) {
        result = root.constant;
    } else if (root.op == Op::Scalar && remembers(in.variables, root)) {
        in.variables.subscriptRegister = {-1, -1, -1, -1, -1};
        result = in.variables[root.memory.found];
    } else {
        evaluateTree(in, compiled, text, result, leaveAtEnd);
        return;
    }
    if (leaveAtEnd) compiled.leaveLexer(lexer, text, compiled.endStep, result);
}

} // namespace

bool evaluateCompiled(Interpreter& in, Value& result) {
    const CompiledExpression* compiled = findOrCompile(in);
    if (!compiled) return false;
    evaluateFound(in, *compiled, result, true);
    return true;
}

const CompiledExpression* compiledExpressionHere(Interpreter& in) {
    return findOrCompile(in);
}

void skipCompiled(Interpreter& in, const CompiledExpression& compiled) {
    const Value callerValue = in.lexer.tokenValue;
    compiled.leaveLexer(in.lexer, in.lexer.source, compiled.endStep, callerValue);
}

Value evaluatePrepared(Interpreter& in, const CompiledExpression& compiled) {
    Value result;
    evaluateFound(in, compiled, result, false);
    return result;
}

void leaveCompiled(Interpreter& in, const CompiledExpression& compiled, const ScanText* text,
                   const Value& callerValue) {
    compiled.leaveLexer(in.lexer, text, compiled.endStep, callerValue);
}

bool mayCallFunctions(const CompiledExpression& compiled) {
    return compiled.hasCalls;
}

} // namespace korvelin
