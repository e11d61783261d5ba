#include "FunctionEval.h"
#include "values/WidthTables.h"

#include <QString>
#include <gtest/gtest.h>

#include <set>

namespace korvelin::testing {
namespace {

std::string hex4(int j1, int j2) {
    return QString::asprintf("%02X%02X", j1, j2).toStdString();
}

TEST(KanjiFunctions, WidthConversionExamples) {
    FunctionEval f;
    EXPECT_EQ(f.text(u"AKCNV$(\"ｱB1 \")"), u"アＢ１　");
    EXPECT_EQ(f.text(u"KACNV$(\"アＢ１漢\")"), u"ｱB1漢");
    EXPECT_EQ(f.text(u"AKCNV$(\"ｶﾞｦﾜ\")"), u"カ゛ヲワ"); // voiced kana stay two characters
    EXPECT_EQ(f.text(u"AKCNV$(\"'\\~\" + CHR$(34))"), u"’￥￣”");
    EXPECT_EQ(f.text(u"KACNV$(\"’￥￣”\")"), u"'\\~\"");
    EXPECT_EQ(f.text(u"AKCNV$(\"漢\")"), u"漢");
    EXPECT_EQ(f.text(u"KACNV$(\"ＡＢ\" + LEFT$(\"Ｃ\", 1))"), u"AB" + f.text(u"LEFT$(\"Ｃ\", 1)"));
    EXPECT_EQ(f.text(u"AKCNV$(\"\")"), u"");
}

TEST(KanjiFunctions, TablesPairOneByteWithTwoByteCharacters) {
    std::set<char16_t> half, full;
    for (std::size_t i = 0; i < WidthTableSize; ++i) {
        EXPECT_EQ(cp932::encode(std::u16string(1, HalfWidthTable[i])).size(), 1u) << i;
        EXPECT_EQ(cp932::encode(std::u16string(1, FullWidthTable[i])).size(), 2u) << i;
        half.insert(HalfWidthTable[i]);
        full.insert(FullWidthTable[i]);
    }
    EXPECT_EQ(half.size(), WidthTableSize);
    EXPECT_EQ(full.size(), WidthTableSize);
}

TEST(KanjiFunctions, EveryTablePositionConvertsBothWays) {
    FunctionEval f;
    std::u16string allHalf, allFull;
    for (std::size_t i = 0; i < WidthTableSize; ++i) {
        const Value half = Value::text(std::u16string(1, HalfWidthTable[i]));
        const Value full = Value::text(std::u16string(1, FullWidthTable[i]));
        f.set(u"H$", half);
        f.set(u"F$", full);
        EXPECT_EQ(f.bytes(u"AKCNV$(H$)"), full.byteForm()) << i;
        EXPECT_EQ(f.bytes(u"KACNV$(F$)"), half.byteForm()) << i;
        EXPECT_EQ(f.bytes(u"KACNV$(H$)"), half.byteForm()) << i;
        EXPECT_EQ(f.bytes(u"AKCNV$(F$)"), full.byteForm()) << i;
        allHalf += HalfWidthTable[i];
        allFull += FullWidthTable[i];
    }
    f.set(u"H$", Value::text(allHalf));
    EXPECT_EQ(f.text(u"AKCNV$(H$)"), allFull);
    EXPECT_EQ(f.text(u"KACNV$(AKCNV$(H$))"), allHalf);
}

TEST(KanjiFunctions, JisExamples) {
    FunctionEval f;
    EXPECT_EQ(f.text(u"JIS$(\"亜\")"), u"3021");
    EXPECT_EQ(f.text(u"JIS$(\"亜A\")"), u"3021");
    EXPECT_EQ(f.text(u"KNJ$(\"3021\")"), u"亜");
    EXPECT_EQ(f.text(u"KNJ$(\"3021XYZ\")"), u"亜");
    EXPECT_EQ(f.bytes(u"KNJ$(\"7421\")"), "\xEA\x9F");
    EXPECT_EQ(f.text(u"JIS$(\"あ\")"), u"2422");
    EXPECT_EQ(f.text(u"KNJ$(\"2422\")"), u"あ");
    EXPECT_EQ(f.error(u"JIS$(\"\")"), 5);
    EXPECT_EQ(f.error(u"KNJ$(\"0000\")"), 5);
}

TEST(KanjiFunctions, JisAndKnjRoundTripOverEveryJisRow) {
    FunctionEval f;
    for (int j1 = 0x21; j1 <= 0x7E; ++j1) {
        for (int j2 = 0x21; j2 <= 0x7E; ++j2) {
            const std::string code = hex4(j1, j2);
            f.set(u"J$", Value::bytes(code));
            const Value kanji = f.value(u"KNJ$(J$)");
            ASSERT_EQ(kanji.byteForm().size(), 2u) << code;
            f.set(u"K$", kanji);
            ASSERT_EQ(f.bytes(u"JIS$(K$)"), code);
            ASSERT_EQ(f.num(u"KLEN(K$)"), 1) << code;
        }
    }
}

} // namespace
} // namespace korvelin::testing
