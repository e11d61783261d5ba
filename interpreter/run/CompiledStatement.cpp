#include "interpreter/run/CompiledStatement.h"

#include "expressions/CompiledExpression.h"
#include "interpreter/statements/Statements.h"
#include "values/ValueOps.h"

#include <new>

namespace korvelin {

namespace {

enum class Form : std::uint8_t { Handler, Assign, Goto, Gosub, Return, IfLine, For, Next };
// What follows THEN: a line number, or a GOTO or GOSUB statement naming one.
enum class ThenPart : std::uint8_t { Line, Goto, Gosub };

// An expression of the statement and the lexer state it was compiled in.
struct ExpressionStart {
    const CompiledExpression* expression = nullptr;
    Lexer::Mark state;
    bool calls = false; // mayCallFunctions

    // Success leaves the lexer anywhere: what follows in the statement
    // either cannot fail or calls leave() before it fails. tokenValue is
    // read only after a constant or by a function called inside the
    // expression; the others ignore it.
    Value evaluate(Interpreter& in) const {
        in.lexer.moveTo(state, calls);
        return evaluatePrepared(in, *expression);
    }
    void leave(Interpreter& in) const { leaveCompiled(in, *expression, state.source, state.tokenValue); }
};

// A variable named in the statement, and what its name found last.
struct VariableName {
    int wordId = -1;
    bool suffixed = false;
    std::uint8_t letter = 0;
    NameMemory memory;
    int nameId = -1;      // the completed name
    bool integer = false; // the completed name ends in "%"

    bool remembered(const VariableStore& store) const { return memory.valid(store, suffixed, letter); }
    void complete(Interpreter& in) {
        nameId = in.completeName(wordId);
        const std::u16string& text = in.words.text(nameId);
        integer = text.back() == u'%';
    }
    void remember(const VariableStore& store, std::int32_t slotOrEntry) {
        memory.keep(store, suffixed, letter, slotOrEntry);
    }
};

// A line number as GOTO reads it, with the slot it named when the chain
// last changed.
struct LineTarget {
    double lineNumber = 0;
    std::uint32_t chainVersion = 0;
    int slot = -1;

    int find(const StatementTable& statements) {
        if (chainVersion != statements.chainVersion) {
            slot = statements.findLine(lineNumber);
            chainVersion = statements.chainVersion;
        }
        return slot;
    }
};

} // namespace

struct CompiledStatement {
    Form form = Form::Handler;
    VariableName variable;              // Assign: the target; For: the counter; Next: the name, if any
    bool named = false;                 // Next: a variable follows the word
    bool viaGoto = false;               // IfLine: IF ... GOTO rather than THEN
    ThenPart thenPart = ThenPart::Line; // IfLine
    int subscriptCount = 0;             // Assign: 0 for a scalar target
    std::array<ExpressionStart, MaxDimensions> subscripts;
    ExpressionStart value;         // Assign: the value; IfLine: the condition; For: the start
    ExpressionStart limit;         // For
    ExpressionStart step;          // For, when STEP is written (else no expression)
    std::int16_t headPosition = 0; // For: where NEXT comes back to in the line
    LineTarget target;             // Goto, Gosub, IfLine
    Lexer::Mark atTarget;          // IfLine: the line number just read
    bool hasElse = false;          // IfLine: ELSE and a line number follow
    LineTarget elseTarget;
    Lexer::Mark atElseTarget;
};

void CompiledStatementDeleter::operator()(CompiledStatement* statement) const noexcept {
    delete statement;
}

namespace {

struct Declined {};

// Reads the statement as its handler would, throwing Declined at anything
// other than the shapes compiled here.
class StatementCompiler {
  public:
    StatementCompiler(Interpreter& in, CompiledStatement& out) : in_(in), lexer_(in.lexer), out_(out) {}

    void compile() {
        lexer_.nextChar();
        lexer_.nextToken();
        if (lexer_.tokenKind != TokenWord) throw Declined{};
        const int word = lexer_.wordId;
        switch (word) {
        case KwLet:
            lexer_.nextToken();
            assignment();
            return;
        case KwGoto:
        case KwGosub:
            lexer_.nextToken();
            out_.target.lineNumber = lineNumber();
            lexer_.nextToken();
            out_.form = word == KwGoto ? Form::Goto : Form::Gosub;
            expectStatementEnd();
            return;
        case KwReturn:
            lexer_.nextToken();
            out_.form = Form::Return;
            expectStatementEnd();
            return;
        case KwNext: nextStatement(); return;
        case KwFor: forStatement(); return;
        case KwIf: ifStatement(); return;
        default: break;
        }
        if (word < KeywordCount && in_.hasHandler(word)) throw Declined{};
        assignment();
    }

  private:
    void assignment() {
        if (lexer_.tokenKind != TokenWord) throw Declined{};
        name(out_.variable);
        lexer_.nextToken();
        if (lexer_.isSymbol(u'(')) {
            do {
                lexer_.nextToken();
                if (out_.subscriptCount == MaxDimensions) throw Declined{};
                ExpressionStart& subscript = out_.subscripts[static_cast<std::size_t>(out_.subscriptCount++)];
                expression(subscript);
                // Declining after an error is safe only when nothing has run.
                if (subscript.calls) throw Declined{};
            } while (lexer_.isSymbol(u','));
            if (!lexer_.isSymbol(u')')) throw Declined{};
            lexer_.nextToken();
        }
        if (!lexer_.isSymbol(u'=')) throw Declined{};
        lexer_.nextToken();
        expression(out_.value);
        expectStatementEnd();
        out_.form = Form::Assign;
    }

    void nextStatement() {
        lexer_.nextToken();
        if (!lexer_.atStatementEnd()) {
            name(out_.variable);
            out_.named = true;
            lexer_.nextToken();
        }
        expectStatementEnd();
        out_.form = Form::Next;
    }

    // FOR name = start TO limit [STEP step], with a plain name.
    void forStatement() {
        lexer_.nextToken();
        name(out_.variable);
        lexer_.nextToken();
        if (!lexer_.isSymbol(u'=')) throw Declined{};
        lexer_.nextToken();
        expression(out_.value);
        if (!lexer_.isWord(KwTo)) throw Declined{};
        lexer_.nextToken();
        expression(out_.limit);
        if (lexer_.isWord(KwStepWord)) {
            lexer_.nextToken();
            expression(out_.step);
        }
        out_.headPosition = static_cast<std::int16_t>(lexer_.position - 1);
        expectStatementEnd();
        out_.form = Form::For;
    }

    // IF condition THEN line [ELSE line] / IF condition GOTO line [ELSE
    // line], with nothing after it.
    void ifStatement() {
        lexer_.nextToken();
        expression(out_.value);
        out_.viaGoto = lexer_.isWord(KwGoto);
        if (!out_.viaGoto && !lexer_.isWord(KwThen)) throw Declined{};
        lexer_.nextToken();
        if (!out_.viaGoto && (lexer_.isWord(KwGoto) || lexer_.isWord(KwGosub))) {
            // THEN GOTO line / THEN GOSUB line: a statement of its own.
            out_.thenPart = lexer_.isWord(KwGoto) ? ThenPart::Goto : ThenPart::Gosub;
            lexer_.nextToken();
            lineTarget(out_.target, out_.atTarget);
        } else {
            lineTarget(out_.target, out_.atTarget);
            if (lexer_.isWord(KwElse)) {
                lexer_.nextToken();
                lineTarget(out_.elseTarget, out_.atElseTarget);
                out_.hasElse = true;
            }
        }
        if (lexer_.tokenKind != TokenEnd) throw Declined{};
        out_.form = Form::IfLine;
    }

    // A line number of an IF, with the lexer state in which an undefined
    // line is reported; the token after it becomes current.
    void lineTarget(LineTarget& target, Lexer::Mark& at) {
        target.lineNumber = lineNumber();
        at = lexer_.mark();
        lexer_.nextToken();
    }

    // A plain variable name, as parseVariableTarget accepts it.
    void name(VariableName& variable) {
        if (lexer_.tokenKind != TokenWord) throw Declined{};
        const int wordId = lexer_.wordId;
        if (in_.words.isFunctionName(wordId) || in_.reservedIndex(wordId) >= 0) throw Declined{};
        variable.wordId = wordId;
        variable.suffixed = in_.words.hasSuffix(wordId);
        variable.letter = static_cast<std::uint8_t>(in_.words.text(wordId)[0] - u'A');
    }

    double lineNumber() {
        if (lexer_.tokenKind != TokenConstant || lexer_.tokenValue.isString()) throw Declined{};
        return lexer_.tokenValue.toDouble();
    }

    void expression(ExpressionStart& start) {
        const CompiledExpression* compiled = compiledExpressionHere(in_);
        if (!compiled) throw Declined{};
        start.expression = compiled;
        start.calls = mayCallFunctions(*compiled);
        start.state = lexer_.mark();
        skipCompiled(in_, *compiled);
    }

    void expectStatementEnd() {
        if (!lexer_.atStatementEnd()) throw Declined{};
    }

    Interpreter& in_;
    Lexer& lexer_;
    CompiledStatement& out_;
};

CompiledStatement* compileStatement(Interpreter& in, const ScanText& text) {
    CompiledStatementPtr compiled(new (std::nothrow) CompiledStatement);
    if (!compiled) return nullptr;
    try {
        StatementCompiler(in, *compiled).compile();
    } catch (...) {
        // Declined, or a name the handler will report: the handler runs it.
        compiled->form = Form::Handler;
    }
    in.lexer.setText(&text);
    CompiledStatement* kept = compiled.get();
    text.tokens.keepStatement(std::move(compiled));
    return kept;
}

[[gnu::noinline]] std::int32_t lookUpScalar(Interpreter& in, VariableName& variable) {
    variable.complete(in);
    const std::int32_t slot = in.lookupTarget(variable.nameId);
    variable.remember(in.variables, slot);
    return slot;
}

// The slot a name finds, as lookupTarget finds it after parseVariableTarget
// has set the subscript register.
inline std::int32_t scalarSlot(Interpreter& in, VariableName& variable) {
    VariableStore& store = in.variables;
    store.subscriptRegister = {-1, -1, -1, -1, -1};
    if (variable.remembered(store)) [[likely]]
        return variable.memory.found;
    return lookUpScalar(in, variable);
}

bool runAssign(Interpreter& in, CompiledStatement& c) {
    VariableStore& store = in.variables;
    std::int32_t slot;
    try {
        if (c.subscriptCount == 0) {
            slot = scalarSlot(in, c.variable);
        } else {
            std::array<std::int32_t, MaxDimensions> subscripts{-1, -1, -1, -1, -1};
            for (int i = 0; i < c.subscriptCount; ++i)
                subscripts[static_cast<std::size_t>(i)] =
                    toLongRounded(c.subscripts[static_cast<std::size_t>(i)].evaluate(in));
            for (int i = 0; i < c.subscriptCount; ++i) {
                if (subscripts[static_cast<std::size_t>(i)] < 0) return false;
            }
            const bool known = c.variable.remembered(store);
            if (!known) c.variable.complete(in);
            store.subscriptRegister = subscripts;
            if (known) {
                slot =
                    store.elementSlot(store.variableTable[static_cast<std::size_t>(c.variable.memory.found)]);
            } else {
                slot = in.lookupTarget(c.variable.nameId);
                c.variable.remember(store, store.arrayEntry(c.variable.nameId));
            }
        }
    } catch (...) {
        // Nothing but the creation of the variable has happened, which the
        // handler repeats without effect before it meets the same error.
        return false;
    }
    Value value = c.value.evaluate(in);
    if (c.variable.integer) {
        try {
            value = roundForIntegerTarget(value);
        } catch (...) {
            c.value.leave(in);
            throw;
        }
    }
    store[slot] = std::move(value);
    in.watchCheck();
    in.host.processEvents();
    return true;
}

bool runJump(Interpreter& in, CompiledStatement& c, StatementArgs& args) {
    const int target = c.target.find(in.statements);
    if (target < 0) return false;
    if (c.form == Form::Gosub) {
        in.currentStatement = u"GOSUB";
        try {
            in.pushReturnEntry(args.slot);
        } catch (...) {
            return false;
        }
    } else {
        in.currentStatement = u"GOTO";
    }
    args.slot = target;
    args.jumped = 1;
    in.host.processEvents();
    return true;
}

bool runReturn(Interpreter& in, StatementArgs& args) {
    ControlStack& control = in.control;
    in.currentStatement = u"RETURN";
    if (control.empty()) return false;
    const std::int32_t entry = control.top();
    const int event = entryEvent(entry);
    if (event >= 0 && event < EventCount)
        in.events.eventLevel[static_cast<std::size_t>(event)] = NoHandlerLevel;
    args.slot = entrySlot(entry);
    args.jumped = 1;
    control.pop();
    in.host.processEvents();
    return true;
}

bool runNext(Interpreter& in, CompiledStatement& c, StatementArgs& args) {
    LoopStack& loops = in.loops;
    if (loops.loopTop < 0) return false;
    LoopEntry& loop = loops.top();
    if (loop.kind != LoopKind::For) return false;
    Value& counter = in.variables[loop.variableSlot];
    Value stepped;
    bool again;
    try {
        if (c.named && scalarSlot(in, c.variable) != loop.variableSlot) return false;
        stepped = add(counter, loop.step);
        again = forLoopContinues(loop, stepped);
    } catch (...) {
        return false;
    }
    counter = std::move(stepped);
    if (again) {
        args.slot = loop.bodySlot;
        loops.reentrySlot = loop.headSlot;
        loops.reentryPosition = loop.headPosition;
        args.jumped = 1;
        in.watchCheck();
    } else {
        loops.pop();
    }
    in.host.processEvents();
    return true;
}

bool runFor(Interpreter& in, CompiledStatement& c, StatementArgs& args) {
    // The classic dialect's reuse of an open loop is the handler's.
    if (in.classicDialect) return false;
    LoopStack& loops = in.loops;
    std::int32_t counter;
    try {
        counter = scalarSlot(in, c.variable);
    } catch (...) {
        return false;
    }
    if (loops.loopTop + 1 >= LoopStackSize) return false;
    // From here on as the handler: the entry is pushed before the values
    // are worked out, and leaves the stack again when one of them fails.
    LoopEntry& loop = loops.push();
    loop.kind = LoopKind::For;
    loop.headSlot = static_cast<std::int16_t>(args.slot);
    loop.bodySlot = static_cast<std::int16_t>(args.next);
    loop.variableSlot = counter;
    const bool stepWritten = c.step.expression != nullptr;
    bool skipped;
    try {
        loop.initialValue = c.value.evaluate(in);
        loop.limit = c.limit.evaluate(in);
        loop.step = stepWritten ? c.step.evaluate(in) : Value::integer(1);
        in.variables[counter] = loop.initialValue;
        try {
            skipped = startsPastTheLimit(loop);
        } catch (...) {
            (stepWritten ? c.step : c.limit).leave(in);
            throw;
        }
    } catch (...) {
        loops.pop();
        throw;
    }
    if (skipped) loops.skipLevel = loops.loopTop;
    loop.headPosition = c.headPosition;
    in.watchCheck();
    in.host.processEvents();
    return true;
}

// The jump of a THEN or ELSE part that is a line number.
void jumpToIfPart(Interpreter& in, int target, const Lexer::Mark& atTarget, StatementArgs& args) {
    in.currentStatement = u"";
    if (target < 0) {
        in.lexer.moveTo(atTarget, true);
        raise(ErrUndefinedLine);
    }
    args.slot = target;
    args.jumped = 1;
}

// THEN GOTO line / THEN GOSUB line, which run as a statement of their own:
// with their own event pass, and their errors raised by that statement,
// after which the IF goes on to its end.
void runThenStatement(Interpreter& in, const CompiledStatement& c, int target, StatementArgs& args) {
    try {
        const bool gosub = c.thenPart == ThenPart::Gosub;
        in.currentStatement = gosub ? u"GOSUB" : u"GOTO";
        if (target < 0) {
            in.lexer.moveTo(c.atTarget, true);
            raise(ErrUndefinedLine);
        }
        if (gosub) {
            try {
                in.pushReturnEntry(args.slot);
            } catch (...) {
                in.lexer.moveTo(c.atTarget, true);
                throw;
            }
        }
        args.slot = target;
        args.jumped = 1;
        in.host.processEvents();
    } catch (const InterpreterError& e) {
        in.raiseError(args.slot, args.jumped, e.number(), e.detail());
    } catch (const HostFailure& f) {
        in.raiseError(args.slot, args.jumped, mapHostFailure(f.kind()));
    }
}

bool runIfLine(Interpreter& in, CompiledStatement& c, StatementArgs& args) {
    const int target = c.target.find(in.statements);
    const int elseTarget = c.hasElse ? c.elseTarget.find(in.statements) : -1;
    // A line that jumps to itself, or a trapped error in a THEN statement,
    // may go back into a loop begun on the line.
    if (target == args.slot || elseTarget == args.slot || in.loops.reentrySlot == args.slot) return false;
    const Value condition = c.value.evaluate(in);
    if (equalsTrue(condition)) {
        if (c.thenPart == ThenPart::Line)
            jumpToIfPart(in, target, c.atTarget, args);
        else
            runThenStatement(in, c, target, args);
    } else if (c.hasElse) {
        jumpToIfPart(in, elseTarget, c.atElseTarget, args);
    }
    in.host.processEvents();
    return true;
}

} // namespace

bool runCompiledStatement(Interpreter& in, StatementArgs& args) {
    Lexer& lexer = in.lexer;
    if (!lexer.compileExpressions || lexer.scanData || in.loops.skipping()) return false;
    const ScanText& text = *lexer.source;
    CompiledStatement* compiled = text.tokens.statement();
    if (!compiled) {
        compiled = compileStatement(in, text);
        if (!compiled) return false;
    }
    in.startPosition = 0;
    bool ran = false;
    switch (compiled->form) {
    case Form::Handler: return false;
    case Form::Assign: ran = runAssign(in, *compiled); break;
    case Form::Goto:
    case Form::Gosub: ran = runJump(in, *compiled, args); break;
    case Form::Return: ran = runReturn(in, args); break;
    case Form::For: ran = runFor(in, *compiled, args); break;
    case Form::Next: ran = runNext(in, *compiled, args); break;
    case Form::IfLine: ran = runIfLine(in, *compiled, args); break;
    }
    // The handler starts reading the statement from its beginning.
    if (!ran) lexer.setText(&text);
    return ran;
}

} // namespace korvelin
