#pragma once
// The compiled form of an expression: a tree of nodes over the tokens the
// compiler read (its "steps"), and the lexer's place after each step, so
// that evaluation can leave the lexer where scanning would have. The
// compiler (ExpressionCompiler.cpp) builds it; CompiledExpression.cpp
// evaluates it.

#include "expressions/BuiltinFunctions.h"
#include "interpreter/Lexer.h"
#include "values/Value.h"
#include "values/ValueOps.h"
#include "values/VariableStore.h"

#include <bit>
#include <cstdint>
#include <vector>

namespace korvelin {

class Interpreter;

namespace expression_tree {

enum class Op : std::uint8_t {
    Constant,
    Scalar,
    Element,
    Call,
    Builtin,
    // Built-in functions whose arguments are evaluated here.
    OneArgument,
    Edge,
    Middle,
    Search,
    Repeat,
    Negate,
    Not,
    Add,
    Subtract,
    Multiply,
    Divide,
    IntegerDivide,
    Modulo,
    Power,
    PowerNegated,
    Compare,
    And,
    Or,
    Xor,
};

// The state before the first read of the expression. It belongs to the
// caller and is never written back.
constexpr int NoStep = -1;

// The lexer's place right after one token read.
struct TokenStep {
    Lexer::TokenPlace place;
    // tokenValue changes only when a constant or the end is read: the step
    // that read the last of them so far, NoStep while it is the caller's.
    int valueStep;
};

// A subscript or an argument, with the step that read the token after it.
struct Operand {
    int node;
    int after;
};

struct Node {
    Op op = Op::Constant;
    Comparison comparison = Comparison::Equal;
    bool suffixed = false;      // a variable whose name carries its type suffix
    bool parenthesized = false; // a call with an argument list
    bool calls = false;         // a function that may change variables is called inside
    std::uint8_t letter = 0;    // a variable's initial, 0 for A
    int after = NoStep;         // the step that read the token after the node
    int left = -1;              // operands; Element, Call and functions: first of `count` in operands
    int right = -1;
    int count = 0;
    int wordId = -1;                       // variables and calls: the name as written
    int nameStep = NoStep;                 // calls: the step that read the name
    OneArgumentFunction compute = nullptr; // OneArgument
    Value constant;
    // What the last lookup found: a scalar's slot, an array's entry.
    mutable NameMemory memory;
};

inline bool remembers(const VariableStore& store, const Node& n) {
    return n.memory.valid(store, n.suffixed, n.letter);
}

inline void remember(const VariableStore& store, const Node& n, std::int32_t found) {
    n.memory.keep(store, n.suffixed, n.letter, found);
}

inline bool sameConstant(const Value& a, const Value& b) {
    if (a.kind() != b.kind()) return false;
    switch (a.kind()) {
    case ValueKind::Integer:
    case ValueKind::Boolean: return a.rawInteger() == b.rawInteger();
    case ValueKind::Long: return a.rawLong() == b.rawLong();
    case ValueKind::Single:
        return std::bit_cast<std::uint32_t>(a.rawSingle()) == std::bit_cast<std::uint32_t>(b.rawSingle());
    case ValueKind::Double:
        return std::bit_cast<std::uint64_t>(a.rawDouble()) == std::bit_cast<std::uint64_t>(b.rawDouble());
    case ValueKind::String: return a.byteForm() == b.byteForm();
    case ValueKind::Empty: break;
    }
    return true;
}

} // namespace expression_tree

struct CompiledExpression {
    bool usable = false;
    // The token current at the start when the expression was compiled.
    // Callers that move the lexer by hand could arrive at the same position
    // with another one; they are scanned.
    TokenKind entryKind = TokenEnd;
    char16_t entrySymbol = 0;
    int entryWord = -1;
    Value entryValue;

    std::vector<expression_tree::Node> nodes;
    std::vector<expression_tree::Operand> operands;
    std::vector<expression_tree::TokenStep> steps;
    std::vector<Value> stepValues; // the tokenValue each step set, Empty for other tokens
    int root = -1;
    int endStep = expression_tree::NoStep;
    // A user function's body, or a built-in function that reads its own
    // arguments, may change variables and reads constants of its own, after
    // which the caller's tokenValue comes back.
    bool hasCalls = false;
    // One operator (+ - * or a comparison) between two operands that are
    // constants or scalar variables: evaluated without a tree walk.
    bool simpleOperation = false;

    bool startsAt(const Lexer& lexer) const {
        if (lexer.tokenKind != entryKind) return false;
        switch (entryKind) {
        case TokenWord: return lexer.wordId == entryWord;
        case TokenSymbol: return lexer.symbol == entrySymbol;
        case TokenConstant: return expression_tree::sameConstant(lexer.tokenValue, entryValue);
        case TokenEnd: break;
        }
        return true;
    }

    void leaveLexer(Lexer& lexer, const ScanText* text, int step, const Value& callerValue) const {
        const expression_tree::TokenStep& s = steps[static_cast<std::size_t>(step)];
        lexer.moveTo(text, s.place);
        if (s.valueStep != expression_tree::NoStep)
            lexer.tokenValue = stepValues[static_cast<std::size_t>(s.valueStep)];
        else if (hasCalls)
            lexer.tokenValue = callerValue;
    }
};

// Compiles the expression at the lexer's current token, which stands at
// `position` of `text`, and keeps it in the text's memory; the lexer is
// put back where it was. An expression the compiler does not take is kept
// as not usable, so that it is scanned from then on.
const CompiledExpression* compileAt(Interpreter& in, const ScanText& text, int position);

} // namespace korvelin
