// CP932 <-> UTF-16 through tables generated from iconv at build time
// (tools/GenerateCp932Tables.cpp).
//
// Decoding splits the bytes into units, each of which encodes back to exactly
// its own bytes: an ASCII byte, a half-width katakana byte, a lead/trail pair
// that is a character, or a byte that is none of these (U+F780 + byte). A lead
// byte whose next byte does not complete a character is such a lone byte, and
// the next byte starts a unit of its own. So decode then encode returns the
// original bytes, with one exception the encoding itself forces: a character
// with two codes is written with the code Windows writes. These pairs come back
// as their preferred twin:
//   - NEC row 13 ≒≡∫√⊥∠∵∩∪ (0x8790-0x879C) come back as row 2 (0x81xx);
//   - every NEC-selected IBM extension (0xED40-0xEEFC) comes back as its
//     IBM extension code (0xFA40-0xFC4B), and ￢ (0xEEF9) as 0x81CA;
//   - the IBM extension's Ⅰ-Ⅹ, ￢, №, ℡, ㈱ and ∵ (0xFA4A-0xFA5B) come back as
//     their NEC row 13 or row 2 codes.
// The rewritten code still has two bytes, so lengths and offsets hold, but its
// new lead byte can pair up with a lone byte before it (0xEE 0xED 0x40 comes
// back as 0xEE 0xFA 0x5C, which reads as ￤ then '\'): only bytes free of
// these codes are guaranteed to come back as the same text.
//
// Encoding follows iconv in also writing a few look-alikes that no code
// decodes to (¥ U+00A5 as 0x5C, 〜 U+301C as 0x8160, − U+2212 as 0x817C ...);
// anything else without a code becomes '?', as Windows writes it.

#include "values/Cp932.h"

#include "Cp932Tables.h"

#include <cstdint>
#include <cstring>

namespace korvelin::cp932 {
namespace {

using namespace tables;

static_assert(sizeof kPairs / sizeof kPairs[0] == kLeadCount * kTrailCount);
static_assert(sizeof kEncodePageIndex / sizeof kEncodePageIndex[0] == 256);

constexpr bool leadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// The character of a byte that does not start a pair.
constexpr char16_t singleByteChar(unsigned char b) {
    if (b < 0x80) return b;
    if (b >= 0xA1 && b <= 0xDF) return char16_t(0xFF61 + (b - 0xA1));
    return char16_t(kInvalidByteBase + b);
}

// The character of a lead/trail pair, or 0 when the pair is not one.
char16_t pairChar(unsigned char lead, unsigned char trail) {
    if (trail < kTrailFirst || trail > kTrailLast) return 0;
    int row = lead < 0xA0 ? lead - 0x81 : lead - 0xE0 + 31;
    return kPairs[row * kTrailCount + (trail - kTrailFirst)];
}

// A single byte (< 0x100) or lead << 8 | trail; '?' for characters without a code.
std::uint16_t codeOf(char16_t c) {
    return kEncodePages[kEncodePageIndex[c >> 8] * 256 + (c & 0xFF)];
}

bool isHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool isLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// Most program text and data is ASCII; these let the loops move it eight
// bytes or four characters at a time.
bool eightAsciiBytes(const unsigned char* p) {
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    return (word & 0x8080808080808080u) == 0;
}

bool fourAsciiChars(const char16_t* p) {
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    return (word & 0xFF80FF80FF80FF80u) == 0;
}

} // namespace

bool isLeadByte(unsigned char b) {
    return leadByte(b);
}

bool isDoubleByte(char16_t c) {
    return codeOf(c) > 0xFF;
}

std::u16string decode(std::string_view bytes) {
    // Every byte yields at most one character.
    std::u16string text(bytes.size(), u'\0');
    char16_t* out = text.data();
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* end = in + bytes.size();
    while (in != end) {
        while (end - in >= 8 && eightAsciiBytes(in)) {
            for (int k = 0; k < 8; ++k)
                out[k] = in[k];
            in += 8;
            out += 8;
        }
        if (in == end) break;
        unsigned char b = *in++;
        if (leadByte(b) && in != end) {
            if (char16_t c = pairChar(b, *in)) {
                *out++ = c;
                ++in;
                continue;
            }
        }
        *out++ = singleByteChar(b);
    }
    text.resize(static_cast<size_t>(out - text.data()));
    return text;
}

std::string encode(std::u16string_view text) {
    // Every character yields at most two bytes.
    std::string bytes(text.size() * 2, '\0');
    char* out = bytes.data();
    const char16_t* in = text.data();
    const char16_t* end = in + text.size();
    while (in != end) {
        while (end - in >= 4 && fourAsciiChars(in)) {
            for (int k = 0; k < 4; ++k)
                out[k] = static_cast<char>(in[k]);
            in += 4;
            out += 4;
        }
        if (in == end) break;
        char16_t c = *in++;
        // A character beyond the BMP is one character: one '?', not two.
        if (isHighSurrogate(c) && in != end && isLowSurrogate(*in)) ++in;
        std::uint16_t code = codeOf(c);
        if (code > 0xFF) *out++ = static_cast<char>(code >> 8);
        *out++ = static_cast<char>(code & 0xFF);
    }
    bytes.resize(static_cast<size_t>(out - bytes.data()));
    return bytes;
}

} // namespace korvelin::cp932
