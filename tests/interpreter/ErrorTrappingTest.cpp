#include "support/RunProgram.h"

#include <gtest/gtest.h>

namespace korvelin::testing {
namespace {

TEST(ErrorTrapping, HandlerSeesTheMappedNumberAndResumeNextContinues) {
    ProgramRun r(u"10 ON ERROR GOTO 100\n20 X = 5 MOD 0\n30 A=1\n40 END\n100 E=ERRNUM: RESUME NEXT");
    // ERR itself is a built-in function; the handler's view is errorNumber.
    EXPECT_EQ(r.in->errors.errorNumber, 21);
    EXPECT_EQ(r.in->errors.errorLine, 20);
    EXPECT_EQ(r.num(u"A!"), 1);
    EXPECT_FALSE(r.failed());
    ProgramRun d(u"10 ON ERROR GOTO 100\n20 X = 1 / 0\n30 END\n100 RESUME NEXT");
    EXPECT_EQ(d.in->errors.errorNumber, 11);
}

TEST(ErrorTrapping, ResumeRetriesResumeLineAndLabel) {
    // RESUME runs the failing statement again, not its whole line.
    ProgramRun retry(u"10 ON ERROR GOTO 100\n20 N=N+1: X=1/D\n30 END\n100 D=D+1: RESUME");
    EXPECT_EQ(retry.num(u"D!"), 1);
    EXPECT_EQ(retry.num(u"N!"), 1);
    EXPECT_EQ(retry.num(u"X!"), 1);
    ProgramRun zero(u"10 ON ERROR GOTO 100\n20 X=2/D\n30 END\n100 D=D+2: RESUME 0");
    EXPECT_EQ(zero.num(u"X!"), 1);
    ProgramRun line(u"10 ON ERROR GOTO *H\n20 X=1/0\n30 END\n40 A=1: END\n100 *H: RESUME 40");
    EXPECT_EQ(line.num(u"A!"), 1);
    EXPECT_EQ(line.in->control.controlTop, -1);
}

TEST(ErrorTrapping, ResumeWithoutErrorAndTwice) {
    ProgramRun r(u"10 RESUME");
    EXPECT_EQ(r.lastError(), u"エラー未発生で RESUME文 を実行しました。\r\n行番号：10");
    ProgramRun twice(u"10 ON ERROR GOTO 100\n20 X=1/0\n30 END\n100 ON ERROR GOTO 0: RESUME 110\n110 RESUME");
    EXPECT_EQ(twice.errorNumber(), 20);
}

TEST(ErrorTrapping, ErrorsInsideTheHandlerAreReportedWithTheirOwnLine) {
    ProgramRun r(u"10 ON ERROR GOTO 100\n20 X=1/0\n30 END\n100 Y=1/0");
    EXPECT_EQ(r.lastError(), u"０による割り算を実行しました。\r\n行番号：100");
    ProgramRun off(u"10 ON ERROR GOTO 100\n20 X=1/0\n30 END\n100 ON ERROR GOTO 0: Y=1/0");
    EXPECT_EQ(off.lastError(), u"０による割り算を実行しました。\r\n行番号：100");
}

TEST(ErrorTrapping, UntrappedErrorEndsTheRunAndPlacesTheCaret) {
    ProgramRun r(u"10 A=1\n120 B=2: C=1/0\n130 D=1");
    EXPECT_EQ(r.lastError(), u"０による割り算を実行しました。\r\n行番号：120");
    EXPECT_TRUE(r.var(u"D!").isEmpty());
    ASSERT_EQ(r.host.caretOffsets.size(), 1u);
    // Line 120 starts at 8, its second statement at column 8 (the blank
    // after ":"), and the scan had reached position 7, past the "0".
    EXPECT_EQ(r.host.caretOffsets[0], 8 + 8 + 7);
    EXPECT_EQ(r.host.stops.back(), RunStop::Ended);
    ProgramRun hidden;
    hidden.in->startMode = StartMode::CommandLine;
    hidden.run(u"10 X=1/0");
    EXPECT_TRUE(hidden.host.caretOffsets.empty());
}

TEST(ErrorTrapping, MappingOfHostFailures) {
    ProgramRun type(u"10 A=\"X\"+1");
    EXPECT_EQ(type.errorNumber(), 13);
    ProgramRun power(u"10 A=(-8)^.5");
    EXPECT_EQ(power.errorNumber(), 5);
    ProgramRun overflow(u"10 A=1\\0");
    EXPECT_EQ(overflow.lastError(), u"メッセージの定義されていないエラーです。\r\n行番号：10");
}

TEST(ErrorTrapping, OnErrorTargetsMustExist) {
    ProgramRun r(u"10 ON ERROR GOTO 500");
    EXPECT_EQ(r.errorNumber(), 8);
    ProgramRun g(u"10 ON ERROR GOSUB 500");
    EXPECT_EQ(g.errorNumber(), 1);
}

TEST(ErrorTrapping, LaterStatementsSayTheyAreNotAvailableYet) {
    ProgramRun r(u"10 LPRINT 1");
    EXPECT_EQ(r.lastError(),
              u"メッセージの定義されていないエラーです。\r\n（LPRINT はまだ使えません）\r\n行番号：10");
    ProgramRun f(u"10 BEEP");
    EXPECT_EQ(f.lastError(),
              u"メッセージの定義されていないエラーです。\r\n（BEEP はまだ使えません）\r\n行番号：10");
}

TEST(ErrorTrapping, StatementMustEndWhereItEnds) {
    ProgramRun r(u"10 A=1 2");
    EXPECT_EQ(r.lastError(), u"文法エラーです。\r\n行番号：10");
    ProgramRun sym(u"10 +1");
    EXPECT_EQ(sym.errorNumber(), 1);
    ProgramRun num(u"10 5");
    EXPECT_EQ(num.errorNumber(), 1);
    ProgramRun fine(u"10 A=1 ' note\n20 B=2 ELSE\n30 REM\n40 '\n50 :");
    EXPECT_FALSE(fine.failed());
}

TEST(ErrorTrapping, TrapEntryAfterTheLastStatementResumesCleanly) {
    // The failing statement is the last one; RESUME NEXT must end the run.
    ProgramRun r(u"10 ON ERROR GOTO 100: GOTO 200\n100 RESUME NEXT\n200 X=1/0");
    EXPECT_FALSE(r.failed());
    EXPECT_EQ(r.host.stops.back(), RunStop::Ended);
}

} // namespace
} // namespace korvelin::testing

namespace korvelin::testing {
namespace {

// A direct line typed while a program is prepared: appended behind the
// program with keys above it, the way the debug screen runs it.
void runDirectLine(ProgramRun& r, std::u16string_view line) {
    Interpreter& in = *r.in;
    const std::int32_t highestKey = in.statements.highestKey;
    const int count = in.statements.statementCount;
    const int last = in.statements.lastStatement;
    std::u16string text;
    for (char c : std::to_string(highestKey / 100 + 1))
        text += static_cast<char16_t>(c);
    r.host.direct = text + u" END:" + std::u16string(line);
    in.prepareProgram(PrepareMode::Append);
    in.statements.highestKey = highestKey;
    in.statements.statementCount = count;
    in.statements.lastStatement = last;
    if (last >= 0) in.statements[last].next = -1;
    in.statements.chainChanged();
    in.runLoop(count + 1);
}

TEST(DirectStatements, ErrorsAreNeverTrappedAndShowNoLine) {
    ProgramRun r(u"10 ON ERROR GOTO 100\n20 A=1\n30 END\n100 RESUME NEXT");
    ASSERT_FALSE(r.failed());
    runDirectLine(r, u"B=2: X=1/0: C=3");
    EXPECT_EQ(r.lastError(), u"０による割り算を実行しました。");
    EXPECT_EQ(r.num(u"B!"), 2);
    EXPECT_TRUE(r.var(u"C!").isEmpty());
    EXPECT_EQ(r.in->errors.errorLine, 0);
    EXPECT_EQ(r.host.lastLineNumber, 30); // direct statements leave the line indicator alone
}

TEST(DirectStatements, SeeTheProgramsVariablesAndLines) {
    ProgramRun r(u"10 A=5\n20 END\n30 B=A*2");
    runDirectLine(r, u"C=A+1: GOTO 30");
    EXPECT_EQ(r.num(u"C!"), 6);
    EXPECT_EQ(r.num(u"B!"), 10);
}

} // namespace
} // namespace korvelin::testing
