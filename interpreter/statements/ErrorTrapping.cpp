// ON ERROR GOTO and RESUME.

#include "interpreter/statements/Statements.h"
#include "values/InterpreterError.h"

namespace korvelin {

void executeOnErrorGoto(Interpreter& in, StatementArgs& args) {
    Lexer& lexer = in.lexer;
    in.currentStatement = u"ERROR";
    lexer.nextToken();
    in.expectWord(KwGoto);
    lexer.nextToken();
    std::int16_t handler = -1; // line 0: no handler
    if (lexer.tokenKind == TokenConstant && !lexer.tokenValue.isString() && lexer.tokenValue.toDouble() == 0)
        lexer.nextToken();
    else
        handler = readHandlerSlot(in);
    in.events.eventTarget[EventErrorTrap] = handler;
    in.checkStatementEnd(args);
}

namespace {

void executeResume(Interpreter& in, StatementArgs& args) {
    Lexer& lexer = in.lexer;
    in.currentStatement = u"RESUME";
    lexer.nextToken();
    TrapState& state = in.events.eventState[EventErrorTrap];
    if (state != TrapState::On) raise(ErrResumeWithoutError);
    state = TrapState::None;
    if (in.control.empty()) raise(ErrReturnWithoutGosub);
    const int failed = entrySlot(in.control.top());
    const bool isNumber = lexer.tokenKind == TokenConstant && !lexer.tokenValue.isString();
    if (lexer.tokenKind == TokenEnd || (isNumber && lexer.tokenValue.toDouble() == 0)) {
        if (lexer.tokenKind != TokenEnd) lexer.nextToken();
        args.slot = failed;
    } else if (lexer.isWord(KwNext)) {
        args.slot = failed >= 0 ? in.statements[failed].next : -1;
        lexer.nextToken();
    } else if (isNumber || lexer.isSymbol(u'*')) {
        in.jumpToTarget(args);
    } else {
        raise(ErrSyntax);
    }
    args.jumped = 1;
    in.control.pop();
    in.checkStatementEnd(args);
}

} // namespace

void registerErrorStatements(std::array<StatementHandler, KeywordCount>& table) {
    table[KwResume] = executeResume;
}

} // namespace korvelin
