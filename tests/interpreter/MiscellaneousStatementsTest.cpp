#include "support/RunProgram.h"

#include <gtest/gtest.h>

namespace korvelin::testing {
namespace {

TEST(Assignment, PercentTargetsRoundHalvesUp) {
    ProgramRun r(u"10 A%=2.5: B%=-2.5: C!=2.5: LET D%=100000: E$=5: F=\"x\"");
    EXPECT_EQ(r.num(u"A%"), 3);
    EXPECT_EQ(r.num(u"B%"), -2);
    EXPECT_EQ(r.num(u"C!"), 2.5);
    EXPECT_EQ(r.num(u"D%"), 100000);
    EXPECT_EQ(r.num(u"E$"), 5); // a string variable may hold a number
    EXPECT_EQ(r.str(u"F!"), u"x");
    ProgramRun bad(u"10 A%=\"x\"");
    EXPECT_EQ(bad.errorNumber(), 13);
    ProgramRun noEquals(u"10 LET A 1");
    EXPECT_EQ(noEquals.errorNumber(), 1);
}

TEST(Assignment, ReservedWordsAndFnNamesAreNoTargets) {
    ProgramRun r(u"10 THEN=1");
    EXPECT_EQ(r.errorNumber(), 1);
    ProgramRun fn(u"10 FNA=1");
    EXPECT_EQ(fn.errorNumber(), 1);
    ProgramRun kanji(u"10 漢=1");
    EXPECT_EQ(kanji.errorNumber(), 21);
}

TEST(ReadData, ItemsOfEveryShape) {
    ProgramRun r(u"10 READ A$, B$, C, D, E\n20 DATA  abc  , \"  q  \"\n30 DATA -5, +2.5\n40 DATA");
    EXPECT_EQ(r.str(u"A$"), u"abc");
    EXPECT_EQ(r.str(u"B$"), u"  q"); // trailing blanks go, leading ones inside quotes stay
    EXPECT_EQ(r.num(u"C!"), -5);
    EXPECT_EQ(r.num(u"D!"), 2.5);
    EXPECT_EQ(r.num(u"E!"), 0); // an empty item at the end
    EXPECT_FALSE(r.failed());
}

TEST(ReadData, FollowsTextOrderAcrossStatements) {
    ProgramRun r(u"30 DATA 3\n10 READ A, B, C: DATA 1\n20 DATA 2 ' two");
    EXPECT_EQ(r.num(u"A!"), 3);
    EXPECT_EQ(r.num(u"B!"), 1);
    EXPECT_EQ(r.num(u"C!"), 2);
}

TEST(ReadData, Errors) {
    ProgramRun out(u"10 READ A, B\n20 DATA 1");
    EXPECT_EQ(out.lastError(), u"READ文 に対応する DATA がありません。\r\n行番号：10");
    ProgramRun word(u"10 READ A\n20 DATA abc");
    EXPECT_EQ(word.errorNumber(), 1);
    ProgramRun text(u"10 READ A\n20 DATA \"1\"");
    EXPECT_EQ(text.errorNumber(), 1);
    // After an error the next statement scans its own text again.
    ProgramRun trapped(u"10 ON ERROR GOTO 100\n20 READ A\n30 B=2: END\n100 RESUME NEXT\n200 DATA x");
    EXPECT_EQ(trapped.num(u"B!"), 2);
}

TEST(Restore, ToTheStartAndToALine) {
    ProgramRun r(u"10 READ A: RESTORE: READ B\n20 RESTORE 500: READ C\n30 RESTORE *L: READ D\n"
                 u"100 DATA 1\n400 *L: DATA 4\n500 REM\n600 DATA 6");
    EXPECT_EQ(r.num(u"A!"), 1);
    EXPECT_EQ(r.num(u"B!"), 1);
    EXPECT_EQ(r.num(u"C!"), 6);
    EXPECT_EQ(r.num(u"D!"), 4);
    ProgramRun missing(u"10 RESTORE 99");
    EXPECT_EQ(missing.errorNumber(), 8);
    ProgramRun bad(u"10 RESTORE A");
    EXPECT_EQ(bad.errorNumber(), 1);
}

TEST(Swap, ExchangesValuesOfAnyKind) {
    ProgramRun r(u"10 A=1: B$=\"x\": SWAP A, B$\n20 DIM C(2): C(1)=5: SWAP C(1), D");
    EXPECT_EQ(r.str(u"A!"), u"x");
    EXPECT_EQ(r.num(u"B$"), 1);
    EXPECT_EQ(r.num(u"D!"), 5);
    EXPECT_EQ(r.num(u"C!", {1}), 0);
    ProgramRun bad(u"10 SWAP A B");
    EXPECT_EQ(bad.errorNumber(), 1);
}

TEST(MidStatement, OverwritesBytesWithoutChangingTheLength) {
    ProgramRun r(
        u"10 A$=\"abcd\": B$=A$: C$=A$: D$=A$\n20 MID$(A$, 2) = \"XYZ\": MID$(B$, 3) = \"XYZ\"\n"
        u"30 MID$(C$, 2, 1) = \"XYZ\": MID$(D$, 2, 5) = \"XY\"\n40 K$=\"漢ab\": MID$(K$, 3) = \"Z\"");
    EXPECT_EQ(r.str(u"A$"), u"aXYZ");
    EXPECT_EQ(r.str(u"B$"), u"abXY");
    EXPECT_EQ(r.str(u"C$"), u"aXcd");
    EXPECT_EQ(r.str(u"D$"), u"aXYd");
    EXPECT_EQ(r.str(u"K$"), u"漢Zb");
    ProgramRun notString(u"10 MID$(A, 1) = \"x\"");
    EXPECT_EQ(notString.errorNumber(), 1);
    ProgramRun start(u"10 A$=\"ab\": MID$(A$, 0) = \"x\"");
    EXPECT_EQ(start.errorNumber(), 5);
    ProgramRun pastTheEnd(
        u"10 A$=\"ab\": E$=\"\": MID$(A$, 3) = \"x\": MID$(E$, 1) = \"y\": MID$(A$, 4) = \"z\"");
    EXPECT_EQ(pastTheEnd.str(u"A$"), u"ab"); // just past the end: nothing to overwrite
    EXPECT_EQ(pastTheEnd.str(u"E$"), u"");
    EXPECT_EQ(pastTheEnd.errorNumber(), 5); // two past the end
}

TEST(MiscStatements, IgnoredStatementsAndRemHaveNoEffect) {
    ProgramRun r(u"10 ERROR 5: CLEAR 1000: OPTION BASE 1: TRON: ERASE A: POKE 1,2: A=1\n20 REM anything: at "
                 u"all\n30 B=2");
    EXPECT_EQ(r.num(u"A!"), 1);
    EXPECT_EQ(r.num(u"B!"), 2);
    EXPECT_FALSE(r.failed());
}

TEST(MiscStatements, RandomizeAndTheClock) {
    ProgramRun r(u"10 RANDOMIZE 5: RANDOMIZE\n20 DATE$ = \"26/12/07\": TIME$ = \"13:45:10\"");
    EXPECT_FALSE(r.failed());
    const QDateTime now = r.in->clock.now();
    EXPECT_EQ(now.date(), QDate(2026, 12, 7));
    EXPECT_EQ(now.time().hour(), 13);
    EXPECT_EQ(now.time().minute(), 45);
    ProgramRun bad(u"10 DATE$ = \"someday\"");
    EXPECT_EQ(bad.errorNumber(), 13);
    ProgramRun noEquals(u"10 TIME$ \"1:00\"");
    EXPECT_EQ(noEquals.errorNumber(), 1);
}

} // namespace
} // namespace korvelin::testing
