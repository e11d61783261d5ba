// The trap statements: KEY, KEY(n), MOUSE, MOUSE(n), HELP and COM switch a
// trap on, off or to "stop"; ON KEY/MOUSE/HELP/COM GOSUB name its handler.
// The run loop enters the handler as a GOSUB once the event is pending.

#include "expressions/Evaluator.h"
#include "interpreter/statements/Statements.h"
#include "values/Cp932.h"
#include "values/InterpreterError.h"
#include "values/ValueOps.h"

namespace korvelin {

namespace {

constexpr int FunctionKeyCount = 15;
constexpr int MouseTrapCount = 5;

bool readTrapState(const Lexer& lexer, TrapState& state) {
    if (lexer.isWord(KwOn))
        state = TrapState::On;
    else if (lexer.isWord(KwOff))
        state = TrapState::Off;
    else if (lexer.isWord(KwStop))
        state = TrapState::Stop;
    else
        return false;
    return true;
}

TrapState expectTrapState(const Lexer& lexer) {
    TrapState state{};
    if (!readTrapState(lexer, state)) raise(ErrSyntax);
    return state;
}

// "(n)" after KEY or MOUSE; the current token is "(".
std::int32_t readParenthesisedNumber(Interpreter& in) {
    Lexer& lexer = in.lexer;
    lexer.nextToken();
    const std::int32_t n = toLongRounded(evaluateExpression(in));
    in.expectSymbol(u')');
    lexer.nextToken();
    return n;
}

// KEY n, text: the text a function key types when no trap takes it.
void setFunctionKeyText(Interpreter& in) {
    Lexer& lexer = in.lexer;
    const std::int32_t n = toLongRounded(evaluateExpression(in));
    in.expectSymbol(u',');
    lexer.nextToken();
    const Value text = evaluateExpression(in);
    auto& keys = in.keyboard.functionKeyText;
    if (n < 0 || n >= static_cast<std::int32_t>(keys.size())) failHost(HostFailureKind::Other);
    keys[static_cast<std::size_t>(n)] = cp932::decode(text.toTextBytes());
}

void executeKeyOrMouse(Interpreter& in, StatementArgs& args) {
    Lexer& lexer = in.lexer;
    const bool isKey = lexer.isWord(KwKey);
    in.currentStatement = isKey ? u"KEY" : u"MOUSE";
    lexer.nextToken();

    TrapState state{};
    if (isKey && readTrapState(lexer, state)) {
        for (int event = EventFunctionKey1; event < EventFunctionKey1 + FunctionKeyCount; ++event)
            in.events.eventState[static_cast<std::size_t>(event)] = state;
        lexer.nextToken();
    } else if (!lexer.isSymbol(u'(')) {
        if (isKey) {
            setFunctionKeyText(in);
        } else {
            // MOUSE x, y, ...: accepted, without effect.
            for (int i = 0; i < 4; ++i)
                in.optionalInteger(0);
        }
    } else {
        const std::int32_t n = readParenthesisedNumber(in);
        state = expectTrapState(lexer);
        const int count = isKey ? FunctionKeyCount : MouseTrapCount;
        if (n < 1 || n > count) raise(ErrSyntax);
        const int event = isKey ? n : EventMouseMove - 1 + n;
        in.events.eventState[static_cast<std::size_t>(event)] = state;
        lexer.nextToken();
    }
    in.checkStatementEnd(args);
}

void executeHelpOrCom(Interpreter& in, StatementArgs& args) {
    Lexer& lexer = in.lexer;
    const bool isHelp = lexer.isWord(KwHelp);
    in.currentStatement = isHelp ? u"HELP" : u"COM";
    lexer.nextToken();
    const TrapState state = expectTrapState(lexer);
    in.events.eventState[static_cast<std::size_t>(isHelp ? EventHelpKey : EventCom)] = state;
    lexer.nextToken();
    in.checkStatementEnd(args);
}

} // namespace

std::int16_t readHandlerSlot(Interpreter& in) {
    Lexer& lexer = in.lexer;
    int slot = -1;
    if (lexer.isSymbol(u'*')) {
        lexer.nextToken();
        if (lexer.tokenKind != TokenWord) raise(ErrSyntax);
        slot = in.labels.find(lexer.wordId);
        if (slot < 0) raise(ErrUndefinedLabel);
    } else if (lexer.tokenKind == TokenConstant && !lexer.tokenValue.isString()) {
        slot = in.statements.findLine(lexer.tokenValue.toDouble());
        if (slot < 0) raise(ErrUndefinedLine);
    } else {
        raise(ErrSyntax);
    }
    lexer.nextToken();
    return static_cast<std::int16_t>(slot);
}

namespace {

bool endsStatement(const Lexer& lexer) {
    return lexer.tokenKind == TokenEnd || lexer.isSymbol(u':') || lexer.isWord(KwElse) ||
           lexer.isSymbol(u'\'');
}

// ON KEY GOSUB t1, t2, ...: item n is the handler of event n; an empty item
// takes the handler away. Items past the function keys run on into the
// following events.
void executeOnKeyGosub(Interpreter& in, StatementArgs& args) {
    Lexer& lexer = in.lexer;
    lexer.nextToken();
    in.expectWord(KwGosub);
    in.currentStatement = u"";
    int event = EventFunctionKey1;
    do {
        if (event >= EventCount) failHost(HostFailureKind::Other);
        lexer.nextToken();
        auto& target = in.events.eventTarget[static_cast<std::size_t>(event)];
        if (lexer.isSymbol(u','))
            target = -1;
        else
            target = readHandlerSlot(in);
        ++event;
    } while (!endsStatement(lexer));
    in.checkStatementEnd(args);
}

void executeOnMouseGosub(Interpreter& in, StatementArgs& args) {
    Lexer& lexer = in.lexer;
    lexer.nextToken();
    in.expectSymbol(u'(');
    const std::int32_t n = readParenthesisedNumber(in);
    in.expectWord(KwGosub);
    if (n < 1 || n > MouseTrapCount) raise(ErrSyntax);
    in.currentStatement = u"";
    lexer.nextToken();
    in.events.eventTarget[static_cast<std::size_t>(EventMouseMove - 1 + n)] = readHandlerSlot(in);
    in.checkStatementEnd(args);
}

void executeOnHelpOrComGosub(Interpreter& in, StatementArgs& args) {
    Lexer& lexer = in.lexer;
    const int event = lexer.isWord(KwHelp) ? EventHelpKey : EventCom;
    lexer.nextToken();
    in.expectWord(KwGosub);
    in.currentStatement = u"";
    lexer.nextToken();
    in.events.eventTarget[static_cast<std::size_t>(event)] = readHandlerSlot(in);
    in.checkStatementEnd(args);
}

} // namespace

void executeOnTrapGosub(Interpreter& in, StatementArgs& args) {
    switch (in.lexer.wordId) {
    case KwKey: executeOnKeyGosub(in, args); return;
    case KwMouse: executeOnMouseGosub(in, args); return;
    default: executeOnHelpOrComGosub(in, args); return;
    }
}

void registerEventTrapStatements(std::array<StatementHandler, KeywordCount>& table) {
    table[KwKey] = executeKeyOrMouse;
    table[KwMouse] = executeKeyOrMouse;
    table[KwHelp] = executeHelpOrCom;
    table[KwCom] = executeHelpOrCom;
}

} // namespace korvelin
