#include "values/NumberText.h"

#include "values/HostFailure.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace korvelin {

namespace {

constexpr int kSingleDigits = 7;
constexpr int kDoubleDigits = 15;

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

int digitValue(char c, int base) {
    const int d = hexDigitValue(c);
    return d < base ? d : -1;
}

struct Scanned {
    bool found = false;
    bool overflow = false;
    std::size_t end = 0;
    double value = 0;
};

// Reads the longest number that starts at `i`. With `blanksInside` blanks
// between its characters are passed over, which is how VAL reads; the whole
// text conversions do not allow that.
Scanned scanNumber(std::string_view t, std::size_t i, bool blanksInside) {
    const std::size_t n = t.size();
    auto skipBlanks = [&](std::size_t& k) {
        if (blanksInside)
            while (k < n && isBlank(t[k]))
                ++k;
    };
    Scanned result;
    bool negative = false;
    if (i < n && (t[i] == '+' || t[i] == '-')) {
        negative = t[i] == '-';
        ++i;
        skipBlanks(i);
    }

    if (i + 1 < n && t[i] == '&') {
        const char prefix = t[i + 1];
        const int base = (prefix == 'H' || prefix == 'h') ? 16 : (prefix == 'O' || prefix == 'o') ? 8 : 0;
        if (base == 0) return result;
        std::size_t k = i + 2;
        skipBlanks(k);
        double v = 0;
        for (int d; k < n && (d = digitValue(t[k], base)) >= 0;) {
            v = v * base + d;
            result.found = true;
            ++k;
            result.end = k;
            skipBlanks(k);
        }
        result.value = negative ? -v : v;
        result.overflow = std::isinf(v);
        return result;
    }

    // The characters are gathered without blanks so that from_chars, which
    // rounds correctly, does the conversion.
    std::string literal;
    std::size_t k = i;
    bool anyDigit = false;
    auto takeDigits = [&] {
        while (k < n && isDigit(t[k])) {
            literal += t[k];
            anyDigit = true;
            ++k;
            result.end = k;
            skipBlanks(k);
        }
    };
    takeDigits();
    if (k < n && t[k] == '.') {
        literal += '.';
        ++k;
        result.end = k;
        skipBlanks(k);
        takeDigits();
    }
    if (!anyDigit) return Scanned{};

    // D is the classic double-precision exponent letter. The exponent only
    // counts when a digit follows, so "1E" reads as 1 followed by text.
    if (k < n && (t[k] == 'E' || t[k] == 'e' || t[k] == 'D' || t[k] == 'd')) {
        std::size_t e = k + 1;
        skipBlanks(e);
        std::string exponent = "e";
        if (e < n && (t[e] == '+' || t[e] == '-')) {
            exponent += t[e];
            ++e;
            skipBlanks(e);
        }
        if (e < n && isDigit(t[e])) {
            while (e < n && isDigit(t[e])) {
                exponent += t[e];
                ++e;
                result.end = e;
                skipBlanks(e);
            }
            literal += exponent;
        }
    }

    double v = 0;
    const auto [ptr, ec] = std::from_chars(literal.data(), literal.data() + literal.size(), v);
    (void)ptr;
    // Out of range is either an overflow or an underflow; strtod tells which
    // by giving infinity or a value near 0.
    if (ec == std::errc::result_out_of_range) v = std::strtod(literal.c_str(), nullptr);
    result.found = true;
    result.overflow = std::isinf(v);
    result.value = negative ? -v : v;
    return result;
}

// The significant digits of a positive finite value rounded to `precision`
// digits, trailing zeros dropped, with the decimal exponent of the first one.
struct Decimal {
    char digits[24];
    int count = 0;
    int exponent = 0;
};

template <class Real> Decimal toDecimal(Real magnitude, int precision) {
    char buf[48];
    const auto r =
        std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific, precision - 1);
    Decimal d;
    const char* p = buf;
    for (; p < r.ptr && *p != 'e'; ++p)
        if (*p != '.') d.digits[d.count++] = *p;
    while (d.count > 1 && d.digits[d.count - 1] == '0')
        --d.count;
    ++p; // 'e'
    const bool negativeExponent = *p == '-';
    int e = 0;
    for (++p; p < r.ptr; ++p)
        e = e * 10 + (*p - '0');
    d.exponent = negativeExponent ? -e : e;
    return d;
}

void appendWhole(std::string& out, std::int32_t v) {
    char buf[16];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, r.ptr);
}

std::string wholeText(std::int32_t v, bool printForm) {
    std::string out;
    if (printForm && v >= 0) out += ' ';
    appendWhole(out, v);
    return out;
}

template <class Real> std::string realText(Real x, int precision, bool printForm) {
    std::string out;
    // -0 comes out of some products; it is printed as the 0 it equals.
    if (std::signbit(x) && x != 0)
        out += '-';
    else if (printForm)
        out += ' ';
    // Only a Double that overflowed reaches here as infinite.
    if (std::isnan(x)) return out + "NaN";
    if (std::isinf(x)) return out + "INF";
    if (x == 0) return out + '0';

    const Decimal d = toDecimal(std::fabs(x), precision);
    if (d.exponent < -4 || d.exponent >= precision) {
        out += d.digits[0];
        if (d.count > 1) {
            out += '.';
            out.append(d.digits + 1, d.count - 1);
        }
        out += 'E';
        out += d.exponent < 0 ? '-' : '+';
        const int e = std::abs(d.exponent);
        if (e < 10) out += '0';
        appendWhole(out, e);
    } else if (d.exponent < 0) {
        if (!printForm) out += '0';
        out += '.';
        out.append(static_cast<std::size_t>(-d.exponent - 1), '0');
        out.append(d.digits, d.count);
    } else {
        const int whole = d.exponent + 1;
        if (d.count <= whole) {
            out.append(d.digits, d.count);
            out.append(static_cast<std::size_t>(whole - d.count), '0');
        } else {
            out.append(d.digits, whole);
            out += '.';
            out.append(d.digits + whole, d.count - whole);
        }
    }
    return out;
}

} // namespace

std::string formatNumber(const Value& v) {
    switch (v.kind()) {
    case ValueKind::Integer:
    case ValueKind::Boolean: return wholeText(v.rawInteger(), true);
    case ValueKind::Long: return wholeText(v.rawLong(), true);
    case ValueKind::Single: return realText(v.rawSingle(), kSingleDigits, true);
    case ValueKind::Double: return realText(v.rawDouble(), kDoubleDigits, true);
    case ValueKind::Empty: return " 0";
    case ValueKind::String: break;
    }
    double d = 0;
    if (!parseNumber(v.byteForm(), d)) failHost(HostFailureKind::TypeMismatch);
    return realText(d, kDoubleDigits, true);
}

std::string numberText(const Value& v) {
    switch (v.kind()) {
    case ValueKind::Integer:
    case ValueKind::Boolean: return wholeText(v.rawInteger(), false);
    case ValueKind::Long: return wholeText(v.rawLong(), false);
    case ValueKind::Single: return realText(v.rawSingle(), kSingleDigits, false);
    case ValueKind::Double: return realText(v.rawDouble(), kDoubleDigits, false);
    case ValueKind::Empty:
    case ValueKind::String: break;
    }
    return {};
}

bool parseNumber(std::string_view text, double& out) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    const Scanned s = scanNumber(text, i, false);
    if (!s.found || s.overflow) return false;
    std::size_t k = s.end;
    while (k < text.size() && isBlank(text[k]))
        ++k;
    if (k != text.size()) return false;
    out = s.value;
    return true;
}

double parseLeadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    const Scanned s = scanNumber(text, i, true);
    if (s.overflow) failHost(HostFailureKind::Other);
    return s.found ? s.value : 0;
}

} // namespace korvelin
