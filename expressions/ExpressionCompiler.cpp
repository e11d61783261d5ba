// The compiler reads an expression level for level as the scanning
// evaluator in Evaluator.cpp does, recording every token read it makes (a
// "step"), and builds a tree whose nodes name the step after which their
// own operation can fail. A change to the grammar there needs the same
// change here; the tests run both on the same expressions.

#include "expressions/ExpressionTree.h"

#include "expressions/BuiltinFunctions.h"
#include "expressions/Evaluator.h"
#include "expressions/FunctionArguments.h"
#include "interpreter/Interpreter.h"
#include "values/InterpreterError.h"

namespace korvelin {

namespace {

using namespace expression_tree;

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
        out_.steps.push_back({lexer_.place(), lastValue_});
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

} // namespace

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
    entry.place.position = position;
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

} // namespace korvelin
