#include "FunctionEval.h"

#include <QString>
#include <gtest/gtest.h>

#include <cstdlib>

namespace korvelin::testing {
namespace {

TEST(StringFunctions, LengthsCountBytesOrCharacters) {
    FunctionEval f;
    EXPECT_EQ(f.num(u"LEN(\"漢A\")"), 3);
    EXPECT_EQ(f.num(u"KLEN(\"漢A\")"), 2);
    EXPECT_EQ(f.kind(u"LEN(\"A\")"), ValueKind::Long);
    EXPECT_EQ(f.kind(u"KLEN(\"A\")"), ValueKind::Long);
    EXPECT_EQ(f.num(u"LEN(\"ｱｲ\")"), 2); // half-width kana take one byte
    EXPECT_EQ(f.num(u"LEN(123)"), 3);
    EXPECT_EQ(f.num(u"LEN(\"\")"), 0);
    // A lead byte cut from its character counts as a character of its own.
    EXPECT_EQ(f.num(u"KLEN(LEFT$(\"漢字\", 3))"), 2);
}

TEST(StringFunctions, LeftRightAndMidCountBytes) {
    FunctionEval f;
    EXPECT_EQ(f.text(u"LEFT$(\"漢字\", 2)"), u"漢");
    EXPECT_EQ(f.text(u"RIGHT$(\"漢字\", 2)"), u"字");
    EXPECT_EQ(f.text(u"LEFT$(\"ABC\", 10)"), u"ABC");
    EXPECT_EQ(f.text(u"RIGHT$(\"ABC\", 0)"), u"");
    EXPECT_EQ(f.error(u"LEFT$(\"ABC\", -1)"), 5);
    EXPECT_EQ(f.error(u"RIGHT$(\"ABC\", -1)"), 5);
    EXPECT_EQ(f.text(u"MID$(\"ABCDE\", 2)"), u"BCDE");
    EXPECT_EQ(f.text(u"MID$(\"ABC\", 5)"), u"");
    EXPECT_EQ(f.text(u"MID$(\"ABCDE\", 2, 2)"), u"BC");
    EXPECT_EQ(f.text(u"MID$(\"ABCDE\", 2, 2.7)"), u"BC"); // the length is cut to a whole number
    EXPECT_EQ(f.text(u"MID$(\"ABCDE\", 4, 10)"), u"DE");
    EXPECT_EQ(f.text(u"MID$(\"ABCDE\", 2, \"X\")"), u"BCDE"); // a String length takes the default
    EXPECT_EQ(f.error(u"MID$(\"ABC\", 0)"), 5);
    EXPECT_EQ(f.error(u"MID$(\"ABC\", 1, -1)"), 5);
    EXPECT_EQ(f.error(u"MID$(\"ABC\", 1"), 1);
    EXPECT_EQ(f.error(u"MID$ \"ABC\", 1)"), 1);
    EXPECT_EQ(f.error(u"LEFT$(\"ABC\" 1)"), 1);
}

TEST(StringFunctions, PiecesCutInsideACharacterJoinAgain) {
    FunctionEval f;
    EXPECT_EQ(f.text(u"LEFT$(\"漢字\", 1) + MID$(\"漢字\", 2)"), u"漢字");
    EXPECT_EQ(f.text(u"MID$(\"漢字\", 1, 3) + RIGHT$(\"漢字\", 1)"), u"漢字");
    f.set(u"A$", f.value(u"MID$(\"A漢\", 2, 1)"));
    EXPECT_EQ(f.num(u"LEN(A$)"), 1);
    EXPECT_EQ(f.text(u"\"A\" + A$ + MID$(\"A漢\", 3)"), u"A漢");
}

TEST(StringFunctions, KmidCountsCharacters) {
    FunctionEval f;
    EXPECT_EQ(f.text(u"KMID$(\"漢字かな\", 2, 2)"), u"字か");
    EXPECT_EQ(f.text(u"KMID$(\"漢字かな\", 3)"), u"かな");
    EXPECT_EQ(f.text(u"KMID$(\"A漢B\", 2, 1)"), u"漢");
    EXPECT_EQ(f.text(u"KMID$(\"漢字\", 3)"), u"");
    EXPECT_EQ(f.error(u"KMID$(\"漢字\", 0)"), 5);
    EXPECT_EQ(f.error(u"KMID$(\"漢字\", 1, -2)"), 5);
}

TEST(StringFunctions, InstrCountsBytesAndKinstrCharacters) {
    FunctionEval f;
    EXPECT_EQ(f.num(u"INSTR(\"ABCABC\", \"C\")"), 3);
    EXPECT_EQ(f.num(u"INSTR(4, \"ABCABC\", \"C\")"), 6);
    EXPECT_EQ(f.num(u"INSTR(7, \"ABCABC\", \"C\")"), 0);
    EXPECT_EQ(f.num(u"INSTR(\"ABC\", \"X\")"), 0);
    EXPECT_EQ(f.num(u"INSTR(\"漢字\", \"字\")"), 3);
    EXPECT_EQ(f.num(u"KINSTR(\"漢字\", \"字\")"), 2);
    EXPECT_EQ(f.num(u"KINSTR(2, \"字漢字\", \"字\")"), 3);
    EXPECT_EQ(f.kind(u"INSTR(\"A\", \"A\")"), ValueKind::Long);
    EXPECT_EQ(f.error(u"INSTR(0, \"A\", \"A\")"), 5);
    EXPECT_EQ(f.error(u"KINSTR(-1, \"A\", \"A\")"), 5);
    EXPECT_EQ(f.error(u"INSTR(\"A\")"), 1);
    EXPECT_EQ(f.error(u"INSTR(\"A\", \"A\""), 1);
    // 漢 is 8A BF and BF alone is the half-width ｿ: bytes match, characters do not.
    EXPECT_EQ(f.num(u"INSTR(\"漢\", \"ｿ\")"), 2);
    EXPECT_EQ(f.num(u"KINSTR(\"漢\", \"ｿ\")"), 0);
    EXPECT_EQ(f.num(u"KINSTR(\"漢字\", LEFT$(\"字\", 1))"), 0);
}

TEST(StringFunctions, InstrFirstArgumentIsAPositionUnlessItIsAString) {
    FunctionEval f;
    f.set(u"S$", Value::text(u"XAXA"));
    f.set(u"P!", Value::dbl(3));
    EXPECT_EQ(f.num(u"INSTR(S$, \"A\")"), 2);
    EXPECT_EQ(f.num(u"INSTR(P, S$, \"A\")"), 4);
    EXPECT_EQ(f.num(u"INSTR(P - 1, S$ + \"B\", \"B\")"), 5);
}

TEST(StringFunctions, EmptySearchStringIsFoundAtTheStart) {
    FunctionEval f;
    EXPECT_EQ(f.num(u"INSTR(\"ABC\", \"\")"), 1);
    EXPECT_EQ(f.num(u"INSTR(3, \"ABC\", \"\")"), 3);
    EXPECT_EQ(f.num(u"INSTR(4, \"ABC\", \"\")"), 0);
    EXPECT_EQ(f.num(u"INSTR(\"\", \"\")"), 0);
    EXPECT_EQ(f.num(u"KINSTR(2, \"漢字\", \"\")"), 2);
    EXPECT_EQ(f.num(u"KINSTR(3, \"漢字\", \"\")"), 0);
}

TEST(StringFunctions, AscAndChrCoverSingleAndDoubleByteCodes) {
    FunctionEval f;
    EXPECT_EQ(f.num(u"ASC(\"A\")"), 65);
    EXPECT_EQ(f.num(u"ASC(\"亜\")"), -30561);
    EXPECT_EQ(f.num(u"ASC(\"ｱ\")"), 0xB1);
    EXPECT_EQ(f.kind(u"ASC(\"A\")"), ValueKind::Integer);
    EXPECT_EQ(f.error(u"ASC(\"\")"), 5);
    EXPECT_EQ(f.text(u"CHR$(65)"), u"A");
    EXPECT_EQ(f.text(u"CHR$(-30561)"), u"亜");
    EXPECT_EQ(f.text(u"CHR$(&H889F)"), u"亜");
    EXPECT_EQ(f.text(u"CHR$(ASC(\"漢\"))"), u"漢");
    EXPECT_EQ(f.text(u"CHR$(64.5)"), u"@");
    EXPECT_EQ(f.error(u"CHR$(256)"), 5);
    EXPECT_EQ(f.error(u"CHR$(-1)"), 5);
    EXPECT_EQ(f.error(u"CHR$(65536)"), 5);
    EXPECT_EQ(f.error(u"CHR$(&H817F)"), 5); // 7F is no trail byte
    for (int code = 0; code < 256; ++code) {
        const std::u16string expr = u"ASC(CHR$(" + QString::number(code).toStdU16String() + u"))";
        ASSERT_EQ(f.num(expr), code);
    }
    EXPECT_EQ(f.bytes(u"CHR$(0)"), std::string(1, '\0'));
}

TEST(StringFunctions, StrUsesThePrintForm) {
    FunctionEval f;
    EXPECT_EQ(f.text(u"STR$(5)"), u" 5");
    EXPECT_EQ(f.text(u"STR$(-1.5)"), u"-1.5");
    EXPECT_EQ(f.text(u"STR$(0.5)"), u" .5");
    EXPECT_EQ(f.text(u"STR$(-0.25)"), u"-.25");
    EXPECT_EQ(f.text(u"STR$(1E20)"), u" 1E+20");
    EXPECT_EQ(f.text(u"STR$(-1.5E-07)"), u"-1.5E-07");
    EXPECT_EQ(f.text(u"STR$(1 / 3)"), u" .333333333333333");
    EXPECT_EQ(f.text(u"STR$(CSNG(1 / 3))"), u" .3333333");
    EXPECT_EQ(f.text(u"STR$(CINT(-7))"), u"-7");
    EXPECT_EQ(f.error(u"STR$(\"X\")"), 13);
}

TEST(StringFunctions, HexAndOctOfIntegerAndDoubleNegatives) {
    FunctionEval f;
    EXPECT_EQ(f.text(u"HEX$(-1)"), u"FFFFFFFF");
    EXPECT_EQ(f.text(u"HEX$(CINT(-1))"), u"FFFF");
    EXPECT_EQ(f.text(u"HEX$(255)"), u"FF");
    EXPECT_EQ(f.text(u"HEX$(0)"), u"0");
    EXPECT_EQ(f.text(u"HEX$(2.5)"), u"2");
    EXPECT_EQ(f.text(u"HEX$(2147483647)"), u"7FFFFFFF");
    EXPECT_EQ(f.text(u"OCT$(8)"), u"10");
    EXPECT_EQ(f.text(u"OCT$(CINT(-1))"), u"177777");
    EXPECT_EQ(f.text(u"OCT$(-1)"), u"37777777777");
    EXPECT_EQ(f.error(u"HEX$(1E10)"), 21);
    EXPECT_EQ(f.error(u"OCT$(\"Q\")"), 13);
}

TEST(StringFunctions, SpaceSpcAndString) {
    FunctionEval f;
    EXPECT_EQ(f.text(u"SPACE$(3)"), u"   ");
    EXPECT_EQ(f.text(u"SPC(1)"), u" ");
    EXPECT_EQ(f.error(u"SPACE$(0)"), 5);
    EXPECT_EQ(f.error(u"SPC(0)"), 5);
    EXPECT_EQ(f.error(u"SPACE$(-2)"), 5);
    EXPECT_EQ(f.text(u"STRING$(3, 65)"), u"AAA");
    EXPECT_EQ(f.text(u"STRING$(2, \"xy\")"), u"xx");
    EXPECT_EQ(f.text(u"STRING$(2, 321)"), u"AA"); // codes above 255 are taken modulo 256
    EXPECT_EQ(f.text(u"STRING$(2, \"漢字\")"), u"漢漢");
    EXPECT_EQ(f.text(u"STRING$(0, \"A\")"), u"");
    EXPECT_EQ(f.error(u"STRING$(-1, \"A\")"), 5);
    EXPECT_EQ(f.error(u"STRING$(2, \"\")"), 5);
    EXPECT_EQ(f.error(u"STRING$(2)"), 1);
}

TEST(StringFunctions, EnvironByNameAndByIndex) {
    ::setenv("KORVELIN_TEST_VALUE", "値=1", 1);
    FunctionEval f;
    EXPECT_EQ(f.text(u"ENVIRON$(\"KORVELIN_TEST_VALUE\")"), u"値=1");
    EXPECT_EQ(f.text(u"ENVIRON$(\"korvelin_test_value\")"), u"値=1");
    EXPECT_EQ(f.text(u"ENVIRON$(\"KORVELIN_NO_SUCH_VALUE\")"), u"");
    EXPECT_EQ(f.text(u"ENVIRON$(\"\")"), u"");
    bool seen = false;
    for (int n = 1; n < 10000 && !seen; ++n) {
        const std::u16string entry = f.text(u"ENVIRON$(" + QString::number(n).toStdU16String() + u")");
        ASSERT_FALSE(entry.empty());
        seen = entry == u"KORVELIN_TEST_VALUE=値=1";
    }
    EXPECT_TRUE(seen);
    EXPECT_EQ(f.text(u"ENVIRON$(1000000)"), u"");
    EXPECT_EQ(f.text(u"ENVIRON$(0)"), u"");
}

} // namespace
} // namespace korvelin::testing

namespace korvelin::testing {
namespace {

TEST(StringFunctions, InsideLoopsAndUserFunctions) {
    ProgramRun run(u"10 S$ = \"\": FOR I = 1 TO 4: S$ = S$ + MID$(\"漢字かな\", I * 2 - 1, 2): NEXT\n"
                   u"20 FOR I = 1 TO KLEN(S$): IF KMID$(S$, I, 1) = \"か\" THEN C = I\n"
                   u"30 NEXT\n"
                   u"40 DEF FNL$(X$) = LEFT$(X$, 2) + CHR$(33)\n"
                   u"50 F$ = FNL$(S$): H$ = HEX$(ASC(F$))");
    EXPECT_FALSE(run.failed()) << QString::fromStdU16String(run.lastError()).toStdString();
    EXPECT_EQ(run.str(u"S$"), u"漢字かな");
    EXPECT_EQ(run.num(u"C!"), 3);
    EXPECT_EQ(run.str(u"F$"), u"漢!");
    EXPECT_EQ(run.str(u"H$"), u"8ABF"); // ASC gives an Integer, so its 16-bit form
}

} // namespace
} // namespace korvelin::testing
