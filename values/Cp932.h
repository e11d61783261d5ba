#pragma once
// Conversion between Shift-JIS (code page 932, with the NEC and IBM extension
// rows) and UTF-16. Any byte string survives decode then encode unchanged:
// bytes that are not valid CP932 decode to private-use characters that
// encode back to the same bytes.

#include <string>
#include <string_view>

namespace korvelin::cp932 {

std::u16string decode(std::string_view bytes);
std::string encode(std::u16string_view text);

// True when the character takes two bytes in CP932 (kanji, full-width kana ...).
bool isDoubleByte(char16_t c);
// True when the byte starts a two-byte character.
bool isLeadByte(unsigned char b);

} // namespace korvelin::cp932
