#pragma once
// Arithmetic, comparison, logical and conversion rules of Value.
// Faults (type mismatch, invalid argument, overflow of \ MOD and the logical
// operators) are thrown as HostFailure; the statement executor maps them.

#include "values/HostFailure.h"
#include "values/Value.h"

#include <cmath>
#include <cstdint>
#include <string>

namespace korvelin {

enum class Comparison { Equal, NotEqual, Less, Greater, LessOrEqual, GreaterOrEqual };

// The general cases of the operations below, and what their inline fast
// paths share with them.
namespace detail {
Value addGeneral(const Value& a, const Value& b);
Value subtractGeneral(const Value& a, const Value& b);
Value multiplyGeneral(const Value& a, const Value& b);
Value divideGeneral(const Value& a, const Value& b);
Value compareGeneral(const Value& a, const Value& b, Comparison op);

// An infinite result from finite operands is an overflow (error 21); an
// operand that is already infinite (a constant such as 1E400) carries on.
[[noreturn]] void failOverflow();
inline Value checkedDouble(double result, double a, double b) {
    if (std::isinf(result) && std::isfinite(a) && std::isfinite(b)) [[unlikely]]
        failOverflow();
    return Value::dbl(result);
}

// Integer operations are done in 32 bits, where they cannot overflow; a
// result outside 16 bits is the Long the widening rule asks for.
inline Value integerResult(std::int32_t r) {
    if (r >= -32768 && r <= 32767) return Value::integer(static_cast<std::int16_t>(r));
    return Value::longInt(r);
}

// -1, 0 or 1, or Unordered when a NaN takes part (only <> holds then).
constexpr int Unordered = 2;
template <class T> int order(T a, T b) {
    if (a < b) return -1;
    if (b < a) return 1;
    return a == b ? 0 : Unordered;
}
inline bool holds(int ordering, Comparison op) {
    if (ordering == Unordered) return op == Comparison::NotEqual;
    switch (op) {
    case Comparison::Equal: return ordering == 0;
    case Comparison::NotEqual: return ordering != 0;
    case Comparison::Less: return ordering < 0;
    case Comparison::Greater: return ordering > 0;
    case Comparison::LessOrEqual: return ordering <= 0;
    case Comparison::GreaterOrEqual: return ordering >= 0;
    }
    return false;
}

// Loops and counters mostly meet Integers and Doubles, so these pairs are
// worked out here without leaving the caller.
inline bool isPlainNumber(const Value& v) {
    return v.kind() == ValueKind::Integer || v.kind() == ValueKind::Double;
}
inline double plainDouble(const Value& v) {
    return v.kind() == ValueKind::Double ? v.rawDouble() : v.rawInteger();
}
// Integers and Longs, read as one 64-bit whole number.
inline bool isWholeNumber(const Value& v) {
    return v.kind() == ValueKind::Integer || v.kind() == ValueKind::Long;
}
// The value of an Integer, Boolean or Long.
inline std::int64_t wholeNumber(const Value& v) {
    return v.kind() == ValueKind::Long ? v.rawLong() : v.rawInteger();
}
} // namespace detail

// a + b: concatenation when both are Strings, numeric addition otherwise.
// Double results that overflow to infinity fail with HostFailureKind::Other.
inline Value add(const Value& a, const Value& b) {
    if (detail::isPlainNumber(a) && detail::isPlainNumber(b)) {
        if (a.kind() == ValueKind::Integer && b.kind() == ValueKind::Integer)
            return detail::integerResult(a.rawInteger() + b.rawInteger());
        const double x = detail::plainDouble(a), y = detail::plainDouble(b);
        return detail::checkedDouble(x + y, x, y);
    }
    return detail::addGeneral(a, b);
}
inline Value subtract(const Value& a, const Value& b) {
    if (detail::isPlainNumber(a) && detail::isPlainNumber(b)) {
        if (a.kind() == ValueKind::Integer && b.kind() == ValueKind::Integer)
            return detail::integerResult(a.rawInteger() - b.rawInteger());
        const double x = detail::plainDouble(a), y = detail::plainDouble(b);
        return detail::checkedDouble(x - y, x, y);
    }
    return detail::subtractGeneral(a, b);
}
inline Value multiply(const Value& a, const Value& b) {
    if (detail::isPlainNumber(a) && detail::isPlainNumber(b)) {
        if (a.kind() == ValueKind::Integer && b.kind() == ValueKind::Integer)
            return detail::integerResult(a.rawInteger() * b.rawInteger());
        const double x = detail::plainDouble(a), y = detail::plainDouble(b);
        return detail::checkedDouble(x * y, x, y);
    }
    return detail::multiplyGeneral(a, b);
}
// a / b; the caller has already rejected a divisor equal to 0 (error 11).
inline Value divide(const Value& a, const Value& b) {
    if (a.kind() == ValueKind::Double && b.kind() == ValueKind::Double)
        return detail::checkedDouble(a.rawDouble() / b.rawDouble(), a.rawDouble(), b.rawDouble());
    return detail::divideGeneral(a, b);
}
Value integerDivide(const Value& a, const Value& b); // a \ b
Value modulo(const Value& a, const Value& b);        // a MOD b
Value power(const Value& a, const Value& b);         // a ^ b
Value negate(const Value& a);
Value logicalAnd(const Value& a, const Value& b);
Value logicalOr(const Value& a, const Value& b);
Value logicalXor(const Value& a, const Value& b);
Value logicalNot(const Value& a);

// Boolean result (-1 true, 0 false).
inline Value compare(const Value& a, const Value& b, Comparison op) {
    if (detail::isPlainNumber(a) && detail::isPlainNumber(b)) {
        if (a.kind() == ValueKind::Integer && b.kind() == ValueKind::Integer)
            return Value::boolean(detail::holds(detail::order(a.rawInteger(), b.rawInteger()), op));
        return Value::boolean(
            detail::holds(detail::order(detail::plainDouble(a), detail::plainDouble(b)), op));
    }
    return detail::compareGeneral(a, b, op);
}
// True when the value equals 0 (WHILE) / equals -1 (IF), numerically.
bool equalsZero(const Value& v);
bool equalsTrue(const Value& v);

// Rounding to whole numbers, halves to even; out of range is an Other failure.
double roundHalfEven(double x);
std::int32_t toLongRounded(const Value& v);
std::int16_t toIntegerRounded(const Value& v);
// Int(v + 0.5) as assignment to a "%" variable stores it, keeping the kind
// the addition gives; a String is a type mismatch.
Value roundForIntegerTarget(const Value& v);

// Parses a whole text as a number (blanks around it allowed, sign, point,
// exponent, &H and &O prefixes). Returns false when it is not a number.
bool parseNumber(std::string_view text, double& out);

} // namespace korvelin
