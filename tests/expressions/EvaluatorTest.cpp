#include "support/RunProgram.h"

#include <gtest/gtest.h>

namespace korvelin::testing {
namespace {

// Evaluates one expression by assigning it to R (or R$).
struct Eval : ProgramRun {
    explicit Eval(std::u16string_view expression, std::u16string_view target = u"R") {
        run(std::u16string(u"10 ") + std::u16string(target) + u"=" + std::u16string(expression));
    }
};

TEST(Evaluator, PrecedenceAndAssociativity) {
    EXPECT_EQ(Eval(u"2 + 3 * 4").num(u"R!"), 14);
    EXPECT_EQ(Eval(u"2 ^ 3 ^ 2").num(u"R!"), 64);
    EXPECT_EQ(Eval(u"-2 ^ 2").num(u"R!"), -4);
    EXPECT_EQ(Eval(u"2 ^ -2").num(u"R!"), 0.25);
    EXPECT_EQ(Eval(u"7 \\ 2 * 3").num(u"R!"), 1);
    EXPECT_EQ(Eval(u"10 - 7 MOD 4").num(u"R!"), 7);
    EXPECT_EQ(Eval(u"-7 MOD 3").num(u"R!"), -1);
    EXPECT_EQ(Eval(u"1 + 2 = 3 AND 4").num(u"R!"), 4);
    EXPECT_EQ(Eval(u"1 OR 2 XOR 3").num(u"R!"), 0);
    EXPECT_EQ(Eval(u"(1 + 2) * 3").num(u"R!"), 9);
}

TEST(Evaluator, NotAndComparisons) {
    EXPECT_EQ(Eval(u"NOT 1 = 2").num(u"R!"), -1);
    EXPECT_EQ(Eval(u"NOT 3").num(u"R!"), -4);
    EXPECT_EQ(Eval(u"5 > 3").num(u"R!"), -1);
    EXPECT_EQ(Eval(u"\"AB\" < \"ABC\"").num(u"R!"), -1);
    EXPECT_EQ(Eval(u"\"a\" > \"B\"").num(u"R!"), -1);
    EXPECT_EQ(Eval(u"5 = \"5\"").num(u"R!"), 0);
    EXPECT_EQ(Eval(u"3 => 3").num(u"R!"), -1);
    EXPECT_EQ(Eval(u"3 =< 2").num(u"R!"), 0);
    EXPECT_EQ(Eval(u"NOT NOT 1").errorNumber(), 1); // one NOT per relation
    EXPECT_EQ(Eval(u"1 = 1 = 1").errorNumber(), 1); // comparisons do not chain
}

TEST(Evaluator, StringsAndTypeErrors) {
    EXPECT_EQ(Eval(u"\"AB\" + \"CD\"", u"R$").str(u"R$"), u"ABCD");
    EXPECT_EQ(Eval(u"\"3\" + 4").num(u"R!"), 7);
    EXPECT_EQ(Eval(u"\"X\" + 1").errorNumber(), 13);
    EXPECT_EQ(Eval(u"\"A\" - \"B\"").errorNumber(), 13);
}

TEST(Evaluator, DivisionErrors) {
    Eval zero(u"1 / 0");
    EXPECT_EQ(zero.lastError(), u"０による割り算を実行しました。\r\n行番号：10");
    EXPECT_EQ(Eval(u"1 \\ 0").errorNumber(), 21);
    EXPECT_EQ(Eval(u"1 MOD 0").errorNumber(), 21);
    EXPECT_EQ(Eval(u"7.5 \\ 2").num(u"R!"), 4);
    EXPECT_EQ(Eval(u"6.5 \\ 1").num(u"R!"), 6);
}

TEST(Evaluator, SignsOnlyAtTheStartOfALevel) {
    EXPECT_EQ(Eval(u"A * -1").errorNumber(), 1);
    EXPECT_EQ(Eval(u"A - -1").errorNumber(), 1);
    EXPECT_FALSE(Eval(u"2 * (-1)").failed());
    EXPECT_EQ(Eval(u"2 * (-1)").num(u"R!"), -2);
    EXPECT_EQ(Eval(u"(").errorNumber(), 1);
    EXPECT_EQ(Eval(u"(1").errorNumber(), 1);
    EXPECT_EQ(Eval(u"").errorNumber(), 1);
}

TEST(Evaluator, ConstantsAreDoubleAndHexIsInteger) {
    EXPECT_EQ(Eval(u"12%").var(u"R!").kind(), ValueKind::Double);
    EXPECT_EQ(Eval(u"&H10").var(u"R!").kind(), ValueKind::Integer);
    EXPECT_EQ(Eval(u"&HFFFF").num(u"R!"), 65535);
    EXPECT_EQ(Eval(u"A%").var(u"R!").kind(), ValueKind::Integer);
}

TEST(UserFunctions, ParametersAreGlobalsSavedAroundTheCall) {
    ProgramRun r(u"10 DEF FNF(X) = X * X: X = 3: A = FNF(4): B = X");
    EXPECT_EQ(r.num(u"A!"), 16);
    EXPECT_EQ(r.num(u"B!"), 3);
    ProgramRun nested(u"10 DEF FNA(X)=X+1: DEF FNB(X)=FNA(X)*2: A=FNB(3): B=X");
    EXPECT_EQ(nested.num(u"A!"), 8);
    EXPECT_EQ(nested.num(u"B!"), 0);
    ProgramRun noArgs(u"10 DEF FNR = K * 2: K = 5: A = FNR: DEF FNS$(A$)=A$+\"!\": B$=FNS$(\"hi\")");
    EXPECT_EQ(noArgs.num(u"A!"), 10);
    EXPECT_EQ(noArgs.str(u"B$"), u"hi!");
    ProgramRun later(u"10 DEF FNA(X, Y)=X-Y: A=FNA(1,Y+1)+FNA(5, 2)");
    EXPECT_EQ(later.num(u"A!"), 3);
}

TEST(UserFunctions, ArgumentErrorsLeaveTheParametersChanged) {
    ProgramRun few(u"10 DEF FNA(X, Y) = X - Y: A = FNA(1)");
    EXPECT_EQ(few.errorNumber(), 1);
    EXPECT_EQ(few.num(u"X!"), 1);
    ProgramRun many(u"10 DEF FNA(X, Y) = X - Y: A = FNA(1, 2, 3)");
    EXPECT_EQ(many.errorNumber(), 1);
    EXPECT_EQ(many.num(u"X!"), 1);
    EXPECT_EQ(many.num(u"Y!"), 2);
}

TEST(UserFunctions, SelfCallingFunctionFailsInsteadOfExhaustingTheStack) {
    ProgramRun endless(u"10 DEF FNA(X)=FNA(X)+1: A=FNA(1)");
    EXPECT_EQ(endless.errorNumber(), 21);
    // Trapped, and the calls that unwound leave later calls working.
    ProgramRun trapped(u"10 ON ERROR GOTO 100\n20 DEF FNA(X)=FNA(X)+1: DEF FNB(X)=X*2\n"
                       u"30 A=FNA(1)\n40 B=FNB(FNB(3))\n50 END\n100 E=1: RESUME NEXT");
    EXPECT_EQ(trapped.num(u"E!"), 1);
    EXPECT_EQ(trapped.errorNumber(), 21);
    EXPECT_EQ(trapped.num(u"B!"), 12);
    EXPECT_EQ(trapped.in->userFunctionDepth, 0);
}

TEST(UserFunctions, DefinitionRules) {
    ProgramRun twice(u"10 DEF FNA(X)=X\n20 GOTO 10");
    EXPECT_EQ(twice.errorNumber(), 10);
    ProgramRun undefined(u"10 A=FNZ(1)\n20 DEF FNZ(X)=X");
    EXPECT_EQ(undefined.lastError(), u"定義されていないユーザ関数です。\r\n行番号：10");
    ProgramRun seg(u"10 DEF SEG = &H1000: A=1");
    EXPECT_EQ(seg.num(u"A!"), 1);
    ProgramRun noEquals(u"10 DEF FNA(X) X");
    EXPECT_EQ(noEquals.errorNumber(), 1);
    ProgramRun suffix(u"10 DEF FNI%(X)=X/2: A=FNI%(5)");
    EXPECT_EQ(suffix.num(u"A!"), 2.5); // the value of a call is not rounded
    ProgramRun body(u"10 DEF FNA(X)=X ELSE 1: B=1");
    EXPECT_EQ(body.errorNumber(), 0);
    EXPECT_EQ(body.num(u"B!"), 1);
}

} // namespace
} // namespace korvelin::testing
