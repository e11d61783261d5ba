// The one list of statement families. Each family fills the dispatch table
// for its keywords; a statement keyword that no family takes is recognised
// and stops the run with its name and "はまだ使えません".

#include "interpreter/statements/Statements.h"
#include "values/InterpreterError.h"

namespace korvelin {

using StatementTableArray = std::array<StatementHandler, KeywordCount>;

void registerControlFlowStatements(StatementTableArray& table);
void registerLoopStatements(StatementTableArray& table);
void registerErrorStatements(StatementTableArray& table);
void registerMiscellaneousStatements(StatementTableArray& table);
void registerDeclarationStatements(StatementTableArray& table);
void registerEventTrapStatements(StatementTableArray& table);
void registerOutputStatements(StatementTableArray& table);
void registerScreenStatements(StatementTableArray& table);
void registerConsoleInputStatements(StatementTableArray& table);
void registerFileStatements(StatementTableArray& table);
void registerRandomFileStatements(StatementTableArray& table);
void registerDiskCommands(StatementTableArray& table);
void registerChainingStatements(StatementTableArray& table);
void registerGraphicsStatements(StatementTableArray& table);
void registerImageStatements(StatementTableArray& table);
void registerPageStatements(StatementTableArray& table);
void registerSoundStatements(StatementTableArray& table);

namespace {

using RegisterFamily = void (*)(StatementTableArray&);

// Later families may take over a keyword an earlier one registered.
constexpr RegisterFamily statementFamilies[] = {
    registerControlFlowStatements,   // interpreter/statements/ControlFlow.cpp
    registerLoopStatements,          // interpreter/statements/Loops.cpp
    registerErrorStatements,         // interpreter/statements/ErrorTrapping.cpp
    registerMiscellaneousStatements, // interpreter/statements/MiscellaneousStatements.cpp
    registerEventTrapStatements,     // interpreter/statements/EventTraps.cpp
    registerDeclarationStatements,   // values/statements/DeclarationStatements.cpp
    registerOutputStatements,        // values/statements/PrintStatement.cpp
    registerScreenStatements,        // screen/statements/ScreenStatements.cpp
    registerConsoleInputStatements,  // screen/statements/ConsoleInput.cpp
    registerGraphicsStatements,      // screen/statements/GraphicsStatements.cpp (LINE, LINE INPUT)
    registerImageStatements,         // screen/statements/ImageStatements.cpp
    registerPageStatements,          // screen/statements/PageStatements.cpp
    registerFileStatements,          // devices/statements/FileStatements.cpp
    registerDiskCommands,            // devices/statements/DiskCommands.cpp
    registerChainingStatements,      // interpreter/statements/Chaining.cpp
    registerRandomFileStatements,    // devices/statements/RandomFiles.cpp (GET/PUT, both forms)
    registerSoundStatements,         // devices/statements/SoundStatements.cpp
};

} // namespace

void executeUnavailable(Interpreter& in, StatementArgs&) {
    // "?" stands for PRINT.
    const int word = in.lexer.tokenKind == TokenWord ? in.lexer.wordId : KwPrint;
    throw InterpreterError(ErrUnprintable, keywordText(static_cast<Keyword>(word)));
}

void registerStatements(StatementTableArray& table) {
    for (RegisterFamily registerFamily : statementFamilies)
        registerFamily(table);
    for (int k = FirstStatementKeyword; k <= LastStatementKeyword; ++k)
        if (!table[static_cast<std::size_t>(k)]) table[static_cast<std::size_t>(k)] = executeUnavailable;
}

} // namespace korvelin
