// LEN, KLEN, ASC, CHR$, STR$, OCT$, HEX$, SPACE$, SPC, STRING$, LEFT$,
// RIGHT$, MID$, KMID$, INSTR, KINSTR and ENVIRON$.
//
// Strings are worked on in their CP932 byte form: the plain functions
// count bytes, the K functions count characters (values/ShiftJisText.h).
// A result that ends inside a double-byte character keeps the byte it
// got, so joining the pieces again gives the character back.

#include "values/BuiltinFunctions.h"
#include "values/FunctionArguments.h"
#include "values/NumberText.h"
#include "values/ShiftJisText.h"

#include <QString>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <unistd.h>

namespace korvelin {

namespace {

// Counting in bytes (LEN, MID$, INSTR) or in characters (KLEN, KMID$, KINSTR).
enum class Unit { Byte, Character };

std::size_t sizeIn(Unit unit, std::string_view s) {
    return unit == Unit::Byte ? s.size() : sjis::characterCount(s);
}

// The byte offset `count` units after byte offset `from`.
std::size_t advance(Unit unit, std::string_view s, std::size_t from, std::size_t count) {
    if (unit == Unit::Byte) return std::min(s.size(), from + count);
    return from + sjis::characterOffset(s.substr(from), count);
}

Value length(Interpreter& in) {
    return Value::longInt(static_cast<std::int32_t>(asText(singleArgument(in)).byteForm().size()));
}

Value characterLength(Interpreter& in) {
    return Value::longInt(static_cast<std::int32_t>(sjis::characterCount(textOf(singleArgument(in)))));
}

Value characterCode(Interpreter& in) {
    const std::string s = textOf(singleArgument(in));
    if (s.empty()) raise(ErrIllegalCall);
    // A double-byte code reads as a signed 16-bit number: ASC("亜") is -30561.
    return Value::integer(static_cast<std::int16_t>(sjis::firstCharacterCode(s)));
}

Value characterOfCode(Interpreter& in) {
    std::int32_t code = wholeOf(singleArgument(in));
    // A double-byte code may come as the negative 16-bit number ASC gives.
    if (code < 0 && code >= -32768) code += 65536;
    std::string bytes;
    if (code < 0 || !sjis::characterBytes(static_cast<std::uint32_t>(code), bytes)) raise(ErrIllegalCall);
    return Value::bytes(std::move(bytes));
}

Value numberAsText(Interpreter& in) {
    return Value::bytes(formatNumber(singleArgument(in)));
}

// OCT$ and HEX$: a negative Integer shows its 16-bit form, any other
// negative number its 32-bit form (HEX$(-1) is FFFFFFFF, -1 being a Double).
template <unsigned radix> Value radixText(Interpreter& in) {
    const Value x = singleArgument(in);
    std::uint32_t bits;
    if (x.kind() == ValueKind::Integer || x.kind() == ValueKind::Boolean)
        bits = static_cast<std::uint16_t>(x.rawInteger());
    else
        bits = static_cast<std::uint32_t>(wholeOf(x));
    char digits[12];
    char* p = digits + sizeof digits;
    do {
        *--p = "0123456789ABCDEF"[bits % radix];
        bits /= radix;
    } while (bits != 0);
    return Value::bytes(std::string(p, digits + sizeof digits));
}

Value blanks(Interpreter& in) {
    const std::int32_t n = wholeOf(singleArgument(in));
    if (n <= 0) raise(ErrIllegalCall);
    return Value::bytes(std::string(static_cast<std::size_t>(n), ' '));
}

// STRING$(n, c): c is a code (taken modulo 256) or a string whose first
// character is repeated.
Value repeated(Interpreter& in) {
    openList(in);
    const std::int32_t n = wholeOf(evaluateExpression(in));
    nextInList(in);
    const Value c = evaluateExpression(in);
    closeList(in);
    if (n < 0) raise(ErrIllegalCall);
    std::string unit;
    if (c.isString()) {
        const std::string& s = c.byteForm();
        if (s.empty()) raise(ErrIllegalCall);
        unit = s.substr(0, sjis::characterSize(s, 0));
    } else {
        unit.assign(1, static_cast<char>(wholeOf(c) & 0xFF));
    }
    std::string result;
    result.reserve(unit.size() * static_cast<std::size_t>(n));
    for (std::int32_t i = 0; i < n; ++i)
        result += unit;
    return Value::bytes(std::move(result));
}

// LEFT$(s, n) and RIGHT$(s, n), in bytes.
template <bool fromLeft> Value edge(Interpreter& in) {
    openList(in);
    const Value text = asText(evaluateExpression(in));
    const std::string& s = text.byteForm();
    nextInList(in);
    const std::int32_t n = wholeOf(evaluateExpression(in));
    closeList(in);
    if (n < 0) raise(ErrIllegalCall);
    const std::size_t count = std::min(s.size(), static_cast<std::size_t>(n));
    if (count == s.size()) return text;
    return Value::bytes(fromLeft ? s.substr(0, count) : s.substr(s.size() - count));
}

// MID$(s, p [, n]) and KMID$(s, p [, n]).
template <Unit unit> Value middle(Interpreter& in) {
    openList(in);
    const Value text = asText(evaluateExpression(in));
    const std::string& s = text.byteForm();
    nextInList(in);
    const std::int64_t p = wholeOf(evaluateExpression(in));
    const std::int64_t rest = std::max<std::int64_t>(static_cast<std::int64_t>(sizeIn(unit, s)) - p + 1, 0);
    std::int64_t n = rest;
    if (in.lexer.isSymbol(u',')) {
        // The default of optionalInteger only comes back for an argument
        // that is a string; it cannot exceed 16 bits.
        n = in.optionalInteger(static_cast<std::int16_t>(std::min<std::int64_t>(rest, 32767)));
    }
    closeList(in);
    if (p <= 0 || n < 0) raise(ErrIllegalCall);
    const std::size_t start = advance(unit, s, 0, static_cast<std::size_t>(p - 1));
    const std::size_t end = advance(unit, s, start, static_cast<std::size_t>(n));
    if (start == 0 && end == s.size()) return text;
    return Value::bytes(s.substr(start, end - start));
}

// Whether t occurs in s at byte i as whole characters: the match must not
// end inside a double-byte character of s.
bool occursAt(std::string_view s, std::size_t i, std::string_view t) {
    if (s.compare(i, t.size(), t) != 0) return false;
    std::size_t k = i;
    while (k < i + t.size())
        k += sjis::characterSize(s, k);
    return k == i + t.size();
}

// The position (from 1) of t in s at or after unit p, 0 when it is not
// there. An empty t is found at p itself while p lies inside s.
std::int32_t find(Unit unit, const std::string& s, const std::string& t, std::int32_t p) {
    const auto size = static_cast<std::int64_t>(sizeIn(unit, s));
    if (p > size) return 0;
    if (t.empty()) return p;
    if (unit == Unit::Byte) {
        const std::size_t at = s.find(t, static_cast<std::size_t>(p - 1));
        return at == std::string::npos ? 0 : static_cast<std::int32_t>(at + 1);
    }
    std::size_t i = sjis::characterOffset(s, static_cast<std::size_t>(p - 1));
    for (std::int32_t index = p; i < s.size(); ++index) {
        if (occursAt(s, i, t)) return index;
        i += sjis::characterSize(s, i);
    }
    return 0;
}

// INSTR([p,] s, t) and KINSTR([p,] s, t). The first argument is read one
// level below the logical operators; a String there is s, anything else p.
template <Unit unit> Value search(Interpreter& in) {
    openList(in);
    Value first = evaluateRelation(in);
    std::int32_t p = 1;
    Value s;
    if (first.isString() || first.kind() == ValueKind::Boolean) {
        s = asText(std::move(first));
    } else {
        p = wholeOf(first);
        nextInList(in);
        s = asText(evaluateExpression(in));
    }
    if (p <= 0) raise(ErrIllegalCall);
    nextInList(in);
    const Value t = asText(evaluateExpression(in));
    closeList(in);
    return Value::longInt(find(unit, s.byteForm(), t.byteForm(), p));
}

Value hostText(const char* localText) {
    return Value::text(QString::fromLocal8Bit(localText).toStdU16String());
}

// ENVIRON$("NAME") is the variable's value ("" when it is not set), with
// the name matched without regard to case when no exact match exists, as
// programs written for case-blind hosts expect; ENVIRON$(n) is the n-th
// entry as NAME=value.
Value environment(Interpreter& in) {
    const Value x = singleArgument(in);
    if (x.isString()) {
        const QByteArray name = QString::fromStdU16String(x.unicodeText()).toLocal8Bit();
        if (name.isEmpty() || name.contains('=')) return Value::bytes({});
        if (const char* value = std::getenv(name.constData())) return hostText(value);
        for (char** entry = environ; *entry; ++entry) {
            const char* equals = std::strchr(*entry, '=');
            if (equals && QByteArray(*entry, equals - *entry).compare(name, Qt::CaseInsensitive) == 0)
                return hostText(equals + 1);
        }
        return Value::bytes({});
    }
    std::int32_t n = wholeOf(x);
    if (n < 1) return Value::bytes({});
    for (char** entry = environ; *entry; ++entry) {
        if (--n == 0) return hostText(*entry);
    }
    return Value::bytes({});
}

} // namespace

void registerStringFunctions(BuiltinTable& table) {
    table[KwLen] = length;
    table[KwKlen] = characterLength;
    table[KwAsc] = characterCode;
    table[KwChrS] = characterOfCode;
    table[KwStrS] = numberAsText;
    table[KwOctS] = radixText<8>;
    table[KwHexS] = radixText<16>;
    table[KwSpaceS] = blanks;
    table[KwSpc] = blanks;
    table[KwStringS] = repeated;
    table[KwLeftS] = edge<true>;
    table[KwRightS] = edge<false>;
    table[KwMidS] = middle<Unit::Byte>;
    table[KwKmidS] = middle<Unit::Character>;
    table[KwInstr] = search<Unit::Byte>;
    table[KwKinstr] = search<Unit::Character>;
    table[KwEnvironS] = environment;
}

} // namespace korvelin
