#include "support/RunProgram.h"

#include <gtest/gtest.h>

namespace korvelin::testing {
namespace {

TEST(Variables, ScalarsAndArraysOfOneNameAreSeparate) {
    ProgramRun r(u"10 X=5: Y=X(0)");
    EXPECT_EQ(r.num(u"X!"), 5);
    EXPECT_EQ(r.num(u"Y!"), 0);
    EXPECT_EQ(r.num(u"X!", {0}), 0);
}

TEST(Variables, ImplicitArraysHaveBoundTen) {
    ProgramRun r(u"10 A(3)=1: A(10)=2");
    EXPECT_EQ(r.num(u"A!", {3}), 1);
    EXPECT_EQ(r.num(u"A!", {10}), 2);
    ProgramRun over(u"10 A(3)=1: A(11)=1");
    EXPECT_EQ(over.lastError(), u"配列変数の添字が範囲外です。\r\n行番号：10");
    ProgramRun fresh(u"10 A(11)=1");
    EXPECT_EQ(fresh.errorNumber(), 9);
    ProgramRun redim(u"10 A(3)=1: DIM A(20)");
    EXPECT_EQ(redim.lastError(), u"配列またはユーザ関数の二重定義です。\r\n行番号：10");
}

TEST(Variables, MultiDimensionalLayoutAndShapeErrors) {
    ProgramRun r(u"10 DIM B(2,3): B(1,2)=7: B(2,3)=9");
    ASSERT_FALSE(r.failed());
    const VariableEntry& e = r.in->variables.variableTable.back();
    EXPECT_EQ(r.in->variables[e.base + 7].toDouble(), 7); // first subscript varies fastest
    EXPECT_EQ(r.in->variables[e.base + 11].toDouble(), 9);
    EXPECT_EQ(r.in->variables.nextFreeSlot, e.base + 12);
    ProgramRun few(u"10 DIM B(2,3): X=B(1)");
    EXPECT_EQ(few.errorNumber(), 9);
    ProgramRun many(u"10 DIM B(2,3): X=B(1,2,0)");
    EXPECT_EQ(many.errorNumber(), 9);
    ProgramRun six(u"10 X=C(1,1,1,1,1,1)");
    EXPECT_EQ(six.errorNumber(), 21);
    ProgramRun negative(u"10 A(-1)=0");
    EXPECT_EQ(negative.errorNumber(), 5);
    ProgramRun rounded(u"10 DIM D(5): D(2.5)=1: D(3.5)=2");
    EXPECT_EQ(rounded.num(u"D!", {2}), 1); // halves to even
    EXPECT_EQ(rounded.num(u"D!", {4}), 2);
}

TEST(Variables, DefaultTypesByInitialLetter) {
    ProgramRun r(u"10 I=1.5\n20 DEFINT I-K: I=2.6: J=7.5\n30 DEFSTR S: S=\"x\"\n40 DEFDBL D: D=1");
    EXPECT_EQ(r.num(u"I!"), 1.5); // made before DEFINT, stays separate
    EXPECT_EQ(r.num(u"I%"), 3);
    EXPECT_EQ(r.num(u"J%"), 8);
    EXPECT_EQ(r.str(u"S$"), u"x");
    EXPECT_EQ(r.num(u"D#"), 1);
    ProgramRun bad(u"10 DEFINT 1");
    EXPECT_EQ(bad.errorNumber(), 1);
    ProgramRun reversed(u"10 DEFINT K-I");
    EXPECT_EQ(reversed.errorNumber(), 1);
    ProgramRun list(u"10 DEFSTR A, C-D: A=\"a\": D=\"d\"");
    EXPECT_EQ(list.str(u"D$"), u"d");
}

TEST(Variables, DimWithoutSubscriptsMakesAScalar) {
    ProgramRun r(u"10 DIM Z, Y$(3)");
    EXPECT_FALSE(r.failed());
    EXPECT_EQ(r.var(u"Z!").kind(), ValueKind::Integer);
    EXPECT_EQ(r.str(u"Y$"), u"");
}

TEST(Variables, PoolAndTableLimits) {
    ProgramRun r(u"10 DIM A(50000): DIM B(50000)");
    EXPECT_EQ(r.lastError(), u"オーバーフローしました。\r\n行番号：10");
    // The failed array stays registered but none of its elements exist.
    ProgramRun after(
        u"10 ON ERROR GOTO 100\n20 DIM A(50000): DIM B(50000)\n30 B(40000)=1: END\n100 RESUME NEXT");
    EXPECT_EQ(after.errorNumber(), 6);
    ProgramRun names;
    std::u16string program = u"10 I=0\n";
    program += u"20 DIM A0(1)";
    for (int i = 1; i < 1010; ++i) {
        std::u16string name = u"V";
        for (char c : std::to_string(i))
            name += static_cast<char16_t>(c);
        program += u":" + name + u"=1";
        if (i % 20 == 0) {
            program += u"\n";
            for (char c : std::to_string(30 + i))
                program += static_cast<char16_t>(c);
            program += u" I=0";
        }
    }
    names.run(program);
    EXPECT_EQ(names.errorNumber(), 21);
    EXPECT_EQ(names.in->variables.variableCount(), 1001);
}

TEST(Variables, WatchEvaluationReadsUnknownNamesWithoutCreatingThem) {
    ProgramRun r(u"10 A=1");
    VariableStore& store = r.in->variables;
    const int before = store.variableCount();
    store.watchEvaluation = true;
    store.subscriptRegister = {-1, -1, -1, -1, -1};
    EXPECT_EQ(store.lookupVariable(r.in->words.intern(u"Q!"), LookupMode::Reference), ScratchNumberSlot);
    EXPECT_EQ(store.lookupVariable(r.in->words.intern(u"Q$"), LookupMode::Reference), ScratchStringSlot);
    EXPECT_EQ(store.variableCount(), before);
    EXPECT_EQ(store[ScratchStringSlot].byteForm(), "");
}

} // namespace
} // namespace korvelin::testing
