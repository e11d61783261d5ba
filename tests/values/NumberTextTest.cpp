#include "values/NumberText.h"

#include "values/HostFailure.h"

#include <gtest/gtest.h>

#include <optional>

using namespace korvelin;

namespace {

std::optional<double> parsed(const char* text) {
    double d = 0;
    if (!parseNumber(text, d)) return std::nullopt;
    return d;
}

const auto printed = [](double d) { return formatNumber(Value::dbl(d)); };
const auto printedSingle = [](float f) { return formatNumber(Value::single(f)); };

} // namespace

TEST(FormatNumber, PrintFormHasSignColumnAndNoLeadingZero) {
    EXPECT_EQ(printed(1.0 / 3), " .333333333333333");
    EXPECT_EQ(printedSingle(1.0f / 3), " .3333333");
    EXPECT_EQ(printed(-0.25), "-.25");
    EXPECT_EQ(printed(100000), " 100000");
    EXPECT_EQ(printed(-0.0), " 0");
    EXPECT_EQ(printed(0.1 + 0.2), " .3");
    EXPECT_EQ(formatNumber(Value::integer(-5)), "-5");
    EXPECT_EQ(formatNumber(Value::integer(0)), " 0");
    EXPECT_EQ(formatNumber(Value::longInt(2147483647)), " 2147483647");
    EXPECT_EQ(formatNumber(Value()), " 0");
    EXPECT_EQ(formatNumber(Value::boolean(true)), "-1");
    EXPECT_EQ(formatNumber(Value::bytes(" 12 ")), " 12");
    EXPECT_THROW(formatNumber(Value::bytes("x")), HostFailure);
}

TEST(FormatNumber, ExponentFormAfterRoundingToSignificantDigits) {
    EXPECT_EQ(printed(1e20), " 1E+20");
    EXPECT_EQ(printed(-1.5e-7), "-1.5E-07");
    EXPECT_EQ(printed(1e100), " 1E+100");
    EXPECT_EQ(printed(999999999999999), " 999999999999999");
    EXPECT_EQ(printed(1e15), " 1E+15");
    EXPECT_EQ(printed(999999999999999.9), " 1E+15"); // rounds up into the next decade
    EXPECT_EQ(printed(123456789.125), " 123456789.125");
    EXPECT_EQ(printed(0.0001), " .0001");
    EXPECT_EQ(printed(0.00001), " 1E-05");
    EXPECT_EQ(printedSingle(1234567), " 1234567");
    EXPECT_EQ(printedSingle(12345678), " 1.234568E+07");
    EXPECT_EQ(printedSingle(0.1f), " .1");
}

TEST(NumberText, PlainFormKeepsTheLeadingZeroAndNoBlank) {
    EXPECT_EQ(numberText(Value::dbl(0.5)), "0.5");
    EXPECT_EQ(numberText(Value::dbl(-0.25)), "-0.25");
    EXPECT_EQ(numberText(Value::dbl(1.0 / 3)), "0.333333333333333");
    EXPECT_EQ(numberText(Value::dbl(1.5e-7)), "1.5E-07");
    EXPECT_EQ(numberText(Value::integer(5)), "5");
    EXPECT_EQ(numberText(Value::boolean(false)), "0");
    EXPECT_EQ(numberText(Value()), "");
}

TEST(ParseNumber, AcceptsWholeDecimalAndPrefixedTexts) {
    EXPECT_EQ(parsed("12"), 12);
    EXPECT_EQ(parsed("  -3.5  "), -3.5);
    EXPECT_EQ(parsed("+.5"), 0.5);
    EXPECT_EQ(parsed("5."), 5);
    EXPECT_EQ(parsed("2.5E-2"), 0.025);
    EXPECT_EQ(parsed("1e+3"), 1000);
    EXPECT_EQ(parsed("1D2"), 100);
    EXPECT_EQ(parsed("0.1"), 0.1);
    EXPECT_EQ(parsed("&HFFFF"), 65535);
    EXPECT_EQ(parsed("&hff"), 255);
    EXPECT_EQ(parsed("&O17"), 15);
    EXPECT_EQ(parsed("-&H10"), -16);
    EXPECT_EQ(parsed("1e-400"), 0);
}

TEST(ParseNumber, RejectsAnythingElse) {
    for (const char* text :
         {"", " ", "abc", "1 2", "1E", "1.2.3", ".", "-", "&H", "&HG", "&X1", "1E400", "12a"})
        EXPECT_EQ(parsed(text), std::nullopt) << '"' << text << '"';
}

TEST(ParseLeadingNumber, ReadsThePrefixSkippingBlanks) {
    EXPECT_EQ(parseLeadingNumber("12abc"), 12);
    EXPECT_EQ(parseLeadingNumber(" 1 2"), 12);
    EXPECT_EQ(parseLeadingNumber("- 3.5E2x"), -350);
    EXPECT_EQ(parseLeadingNumber("1E"), 1);
    EXPECT_EQ(parseLeadingNumber("&H1G"), 1);
    EXPECT_EQ(parseLeadingNumber("abc"), 0);
    EXPECT_EQ(parseLeadingNumber(""), 0);
    EXPECT_THROW(parseLeadingNumber("1E400"), HostFailure);
}
