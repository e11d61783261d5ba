#pragma once
// Arithmetic, comparison, logical and conversion rules of Value.
// Faults (type mismatch, invalid argument, overflow of \ MOD and the logical
// operators) are thrown as HostFailure; the statement executor maps them.

#include "values/HostFailure.h"
#include "values/Value.h"

#include <cstdint>
#include <string>

namespace korvelin {

// a + b: concatenation when both are Strings, numeric addition otherwise.
Value add(const Value& a, const Value& b);
Value subtract(const Value& a, const Value& b);
Value multiply(const Value& a, const Value& b);
// a / b; the caller has already rejected a divisor equal to 0 (error 11).
Value divide(const Value& a, const Value& b);
Value integerDivide(const Value& a, const Value& b); // a \ b
Value modulo(const Value& a, const Value& b);        // a MOD b
Value power(const Value& a, const Value& b);          // a ^ b
Value negate(const Value& a);
Value logicalAnd(const Value& a, const Value& b);
Value logicalOr(const Value& a, const Value& b);
Value logicalXor(const Value& a, const Value& b);
Value logicalNot(const Value& a);

enum class Comparison { Equal, NotEqual, Less, Greater, LessOrEqual, GreaterOrEqual };
// Boolean result (-1 true, 0 false).
Value compare(const Value& a, const Value& b, Comparison op);
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
