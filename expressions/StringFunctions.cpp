// LEN, KLEN, ASC, CHR$, STR$, OCT$, HEX$, SPACE$, SPC, STRING$, LEFT$,
// RIGHT$, MID$, KMID$, INSTR, KINSTR and ENVIRON$.
//
// Strings are worked on in their CP932 byte form: the plain functions
// count bytes, the K functions count characters (values/ShiftJisText.h).
// A result that ends inside a double-byte character keeps the byte it
// got, so joining the pieces again gives the character back.

#include "expressions/BuiltinFunctions.h"
#include "expressions/FunctionArguments.h"
#include "values/CheckedNumbers.h"
#include "values/NumberText.h"
#include "values/ShiftJisText.h"

#include <QString>

#include <algorithm>
#include <functional>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <unistd.h>

namespace korvelin {

namespace {

std::size_t sizeIn(TextUnit unit, std::string_view s) {
    return unit == TextUnit::Byte ? s.size() : sjis::characterCount(s);
}

// The byte offset `count` units after byte offset `from`.
std::size_t advance(TextUnit unit, std::string_view s, std::size_t from, std::size_t count) {
    if (unit == TextUnit::Byte) return std::min(s.size(), from + count);
    return from + sjis::characterOffset(s.substr(from), count);
}

// An argument used as text, without copying the bytes of a String;
// `spelled` keeps the text of a number.
std::string_view textView(const Value& v, std::string& spelled) {
    if (v.isString()) return v.byteForm();
    spelled = textOf(v);
    return spelled;
}

Value length(const Value& x) {
    std::string spelled;
    return Value::longInt(static_cast<std::int32_t>(textView(x, spelled).size()));
}

Value characterLength(const Value& x) {
    std::string spelled;
    return Value::longInt(static_cast<std::int32_t>(sjis::characterCount(textView(x, spelled))));
}

Value characterCode(const Value& x) {
    std::string spelled;
    const std::string_view s = textView(x, spelled);
    if (s.empty()) raise(ErrIllegalCall);
    // A double-byte code reads as a signed 16-bit number: ASC("亜") is -30561.
    return Value::integer(static_cast<std::int16_t>(sjis::firstCharacterCode(s)));
}

Value characterOfCode(const Value& x) {
    std::int32_t code = wholeOf(x);
    // A double-byte code may come as the negative 16-bit number ASC gives.
    if (code < 0 && code >= -32768) code += 65536;
    std::string bytes;
    if (code < 0 || !sjis::characterBytes(static_cast<std::uint32_t>(code), bytes)) raise(ErrIllegalCall);
    return Value::bytes(std::move(bytes));
}

Value numberAsText(const Value& x) {
    return Value::bytes(formatNumber(x));
}

// OCT$ and HEX$: a negative Integer shows its 16-bit form, any other
// negative number its 32-bit form (HEX$(-1) is FFFFFFFF, -1 being a Double).
template <unsigned radix> Value radixText(const Value& x) {
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

Value blanks(const Value& x) {
    const std::int32_t n = wholeOf(x);
    if (n <= 0) raise(ErrIllegalCall);
    checkStringBytes(static_cast<std::size_t>(n));
    return Value::bytes(std::string(static_cast<std::size_t>(n), ' '));
}

// STRING$(n, c)
Value repeated(Interpreter& in) {
    openList(in);
    const std::int32_t n = wholeOf(evaluateExpression(in));
    nextInList(in);
    const Value c = evaluateExpression(in);
    closeList(in);
    return repeatedOf(n, c);
}

// LEFT$(s, n) and RIGHT$(s, n), in bytes.
template <bool fromLeft> Value edge(Interpreter& in) {
    openList(in);
    const Value text = asText(evaluateExpression(in));
    nextInList(in);
    const std::int32_t n = wholeOf(evaluateExpression(in));
    closeList(in);
    return edgeOf(fromLeft, text, n);
}

// MID$(s, p [, n]) and KMID$(s, p [, n]).
template <TextUnit unit> Value middle(Interpreter& in) {
    openList(in);
    const Value text = asText(evaluateExpression(in));
    nextInList(in);
    const std::int64_t p = wholeOf(evaluateExpression(in));
    std::int64_t n = middleRest(unit, text, p);
    if (in.lexer.isSymbol(u',')) {
        // Another "," right away leaves the count out, and the ")" check
        // below fails on it.
        in.lexer.nextToken();
        if (!in.lexer.isSymbol(u',')) n = middleCount(evaluateExpression(in), n);
    }
    closeList(in);
    return middleOf(unit, text, p, n);
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

// The first byte offset of t in s at or after `from`, or npos. A long t is
// searched with Boyer-Moore, so a search takes time in proportion to the
// text even for patterns like "AAA...AB" in "AAA...A".
std::size_t findBytes(std::string_view s, std::string_view t, std::size_t from) {
    if (from > s.size()) return std::string_view::npos;
    if (t.size() < 16) return s.find(t, from);
    const std::boyer_moore_searcher searcher(t.begin(), t.end());
    const auto found = std::search(s.begin() + static_cast<std::ptrdiff_t>(from), s.end(), searcher);
    return found == s.end() ? std::string_view::npos : static_cast<std::size_t>(found - s.begin());
}

// The position (from 1) of t in s at or after unit p, 0 when it is not
// there. An empty t is found at p itself while p lies inside s.
std::int32_t find(TextUnit unit, const std::string& s, const std::string& t, std::int32_t p) {
    const auto size = static_cast<std::int64_t>(sizeIn(unit, s));
    if (p > size) return 0;
    if (t.empty()) return p;
    if (unit == TextUnit::Byte) {
        const std::size_t at = findBytes(s, t, static_cast<std::size_t>(p - 1));
        return at == std::string::npos ? 0 : static_cast<std::int32_t>(at + 1);
    }
    // Byte matches are candidates; walking the characters up to each one
    // tells whether it starts on a character, and counts them on the way.
    std::size_t i = sjis::characterOffset(s, static_cast<std::size_t>(p - 1));
    std::int32_t index = p;
    for (std::size_t candidate = findBytes(s, t, i); candidate != std::string::npos;) {
        while (i < candidate) {
            i += sjis::characterSize(s, i);
            ++index;
        }
        if (i == candidate && occursAt(s, i, t)) return index;
        candidate = findBytes(s, t, i == candidate ? i + 1 : i);
    }
    return 0;
}

// INSTR([p,] s, t) and KINSTR([p,] s, t). The first argument is read one
// level below the logical operators; a String there is s, anything else p,
// so its kind decides which tokens come next.
template <TextUnit unit> Value search(Interpreter& in) {
    openList(in);
    Value first = evaluateRelation(in);
    std::int32_t p = 1;
    Value s;
    if (searchBeginsWithText(first)) {
        s = asText(std::move(first));
    } else {
        p = wholeOf(first);
        nextInList(in);
        s = asText(evaluateExpression(in));
    }
    checkSearchStart(p);
    nextInList(in);
    const Value t = asText(evaluateExpression(in));
    closeList(in);
    return searchOf(unit, s, t, p);
}

Value hostText(const char* localText) {
    return Value::text(QString::fromLocal8Bit(localText).toStdU16String());
}

// ENVIRON$("NAME") is the variable's value ("" when it is not set), with
// the name matched without regard to case when no exact match exists, as
// programs written for case-blind hosts expect; ENVIRON$(n) is the n-th
// entry as NAME=value.
Value environment(const Value& x) {
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

// ENVIRON$ is left to its reader: the host's environment is no
// arithmetic of the program's.
constexpr OneArgumentEntry oneArgumentFunctions[] = {
    {KwLen, length, readOneArgument<length>},
    {KwKlen, characterLength, readOneArgument<characterLength>},
    {KwAsc, characterCode, readOneArgument<characterCode>},
    {KwChrS, characterOfCode, readOneArgument<characterOfCode>},
    {KwStrS, numberAsText, readOneArgument<numberAsText>},
    {KwOctS, radixText<8>, readOneArgument<radixText<8>>},
    {KwHexS, radixText<16>, readOneArgument<radixText<16>>},
    {KwSpaceS, blanks, readOneArgument<blanks>},
    {KwSpc, blanks, readOneArgument<blanks>},
};

} // namespace

Value edgeOf(bool fromLeft, const Value& text, std::int32_t n) {
    if (n < 0) raise(ErrIllegalCall);
    const std::string& s = text.byteForm();
    const std::size_t count = std::min(s.size(), static_cast<std::size_t>(n));
    if (count == s.size()) return text;
    return Value::bytes(fromLeft ? s.substr(0, count) : s.substr(s.size() - count));
}

std::int64_t middleRest(TextUnit unit, const Value& text, std::int64_t p) {
    return std::max<std::int64_t>(static_cast<std::int64_t>(sizeIn(unit, text.byteForm())) - p + 1, 0);
}

// The count is taken down to a whole number, and must fit 16 bits; a
// String or a truth value stands for the rest, as far as 16 bits reach.
std::int64_t middleCount(const Value& n, std::int64_t rest) {
    if (n.isString() || n.kind() == ValueKind::Boolean) return std::min<std::int64_t>(rest, 32767);
    return flooredInteger(n.toDouble());
}

Value middleOf(TextUnit unit, const Value& text, std::int64_t p, std::int64_t n) {
    if (p <= 0 || n < 0) raise(ErrIllegalCall);
    const std::string& s = text.byteForm();
    const std::size_t start = advance(unit, s, 0, static_cast<std::size_t>(p - 1));
    const std::size_t end = advance(unit, s, start, static_cast<std::size_t>(n));
    if (start == 0 && end == s.size()) return text;
    return Value::bytes(s.substr(start, end - start));
}

bool searchBeginsWithText(const Value& first) {
    return first.isString() || first.kind() == ValueKind::Boolean;
}

void checkSearchStart(std::int32_t p) {
    if (p <= 0) raise(ErrIllegalCall);
}

Value searchOf(TextUnit unit, const Value& s, const Value& t, std::int32_t p) {
    return Value::longInt(find(unit, s.byteForm(), t.byteForm(), p));
}

// c is a code (taken modulo 256) or a string whose first character is
// repeated.
Value repeatedOf(std::int32_t n, const Value& c) {
    if (n < 0) raise(ErrIllegalCall);
    std::string unit;
    if (c.isString()) {
        const std::string& s = c.byteForm();
        if (s.empty()) raise(ErrIllegalCall);
        unit = s.substr(0, sjis::characterSize(s, 0));
    } else {
        unit.assign(1, static_cast<char>(wholeOf(c) & 0xFF));
    }
    checkStringBytes(unit.size() * static_cast<std::size_t>(n));
    std::string result;
    result.reserve(unit.size() * static_cast<std::size_t>(n));
    for (std::int32_t i = 0; i < n; ++i)
        result += unit;
    return Value::bytes(std::move(result));
}

OneArgumentFunction stringFunctionOf(int keyword) {
    return findOneArgumentFunction(oneArgumentFunctions, keyword);
}

void registerStringFunctions(BuiltinTable& table) {
    registerOneArgumentFunctions(table, oneArgumentFunctions);
    table[KwEnvironS] = readOneArgument<environment>;
    table[KwStringS] = repeated;
    table[KwLeftS] = edge<true>;
    table[KwRightS] = edge<false>;
    table[KwMidS] = middle<TextUnit::Byte>;
    table[KwKmidS] = middle<TextUnit::Character>;
    table[KwInstr] = search<TextUnit::Byte>;
    table[KwKinstr] = search<TextUnit::Character>;
}

} // namespace korvelin
