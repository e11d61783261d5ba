// The compiler reads an expression level for level as the scanning
// evaluator in Evaluator.cpp does, recording every token read it makes (a
// "step"), and builds a tree whose nodes name the step after which their
// own operation can fail. A change to the grammar there needs the same
// change here; the tests run both on the same expressions.

#include "expressions/CompiledExpression.h"

#include "interpreter/Interpreter.h"
#include "expressions/BuiltinFunctions.h"
#include "expressions/Evaluator.h"
#include "expressions/FunctionArguments.h"
#include "values/InterpreterError.h"
#include "values/ValueOps.h"

#include <bit>
#include <cstdint>
#include <vector>

namespace korvelin {

namespace {

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

// The lexer state right after one token read.
struct TokenStep {
    int position;
    int currentChar;
    TokenKind kind;
    char16_t symbol;
    int wordId;
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

bool remembers(const VariableStore& store, const Node& n) {
    return n.memory.valid(store, n.suffixed, n.letter);
}

void remember(const VariableStore& store, const Node& n, std::int32_t found) {
    n.memory.keep(store, n.suffixed, n.letter, found);
}

bool sameConstant(const Value& a, const Value& b) {
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

} // namespace

struct CompiledExpression {
    bool usable = false;
    // The token current at the start when the expression was compiled.
    // Callers that move the lexer by hand could arrive at the same position
    // with another one; they are scanned.
    TokenKind entryKind = TokenEnd;
    char16_t entrySymbol = 0;
    int entryWord = -1;
    Value entryValue;

    std::vector<Node> nodes;
    std::vector<Operand> operands;
    std::vector<TokenStep> steps;
    std::vector<Value> stepValues; // the tokenValue each step set, Empty for other tokens
    int root = -1;
    int endStep = NoStep;
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
        case TokenConstant: return sameConstant(lexer.tokenValue, entryValue);
        case TokenEnd: break;
        }
        return true;
    }

    void leaveLexer(Lexer& lexer, const ScanText* text, int step, const Value& callerValue) const {
        const TokenStep& s = steps[static_cast<std::size_t>(step)];
        lexer.source = text;
        lexer.position = s.position;
        lexer.currentChar = s.currentChar;
        lexer.tokenKind = s.kind;
        lexer.symbol = s.symbol;
        lexer.wordId = s.wordId;
        if (s.valueStep != NoStep)
            lexer.tokenValue = stepValues[static_cast<std::size_t>(s.valueStep)];
        else if (hasCalls)
            lexer.tokenValue = callerValue;
    }
};

void CompiledExpressionDeleter::operator()(CompiledExpression* expression) const noexcept {
    delete expression;
}

namespace {

struct CannotCompile {};

// Deeper nesting than a statement's 255 characters allow is left to the scanner.
constexpr int MaxNesting = 128;

class Compiler {
  public:
    Compiler(Interpreter& in, CompiledExpression& out) : in_(in), lexer_(in.lexer), out_(out) {}

    void compile() {
        out_.root = expression();
        out_.endStep = current_;
    }

  private:
    void read() {
        lexer_.nextToken();
        const int step = static_cast<int>(out_.steps.size());
        // Reading a constant sets tokenValue, reading the end clears it.
        const bool constant = lexer_.tokenKind == TokenConstant || lexer_.tokenKind == TokenEnd;
        if (constant) lastValue_ = step;
        out_.steps.push_back({lexer_.position, lexer_.currentChar, lexer_.tokenKind, lexer_.symbol,
                              lexer_.wordId, lastValue_});
        out_.stepValues.push_back(constant ? lexer_.tokenValue : Value());
        current_ = step;
    }

    // Nodes are made when their last token has been read.
    int finish(Node node) {
        node.after = current_;
        out_.nodes.push_back(std::move(node));
        return static_cast<int>(out_.nodes.size()) - 1;
    }
    bool calls(int node) const { return out_.nodes[static_cast<std::size_t>(node)].calls; }
    int binary(Op op, int left, int right, Comparison comparison = Comparison::Equal) {
        Node node;
        node.op = op;
        node.left = left;
        node.right = right;
        node.comparison = comparison;
        node.calls = calls(left) || calls(right);
        return finish(std::move(node));
    }
    int unary(Op op, int operand) {
        Node node;
        node.op = op;
        node.left = operand;
        node.calls = calls(operand);
        return finish(std::move(node));
    }
    int finishWithOperands(Node node, const std::vector<Operand>& operands) {
        node.left = static_cast<int>(out_.operands.size());
        node.count = static_cast<int>(operands.size());
        for (const Operand& operand : operands)
            node.calls = node.calls || calls(operand.node);
        out_.operands.insert(out_.operands.end(), operands.begin(), operands.end());
        return finish(std::move(node));
    }

    int expression() {
        if (++nesting_ > MaxNesting) throw CannotCompile{};
        int left = disjunction();
        while (lexer_.isWord(KwXor)) {
            read();
            const int right = disjunction();
            left = binary(Op::Xor, left, right);
        }
        --nesting_;
        return left;
    }

    int disjunction() {
        int left = conjunction();
        while (lexer_.isWord(KwOr)) {
            read();
            const int right = conjunction();
            left = binary(Op::Or, left, right);
        }
        return left;
    }

    int conjunction() {
        int left = relation();
        while (lexer_.isWord(KwAnd)) {
            read();
            const int right = relation();
            left = binary(Op::And, left, right);
        }
        return left;
    }

    int relation() {
        const bool negated = lexer_.isWord(KwNot);
        if (negated) read();
        int left = sum();
        Comparison op;
        if (isComparisonOperator(lexer_, op)) {
            read();
            const int right = sum();
            left = binary(Op::Compare, left, right, op);
        }
        return negated ? unary(Op::Not, left) : left;
    }

    int sum() {
        bool negative = false;
        if (isAddOperator(lexer_)) {
            negative = lexer_.symbol == u'-';
            read();
        }
        int left = integerDivisionChain(product());
        if (negative) left = unary(Op::Negate, left);
        while (isAddOperator(lexer_)) {
            const bool subtracting = lexer_.symbol == u'-';
            read();
            const int right = integerDivisionChain(product());
            left = binary(subtracting ? Op::Subtract : Op::Add, left, right);
        }
        return left;
    }

    int integerDivisionChain(int left) {
        while (isIntegerDivisionOperator(lexer_)) {
            const bool isMod = lexer_.symbol == SymMod;
            read();
            const int right = product();
            left = binary(isMod ? Op::Modulo : Op::IntegerDivide, left, right);
        }
        return left;
    }

    int product() {
        int left = powerChain(primary());
        while (lexer_.isSymbol(u'*') || lexer_.isSymbol(u'/')) {
            const bool dividing = lexer_.symbol == u'/';
            read();
            const int right = powerChain(primary());
            left = binary(dividing ? Op::Divide : Op::Multiply, left, right);
        }
        return left;
    }

    int powerChain(int left) {
        while (lexer_.isSymbol(u'^')) {
            read();
            bool negative = false;
            if (isAddOperator(lexer_)) {
                negative = lexer_.symbol == u'-';
                read();
            }
            const int exponent = primary();
            left = binary(negative ? Op::PowerNegated : Op::Power, left, exponent);
        }
        return left;
    }

    int primary() {
        switch (lexer_.tokenKind) {
        case TokenConstant: {
            Node node;
            node.op = Op::Constant;
            node.constant = lexer_.tokenValue;
            read();
            return finish(std::move(node));
        }
        case TokenSymbol: {
            if (!lexer_.isSymbol(u'(')) throw CannotCompile{};
            read();
            const int inner = expression();
            if (!lexer_.isSymbol(u')')) throw CannotCompile{};
            read();
            return inner;
        }
        case TokenWord: break;
        case TokenEnd: throw CannotCompile{};
        }
        const int wordId = lexer_.wordId;
        if (isBuiltinFunction(wordId)) return computedBuiltin(wordId);
        if (in_.words.isFunctionName(wordId)) return call(wordId);
        return variable(wordId);
    }

    int variable(int wordId) {
        // Reserved words and names that do not begin with A..Z are errors,
        // which the scanner reports.
        try {
            if (in_.reservedIndex(wordId) >= 0) throw CannotCompile{};
        } catch (const HostFailure&) {
            throw CannotCompile{};
        }
        Node node;
        node.wordId = wordId;
        node.suffixed = in_.words.hasSuffix(wordId);
        node.letter = static_cast<std::uint8_t>(in_.words.text(wordId)[0] - u'A');
        read();
        if (!lexer_.isSymbol(u'(')) {
            node.op = Op::Scalar;
            return finish(std::move(node));
        }
        std::vector<Operand> subscripts;
        do {
            read();
            if (subscripts.size() == MaxDimensions) throw CannotCompile{};
            const int subscript = expression();
            subscripts.push_back({subscript, current_});
        } while (lexer_.isSymbol(u','));
        read(); // the ")", whatever it is
        node.op = Op::Element;
        return finishWithOperands(std::move(node), subscripts);
    }

    int call(int wordId) {
        Node node;
        node.op = Op::Call;
        node.calls = true;
        node.wordId = wordId;
        node.nameStep = current_;
        read();
        std::vector<Operand> arguments;
        if (lexer_.isSymbol(u'(')) {
            node.parenthesized = true;
            do {
                read();
                const int argument = expression();
                arguments.push_back({argument, current_});
            } while (lexer_.isSymbol(u','));
            if (!lexer_.isSymbol(u')')) throw CannotCompile{};
            read();
        }
        out_.hasCalls = true;
        return finishWithOperands(std::move(node), arguments);
    }

    // The reads of FunctionArguments.h. A token a reader would reject is
    // left to the scanner to report.
    void expect(char16_t symbol) {
        if (!lexer_.isSymbol(symbol)) throw CannotCompile{};
        read();
    }
    int argument(std::vector<Operand>& arguments) {
        const int node = expression();
        arguments.push_back({node, current_});
        return node;
    }

    // The functions whose readers read all their arguments before they
    // compute, read here as their readers read them; the rest are builtin().
    int computedBuiltin(int wordId) {
        Node node;
        node.wordId = wordId;
        std::vector<Operand> arguments;
        if (const OneArgumentFunction compute = oneArgumentFunctionOf(wordId)) {
            // singleArgument: the token after the name is passed over unchecked.
            node.op = Op::OneArgument;
            node.compute = compute;
            read();
            read();
            argument(arguments);
            expect(u')');
            return finishWithOperands(std::move(node), arguments);
        }
        switch (wordId) {
        case KwLeftS:
        case KwRightS:
        case KwStringS:
            node.op = wordId == KwStringS ? Op::Repeat : Op::Edge;
            openList();
            argument(arguments);
            expect(u',');
            argument(arguments);
            break;
        case KwMidS:
        case KwKmidS:
            node.op = Op::Middle;
            openList();
            argument(arguments);
            expect(u',');
            argument(arguments);
            if (lexer_.isSymbol(u',')) {
                read();
                // ",," fails at the ")" check without evaluating a count.
                if (lexer_.isSymbol(u',')) throw CannotCompile{};
                argument(arguments);
            }
            break;
        case KwInstr:
        case KwKinstr:
            // Which of the arguments is s depends on the kind of the first,
            // known only when it runs; the tokens are the same either way.
            node.op = Op::Search;
            openList();
            if (++nesting_ > MaxNesting) throw CannotCompile{};
            arguments.push_back({relation(), current_});
            --nesting_;
            expect(u',');
            argument(arguments);
            if (lexer_.isSymbol(u',')) {
                read();
                argument(arguments);
            }
            break;
        default: return builtin(wordId);
        }
        expect(u')');
        return finishWithOperands(std::move(node), arguments);
    }
    // openList: the name, then the "(" checked.
    void openList() {
        read();
        expect(u'(');
    }

    // Any other built-in function with an argument list runs as the scanner runs it
    // (it reads its own arguments); the compiled expression only needs to
    // know where the call ends. A call that succeeds has read exactly one
    // balanced parenthesis group, so that is where it ends. Functions that
    // take no argument would leave a "(" after them unread: scanned.
    int builtin(int wordId) {
        switch (wordId) {
        case KwCsrlin:
        case KwErl:
        case KwErr:
        case KwDateS:
        case KwTimeS:
        case KwInkeyS: throw CannotCompile{};
        default: break;
        }
        Node node;
        node.op = Op::Builtin;
        node.calls = true;
        node.wordId = wordId;
        node.nameStep = current_;
        read();
        if (!lexer_.isSymbol(u'(')) throw CannotCompile{};
        int depth = 0;
        do {
            if (lexer_.isSymbol(u'('))
                ++depth;
            else if (lexer_.isSymbol(u')'))
                --depth;
            else if (lexer_.tokenKind == TokenEnd)
                throw CannotCompile{};
            read();
        } while (depth > 0);
        out_.hasCalls = true;
        return finish(std::move(node));
    }

    Interpreter& in_;
    Lexer& lexer_;
    CompiledExpression& out_;
    int current_ = NoStep;
    int lastValue_ = NoStep;
    int nesting_ = 0;
};

bool isSimpleOperation(const CompiledExpression& compiled) {
    const Node& root = compiled.nodes[static_cast<std::size_t>(compiled.root)];
    switch (root.op) {
    case Op::Add:
    case Op::Subtract:
    case Op::Multiply:
    case Op::Compare: break;
    default: return false;
    }
    const auto plain = [&](int index) {
        const Op op = compiled.nodes[static_cast<std::size_t>(index)].op;
        return op == Op::Constant || op == Op::Scalar;
    };
    return plain(root.left) && plain(root.right);
}

const CompiledExpression* compileAt(Interpreter& in, const ScanText& text, int position) {
    Lexer& lexer = in.lexer;
    CompiledExpressionPtr compiled(new CompiledExpression);
    compiled->entryKind = lexer.tokenKind;
    compiled->entrySymbol = lexer.symbol;
    compiled->entryWord = lexer.wordId;
    if (lexer.tokenKind == TokenConstant) compiled->entryValue = lexer.tokenValue;

    // Compiling reads ahead; the lexer goes back to the start afterwards.
    Lexer::Mark entry = lexer.mark();
    entry.source = &text;
    entry.position = position;
    try {
        Compiler(in, *compiled).compile();
        compiled->usable = true;
        compiled->simpleOperation = isSimpleOperation(*compiled);
    } catch (...) {
        // Not compiled (or out of memory while compiling): the scanner
        // evaluates it and meets whatever is wrong in its own order.
        CompiledExpressionPtr unusable(new CompiledExpression);
        compiled = std::move(unusable);
    }
    lexer.returnTo(std::move(entry));

    const CompiledExpression* kept = compiled.get();
    text.tokens.keepExpression(position, text.text.size(), std::move(compiled));
    return kept;
}

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
        // A watch reads a name that does not exist yet from a scratch slot;
        // the variable may be created later, so that slot is not kept.
        if (slot != ScratchStringSlot && slot != ScratchNumberSlot) remember(store_, n, slot);
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
        const int entry = store_.arrayEntry(name);
        if (entry >= 0) remember(store_, n, entry); // a watch creates no array
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

} // namespace

namespace {

const CompiledExpression* findOrCompile(Interpreter& in) {
    Lexer& lexer = in.lexer;
    const ScanText* text = lexer.source;
    if (!text || lexer.scanData || !lexer.compileExpressions) return nullptr;
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
