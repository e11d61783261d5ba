// The classic-dialect mode: what it accepts, and that the same programs
// still stop as before without it.

#include "interpreter/Lexer.h"
#include "support/RunProgram.h"
#include "values/ReservedWords.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace korvelin {
namespace {

using testing::ProgramRun;
using Tokens = std::vector<std::string>;

// Every token of a text in the classic mode, as kind:text.
Tokens classicTokens(std::u16string_view source) {
    WordTable words;
    KeywordTable reserved;
    reserved.loadBuiltin();
    Lexer lexer(words);
    lexer.classicReservedWords = &reserved;
    ScanText text{std::u16string(source)};
    Tokens out;
    lexer.start(&text);
    for (int guard = 0; lexer.tokenKind != TokenEnd && guard < 100; ++guard) {
        std::string t;
        for (char16_t c : lexer.tokenText())
            t += c < 0x80 ? static_cast<char>(c) : '?';
        const char* kind = lexer.tokenKind == TokenWord ? "w:" : lexer.tokenKind == TokenSymbol ? "s:" : "c:";
        out.push_back(kind + t);
        lexer.nextToken();
    }
    return out;
}

TEST(ClassicDialect, ReservedWordsAreSplitOutOfRunsOfLetters) {
    EXPECT_EQ(classicTokens(u"FOR I=1TO9"), (Tokens{"w:FOR", "w:I", "s:=", "c:1", "w:TO", "c:9"}));
    EXPECT_EQ(classicTokens(u"FORI=ATOB STEP2"),
              (Tokens{"w:FOR", "w:I", "s:=", "w:A", "w:TO", "w:B", "w:STEP", "c:2"}));
    EXPECT_EQ(classicTokens(u"S1-1TOS1+1"), (Tokens{"w:S1", "s:-", "c:1", "w:TO", "w:S1", "s:+", "c:1"}));
    EXPECT_EQ(classicTokens(u"IF X>1THEN100"), (Tokens{"w:IF", "w:X", "s:>", "c:1", "w:THEN", "c:100"}));
    EXPECT_EQ(classicTokens(u"1ANDC1"), (Tokens{"c:1", "w:AND", "w:C1"}));
    EXPECT_EQ(classicTokens(u"22STEP3"), (Tokens{"c:22", "w:STEP", "c:3"}));
    EXPECT_EQ(
        classicTokens(u"PRINTCHR$(65)LEFT$(A$,1)"),
        (Tokens{"w:PRINT", "w:CHR$", "s:(", "c:65", "s:)", "w:LEFT$", "s:(", "w:A$", "s:,", "c:1", "s:)"}));
    // Longest word first: GOSUB, not GO; INPUT$, not INPUT.
    EXPECT_EQ(classicTokens(u"GOSUB100"), (Tokens{"w:GOSUB", "c:100"}));
    EXPECT_EQ(classicTokens(u"X$=INPUT$(1)"), (Tokens{"w:X$", "s:=", "w:INPUT$", "s:(", "c:1", "s:)"}));
    // MOD stays the operator; an E starts an exponent only before a digit or sign.
    EXPECT_EQ(classicTokens(u"AMODB"), (Tokens{"w:A", "s:MOD", "w:B"}));
    EXPECT_EQ(classicTokens(u"10ELSE 1E3"), (Tokens{"c:10", "w:ELSE", "c:1000"}));
}

TEST(ClassicDialect, TrickyNamesAndWholeWords) {
    // The dialect splits names that begin with a reserved word...
    EXPECT_EQ(classicTokens(u"TOTAL"), (Tokens{"w:TO", "w:TAL"}));
    EXPECT_EQ(classicTokens(u"FORM"), (Tokens{"w:FOR", "w:M"}));
    EXPECT_EQ(classicTokens(u"IFFY"), (Tokens{"w:IF", "w:FY"}));
    EXPECT_EQ(classicTokens(u"INSTEP"), (Tokens{"w:IN", "w:STEP"}));
    // ...but Korvelin's own reserved words stay whole, even with a classic
    // word inside (OR in COLOR, INT in POINT, END in APPEND).
    EXPECT_EQ(classicTokens(u"COLOR 7"), (Tokens{"w:COLOR", "c:7"}));
    EXPECT_EQ(classicTokens(u"POINT(1,2)"), (Tokens{"w:POINT", "s:(", "c:1", "s:,", "c:2", "s:)"}));
    EXPECT_EQ(classicTokens(u"APPEND"), (Tokens{"w:APPEND"}));
    // Names free of the dialect's words, strings and FN names are untouched.
    EXPECT_EQ(classicTokens(u"COUNT=ZZ"), (Tokens{"w:COUNT", "s:=", "w:ZZ"}));
    EXPECT_EQ(classicTokens(u"\"FORTO\""), (Tokens{"c:FORTO"}));
    EXPECT_EQ(classicTokens(u"DEFFNA(X)"), (Tokens{"w:DEF", "w:FNA", "s:(", "w:X", "s:)"}));
}

struct ClassicCase {
    const char16_t* program;
    const char16_t* result; // the variable R holds the result
    double expected;
    int errorWithout; // the error the program stops with in the normal mode
};

TEST(ClassicDialect, ProgramsRunOnlyInTheClassicMode) {
    const ClassicCase cases[] = {
        {u"10 FOR I=1TO9:R=R+I:NEXT", u"R!", 45, 1},
        {u"10 S1=5:FOR J=S1-1TOS1+1:R=R+J:NEXT", u"R!", 15, 1},
        {u"10 X=2:IF X>1THEN100\n20 R=1:END\n100 R=2", u"R!", 2, 1},
        {u"10 A=1:C1=1:IF A=1ANDC1=1 THEN R=5", u"R!", 5, 1},
        {u"10 FOR I=1 TO 22STEP3:R=R+1:NEXT", u"R!", 8, 1},
        {u"10 FORM=1TO3:R=R+M:NEXT", u"R!", 6, 1},
        // REM followed by letters is a remark, up to the end of its line.
        {u"10 REMARKABLE:R=9\n20 R=R+1", u"R!", 1, 1},
        // Loops left with GOTO: every FOR I takes the place of the open one.
        {u"10 FOR I=1 TO 3\n20 FOR J=1 TO 2\n30 GOTO 50\n40 NEXT J\n50 R=R+1:IF R<200 THEN 10", u"R!", 200,
         21},
        // DEF FN run again redefines its function (K is 4 after the loop).
        {u"10 FOR K=1 TO 3:DEF FNA(X)=X*K:NEXT:R=FNA(2)", u"R!", 8, 10},
        {u"10 DEF FNA(X,Y)=X+Y:DEF FNA(X)=X*10:R=FNA(3)", u"R!", 30, 10},
    };
    for (const ClassicCase& c : cases) {
        SCOPED_TRACE(std::string(c.program, c.program + std::char_traits<char16_t>::length(c.program)));
        ProgramRun normal;
        normal.run(c.program);
        EXPECT_EQ(normal.errorNumber(), c.errorWithout);

        ProgramRun classic;
        classic.in->classicDialect = true;
        classic.run(c.program);
        EXPECT_FALSE(classic.failed()) << std::string(classic.lastError().begin(), classic.lastError().end());
        EXPECT_EQ(classic.num(c.result), c.expected);
    }
}

TEST(ClassicDialect, LoopReuseDropsTheLoopsOpenedInside) {
    const char16_t* program = u"10 FOR I=1 TO 2\n20 FOR J=1 TO 2\n30 FOR I=5 TO 6\n40 STOP";
    ProgramRun normal(program);
    EXPECT_EQ(normal.in->loops.loopTop, 2);
    ProgramRun classic;
    classic.in->classicDialect = true;
    classic.run(program);
    EXPECT_EQ(classic.in->loops.loopTop, 0);
    EXPECT_EQ(classic.in->loops.top().headSlot, classic.in->statements.findLine(30));
}

TEST(ClassicDialect, DataAndStringsKeepTheirWords) {
    ProgramRun run;
    run.in->classicDialect = true;
    run.run(u"10 READ A$,B$:C$=\"TOTAL IFFY\"\n20 DATA TOTAL,REMARK");
    EXPECT_FALSE(run.failed());
    EXPECT_EQ(run.str(u"A$"), u"TOTAL");
    EXPECT_EQ(run.str(u"B$"), u"REMARK");
    EXPECT_EQ(run.str(u"C$"), u"TOTAL IFFY");
}

} // namespace
} // namespace korvelin
