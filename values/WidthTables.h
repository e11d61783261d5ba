#pragma once
// The paired tables of AKCNV$ and KACNV$: position i of HalfWidthTable is
// the half-width form of position i of FullWidthTable.
//
//   1..3     blank, "!", '"'       ideographic space, "！", "”"
//   4..95    "#".."~" in code order  their full-width forms, except that "'"
//                                    pairs with "’", "\" with "￥" and "~"
//                                    with "￣"
//   96..158  the half-width kana     their full-width kana and signs, with
//            "｡".."ﾟ" in code order  "ｦ" moved behind "ﾜ" as the kana
//                                    order of the full-width side puts "ヲ"
//
// The kana part has all 63 half-width characters, so the tables have 158
// positions.

#include <array>
#include <cstddef>

namespace korvelin {

constexpr std::size_t WidthTableSize = 158;

constexpr std::array<char16_t, WidthTableSize> makeHalfWidthTable() {
    std::array<char16_t, WidthTableSize> t{};
    std::size_t i = 0;
    for (char16_t c : {u' ', u'!', u'"'})
        t[i++] = c;
    for (char16_t c = 0x23; c <= 0x7E; ++c)
        t[i++] = c;
    for (char16_t c = 0xFF61; c <= 0xFF9F; ++c) {
        if (c == 0xFF66) continue; // ｦ follows ﾜ
        t[i++] = c;
        if (c == 0xFF9C) t[i++] = 0xFF66;
    }
    return t;
}

constexpr std::array<char16_t, WidthTableSize> makeFullWidthTable() {
    std::array<char16_t, WidthTableSize> t{};
    std::size_t i = 0;
    for (char16_t c : {u'\u3000', u'！', u'”'})
        t[i++] = c;
    for (char16_t c = 0x23; c <= 0x7E; ++c) {
        switch (c) {
        case u'\'': t[i++] = u'’'; break;
        case u'\\': t[i++] = u'￥'; break;
        case u'~': t[i++] = u'￣'; break;
        default: t[i++] = static_cast<char16_t>(c - 0x20 + 0xFF00); break;
        }
    }
    constexpr char16_t kana[] =
        u"。「」、・ァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノ"
        u"ハヒフヘホマミムメモヤユヨラリルレロワヲン゛゜";
    for (std::size_t k = 0; k + 1 < sizeof kana / sizeof kana[0]; ++k)
        t[i++] = kana[k];
    return t;
}

inline constexpr std::array<char16_t, WidthTableSize> HalfWidthTable = makeHalfWidthTable();
inline constexpr std::array<char16_t, WidthTableSize> FullWidthTable = makeFullWidthTable();

} // namespace korvelin
