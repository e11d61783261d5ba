#include "FunctionEval.h"

#include <gtest/gtest.h>

#include <cmath>

namespace korvelin::testing {
namespace {

TEST(NumericFunctions, DomainErrorsAndOverflow) {
    FunctionEval f;
    EXPECT_EQ(f.error(u"SQR(-1)"), 5);
    EXPECT_EQ(f.error(u"LOG(0)"), 5);
    EXPECT_EQ(f.error(u"LOG(-2)"), 5);
    EXPECT_EQ(f.error(u"EXP(1000)"), 21);
    EXPECT_EQ(f.error(u"SIN(\"A\")"), 13);
    EXPECT_EQ(f.num(u"SQR(16)"), 4);
    EXPECT_DOUBLE_EQ(f.num(u"EXP(1)"), std::exp(1.0));
    EXPECT_DOUBLE_EQ(f.num(u"ATN(1) * 4"), 3.14159265358979323846);
    EXPECT_EQ(f.num(u"TAN(0)"), 0);
    EXPECT_EQ(f.num(u"COS(0) + SIN(\"0\")"), 1); // a String that spells a number is that number
    EXPECT_EQ(f.kind(u"SIN(CINT(1))"), ValueKind::Double);
}

TEST(NumericFunctions, IntFixAndCintRound) {
    FunctionEval f;
    EXPECT_EQ(f.num(u"INT(-2.5)"), -3);
    EXPECT_EQ(f.num(u"FIX(-2.5)"), -2);
    EXPECT_EQ(f.num(u"INT(2.99)"), 2);
    EXPECT_EQ(f.num(u"FIX(2.99)"), 2);
    // Halves go to the even neighbour.
    EXPECT_EQ(f.num(u"CINT(2.5)"), 2);
    EXPECT_EQ(f.num(u"CINT(3.5)"), 4);
    EXPECT_EQ(f.num(u"CINT(-2.5)"), -2);
    EXPECT_EQ(f.num(u"CINT(-32768.5)"), -32768);
    EXPECT_EQ(f.error(u"CINT(40000)"), 21);
    EXPECT_EQ(f.error(u"CINT(32767.5)"), 21);
    EXPECT_EQ(f.error(u"CINT(\"X\")"), 13);
    EXPECT_EQ(f.kind(u"CINT(7.2)"), ValueKind::Integer);
}

TEST(NumericFunctions, ResultKindsFollowTheArgument) {
    FunctionEval f;
    EXPECT_EQ(f.kind(u"INT(CINT(5))"), ValueKind::Integer);
    EXPECT_EQ(f.kind(u"INT(CSNG(2.7))"), ValueKind::Single);
    EXPECT_EQ(f.num(u"INT(CSNG(2.7))"), 2);
    EXPECT_EQ(f.kind(u"FIX(2.7)"), ValueKind::Double);
    EXPECT_EQ(f.kind(u"INT(\"3.7\")"), ValueKind::Double);
    EXPECT_EQ(f.num(u"INT(\"3.7\")"), 3);
    EXPECT_EQ(f.kind(u"INT(1 = 1)"), ValueKind::Integer);
    EXPECT_EQ(f.kind(u"ABS(CINT(-3))"), ValueKind::Integer);
    // The most negative Integer has no positive Integer.
    EXPECT_EQ(f.kind(u"ABS(CINT(-32768))"), ValueKind::Long);
    EXPECT_EQ(f.num(u"ABS(CINT(-32768))"), 32768);
    EXPECT_EQ(f.kind(u"ABS(CSNG(-1.5))"), ValueKind::Single);
    EXPECT_EQ(f.num(u"ABS(1 = 1)"), 1);
    EXPECT_EQ(f.kind(u"SGN(-0.5)"), ValueKind::Integer);
    EXPECT_EQ(f.num(u"SGN(-0.5)"), -1);
    EXPECT_EQ(f.num(u"SGN(0)"), 0);
    EXPECT_EQ(f.num(u"SGN(1E-300)"), 1);
}

TEST(NumericFunctions, SingleAndDoubleConversion) {
    FunctionEval f;
    EXPECT_EQ(f.kind(u"CSNG(1 / 3)"), ValueKind::Single);
    EXPECT_EQ(f.value(u"CSNG(1 / 3)").rawSingle(), 1.0f / 3.0f);
    EXPECT_EQ(f.error(u"CSNG(1E39)"), 21);
    EXPECT_EQ(f.kind(u"CDBL(CSNG(0.5))"), ValueKind::Double);
    EXPECT_EQ(f.num(u"CDBL(CSNG(0.5))"), 0.5);
    EXPECT_EQ(f.error(u"CDBL(\"A\")"), 13);
}

TEST(NumericFunctions, ValReadsTheLeadingNumber) {
    FunctionEval f;
    EXPECT_EQ(f.num(u"VAL(\"  -1.5E2XYZ\")"), -150);
    EXPECT_EQ(f.num(u"VAL(\"&HFF\")"), 255);
    EXPECT_EQ(f.num(u"VAL(\"&O17\")"), 15);
    EXPECT_EQ(f.num(u"VAL(\"ABC\")"), 0);
    EXPECT_EQ(f.num(u"VAL(\"\")"), 0);
    EXPECT_EQ(f.num(u"VAL(\" 1 2\")"), 12);
    EXPECT_EQ(f.num(u"VAL(\"1D2\")"), 100);
    EXPECT_EQ(f.num(u"VAL(\".5\")"), 0.5);
    EXPECT_EQ(f.kind(u"VAL(\"7\")"), ValueKind::Double);
}

TEST(NumericFunctions, RndArgumentRules) {
    FunctionEval f;
    const Value first = f.value(u"RND");
    EXPECT_EQ(first.kind(), ValueKind::Single);
    EXPECT_EQ(f.value(u"RND(0)").rawSingle(), first.rawSingle()); // repeats the last number
    const float second = f.value(u"RND(1)").rawSingle();
    EXPECT_NE(second, first.rawSingle());
    EXPECT_EQ(f.value(u"RND(0)").rawSingle(), second);

    // A negative argument restarts the same sequence every time.
    const float restarted = f.value(u"RND(-7)").rawSingle();
    const float next = f.value(u"RND").rawSingle();
    EXPECT_EQ(f.value(u"RND(-7)").rawSingle(), restarted);
    EXPECT_EQ(f.value(u"RND(5)").rawSingle(), next);
    EXPECT_NE(f.value(u"RND(-8)").rawSingle(), restarted);

    for (int i = 0; i < 1000; ++i) {
        const float r = f.value(u"RND").rawSingle();
        ASSERT_GE(r, 0.0f);
        ASSERT_LT(r, 1.0f);
    }
    EXPECT_EQ(f.error(u"RND(1"), 1);
    EXPECT_EQ(f.error(u"RND(\"A\")"), 13);
}

TEST(NumericFunctions, RandomizeReseedsTheGeneratorOfRnd) {
    ProgramRun a(u"10 RANDOMIZE 42: A = RND: B = RND");
    ProgramRun b(u"10 RANDOMIZE 42: A = RND: B = RND");
    EXPECT_EQ(a.var(u"A!").rawSingle(), b.var(u"A!").rawSingle());
    EXPECT_EQ(a.var(u"B!").rawSingle(), b.var(u"B!").rawSingle());
    ProgramRun c(u"10 RANDOMIZE 43: A = RND");
    EXPECT_NE(a.var(u"A!").rawSingle(), c.var(u"A!").rawSingle());
}

TEST(NumericFunctions, SingleArgumentSyntax) {
    FunctionEval f;
    EXPECT_EQ(f.error(u"SIN(1"), 1);
    EXPECT_EQ(f.error(u"SIN()"), 1);
    EXPECT_EQ(f.num(u"ABS(-2) + 1"), 3);
    EXPECT_EQ(f.num(u"INT(SQR(ABS(-17)))"), 4);
}

} // namespace
} // namespace korvelin::testing
