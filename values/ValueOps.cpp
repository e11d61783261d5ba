#include "values/ValueOps.h"

#include "values/CheckedNumbers.h"
#include "values/Cp932.h"
#include "values/NumberText.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace korvelin {

namespace {

using detail::checkedDouble;
using detail::holds;
using detail::integerResult;
using detail::order;
using std::int16_t;
using std::int32_t;
using std::int64_t;

// A numeric operand seen through the ranking rule: Boolean and Empty are
// Integers, a String has already become the Double it spells.
enum class Rank : std::uint8_t { Integer, Long, Single, Double };

struct Number {
    Rank rank;
    int32_t whole; // Integer and Long
    double real;   // Single (exactly) and Double
};

double asDouble(const Number& n) {
    return n.rank <= Rank::Long ? n.whole : n.real;
}

double stringAsNumber(const Value& v) {
    double d = 0;
    if (!parseNumber(v.byteForm(), d)) failHost(HostFailureKind::TypeMismatch);
    return d;
}

Number numberOf(const Value& v) {
    switch (v.kind()) {
    case ValueKind::Integer:
    case ValueKind::Boolean: return {Rank::Integer, v.rawInteger(), 0};
    // Never read an Empty's payload: a moved-from Value is Empty with stale bits.
    case ValueKind::Empty: return {Rank::Integer, 0, 0};
    case ValueKind::Long: return {Rank::Long, v.rawLong(), 0};
    case ValueKind::Single: return {Rank::Single, 0, v.rawSingle()};
    case ValueKind::Double: return {Rank::Double, 0, v.rawDouble()};
    case ValueKind::String: break;
    }
    return {Rank::Double, 0, stringAsNumber(v)};
}

bool isIntegerLike(ValueKind k) {
    return k == ValueKind::Integer || k == ValueKind::Boolean;
}
// Integer, Boolean or Long: whole numbers that need no rounding.
bool isWholeKind(ValueKind k) {
    return isIntegerLike(k) || k == ValueKind::Long;
}

bool fitsLong(double d) {
    return d >= -2147483648.0 && d <= 2147483647.0;
}

// Rounding a Single result through double is exact for + - * /: a double
// holds more than twice a float's precision, so rounding twice cannot differ
// from rounding once. A result beyond the float range stays a Double.
Value singleResult(double exact) {
    const float f = static_cast<float>(exact);
    if (std::isinf(f) && !std::isinf(exact)) return Value::dbl(exact);
    return Value::single(f);
}

enum class Arith { Add, Subtract, Multiply };

template <Arith op, class T> T apply(T a, T b) {
    if constexpr (op == Arith::Add)
        return a + b;
    else if constexpr (op == Arith::Subtract)
        return a - b;
    else
        return a * b;
}

template <Arith op> bool overflows(int32_t a, int32_t b, int32_t* r) {
    if constexpr (op == Arith::Add)
        return __builtin_add_overflow(a, b, r);
    else if constexpr (op == Arith::Subtract)
        return __builtin_sub_overflow(a, b, r);
    else
        return __builtin_mul_overflow(a, b, r);
}

template <Arith op> Value arithmetic(const Value& a, const Value& b) {
    const Number x = numberOf(a);
    const Number y = numberOf(b);
    Rank rank = std::max(x.rank, y.rank);
    // A Single cannot hold every Long exactly, so the pair meets in Double.
    if (rank == Rank::Single && (x.rank == Rank::Long || y.rank == Rank::Long)) rank = Rank::Double;
    switch (rank) {
    case Rank::Integer: return integerResult(apply<op>(x.whole, y.whole));
    case Rank::Long: {
        int32_t r;
        if (!overflows<op>(x.whole, y.whole, &r)) return Value::longInt(r);
        return Value::dbl(apply<op>(static_cast<double>(x.whole), static_cast<double>(y.whole)));
    }
    case Rank::Single: return singleResult(apply<op>(asDouble(x), asDouble(y)));
    case Rank::Double: break;
    }
    return checkedDouble(apply<op>(asDouble(x), asDouble(y)), asDouble(x), asDouble(y));
}

Value concatenate(const Value& a, const Value& b) {
    const std::string& left = a.byteForm();
    const std::string& right = b.byteForm();
    // Joining with "" hands back the other operand's shared buffer.
    if (right.empty() && a.isString()) return a;
    if (left.empty() && b.isString()) return b;
    checkStringBytes(left.size() + right.size());
    std::string joined;
    joined.reserve(left.size() + right.size());
    joined.append(left).append(right);
    return Value::bytes(std::move(joined));
}

// Operand of \ and MOD: a whole number, halves rounded to even.
double wholeOperand(const Number& n) {
    return n.rank <= Rank::Long ? n.whole : roundHalfEven(n.real);
}

// Whole doubles below 2^63 divide exactly as 64-bit integers; anything larger
// only has a quotient within the Long range when both sides are huge, and
// then the floating quotient is as good as the operands.
constexpr double kInt64Limit = 9223372036854775808.0;

bool fitsInt64(double d) {
    return std::fabs(d) < kInt64Limit;
}

Value wholeResult(double r, const Number& x, const Number& y) {
    if (!fitsLong(r)) failHost(HostFailureKind::Other);
    const auto whole = static_cast<int32_t>(r);
    // Integer \ Integer can still leave 16 bits (-32768 \ -1); like + it widens.
    if (x.rank == Rank::Integer && y.rank == Rank::Integer) return integerResult(whole);
    return Value::longInt(whole);
}

// Operand of the logical operators: the bits of a Long, remembering whether
// it was a Boolean or a 16-bit Integer so the result can keep that kind.
enum class BitKind : std::uint8_t { Boolean, Integer, Long };

struct Bits {
    BitKind kind;
    int32_t value;
};

Bits bitsOf(const Value& v) {
    switch (v.kind()) {
    case ValueKind::Boolean: return {BitKind::Boolean, v.rawInteger()};
    case ValueKind::Integer: return {BitKind::Integer, v.rawInteger()};
    case ValueKind::Empty: return {BitKind::Integer, 0};
    case ValueKind::Long: return {BitKind::Long, v.rawLong()};
    default: break;
    }
    const double d = roundHalfEven(v.toDouble());
    if (!fitsLong(d)) failHost(HostFailureKind::Other);
    return {BitKind::Long, static_cast<int32_t>(d)};
}

// Bitwise results of sign-extended 16-bit operands stay within 16 bits, and
// of -1/0 operands within -1/0, so the narrowing casts are exact.
Value bitsResult(BitKind kind, int32_t r) {
    switch (kind) {
    case BitKind::Boolean: return Value::boolean(r != 0);
    case BitKind::Integer: return Value::integer(static_cast<int16_t>(r));
    case BitKind::Long: break;
    }
    return Value::longInt(r);
}

template <class Combine> Value logical(const Value& a, const Value& b, Combine combine) {
    const Bits x = bitsOf(a);
    const Bits y = bitsOf(b);
    return bitsResult(std::max(x.kind, y.kind), combine(x.value, y.value));
}

// Strings order by UTF-16 code units. ASCII bytes are their own code units,
// so while both sides are ASCII the bytes decide; a byte from 0x80 up may
// start a double-byte character whose code unit is unrelated to its bytes,
// and from there only the decoded texts can be compared.
int orderText(const std::string& x, const std::string& y) {
    if (&x == &y) return 0;
    const std::size_t n = std::min(x.size(), y.size());
    std::size_t i = 0;
    while (i < n && x[i] == y[i] && static_cast<unsigned char>(x[i]) < 0x80)
        ++i;
    if (i == n) {
        // One is an ASCII prefix of the other; any remaining byte decodes to
        // at least one more code unit.
        return order(x.size(), y.size());
    }
    const auto cx = static_cast<unsigned char>(x[i]);
    const auto cy = static_cast<unsigned char>(y[i]);
    if (cx < 0x80 && cy < 0x80) return order(cx, cy);
    const std::u16string ux = cp932::decode(std::string_view(x).substr(i));
    const std::u16string uy = cp932::decode(std::string_view(y).substr(i));
    return order(ux.compare(uy), 0);
}

int orderValues(const Value& a, const Value& b) {
    const bool aText = a.isString();
    const bool bText = b.isString();
    if (aText || bText) {
        // Empty stands for "" against a String; a number is below every String.
        static const std::string none;
        if (aText && bText) return orderText(a.byteForm(), b.byteForm());
        if (b.isEmpty()) return orderText(a.byteForm(), none);
        if (a.isEmpty()) return orderText(none, b.byteForm());
        return aText ? 1 : -1;
    }
    const Number x = numberOf(a);
    const Number y = numberOf(b);
    if (x.rank <= Rank::Long && y.rank <= Rank::Long) return order(x.whole, y.whole);
    return order(asDouble(x), asDouble(y));
}

} // namespace

void detail::failOverflow() {
    failHost(HostFailureKind::Other);
}

Value detail::addGeneral(const Value& a, const Value& b) {
    // Empty is "" beside a String, so it joins rather than adds.
    if ((a.isString() || b.isString()) && (a.isString() || a.isEmpty()) && (b.isString() || b.isEmpty()))
        return concatenate(a, b);
    return arithmetic<Arith::Add>(a, b);
}

Value detail::subtractGeneral(const Value& a, const Value& b) {
    return arithmetic<Arith::Subtract>(a, b);
}

Value detail::multiplyGeneral(const Value& a, const Value& b) {
    return arithmetic<Arith::Multiply>(a, b);
}

Value detail::divideGeneral(const Value& a, const Value& b) {
    const Number x = numberOf(a);
    const Number y = numberOf(b);
    const double quotient = asDouble(x) / asDouble(y);
    const auto small = [](Rank r) { return r == Rank::Integer || r == Rank::Single; };
    if (small(x.rank) && small(y.rank)) return singleResult(quotient);
    return checkedDouble(quotient, asDouble(x), asDouble(y));
}

Value integerDivide(const Value& a, const Value& b) {
    if (isIntegerLike(a.kind()) && isIntegerLike(b.kind())) {
        const int32_t divisor = b.rawInteger();
        if (divisor == 0) failHost(HostFailureKind::Other);
        return integerResult(a.rawInteger() / divisor);
    }
    if (isWholeKind(a.kind()) && isWholeKind(b.kind())) {
        // A Long takes part: the quotient is a Long, if it fits (not so for
        // the smallest Long \ -1).
        const int64_t divisor = detail::wholeNumber(b);
        if (divisor == 0) failHost(HostFailureKind::Other);
        const int64_t quotient = detail::wholeNumber(a) / divisor;
        if (quotient > INT32_MAX) failHost(HostFailureKind::Other);
        return Value::longInt(static_cast<int32_t>(quotient));
    }
    const Number x = numberOf(a);
    const Number y = numberOf(b);
    const double p = wholeOperand(x);
    const double q = wholeOperand(y);
    if (q == 0 || std::isnan(p) || std::isnan(q)) failHost(HostFailureKind::Other);
    const double quotient = fitsInt64(p) && fitsInt64(q)
                                ? static_cast<double>(static_cast<int64_t>(p) / static_cast<int64_t>(q))
                                : std::trunc(p / q);
    return wholeResult(quotient, x, y);
}

Value modulo(const Value& a, const Value& b) {
    if (isIntegerLike(a.kind()) && isIntegerLike(b.kind())) {
        const int32_t divisor = b.rawInteger();
        if (divisor == 0) failHost(HostFailureKind::Other);
        return integerResult(a.rawInteger() % divisor);
    }
    if (isWholeKind(a.kind()) && isWholeKind(b.kind())) {
        // A Long takes part: the remainder is a Long.
        const int64_t divisor = detail::wholeNumber(b);
        if (divisor == 0) failHost(HostFailureKind::Other);
        return Value::longInt(static_cast<int32_t>(detail::wholeNumber(a) % divisor));
    }
    const Number x = numberOf(a);
    const Number y = numberOf(b);
    const double p = wholeOperand(x);
    const double q = wholeOperand(y);
    if (q == 0 || std::isnan(p) || std::isnan(q)) failHost(HostFailureKind::Other);
    // Both forms give the remainder the sign of the dividend.
    const double remainder = fitsInt64(p) && fitsInt64(q)
                                 ? static_cast<double>(static_cast<int64_t>(p) % static_cast<int64_t>(q))
                                 : std::fmod(p, q);
    return wholeResult(remainder, x, y);
}

Value power(const Value& a, const Value& b) {
    const double base = a.toDouble();
    const double exponent = b.toDouble();
    if (base < 0 && exponent != std::trunc(exponent)) failHost(HostFailureKind::InvalidArgument);
    // 0 ^ -1 is infinite too, and fails like any other overflow.
    return checkedDouble(std::pow(base, exponent), base, exponent);
}

Value negate(const Value& a) {
    switch (a.kind()) {
    case ValueKind::Integer:
    case ValueKind::Boolean: return integerResult(-static_cast<int32_t>(a.rawInteger()));
    case ValueKind::Long:
        if (a.rawLong() == std::numeric_limits<int32_t>::min()) return Value::dbl(2147483648.0);
        return Value::longInt(-a.rawLong());
    case ValueKind::Single: return Value::single(-a.rawSingle());
    case ValueKind::Double: return Value::dbl(-a.rawDouble());
    case ValueKind::Empty: return Value::integer(0);
    case ValueKind::String: break;
    }
    return Value::dbl(-stringAsNumber(a));
}

Value logicalAnd(const Value& a, const Value& b) {
    return logical(a, b, [](int32_t x, int32_t y) { return x & y; });
}

Value logicalOr(const Value& a, const Value& b) {
    return logical(a, b, [](int32_t x, int32_t y) { return x | y; });
}

Value logicalXor(const Value& a, const Value& b) {
    return logical(a, b, [](int32_t x, int32_t y) { return x ^ y; });
}

Value logicalNot(const Value& a) {
    const Bits x = bitsOf(a);
    return bitsResult(x.kind, ~x.value);
}

Value detail::compareGeneral(const Value& a, const Value& b, Comparison op) {
    return Value::boolean(holds(orderValues(a, b), op));
}

// Truth follows the "=" rule: a String never equals a number, so a String
// condition is neither true for IF nor 0 for WHILE, even when it spells "0"
// or "-1". Empty equals 0.
bool equalsZero(const Value& v) {
    switch (v.kind()) {
    case ValueKind::Integer:
    case ValueKind::Boolean: return v.rawInteger() == 0;
    case ValueKind::Long: return v.rawLong() == 0;
    case ValueKind::Single: return v.rawSingle() == 0;
    case ValueKind::Double: return v.rawDouble() == 0;
    case ValueKind::Empty: return true;
    case ValueKind::String: break;
    }
    return false;
}

bool equalsTrue(const Value& v) {
    switch (v.kind()) {
    case ValueKind::Integer:
    case ValueKind::Boolean: return v.rawInteger() == -1;
    case ValueKind::Long: return v.rawLong() == -1;
    case ValueKind::Single: return v.rawSingle() == -1;
    case ValueKind::Double: return v.rawDouble() == -1;
    case ValueKind::Empty:
    case ValueKind::String: break;
    }
    return false;
}

// The default floating-point environment rounds to nearest, ties to even.
double roundHalfEven(double x) {
    return std::nearbyint(x);
}

std::int32_t toLongRounded(const Value& v) {
    switch (v.kind()) {
    case ValueKind::Integer:
    case ValueKind::Boolean: return v.rawInteger();
    case ValueKind::Long: return v.rawLong();
    case ValueKind::Empty: return 0;
    default: break;
    }
    // NaN and infinity fail the range check there.
    return roundedLong(v.toDouble());
}

std::int16_t toIntegerRounded(const Value& v) {
    if (isIntegerLike(v.kind())) return v.rawInteger();
    if (v.kind() == ValueKind::Long) {
        const std::int32_t whole = v.rawLong();
        if (whole < std::numeric_limits<int16_t>::min() || whole > std::numeric_limits<int16_t>::max())
            failHost(HostFailureKind::Other);
        return static_cast<int16_t>(whole);
    }
    return roundedInteger(v.toDouble());
}

// Adding the Double 0.5 makes every kind a Double, so even an Integer source
// is stored as a whole Double. There is no range check: a "%" variable may
// hold 100000.
Value roundForIntegerTarget(const Value& v) {
    if (v.isString()) failHost(HostFailureKind::TypeMismatch);
    return Value::dbl(std::floor(v.toDouble() + 0.5));
}

} // namespace korvelin
