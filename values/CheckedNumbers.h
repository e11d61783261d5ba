#pragma once
// Checked conversions from program numbers to the integers and sizes the
// host works with. A program can hand any Double to any statement, so no
// statement converts one with a plain cast: NaN, infinity or a value
// outside the target range would be undefined behaviour or a wild size.
// Every helper here rejects them with the interpreter's own errors:
// out of range, NaN and infinity are the overflow failure (error 21),
// a negative count or length is an invalid argument (error 5).
//
// No Inf or NaN reaches a variable: numeric constants (the lexer), VAL,
// INPUT and the record conversions refuse them where they arise, and
// arithmetic fails on an infinite result. These helpers still check,
// so that a value built some other way cannot get past a conversion.

#include "values/HostFailure.h"
#include "values/Value.h"

#include <cmath>
#include <cstddef>
#include <cstdint>

namespace korvelin {

// The longest string a program can build, in bytes (CP932 form). Longer
// results (A$ = A$ + A$ in a loop, SPACE$, STRING$, INPUT$) are the
// overflow failure, so one statement cannot take gigabytes.
inline constexpr std::size_t MaxStringBytes = 4u * 1024u * 1024u;

// Fails with the overflow error unless `bytes` is a length a string may have.
inline void checkStringBytes(std::size_t bytes) {
    if (bytes > MaxStringBytes) [[unlikely]]
        failHost(HostFailureKind::Other);
}

// The value itself when it is finite, else the overflow failure.
inline double finiteOrOverflow(double d) {
    if (!std::isfinite(d)) [[unlikely]]
        failHost(HostFailureKind::Other);
    return d;
}

// Whole numbers from doubles: rounded halves to even, floored or truncated
// toward zero; NaN, infinity and anything outside the range fail with the
// overflow error.
std::int32_t roundedLong(double d);
std::int16_t roundedInteger(double d);
std::int32_t flooredLong(double d);
std::int16_t flooredInteger(double d);
std::int32_t truncatedLong(double d);

// A single-precision number from a double: beyond its range or NaN is the
// overflow failure.
float checkedSingle(double d);

// A screen coordinate: rounded to a whole number; outside 16 bits is the
// overflow error. Callers clip to the page themselves.
std::int16_t coordinateOf(const Value& v);

// A count, length or position given by the program: rounded to a whole
// number (halves to even); NaN, infinity or beyond the Long range is the
// overflow error, a negative value an invalid argument. A String is a type
// mismatch.
std::int32_t countOf(const Value& v);

} // namespace korvelin
