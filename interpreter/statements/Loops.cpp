// FOR/NEXT and WHILE/WEND, which share one loop stack. A loop whose
// condition fails at entry is not jumped over: its body is skipped
// statement by statement (skipLevel) until the matching NEXT or WEND.

#include "expressions/Evaluator.h"
#include "interpreter/statements/Statements.h"
#include "values/InterpreterError.h"
#include "values/ValueOps.h"

#include <array>
#include <cmath>
#include <cstdint>

namespace korvelin {

namespace {

constexpr int MaxNextNames = 11;

bool isPositive(const Value& v) {
    return equalsTrue(compare(v, Value::integer(0), Comparison::Greater));
}
using detail::isWholeNumber;
using detail::wholeNumber;

bool isWholeOrDouble(const Value& v) {
    return isWholeNumber(v) || v.kind() == ValueKind::Double;
}
double asDouble(const Value& v) {
    return v.kind() == ValueKind::Double ? v.rawDouble() : static_cast<double>(wholeNumber(v));
}

bool isNotNegative(const Value& v) {
    return equalsTrue(compare(v, Value::integer(0), Comparison::GreaterOrEqual));
}

// The entry is on the stack while the header is read, and leaves it again
// when the header fails: a NEXT reached after RESUME NEXT must not find a
// loop without a variable.
void readForHeader(Interpreter& in, StatementArgs& args, bool outerSkip);

// The classic dialect lets a program leave loops with GOTO and enter them
// again: a FOR whose variable belongs to a loop still open takes that
// loop's place, and the loops opened after it are dropped. The entry just
// pushed (on top) moves down into the old one's place.
LoopEntry& reuseOpenLoop(LoopStack& loops) {
    const LoopEntry& pushed = loops.top();
    for (int level = loops.loopTop - 1; level >= 0; --level) {
        LoopEntry& open = loops.entries[static_cast<std::size_t>(level)];
        if (open.kind != LoopKind::For || open.variableSlot != pushed.variableSlot) continue;
        open = pushed;
        loops.loopTop = level;
        return open;
    }
    return loops.top();
}

void executeFor(Interpreter& in, StatementArgs& args) {
    const bool outerSkip = in.loops.skipping();
    in.loops.push();
    try {
        readForHeader(in, args, outerSkip);
    } catch (...) {
        if (in.loops.skipLevel == in.loops.loopTop) in.loops.skipLevel = -1;
        in.loops.pop();
        throw;
    }
    in.watchCheck();
    in.checkStatementEnd(args);
}

void readForHeader(Interpreter& in, StatementArgs& args, bool outerSkip) {
    Lexer& lexer = in.lexer;
    LoopEntry* pushed = &in.loops.top();
    pushed->kind = LoopKind::For;
    pushed->headSlot = static_cast<std::int16_t>(args.slot);
    pushed->bodySlot = static_cast<std::int16_t>(args.next);
    pushed->variableSlot = -1;

    lexer.nextToken();
    pushed->variableSlot = in.lookupTarget(in.parseVariableTarget());
    if (in.classicDialect && !outerSkip) pushed = &reuseOpenLoop(in.loops);
    LoopEntry& loop = *pushed;
    in.expectSymbol(u'=');
    lexer.nextToken();
    loop.initialValue = evaluateExpression(in);
    in.expectWord(KwTo);
    lexer.nextToken();
    loop.limit = evaluateExpression(in);
    if (lexer.isWord(KwStepWord)) {
        lexer.nextToken();
        loop.step = evaluateExpression(in);
    } else {
        loop.step = Value::integer(1);
    }
    in.variables[loop.variableSlot] = loop.initialValue;
    if (!outerSkip && startsPastTheLimit(loop)) in.loops.skipLevel = in.loops.loopTop;
    loop.headPosition = static_cast<std::int16_t>(lexer.position - 1);
}

// The loop variables named after NEXT, in the order of the loop stack.
struct NextList {
    std::array<std::int32_t, MaxNextNames> variableSlots{};
    int count = 0;
    bool contains(std::int32_t slot) const {
        for (int i = 0; i < count; ++i)
            if (variableSlots[static_cast<std::size_t>(i)] == slot) return true;
        return false;
    }
    void add(std::int32_t slot) { variableSlots[static_cast<std::size_t>(count++)] = slot; }
};

NextList nextVariables(Interpreter& in) {
    Lexer& lexer = in.lexer;
    NextList named;
    lexer.nextToken();
    while (!lexer.atStatementEnd()) {
        if (named.count == MaxNextNames) failHost(HostFailureKind::Other);
        named.add(in.lookupTarget(in.parseVariableTarget()));
        if (lexer.isSymbol(u','))
            lexer.nextToken();
        else if (!lexer.atStatementEnd())
            raise(ErrSyntax);
    }
    LoopStack& loops = in.loops;
    NextList ordered;
    if (named.count == 0) {
        if (loops.loopTop < 0) raise(ErrNextWithoutFor);
        ordered.add(loops.top().variableSlot);
        return ordered;
    }
    if (loops.loopTop < named.count - 1) raise(ErrNextWithoutFor);
    for (int level = loops.loopTop; level >= 0 && ordered.count < named.count; --level) {
        const std::int32_t slot = loops.entries[static_cast<std::size_t>(level)].variableSlot;
        if (named.contains(slot) && !ordered.contains(slot)) ordered.add(slot);
    }
    if (ordered.count < named.count) raise(ErrNextWithoutFor);
    return ordered;
}

void executeNext(Interpreter& in, StatementArgs& args) {
    LoopStack& loops = in.loops;
    const NextList list = nextVariables(in);
    for (int i = 0; i < list.count; ++i) {
        const std::int32_t variable = list.variableSlots[static_cast<std::size_t>(i)];
        for (;;) {
            if (loops.loopTop < 0 || loops.top().kind == LoopKind::While) raise(ErrNextWithoutFor);
            LoopEntry& loop = loops.top();
            const bool matches = loop.variableSlot == variable;
            if (loops.skipping()) {
                // Closing loops inside a skipped body; the skip ends at its own NEXT.
                if (matches && loops.loopTop == loops.skipLevel) loops.skipLevel = -1;
                loops.pop();
                if (matches) break;
                continue;
            }
            if (!matches) {
                loops.pop(); // an inner loop left by the NEXT of an outer one
                continue;
            }
            Value& counter = in.variables[variable];
            counter = add(counter, loop.step);
            if (forLoopContinues(loop, counter)) {
                args.slot = loop.bodySlot;
                loops.reentrySlot = loop.headSlot;
                loops.reentryPosition = loop.headPosition;
                args.jumped = 1;
                in.watchCheck();
                in.checkStatementEnd(args);
                return;
            }
            loops.pop();
            break;
        }
    }
    in.checkStatementEnd(args);
}

void executeWhile(Interpreter& in, StatementArgs& args) {
    LoopStack& loops = in.loops;
    const bool outerSkip = loops.skipping();
    LoopEntry& loop = loops.push();
    loop.kind = LoopKind::While;
    loop.headPosition = static_cast<std::int16_t>(in.startPosition);
    if (outerSkip) {
        in.skipToStatementEnd();
    } else {
        loop.headSlot = static_cast<std::int16_t>(args.slot);
        loop.bodySlot = static_cast<std::int16_t>(args.slot);
        in.lexer.nextToken();
        // Unlike IF, any value other than 0 keeps the loop going.
        if (equalsZero(evaluateExpression(in))) loops.skipLevel = loops.loopTop;
    }
    in.checkStatementEnd(args);
}

void executeWend(Interpreter& in, StatementArgs& args) {
    LoopStack& loops = in.loops;
    in.lexer.nextToken();
    if (loops.loopTop < 0 || loops.top().kind != LoopKind::While) raise(ErrWendWithoutWhile);
    if (loops.skipping()) {
        if (loops.loopTop == loops.skipLevel) loops.skipLevel = -1;
        loops.pop();
    } else {
        // Back to the WHILE, which tests again and pushes a fresh entry.
        const LoopEntry& loop = loops.top();
        args.slot = loop.bodySlot;
        loops.reentrySlot = loop.headSlot;
        loops.reentryPosition = loop.headPosition;
        loops.pop();
        args.jumped = 1;
    }
    in.checkStatementEnd(args);
}

} // namespace

bool startsPastTheLimit(const LoopEntry& loop) {
    // A step of 0 never skips: such a loop runs for ever.
    return isPositive(multiply(subtract(loop.initialValue, loop.limit), loop.step));
}

bool forLoopContinues(const LoopEntry& loop, const Value& counter) {
    // The loop goes on while (limit - counter) x step >= 0. For whole
    // numbers only the signs matter, and they cannot overflow in 64 bits;
    // Doubles are worked out as the operators would, and anything that
    // could fail or involves other kinds takes the operators themselves.
    const Value& limit = loop.limit;
    const Value& step = loop.step;
    if (isWholeNumber(counter) && isWholeNumber(limit) && isWholeNumber(step)) {
        const std::int64_t left = wholeNumber(limit) - wholeNumber(counter);
        const std::int64_t by = wholeNumber(step);
        return left == 0 || by == 0 || (left > 0) == (by > 0);
    }
    if (isWholeOrDouble(counter) && isWholeOrDouble(limit) && isWholeOrDouble(step)) {
        const double product = (asDouble(limit) - asDouble(counter)) * asDouble(step);
        if (std::isfinite(product)) return product >= 0;
    }
    return isNotNegative(multiply(subtract(limit, counter), step));
}

void registerLoopStatements(std::array<StatementHandler, KeywordCount>& table) {
    table[KwFor] = executeFor;
    table[KwNext] = executeNext;
    table[KwWhile] = executeWhile;
    table[KwWend] = executeWend;
}

} // namespace korvelin
