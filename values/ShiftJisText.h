#pragma once
// Stepping through the CP932 byte form of a string one character at a
// time, for the functions that count characters (KLEN, KMID$, KINSTR) and
// those that read the code of a character (ASC, JIS$).
//
// A character is two bytes when a lead byte is followed by a byte of the
// trail range, whether or not the pair is an assigned code: the JIS rows
// that CP932 leaves empty still have codes that KNJ$ makes and JIS$ must
// read back. Every other byte, including a lead byte cut off from its
// trail by LEFT$ or MID$, is a character of its own, so a string cut in
// the middle of a character and joined again has its bytes back intact.

#include "values/Cp932.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace korvelin::sjis {

inline bool isTrailByte(unsigned char b) {
    return b >= 0x40 && b <= 0xFC && b != 0x7F;
}

// The number of bytes (1 or 2) of the character that starts at byte i.
inline std::size_t characterSize(std::string_view s, std::size_t i) {
    const auto b = static_cast<unsigned char>(s[i]);
    if (b < 0x80 || i + 1 >= s.size()) return 1;
    return cp932::isLeadByte(b) && isTrailByte(static_cast<unsigned char>(s[i + 1])) ? 2 : 1;
}

inline std::size_t characterCount(std::string_view s) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < s.size(); i += characterSize(s, i))
        ++count;
    return count;
}

// The byte offset of the character with the 0-based index k, or the byte
// length when the string has fewer characters.
inline std::size_t characterOffset(std::string_view s, std::size_t k) {
    std::size_t i = 0;
    for (; i < s.size() && k > 0; --k)
        i += characterSize(s, i);
    return i;
}

// The code of the first character: its byte, or lead * 256 + trail.
// The string must not be empty.
inline std::uint16_t firstCharacterCode(std::string_view s) {
    const auto lead = static_cast<unsigned char>(s[0]);
    if (characterSize(s, 0) == 1) return lead;
    return static_cast<std::uint16_t>(lead << 8 | static_cast<unsigned char>(s[1]));
}

// The bytes of a character code: one byte for 0..255, lead and trail for
// a double-byte code. False when the code is no character (a code above
// 255 whose bytes are not a lead byte and a trail byte).
inline bool characterBytes(std::uint32_t code, std::string& out) {
    if (code <= 0xFF) {
        out.assign(1, static_cast<char>(code));
        return true;
    }
    const unsigned lead = code >> 8, trail = code & 0xFF;
    if (code > 0xFFFF || !cp932::isLeadByte(static_cast<unsigned char>(lead)) ||
        !isTrailByte(static_cast<unsigned char>(trail)))
        return false;
    out = {static_cast<char>(lead), static_cast<char>(trail)};
    return true;
}

// The Shift-JIS code of a JIS code (row j1, cell j2), by the standard
// rule; rows beyond &H5E get the lead bytes from &HE0 on.
inline std::uint32_t jisToShiftJis(int j1, int j2) {
    if (j1 % 2 == 1) {
        if (j2 >= 0x60) j2 += 1;
        j2 += 0x1F;
    } else {
        j2 += 0x7E;
    }
    int s1 = (j1 - 0x21) / 2 + 0x81;
    if (s1 >= 0xA0) s1 += 0x40;
    return static_cast<std::uint32_t>(s1 * 0x100 + j2);
}

} // namespace korvelin::sjis
