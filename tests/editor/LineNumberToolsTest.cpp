// The line-number tools on plain text: what renumber rewrites (and that
// the rewritten program runs the same), the errors and where they put the
// caret, sorting and automatic numbering.

#include "editor/LineNumberTools.h"
#include "support/RunProgram.h"

#include <gtest/gtest.h>

namespace korvelin::testing {
namespace {

using Kind = LineToolResult::Kind;

std::u16string renumber(ProgramRun& run, std::u16string_view lines, int newStart, int oldStart, int step,
                        LineToolResult* out = nullptr) {
    LineToolResult result = renumberProgramLines(run.in->lexer, programText(lines), newStart, oldStart, step);
    if (out) *out = result;
    return result.text;
}

// Every kind of reference, with a trace of the path the program takes.
constexpr std::u16string_view everyReference = u"5 T$=\"\"\n"
                                               u"10 ON ERROR GOTO 200\n"
                                               u"20 X=2: ON X GOTO 30, 40\n"
                                               u"30 T$=T$+\"x\": GO TO 50\n"
                                               u"40 T$=T$+\"a\": ON X GOSUB 300,310\n"
                                               u"50 IF X=2 THEN 60 ELSE 30\n"
                                               u"60 RESTORE 400: READ D: T$=T$+STR$(D)\n"
                                               u"70 GOSUB 320: T$=T$+\"z\"\n"
                                               u"75 T$=T$+\"c\"\n"
                                               u"80 Z=1/0\n"
                                               u"90 T$=T$+\"e\": IF X<>2 THEN GOTO 30 ELSE GOTO *FIN\n"
                                               u"100 *FIN: T$=T$+\"f\": END\n"
                                               u"200 T$=T$+\"r\": IF ERL=80 THEN RESUME 90\n"
                                               u"210 RESUME 0\n"
                                               u"300 T$=T$+\"1\": RETURN\n"
                                               u"310 T$=T$+\"2\": RETURN\n"
                                               u"320 T$=T$+\"b\": RETURN 75\n"
                                               u"400 DATA 7\n"
                                               u"410 PRINT \"GOTO 30\": REM GOTO 30\n"
                                               u"420 GOSUB 30 ' GOTO 40\n"
                                               u"430 RUN 30: GO SUB 30\n";

TEST(Renumber, RewritesEveryKindOfReferenceAndTheProgramRunsTheSame) {
    ProgramRun run;
    LineToolResult result;
    const std::u16string text = renumber(run, everyReference, 1000, 0, 10, &result);
    ASSERT_EQ(result.kind, Kind::Changed) << result.errorNumber;
    EXPECT_EQ(text, programText(u"1000 T$=\"\"\n"
                                u"1010 ON ERROR GOTO 1120\n"
                                u"1020 X=2: ON X GOTO 1030,1040\n"
                                u"1030 T$=T$+\"x\": GO TO 1050\n"
                                u"1040 T$=T$+\"a\": ON X GOSUB 1140,1150\n"
                                u"1050 IF X=2 THEN 1060 ELSE 1030\n"
                                u"1060 RESTORE 1170: READ D: T$=T$+STR$(D)\n"
                                u"1070 GOSUB 1160: T$=T$+\"z\"\n"
                                u"1080 T$=T$+\"c\"\n"
                                u"1090 Z=1/0\n"
                                u"1100 T$=T$+\"e\": IF X<>2 THEN GOTO 1030 ELSE GOTO *FIN\n"
                                u"1110 *FIN: T$=T$+\"f\": END\n"
                                u"1120 T$=T$+\"r\": IF ERL=1090 THEN RESUME 1100\n"
                                u"1130 RESUME 0\n"
                                u"1140 T$=T$+\"1\": RETURN\n"
                                u"1150 T$=T$+\"2\": RETURN\n"
                                u"1160 T$=T$+\"b\": RETURN 1080\n"
                                u"1170 DATA 7\n"
                                u"1180 PRINT \"GOTO 30\": REM GOTO 30\n"
                                u"1190 GOSUB 1030 ' GOTO 40\n"
                                u"1200 RUN 30: GO SUB 30\n"));

    ProgramRun before(everyReference);
    ProgramRun after;
    after.host.program = text;
    after.in->prepareProgram(PrepareMode::Full);
    after.in->runLoop(after.in->statements.firstStatement);
    EXPECT_EQ(before.var(u"T$").unicodeText(), u"a2 7bcref");
    EXPECT_EQ(after.var(u"T$").unicodeText(), before.var(u"T$").unicodeText());
    EXPECT_TRUE(after.host.errorBoxes.empty());
}

TEST(Renumber, StartingLineStepAndTheLinesBefore) {
    ProgramRun run;
    const std::u16string_view lines = u"10 A=1\n20 GOTO 40\n30 B=2\n40 END";
    EXPECT_EQ(renumber(run, lines, 25, 30, 10), programText(u"10 A=1\n20 GOTO 35\n25 B=2\n35 END\n"));
    // An old number between lines starts at the highest line below it.
    EXPECT_EQ(renumber(run, lines, 100, 35, 5), programText(u"10 A=1\n20 GOTO 105\n100 B=2\n105 END\n"));
    EXPECT_EQ(renumber(run, lines, 100, 0, 10), programText(u"100 A=1\n110 GOTO 130\n120 B=2\n130 END\n"));

    LineToolResult result;
    renumber(run, lines, 15, 30, 10, &result);
    EXPECT_EQ(result.kind, Kind::Failed);
    EXPECT_EQ(result.errorNumber, 5);
    // Every line above the old number, and an empty program: nothing to do.
    renumber(run, lines, 100, 5, 10, &result);
    EXPECT_EQ(result.kind, Kind::Unchanged);
    renumber(run, u"\n  \n", 100, 0, 10, &result);
    EXPECT_EQ(result.kind, Kind::Unchanged);
    // Line numbers stay within what a key can hold.
    renumber(run, lines, 21474810, 0, 10, &result);
    EXPECT_EQ(result.errorNumber, 6);
    EXPECT_FALSE(renumber(run, lines, 21474806, 0, 10).empty()); // ends at 21474836
}

TEST(Renumber, ErrorsLeaveTheTextAndPointTheCaretAtTheFault) {
    ProgramRun run;
    LineToolResult result;
    renumber(run, u"10 A=1\n20 GOTO 40\n30 END", 100, 0, 10, &result);
    EXPECT_EQ(result.kind, Kind::Failed);
    EXPECT_EQ(result.errorNumber, 8);
    // Line 20 starts at offset 8; "20 " is 3 characters, the reference starts at 6.
    EXPECT_EQ(result.caretOffset, 8 + 3 + 6);
    EXPECT_TRUE(result.text.empty());

    renumber(run, u"10 A=1\nPRINT 2\n30 END", 100, 0, 10, &result);
    EXPECT_EQ(result.errorNumber, 1);
    EXPECT_EQ(result.caretOffset, 8);
    renumber(run, u"10 A=1\n20A=2", 100, 0, 10, &result);
    EXPECT_EQ(result.errorNumber, 1);
    EXPECT_EQ(result.caretOffset, 10);
    renumber(run, u"0 A=1", 100, 0, 10, &result);
    EXPECT_EQ(result.errorNumber, 1);
}

TEST(Renumber, SpacingAndWhatIsNoReference) {
    ProgramRun run;
    // The blanks between the keyword's first following character and the
    // number go; a number glued to its keyword is one word and stays.
    EXPECT_EQ(renumber(run, u"10 GOTO   20\n20 GOTO20: ON X GOSUB 10,  20", 1, 0, 1),
              programText(u"1 GOTO 2\n2 GOTO20: ON X GOSUB 1,2\n"));
    // The classic dialect reads GOTO30 as GOTO and 30: the number alone is rewritten.
    run.in->lexer.classicReservedWords = &run.in->keywords;
    EXPECT_EQ(renumber(run, u"10 GOTO20\n20 IF A THEN10", 100, 0, 10),
              programText(u"100 GOTO110\n110 IF A THEN100\n"));
    run.in->lexer.classicReservedWords = nullptr;
    // A constant too large for a number is only text to the tools; the
    // lexer refuses it again afterwards.
    EXPECT_EQ(renumber(run, u"10 A=1E999: GOTO 20\n20 B=1D400: GOTO 10", 100, 0, 10),
              programText(u"100 A=1E999: GOTO 110\n110 B=1D400: GOTO 100\n"));
    EXPECT_TRUE(run.in->lexer.refuseOverflow);
    // A line longer than 255 characters is cut.
    const std::u16string longLine = u"10 REM " + std::u16string(300, u'x');
    const std::u16string sorted = sortProgramLines(programText(longLine)).text;
    EXPECT_EQ(sorted.size(), 3u + 255u + 2u);
}

TEST(Sort, OrdersLinesDropsBlanksAndKeepsEqualNumbers) {
    LineToolResult result = sortProgramLines(programText(u"30 C\n\n10 A   \n  \n20 B\n10 A2"));
    EXPECT_EQ(result.kind, Kind::Changed);
    // Of two equal numbers the one further down comes first.
    EXPECT_EQ(result.text, programText(u"10 A2\n10 A\n20 B\n30 C\n"));
    EXPECT_EQ(sortProgramLines(u"").kind, Kind::Unchanged);
    EXPECT_EQ(sortProgramLines(programText(u"10 A\nB")).errorNumber, 1);
}

TEST(Sort, RefusesMoreLinesThanTheTableHolds) {
    std::u16string text;
    for (int n = 1; n <= LineTableSize + 1; ++n)
        text += programText(u"1 A\n").replace(0, 1, std::u16string(1, u'1'));
    const LineToolResult result = sortProgramLines(text);
    EXPECT_EQ(result.kind, Kind::Failed);
    EXPECT_EQ(result.errorNumber, 6);
}

TEST(AutoNumbering, StartsBeforeTheNextHigherLineAndContinuesOnEnter) {
    LineToolResult failure;
    const std::u16string text = programText(u"10 A\n20 B\n200 C");
    const auto start = startAutoNumbering(text, 100, failure);
    ASSERT_TRUE(start);
    EXPECT_EQ(start->offset, 12); // the start of line 200
    EXPECT_EQ(start->text, u"100 \r\n");
    EXPECT_EQ(start->caretOffset, 16);

    // Above every line: after the last, which gets its CR LF first.
    const auto atEnd = startAutoNumbering(text, 300, failure);
    EXPECT_EQ(atEnd->offset, static_cast<std::int32_t>(text.size()));
    EXPECT_EQ(atEnd->text, u"\r\n300 \r\n");
    EXPECT_EQ(startAutoNumbering(u"", 10, failure)->offset, 0);
    EXPECT_FALSE(startAutoNumbering(programText(u"10 A\nX"), 10, failure));
    EXPECT_EQ(failure.errorNumber, 1);

    std::u16string typed = text;
    typed.insert(12, u"100 X=1\r\n");
    const auto next = continueAutoNumbering(typed, 16, 100, 110);
    ASSERT_TRUE(next);
    EXPECT_EQ(next->offset, 12 + 9);
    EXPECT_EQ(next->text, u"110 \r\n");
    EXPECT_EQ(next->caretOffset, 12 + 9 + 4);
    // Another line, or another number: Enter is an ordinary key.
    EXPECT_FALSE(continueAutoNumbering(typed, 2, 100, 110));
    EXPECT_FALSE(continueAutoNumbering(typed, 16, 90, 100));
    const auto last = continueAutoNumbering(u"10 A", 4, 10, 20);
    EXPECT_EQ(last->text, u"\r\n20 \r\n");
}

TEST(LineToolFields, NumbersAreReadUpToTheFirstOtherCharacter) {
    EXPECT_EQ(leadingNumber(u" 120abc"), 120);
    EXPECT_EQ(leadingNumber(u""), 0);
    EXPECT_EQ(leadingNumber(u"-5"), -5);
    EXPECT_FALSE(leadingNumber(u"99999999999"));
    EXPECT_EQ(lowestLineNumber(programText(u"30 A\n\n 20 B\nX")), 20);
    EXPECT_EQ(lowestLineNumber(u""), -1);
}

} // namespace
} // namespace korvelin::testing
