#include "values/Cp932.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>
#include <string>

namespace cp932 = korvelin::cp932;

namespace {

std::string bytes(std::initializer_list<int> values) {
    std::string s;
    for (int v : values)
        s.push_back(static_cast<char>(v));
    return s;
}

std::string pair(unsigned code) {
    return bytes({int(code >> 8), int(code & 0xFF)});
}

unsigned codeOf(const std::string& s) {
    unsigned code = 0;
    for (unsigned char b : s)
        code = code << 8 | b;
    return code;
}

// Pairs whose character Windows writes with another code, and that code.
const std::map<unsigned, unsigned> kDuplicatesOutsideIbmNecRows = {
    {0x8790, 0x81E0}, {0x8791, 0x81DF}, {0x8792, 0x81E7}, {0x8795, 0x81E3}, {0x8796, 0x81DB},
    {0x8797, 0x81DA}, {0x879A, 0x81E6}, {0x879B, 0x81BF}, {0x879C, 0x81BE}, {0xFA4A, 0x8754},
    {0xFA4B, 0x8755}, {0xFA4C, 0x8756}, {0xFA4D, 0x8757}, {0xFA4E, 0x8758}, {0xFA4F, 0x8759},
    {0xFA50, 0x875A}, {0xFA51, 0x875B}, {0xFA52, 0x875C}, {0xFA53, 0x875D}, {0xFA54, 0x81CA},
    {0xFA58, 0x878A}, {0xFA59, 0x8782}, {0xFA5A, 0x8784}, {0xFA5B, 0x81E6},
};

bool isNecSelectedIbm(unsigned code) {
    return code >= 0xED40 && code <= 0xEEFC;
}

} // namespace

TEST(Cp932, EverySingleByteSurvivesOnItsOwn) {
    std::set<char16_t> invalidChars;
    for (int b = 0; b < 0x100; ++b) {
        std::u16string text = cp932::decode(bytes({b}));
        ASSERT_EQ(text.size(), 1u) << b;
        EXPECT_EQ(cp932::encode(text), bytes({b})) << b;
        EXPECT_FALSE(cp932::isDoubleByte(text[0])) << b;
        if (b < 0x80) {
            EXPECT_EQ(text[0], char16_t(b));
        } else if (b >= 0xA1 && b <= 0xDF) {
            EXPECT_EQ(text[0], char16_t(0xFF61 + b - 0xA1));
        } else {
            // Undecodable bytes: private use, but not posing as user-defined characters.
            EXPECT_TRUE(text[0] > 0xE757 && text[0] <= 0xF8FF) << b;
            invalidChars.insert(text[0]);
        }
    }
    EXPECT_EQ(invalidChars.size(), 0x80u - 0x3Fu);
}

TEST(Cp932, EveryTwoByteStringSurvivesExceptDuplicateCodes) {
    std::set<unsigned> changed;
    int necSelectedIbmChars = 0;
    for (unsigned code = 0; code < 0x10000; ++code) {
        std::string s = pair(code);
        std::u16string text = cp932::decode(s);
        ASSERT_TRUE(text.size() == 1 || text.size() == 2);
        if (text.size() == 1) necSelectedIbmChars += isNecSelectedIbm(code);
        std::string back = cp932::encode(text);
        if (back == s) continue;
        changed.insert(code);
        // Only a real duplicate may change: the written code is the same character.
        ASSERT_EQ(text.size(), 1u) << std::hex << code;
        EXPECT_EQ(cp932::decode(back), text) << std::hex << code;
        auto known = kDuplicatesOutsideIbmNecRows.find(code);
        if (known != kDuplicatesOutsideIbmNecRows.end()) {
            EXPECT_EQ(codeOf(back), known->second) << std::hex << code;
        } else {
            EXPECT_TRUE(isNecSelectedIbm(code)) << std::hex << code;
            unsigned written = codeOf(back);
            EXPECT_TRUE((written >= 0xFA40 && written <= 0xFC4B) || written == 0x81CA) << std::hex << code;
        }
    }
    // 0xEEED and 0xEEEE are the only holes in those two rows.
    EXPECT_EQ(necSelectedIbmChars, 2 * 188 - 2);
    std::set<unsigned> expected;
    for (auto [code, preferred] : kDuplicatesOutsideIbmNecRows)
        expected.insert(code);
    for (unsigned code = 0xED40; code <= 0xEEFC; ++code)
        if (cp932::decode(pair(code)).size() == 1) expected.insert(code);
    EXPECT_EQ(changed, expected);
}

TEST(Cp932, KnownCharacters) {
    const std::pair<std::u16string, std::string> cases[] = {
        {u"亜", pair(0x889F)},     {u"漢", pair(0x8ABF)},     {u"ｱ", bytes({0xB1})},
        {u"①", pair(0x8740)},      {u"￢", pair(0x81CA)},     {u"∵", pair(0x81E6)},
        {u"\u3000", pair(0x8140)}, {u"＼", pair(0x815F)},     {u"～", pair(0x8160)},
        {u"∥", pair(0x8161)},      {u"－", pair(0x817C)},     {u"―", pair(0x815C)},
        {u"Ⅰ", pair(0x8754)},      {u"ⅰ", pair(0xFA40)},      {u"纊", pair(0xFA5C)},
        {u"黑", pair(0xFC4B)},     {u"\\~", "\\~"},           {u"\uE000", pair(0xF040)},
        {u"\uE0BC", pair(0xF140)}, {u"\uE757", pair(0xF9FC)},
    };
    for (const auto& [text, encoded] : cases) {
        EXPECT_EQ(cp932::encode(text), encoded) << codeOf(encoded);
        EXPECT_EQ(cp932::decode(encoded), text) << codeOf(encoded);
    }
}

TEST(Cp932, EncodingCharactersWithoutACode) {
    // Look-alikes that no code decodes to are still written as their CP932 forms.
    EXPECT_EQ(cp932::encode(u"\u00A5\u203E"), "\\~");
    EXPECT_EQ(cp932::encode(u"\u301C\u2016\u2212\u00AC"),
              pair(0x8160) + pair(0x8161) + pair(0x817C) + pair(0x81CA));
    EXPECT_EQ(cp932::encode(u"é\uE758\uF8F0"), "???");
    EXPECT_EQ(cp932::encode(u"a\U0001F600b"), "a?b");
    EXPECT_EQ(cp932::encode(u"\xD800x\xDC00"), "?x?");
}

TEST(Cp932, BrokenSequencesKeepTheirBytes) {
    const std::string cases[] = {
        bytes({0x88}),             // lead byte at the end
        bytes({'A', 0x88}),        // ... after ASCII
        bytes({0x88, 0x7F, 'B'}),  // trail byte out of range
        bytes({0x88, 0x30}),       // an ASCII digit after a lead
        bytes({0x85, 0x88, 0x9F}), // unassigned pair, then a real one starting at its second byte
        bytes({0xFC, 0xFC, 0x40}), // past the last IBM character
        bytes({0x80, 0xA0, 0xFD, 0xFE, 0xFF}),
    };
    for (const std::string& s : cases)
        EXPECT_EQ(cp932::encode(cp932::decode(s)), s) << s;
    EXPECT_EQ(cp932::decode(bytes({0x88, 0x30})).substr(1), u"0");
    EXPECT_EQ(cp932::decode(bytes({0x85, 0x88, 0x9F})).substr(1), u"亜");
}

TEST(Cp932, AsciiRunsOfEveryLengthAndAlignment) {
    // The ASCII loops take blocks of eight bytes or four characters; a
    // non-ASCII unit at any offset must interrupt them correctly.
    for (size_t length = 0; length < 20; ++length) {
        for (size_t at = 0; at <= length; ++at) {
            std::string s = std::string(at, 'x') + pair(0x889F) + std::string(length - at, 'x');
            std::u16string text = std::u16string(at, u'x') + u"亜" + std::u16string(length - at, u'x');
            EXPECT_EQ(cp932::decode(s), text) << length << " " << at;
            EXPECT_EQ(cp932::encode(text), s) << length << " " << at;
        }
    }
}

TEST(Cp932, RandomByteStringsSurvive) {
    std::mt19937 random(932);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 2000; ++round) {
        std::string s;
        std::string raw;
        for (int i = 0; i < 64; ++i) {
            int b = byte(random);
            raw.push_back(static_cast<char>(b));
            // Keep duplicate codes out of the exact check; a space never completes a pair.
            unsigned code = s.empty() ? 0 : (static_cast<unsigned char>(s.back()) << 8 | unsigned(b));
            if (kDuplicatesOutsideIbmNecRows.count(code) || isNecSelectedIbm(code)) b = ' ';
            s.push_back(static_cast<char>(b));
        }
        ASSERT_EQ(cp932::encode(cp932::decode(s)), s);
        // A rewritten duplicate is still two bytes, so byte lengths and offsets hold.
        ASSERT_EQ(cp932::encode(cp932::decode(raw)).size(), raw.size());
    }
}

TEST(Cp932, DoubleByteCharactersAndLeadBytes) {
    EXPECT_FALSE(cp932::isDoubleByte(u'A'));
    EXPECT_FALSE(cp932::isDoubleByte(u'ｱ'));
    EXPECT_TRUE(cp932::isDoubleByte(u'亜'));
    EXPECT_TRUE(cp932::isDoubleByte(u'\u3000'));
    EXPECT_TRUE(cp932::isDoubleByte(u'\uE000'));
    for (unsigned c = 0; c < 0x10000; ++c) {
        std::u16string text(1, char16_t(c));
        ASSERT_EQ(cp932::isDoubleByte(char16_t(c)), cp932::encode(text).size() == 2) << std::hex << c;
    }
    for (unsigned code = 0; code < 0x10000; ++code) {
        if (cp932::decode(pair(code)).size() == 1) {
            ASSERT_TRUE(cp932::isLeadByte(static_cast<unsigned char>(code >> 8))) << std::hex << code;
        }
    }
    // Lead bytes of rows without characters still start a pair.
    for (int b : {0x85, 0xEF, 0xFC})
        EXPECT_TRUE(cp932::isLeadByte(static_cast<unsigned char>(b))) << b;
    for (int b : {0x7F, 0x80, 0xA0, 0xA1, 0xDF, 0xFD})
        EXPECT_FALSE(cp932::isLeadByte(static_cast<unsigned char>(b))) << b;
}
