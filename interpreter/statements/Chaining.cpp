// RUN "file", CHAIN [MERGE] "file" [, line] [, ALL], SYSTEM and CHILD. RUN
// and CHAIN only record what to load and raise event 26; the run loop
// loads the program between statements (interpreter/run/RunLoop.cpp).

#include "devices/HostProgram.h"
#include "expressions/Evaluator.h"
#include "interpreter/statements/Statements.h"
#include "values/Cp932.h"

namespace korvelin {

namespace {

// The program file a RUN or CHAIN names: ".BAS" added unless the name ends
// in it; a name without "\" or ":" counts from the current directory.
void takeProgramName(Interpreter& in) {
    const Value v = evaluateExpression(in);
    std::u16string name = upperCased(v.isString() ? v.unicodeText() : cp932::decode(v.toTextBytes()));
    if (!name.ends_with(u".BAS")) name += u".BAS";
    if (name.find_first_of(u"\\/:") == std::u16string::npos) name = in.paths.resolve(name);
    in.currentProgramPath = in.paths.hostPath(name).toStdU16String();
}

void requestLoad(Interpreter& in, StatementArgs& args) {
    in.events.eventTarget[EventLoad] = -1;
    in.events.pendingEvent = EventLoad;
    in.checkStatementEnd(args);
}

void executeRun(Interpreter& in, StatementArgs& args) {
    in.currentStatement = u"RUN";
    in.lexer.nextToken();
    takeProgramName(in);
    in.chainStartLine = 0;
    requestLoad(in, args);
}

void executeChain(Interpreter& in, StatementArgs& args) {
    Lexer& lexer = in.lexer;
    in.currentStatement = u"CHAIN";
    lexer.nextToken();
    // MERGE changes nothing: the new program replaces the old one.
    if (lexer.isWord(KwMerge)) lexer.nextToken();
    takeProgramName(in);
    in.chainStartLine = in.optionalInteger(0);
    if (lexer.isSymbol(u',')) {
        lexer.nextToken();
        if (!lexer.isWord(KwAll)) raise(ErrSyntax);
        in.currentStatement = u"CHAIN ALL";
        lexer.nextToken();
    }
    requestLoad(in, args);
}

// The run ends and, with it, the application.
void executeSystem(Interpreter& in, StatementArgs& args) {
    in.lexer.nextToken();
    args.slot = -1;
    args.jumped = 1;
    in.startMode = StartMode::CloseWhenRunEnds;
}

// CHILD command [, mode]: the window mode is the host's business.
void executeChild(Interpreter& in, StatementArgs& args) {
    in.lexer.nextToken();
    const Value command = evaluateExpression(in);
    (void)in.optionalInteger(1);
    startHostProgram(command.isString() ? command.unicodeText() : cp932::decode(command.toTextBytes()),
                     in.paths);
    in.skipToStatementEnd();
    in.checkStatementEnd(args);
}

} // namespace

void registerChainingStatements(std::array<StatementHandler, KeywordCount>& table) {
    table[KwRun] = executeRun;
    table[KwChain] = executeChain;
    table[KwSystem] = executeSystem;
    table[KwChild] = executeChild;
}

} // namespace korvelin
