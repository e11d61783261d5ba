#include "values/ValueOps.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <utility>

using namespace korvelin;

namespace {

const auto I = [](int v) { return Value::integer(static_cast<std::int16_t>(v)); };
const auto L = [](std::int32_t v) { return Value::longInt(v); };
const auto S = [](float v) { return Value::single(v); };
const auto D = [](double v) { return Value::dbl(v); };
const auto Str = [](const char* bytes) { return Value::bytes(bytes); };
const auto T = [](bool v) { return Value::boolean(v); };

HostFailureKind failureOf(void (*op)()) {
    try {
        op();
    } catch (const HostFailure& f) {
        return f.kind();
    }
    ADD_FAILURE() << "no failure";
    return HostFailureKind::Other;
}

#define EXPECT_VALUE(expr, kind_, number)                                                                    \
    do {                                                                                                     \
        const Value v_ = (expr);                                                                             \
        EXPECT_EQ(v_.kind(), ValueKind::kind_) << #expr;                                                     \
        EXPECT_EQ(v_.toDouble(), (number)) << #expr;                                                         \
    } while (0)

#define EXPECT_FAILS(kind_, stmt) EXPECT_EQ(failureOf([] { (void)(stmt); }), HostFailureKind::kind_) << #stmt

const auto holds = [](const Value& a, Comparison op, const Value& b) {
    return equalsTrue(compare(a, b, op));
};

} // namespace

TEST(Arithmetic, ResultTakesTheHigherKindAndWidensOnOverflow) {
    EXPECT_VALUE(add(I(2), I(3)), Integer, 5);
    EXPECT_VALUE(add(I(32767), I(1)), Long, 32768);
    EXPECT_VALUE(subtract(I(-32768), I(1)), Long, -32769);
    EXPECT_VALUE(multiply(I(200), I(200)), Long, 40000);
    EXPECT_VALUE(add(L(2147483647), I(1)), Double, 2147483648.0);
    EXPECT_VALUE(multiply(L(65536), L(65536)), Double, 4294967296.0);
    EXPECT_VALUE(add(S(1.5f), I(1)), Single, 2.5);
    EXPECT_VALUE(add(S(1.5f), L(1)), Double, 2.5); // Single with Long meets in Double
    EXPECT_VALUE(multiply(S(FLT_MAX), I(2)), Double, double(FLT_MAX) * 2);
    EXPECT_VALUE(add(T(true), I(1)), Integer, 0);
    EXPECT_VALUE(add(Value(), I(5)), Integer, 5);
}

TEST(Arithmetic, LongsStayLongsUntilTheyOverflow) {
    EXPECT_VALUE(add(L(70000), I(5)), Long, 70005);
    EXPECT_VALUE(add(I(-5), L(70000)), Long, 69995);
    EXPECT_VALUE(add(L(40000), L(-40000)), Long, 0);
    EXPECT_VALUE(add(L(INT32_MAX), L(INT32_MAX)), Double, 4294967294.0);
    EXPECT_VALUE(subtract(L(70000), I(70)), Long, 69930);
    EXPECT_VALUE(subtract(I(0), L(INT32_MIN)), Double, 2147483648.0);
    EXPECT_VALUE(subtract(L(INT32_MIN), I(1)), Double, -2147483649.0);
    EXPECT_VALUE(add(L(1), T(true)), Long, 0);
    EXPECT_VALUE(compare(L(70000), I(7), Comparison::Greater), Boolean, -1);
    EXPECT_VALUE(compare(I(7), L(70000), Comparison::GreaterOrEqual), Boolean, 0);
    EXPECT_VALUE(compare(L(INT32_MIN), L(INT32_MAX), Comparison::Less), Boolean, -1);
    EXPECT_VALUE(compare(L(5), I(5), Comparison::Equal), Boolean, -1);
}

TEST(Arithmetic, StringsJoinOnlyWithStringsOrEmpty) {
    EXPECT_EQ(add(Str("AB"), Str("CD")).byteForm(), "ABCD");
    EXPECT_EQ(add(Value(), Str("x")).byteForm(), "x");
    EXPECT_EQ(add(Str("x"), Value()).byteForm(), "x");
    EXPECT_VALUE(add(Str("3"), I(4)), Double, 7);
    EXPECT_VALUE(multiply(Str(" 2.5 "), I(2)), Double, 5);
    EXPECT_FAILS(TypeMismatch, add(Str("X"), I(1)));
    EXPECT_FAILS(TypeMismatch, subtract(Str("A"), Str("B")));
}

TEST(Arithmetic, MovedFromValueCountsAsZero) {
    Value s = Str("abc");
    Value t = std::move(s);
    EXPECT_VALUE(add(s, I(1)), Integer, 1);
    EXPECT_TRUE(holds(s, Comparison::Equal, Str("")));
    EXPECT_EQ(t.byteForm(), "abc");
}

TEST(Division, SingleOnlyForIntegerAndSingleOperands) {
    EXPECT_VALUE(divide(I(1), I(4)), Single, 0.25);
    EXPECT_EQ(divide(I(1), I(3)).rawSingle(), 1.0f / 3.0f);
    EXPECT_VALUE(divide(S(1), I(4)), Single, 0.25);
    EXPECT_VALUE(divide(L(1), I(4)), Double, 0.25);
    EXPECT_VALUE(divide(D(1), I(4)), Double, 0.25);
    EXPECT_VALUE(divide(S(FLT_MAX), S(0.5f)), Double, double(FLT_MAX) * 2);
}

TEST(Division, WholeDivisionRoundsOperandsHalfToEvenAndTruncates) {
    EXPECT_VALUE(integerDivide(D(7.5), I(2)), Long, 4);
    EXPECT_VALUE(integerDivide(D(6.5), I(1)), Long, 6);
    EXPECT_VALUE(integerDivide(I(7), I(2)), Integer, 3);
    EXPECT_VALUE(integerDivide(I(-7), I(2)), Integer, -3);
    EXPECT_VALUE(integerDivide(I(-32768), I(-1)), Long, 32768);
    EXPECT_VALUE(integerDivide(D(1e10), D(1e5)), Long, 100000);
    EXPECT_FAILS(Other, integerDivide(I(1), I(0)));
    EXPECT_FAILS(Other, integerDivide(I(1), D(0.4)));
    EXPECT_FAILS(Other, integerDivide(D(1e10), I(1)));
}

TEST(Division, ModuloKeepsTheSignOfTheDividend) {
    EXPECT_VALUE(modulo(I(-7), I(3)), Integer, -1);
    EXPECT_VALUE(modulo(I(7), I(-3)), Integer, 1);
    EXPECT_VALUE(modulo(D(5.5), I(4)), Long, 2);  // 6 MOD 4
    EXPECT_VALUE(modulo(D(2.5), I(10)), Long, 2); // 2 MOD 10
    EXPECT_VALUE(modulo(D(1e12), I(7)), Long, 1); // beyond Long, yet the remainder fits
    EXPECT_FAILS(Other, modulo(I(1), I(0)));
}

TEST(Division, WholeDivisionWithLongsGivesLongs) {
    EXPECT_VALUE(integerDivide(L(70000), I(7)), Long, 10000);
    EXPECT_VALUE(integerDivide(I(7), L(70000)), Long, 0);
    EXPECT_VALUE(integerDivide(L(-70001), L(7)), Long, -10000);
    EXPECT_VALUE(integerDivide(L(INT32_MIN), I(1)), Long, INT32_MIN);
    EXPECT_FAILS(Other, integerDivide(L(INT32_MIN), I(-1)));
    EXPECT_FAILS(Other, integerDivide(L(5), L(0)));
    EXPECT_VALUE(modulo(L(70001), I(7)), Long, 1);
    EXPECT_VALUE(modulo(L(-70001), I(7)), Long, -1);
    EXPECT_VALUE(modulo(I(-7), L(70000)), Long, -7);
    EXPECT_VALUE(modulo(L(INT32_MIN), I(-1)), Long, 0);
    EXPECT_VALUE(modulo(L(70001), Value::boolean(true)), Long, 0);
    EXPECT_FAILS(Other, modulo(L(70001), I(0)));
}

TEST(Power, AlwaysDoubleAndRejectsRootsOfNegatives) {
    EXPECT_VALUE(power(I(2), I(-1)), Double, 0.5);
    EXPECT_VALUE(power(I(2), I(10)), Double, 1024);
    EXPECT_VALUE(power(I(-2), I(3)), Double, -8);
    EXPECT_FAILS(InvalidArgument, power(I(-8), D(1.0 / 3)));
}

TEST(Negation, KeepsKindUntilTheMostNegativeValue) {
    EXPECT_VALUE(negate(I(5)), Integer, -5);
    EXPECT_VALUE(negate(I(-32768)), Long, 32768);
    EXPECT_VALUE(negate(L(-2147483647 - 1)), Double, 2147483648.0);
    EXPECT_VALUE(negate(T(true)), Integer, 1);
    EXPECT_VALUE(negate(S(2.5f)), Single, -2.5);
    EXPECT_VALUE(negate(Str("5")), Double, -5);
    EXPECT_VALUE(negate(Value()), Integer, 0);
}

TEST(Logical, KindFollowsOperandsAndBitsAreTwosComplement) {
    EXPECT_EQ(logicalAnd(T(true), T(false)).kind(), ValueKind::Boolean);
    EXPECT_VALUE(logicalOr(T(true), T(false)), Boolean, -1);
    EXPECT_VALUE(logicalNot(T(true)), Boolean, 0);
    EXPECT_VALUE(logicalAnd(T(true), I(6)), Integer, 6);
    EXPECT_VALUE(logicalAnd(I(12), L(10)), Long, 8);
    EXPECT_VALUE(logicalXor(I(12), I(10)), Integer, 6);
    EXPECT_VALUE(logicalNot(I(0)), Integer, -1);
    EXPECT_VALUE(logicalNot(I(5)), Integer, -6);
    EXPECT_VALUE(logicalNot(I(-32768)), Integer, 32767);
    EXPECT_VALUE(logicalAnd(D(2.5), I(3)), Long, 2);
    EXPECT_VALUE(logicalOr(D(3.5), I(0)), Long, 4);
    EXPECT_VALUE(logicalNot(D(-2147483648.0)), Long, 2147483647);
    EXPECT_FAILS(Other, logicalAnd(D(3e9), I(1)));
    EXPECT_FAILS(TypeMismatch, logicalOr(Str("A"), I(1)));
}

TEST(Comparison, NumbersAreBelowStringsAndEmptyIsZeroOrNothing) {
    EXPECT_EQ(compare(I(5), I(3), Comparison::Greater).kind(), ValueKind::Boolean);
    EXPECT_TRUE(holds(I(1), Comparison::Equal, D(1.0)));
    EXPECT_TRUE(holds(L(100000), Comparison::Greater, S(99999.5f)));
    EXPECT_FALSE(holds(I(5), Comparison::Equal, Str("5")));
    EXPECT_TRUE(holds(I(5), Comparison::Less, Str("5")));
    EXPECT_TRUE(holds(Str(""), Comparison::Greater, D(1e300)));
    EXPECT_TRUE(holds(Value(), Comparison::Equal, I(0)));
    EXPECT_TRUE(holds(Value(), Comparison::Equal, Str("")));
    EXPECT_TRUE(holds(Str(""), Comparison::Equal, Value()));
    EXPECT_TRUE(holds(Str("a"), Comparison::Greater, Value()));
    EXPECT_TRUE(holds(Value(), Comparison::Less, Str("a")));
    EXPECT_TRUE(holds(Value(), Comparison::Greater, I(-1)));
    EXPECT_TRUE(holds(D(std::nan("")), Comparison::NotEqual, D(std::nan(""))));
    EXPECT_FALSE(holds(D(std::nan("")), Comparison::LessOrEqual, D(1)));
}

TEST(Comparison, StringsOrderByUtf16CodeUnits) {
    EXPECT_TRUE(holds(Str("AB"), Comparison::Less, Str("ABC")));
    EXPECT_TRUE(holds(Str("a"), Comparison::Greater, Str("B")));
    EXPECT_TRUE(holds(Str("abc"), Comparison::GreaterOrEqual, Str("abc")));
    // Full-width Ａ is 0x8260 in CP932 but U+FF21, above the kanji 亜 (0x889F, U+4E9C).
    EXPECT_TRUE(holds(Value::text(u"Ａ"), Comparison::Greater, Value::text(u"亜")));
    EXPECT_TRUE(holds(Value::text(u"xＡ"), Comparison::Greater, Value::text(u"x亜z")));
    EXPECT_TRUE(holds(Str("z"), Comparison::Less, Value::text(u"亜")));
    EXPECT_TRUE(holds(Value::text(u"亜"), Comparison::Less, Value::text(u"亜A")));
}

TEST(Truth, IfNeedsMinusOneAndWhileStopsOnlyAtNumericZero) {
    EXPECT_TRUE(equalsTrue(T(true)));
    EXPECT_TRUE(equalsTrue(L(-1)));
    EXPECT_FALSE(equalsTrue(I(1)));
    EXPECT_FALSE(equalsTrue(Str("-1")));
    EXPECT_TRUE(equalsZero(Value()));
    EXPECT_TRUE(equalsZero(S(0)));
    EXPECT_FALSE(equalsZero(D(1e-300)));
    EXPECT_FALSE(equalsZero(Str("0")));
}

TEST(Rounding, HalvesGoToEvenAndRangesAreChecked) {
    EXPECT_EQ(roundHalfEven(2.5), 2);
    EXPECT_EQ(roundHalfEven(3.5), 4);
    EXPECT_EQ(roundHalfEven(-2.5), -2);
    EXPECT_EQ(toLongRounded(D(2147483647.4)), 2147483647);
    EXPECT_EQ(toLongRounded(Str(" 12 ")), 12);
    EXPECT_EQ(toIntegerRounded(D(-32768.5)), -32768);
    EXPECT_FAILS(Other, toLongRounded(D(2147483647.5)));
    EXPECT_FAILS(Other, toIntegerRounded(D(32767.5)));
    EXPECT_FAILS(Other, toIntegerRounded(L(40000)));
    EXPECT_FAILS(TypeMismatch, toLongRounded(Str("x")));
}

TEST(Rounding, IntegerTargetsFloorAfterAddingHalfAsDouble) {
    EXPECT_VALUE(roundForIntegerTarget(D(2.5)), Double, 3);
    EXPECT_VALUE(roundForIntegerTarget(D(-2.5)), Double, -2);
    EXPECT_VALUE(roundForIntegerTarget(D(100000)), Double, 100000);
    EXPECT_VALUE(roundForIntegerTarget(I(7)), Double, 7);
    EXPECT_VALUE(roundForIntegerTarget(S(2.6f)), Double, 3);
    EXPECT_VALUE(roundForIntegerTarget(T(true)), Double, -1);
    EXPECT_FAILS(TypeMismatch, roundForIntegerTarget(Str("5")));
}

TEST(ValueText, BytesAndUnicodeRoundTrip) {
    const Value v = Value::text(u"漢字A");
    EXPECT_EQ(v.byteForm(), "\x8A\xBF\x8E\x9A"
                            "A");
    EXPECT_EQ(v.unicodeText(), u"漢字A");
    EXPECT_EQ(Value::text(u"plain").byteForm(), "plain");
    EXPECT_EQ(D(5).byteForm(), "");
    EXPECT_EQ(Str("abc").toTextBytes(), "abc");
    EXPECT_EQ(D(-1e20).toTextBytes(), "-1E+20");
    EXPECT_EQ(T(true).toTextBytes(), "-1");
    EXPECT_EQ(Value().toTextBytes(), "");
    EXPECT_EQ(T(true).toDouble(), -1);
    EXPECT_FAILS(TypeMismatch, Str("x").toDouble());
}
