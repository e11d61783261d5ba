#include "FunctionEval.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>

namespace korvelin::testing {
namespace {

TEST(RecordConversion, IntegersComeBackAtTheirBoundaries) {
    FunctionEval f;
    for (int v : {-32768, -2, -1, 0, 1, 258, 32767}) {
        f.set(u"V!", Value::dbl(v));
        EXPECT_EQ(f.num(u"CVI(MKI$(V))"), v);
        EXPECT_EQ(f.kind(u"CVI(MKI$(V))"), ValueKind::Integer);
    }
    for (double v : {-2147483648.0, -1.0, 65536.0, 2147483647.0}) {
        f.set(u"V!", Value::dbl(v));
        EXPECT_EQ(f.num(u"CVL(MKL$(V))"), v);
        EXPECT_EQ(f.kind(u"CVL(MKL$(V))"), ValueKind::Long);
    }
    EXPECT_EQ(f.num(u"CVI(MKI$(-2.5))"), -2); // rounded halves to even
    EXPECT_EQ(f.error(u"MKI$(32768)"), 21);
    EXPECT_EQ(f.error(u"MKL$(2147483648)"), 21);
}

TEST(RecordConversion, RealsComeBackBitForBit) {
    FunctionEval f;
    const float singles[] = {1.5f,
                             -0.0f,
                             std::numeric_limits<float>::max(),
                             std::numeric_limits<float>::min(),
                             std::numeric_limits<float>::denorm_min(),
                             1.0f / 3.0f};
    for (float v : singles) {
        f.set(u"V!", Value::single(v));
        const Value back = f.value(u"CVS(MKS$(V))");
        ASSERT_EQ(back.kind(), ValueKind::Single);
        EXPECT_EQ(std::bit_cast<std::uint32_t>(back.rawSingle()), std::bit_cast<std::uint32_t>(v));
    }
    const double doubles[] = {1.0,
                              -1.0,
                              std::numeric_limits<double>::max(),
                              std::numeric_limits<double>::min(),
                              std::numeric_limits<double>::denorm_min(),
                              0.1};
    for (double v : doubles) {
        f.set(u"V#", Value::dbl(v));
        const Value back = f.value(u"CVD(MKD$(V#))");
        ASSERT_EQ(back.kind(), ValueKind::Double);
        EXPECT_EQ(std::bit_cast<std::uint64_t>(back.rawDouble()), std::bit_cast<std::uint64_t>(v));
    }
    EXPECT_EQ(f.error(u"MKS$(1E39)"), 21);
}

TEST(RecordConversion, ImagesAreLittleEndianBytes) {
    FunctionEval f;
    EXPECT_EQ(f.bytes(u"MKI$(258)"), std::string("\x02\x01", 2));
    EXPECT_EQ(f.bytes(u"MKI$(-2)"), std::string("\xFE\xFF", 2));
    EXPECT_EQ(f.bytes(u"MKL$(1)"), std::string("\x01\0\0\0", 4));
    EXPECT_EQ(f.bytes(u"MKS$(1)"), std::string("\0\0\x80\x3F", 4));
    EXPECT_EQ(f.num(u"LEN(MKD$(1))"), 8);
    EXPECT_EQ(f.num(u"LEN(MKS$(1)) + LEN(MKL$(1)) + LEN(MKI$(1))"), 10);
}

TEST(RecordConversion, ImagesSurviveStringOperations) {
    FunctionEval f;
    // 8A 8A reads as one double-byte character; the bytes must still come back.
    EXPECT_EQ(f.num(u"CVI(MKI$(-30070))"), -30070);
    EXPECT_EQ(f.num(u"CVI(MID$(\"Z\" + MKI$(-30070), 2))"), -30070);
    EXPECT_EQ(f.num(u"CVD(LEFT$(MKD$(-1.25) + \"AB\", 8))"), -1.25);
    EXPECT_EQ(f.num(u"CVL(MID$(MKL$(-2), 1, 2) + RIGHT$(MKL$(-2), 2))"), -2);
}

TEST(RecordConversion, WrongLengthIsErrorFive) {
    FunctionEval f;
    EXPECT_EQ(f.error(u"CVS(\"ABC\")"), 5);
    EXPECT_EQ(f.error(u"CVI(\"\")"), 5);
    EXPECT_EQ(f.error(u"CVL(MKI$(1))"), 5);
    EXPECT_EQ(f.error(u"CVD(MKS$(1))"), 5);
    EXPECT_EQ(f.error(u"CVI(\"漢\" + \"A\")"), 5); // three bytes
    EXPECT_EQ(f.num(u"CVI(\"漢\")"), static_cast<std::int16_t>(0xBF8A));
}

TEST(RecordConversion, WrongLengthCanBeTrapped) {
    ProgramRun run(u"10 ON ERROR GOTO 100\n"
                   u"20 X = CVS(\"ABC\")\n"
                   u"30 Y = 1: END\n"
                   u"100 E = ERR: L = ERL: RESUME 30");
    EXPECT_FALSE(run.failed());
    EXPECT_EQ(run.num(u"E!"), 5);
    EXPECT_EQ(run.num(u"L!"), 20);
    EXPECT_EQ(run.num(u"Y!"), 1);
    EXPECT_FALSE(run.host.editorClosed);

    ProgramRun untrapped(u"10 X = CVD(\"A\")");
    EXPECT_EQ(untrapped.lastError(), u"命令や関数の使い方が不正です。\r\n行番号：10");
    EXPECT_FALSE(untrapped.host.editorClosed);
}

} // namespace
} // namespace korvelin::testing
