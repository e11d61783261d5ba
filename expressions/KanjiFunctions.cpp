// AKCNV$ and KACNV$ (half-width <-> full-width), JIS$ and KNJ$
// (Shift-JIS <-> JIS codes).

#include "expressions/BuiltinFunctions.h"
#include "expressions/FunctionArguments.h"
#include "values/NumberText.h"
#include "values/ShiftJisText.h"
#include "values/WidthTables.h"

#include <algorithm>

namespace korvelin {

namespace {

static_assert(HalfWidthTable[94] == u'~' && FullWidthTable[94] == u'￣');
static_assert(HalfWidthTable[154] == 0xFF66 && FullWidthTable[154] == u'ヲ');
static_assert(HalfWidthTable[157] == 0xFF9F && FullWidthTable[157] == u'゜');

// The character of a one-byte CP932 code, and back.
char16_t halfWidthChar(unsigned char b) {
    if (b >= 0xA1 && b <= 0xDF) return static_cast<char16_t>(0xFF61 + (b - 0xA1));
    return b < 0x80 ? b : 0;
}
char halfWidthByte(char16_t c) {
    return static_cast<char>(c < 0x80 ? c : 0xA1 + (c - 0xFF61));
}

template <std::size_t N> std::size_t positionIn(const std::array<char16_t, N>& table, char16_t c) {
    return static_cast<std::size_t>(std::find(table.begin(), table.end(), c) - table.begin());
}

// Each one-byte character found in HalfWidthTable becomes its full-width
// twin; voiced kana stay two characters (ｶﾞ gives カ゛).
Value toFullWidth(Interpreter& in) {
    const std::string s = textOf(singleArgument(in));
    std::string out;
    out.reserve(s.size() * 2);
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t size = sjis::characterSize(s, i);
        const char16_t c = size == 1 ? halfWidthChar(static_cast<unsigned char>(s[i])) : 0;
        const std::size_t at = c ? positionIn(HalfWidthTable, c) : WidthTableSize;
        if (at < WidthTableSize)
            out += cp932::encode(std::u16string_view(&FullWidthTable[at], 1));
        else
            out.append(s, i, size);
        i += size;
    }
    return Value::bytes(std::move(out));
}

// Each two-byte character found in FullWidthTable becomes its half-width twin.
Value toHalfWidth(Interpreter& in) {
    const std::string s = textOf(singleArgument(in));
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t size = sjis::characterSize(s, i);
        std::size_t at = WidthTableSize;
        if (size == 2) {
            const std::u16string c = cp932::decode(std::string_view(s).substr(i, 2));
            if (c.size() == 1) at = positionIn(FullWidthTable, c[0]);
        }
        if (at < WidthTableSize)
            out += halfWidthByte(HalfWidthTable[at]);
        else
            out.append(s, i, size);
        i += size;
    }
    return Value::bytes(std::move(out));
}

// The low byte of a number as two upper-case hexadecimal digits.
void appendHexByte(std::string& out, int v) {
    constexpr char digits[] = "0123456789ABCDEF";
    out += digits[(v >> 4) & 0xF];
    out += digits[v & 0xF];
}

Value shiftJisToJis(Interpreter& in) {
    const std::string s = textOf(singleArgument(in));
    if (s.empty()) raise(ErrIllegalCall);
    const unsigned code = sjis::firstCharacterCode(s);
    int s1 = static_cast<int>(code >> 8);
    int s2 = static_cast<int>(code & 0xFF);
    if (s1 >= 0xE0) s1 -= 0x40;
    int j1;
    if (s2 < 0x9F) {
        if (s2 >= 0x80) s2 -= 1;
        s2 -= 0x1F;
        j1 = (s1 - 0x81) * 2 + 0x21;
    } else {
        s2 -= 0x7E;
        j1 = (s1 - 0x81) * 2 + 0x22;
    }
    std::string out;
    appendHexByte(out, j1);
    appendHexByte(out, s2);
    return Value::bytes(std::move(out));
}

// The value of the leading hexadecimal digits of a piece of text (0 when
// it does not start with one).
int hexValue(std::string_view digits) {
    int v = 0;
    for (char c : digits) {
        const int d = hexDigitValue(c);
        if (d < 0) break;
        v = v * 16 + d;
    }
    return v;
}

// KNJ$("3021") is 亜. Digits that name no double-byte code are error 5,
// as CHR$ of that code would be.
Value jisToShiftJis(Interpreter& in) {
    const std::string s = textOf(singleArgument(in));
    const std::string_view view(s);
    const int j1 = hexValue(view.substr(0, 2));
    const int j2 = hexValue(view.substr(std::min<std::size_t>(2, view.size()), 2));
    std::string bytes;
    if (!sjis::characterBytes(sjis::jisToShiftJis(j1, j2), bytes) || bytes.size() != 2) raise(ErrIllegalCall);
    return Value::bytes(std::move(bytes));
}

} // namespace

void registerKanjiFunctions(BuiltinTable& table) {
    table[KwAkcnvS] = toFullWidth;
    table[KwKacnvS] = toHalfWidth;
    table[KwJisS] = shiftJisToJis;
    table[KwKnjS] = jisToShiftJis;
}

} // namespace korvelin
