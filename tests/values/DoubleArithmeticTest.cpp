// Integer and Double operands take a short way through + - * / and the
// comparisons; it must give exactly what the general ranking rules give.
// Double results that overflow to infinity are failures.

#include "values/ValueOps.h"

#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

using namespace korvelin;

namespace {

const auto I = [](int v) { return Value::integer(static_cast<std::int16_t>(v)); };
const auto L = [](std::int32_t v) { return Value::longInt(v); };
const auto S = [](float v) { return Value::single(v); };
const auto D = [](double v) { return Value::dbl(v); };
const auto Str = [](const char* bytes) { return Value::bytes(bytes); };

constexpr double Infinity = std::numeric_limits<double>::infinity();

// The kind and exact bits of a result, or the failure it raised.
template <class Operation> std::string outcome(Operation operation) {
    try {
        const Value v = operation();
        const double d = v.kind() == ValueKind::String ? 0 : v.toDouble();
        return std::to_string(static_cast<int>(v.kind())) + ":" +
               std::to_string(std::bit_cast<std::uint64_t>(d));
    } catch (const HostFailure& f) {
        return "failure " + std::to_string(static_cast<int>(f.kind()));
    }
}

bool overflows(Value (*operation)()) {
    try {
        operation();
    } catch (const HostFailure& f) {
        return f.kind() == HostFailureKind::Other;
    }
    return false;
}

} // namespace

TEST(FastArithmetic, AgreesWithTheGeneralRulesForEveryPairOfKinds) {
    const std::vector<Value> values = {
        I(0),
        I(1),
        I(-7),
        I(32767),
        I(-32768),
        D(0),
        D(-0.0),
        D(2.5),
        D(-1e-300),
        D(1e308),
        D(-1e308),
        D(Infinity),
        D(std::nan("")),
        L(2147483647),
        L(-100000),
        S(1.5f),
        S(FLT_MAX),
        Value::boolean(true),
        Value(),
        Str("4"),
    };
    const Comparison comparisons[] = {Comparison::Equal,       Comparison::NotEqual,
                                      Comparison::Less,        Comparison::Greater,
                                      Comparison::LessOrEqual, Comparison::GreaterOrEqual};
    for (const Value& a : values) {
        for (const Value& b : values) {
            const std::string pair = outcome([&] { return a; }) + " with " + outcome([&] { return b; });
            EXPECT_EQ(outcome([&] { return add(a, b); }), outcome([&] { return detail::addGeneral(a, b); }))
                << pair;
            EXPECT_EQ(outcome([&] { return subtract(a, b); }),
                      outcome([&] { return detail::subtractGeneral(a, b); }))
                << pair;
            EXPECT_EQ(outcome([&] { return multiply(a, b); }),
                      outcome([&] { return detail::multiplyGeneral(a, b); }))
                << pair;
            if (!equalsZero(b)) {
                EXPECT_EQ(outcome([&] { return divide(a, b); }),
                          outcome([&] { return detail::divideGeneral(a, b); }))
                    << pair;
            }
            for (Comparison op : comparisons) {
                EXPECT_EQ(outcome([&] { return compare(a, b, op); }),
                          outcome([&] { return detail::compareGeneral(a, b, op); }))
                    << pair;
            }
        }
    }
}

TEST(FastArithmetic, MixedIntegerAndDoubleFollowTheRanking) {
    EXPECT_EQ(add(I(2), D(0.5)).kind(), ValueKind::Double);
    EXPECT_EQ(multiply(D(3), I(2)).toDouble(), 6);
    EXPECT_EQ(add(I(32767), I(32767)).kind(), ValueKind::Long);
    EXPECT_TRUE(equalsTrue(compare(I(2), D(2.5), Comparison::Less)));
    EXPECT_TRUE(equalsTrue(compare(D(std::nan("")), I(0), Comparison::NotEqual)));
    EXPECT_FALSE(equalsTrue(compare(D(std::nan("")), D(std::nan("")), Comparison::Equal)));
}

TEST(DoubleOverflow, InfinityFromFiniteOperandsFails) {
    EXPECT_TRUE(overflows([] { return add(D(1e308), D(1e308)); }));
    EXPECT_TRUE(overflows([] { return subtract(D(-1e308), D(1e308)); }));
    EXPECT_TRUE(overflows([] { return multiply(D(1e308), I(10)); }));
    EXPECT_TRUE(overflows([] { return multiply(L(100000), D(1e305)); }));
    EXPECT_TRUE(overflows([] { return multiply(S(2), D(DBL_MAX)); }));
    EXPECT_TRUE(overflows([] { return add(Str("1E308"), D(1e308)); }));
    EXPECT_TRUE(overflows([] { return divide(D(1e308), D(0.1)); }));
    EXPECT_TRUE(overflows([] { return divide(I(1), D(1e-320)); }));
    EXPECT_TRUE(overflows([] { return power(D(10), D(400)); }));
    EXPECT_TRUE(overflows([] { return power(I(0), I(-1)); }));
}

TEST(DoubleOverflow, InfiniteOperandsAndNarrowerKindsCarryOn) {
    EXPECT_EQ(add(D(Infinity), I(1)).toDouble(), Infinity);
    EXPECT_TRUE(std::isnan(subtract(D(Infinity), D(Infinity)).toDouble()));
    EXPECT_EQ(power(D(Infinity), I(2)).toDouble(), Infinity);
    // A Single result beyond the float range becomes a finite Double.
    EXPECT_EQ(multiply(S(FLT_MAX), S(FLT_MAX)).kind(), ValueKind::Double);
    EXPECT_EQ(negate(D(-DBL_MAX)).toDouble(), DBL_MAX);
    EXPECT_EQ(add(D(DBL_MAX), D(1)).toDouble(), DBL_MAX); // rounds, does not overflow
}
