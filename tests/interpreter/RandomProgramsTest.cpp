// Programs made of random statement fragments must end with a clear error
// or run until they are stopped, never crash or hang the interpreter.

#include "support/RunProgram.h"

#include <gtest/gtest.h>

#include <random>

namespace korvelin::testing {
namespace {

// Ends the run after a fixed number of statements, as the end command would.
struct BudgetHost : HeadlessHost {
    Interpreter* in = nullptr;
    long budget = 0;
    void processEvents() override {
        HeadlessHost::processEvents();
        if (in && --budget == 0) {
            in->events.eventTarget[EventEndRequest] = -1;
            in->events.pendingEvent = EventEndRequest;
        }
    }
};

constexpr const char16_t* fragments[] = {
    u"A",
    u"B$",
    u"C%",
    u"D(",
    u"E(1,",
    u")",
    u"=",
    u"+",
    u"-",
    u"*",
    u"/",
    u"\\",
    u"^",
    u"MOD",
    u"AND",
    u"NOT",
    u"<",
    u">",
    u"<>",
    u"(",
    u",",
    u":",
    u";",
    u"'",
    u"1",
    u"0",
    u"2.5",
    u"-1",
    u"&HFF",
    u"\"x\"",
    u"\"",
    u"IF",
    u"THEN",
    u"ELSE",
    u"GOTO",
    u"GOSUB",
    u"RETURN",
    u"FOR",
    u"TO",
    u"STEP",
    u"NEXT",
    u"WHILE",
    u"WEND",
    u"ON",
    u"ERROR",
    u"RESUME",
    u"END",
    u"STOP",
    u"LET",
    u"READ",
    u"DATA",
    u"RESTORE",
    u"SWAP",
    u"DIM",
    u"DEFINT",
    u"DEF",
    u"FNA",
    u"FNB(",
    u"MID$(",
    u"REM",
    u"*L",
    u"10",
    u"20",
    u"30",
    u"_",
    u"漢",
    u"RANDOMIZE",
    u"TIME$",
    u"PRINT",
    u"SIN(",
    u"NEXT",
    u"X",
    u"X=X+1",
    u"DEF FNA(X)=X*2",
    u"ON ERROR GOTO 30",
};

std::u16string randomProgram(std::mt19937& rng) {
    std::uniform_int_distribution<int> lines(1, 6), tokens(1, 12), pick(0, std::size(fragments) - 1);
    std::u16string text;
    const int count = lines(rng);
    for (int line = 1; line <= count; ++line) {
        for (char c : std::to_string(line * 10))
            text += static_cast<char16_t>(c);
        text += u' ';
        const int n = tokens(rng);
        for (int t = 0; t < n; ++t) {
            text += fragments[pick(rng)];
            if (rng() % 2) text += u' ';
        }
        text += u"\r\n";
    }
    return text;
}

TEST(RandomPrograms, EndCleanlyWithinTheirBudget) {
    std::mt19937 rng(20261208);
    for (int i = 0; i < 3000; ++i) {
        BudgetHost host;
        Interpreter in(host);
        host.in = &in;
        host.budget = 500;
        host.program = randomProgram(rng);
        in.prepareProgram(PrepareMode::Full);
        in.runLoop(in.statements.firstStatement);
        ASSERT_FALSE(host.stops.empty()) << "program " << i;
        ASSERT_LE(host.eventPasses, 600) << "program " << i;
        ASSERT_FALSE(in.lexer.scanData) << "program " << i;
    }
}

} // namespace
} // namespace korvelin::testing
