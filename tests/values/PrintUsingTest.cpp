#include "values/PrintUsing.h"
#include "values/InterpreterError.h"

#include <gtest/gtest.h>

namespace korvelin {
namespace {

std::string narrow(const std::u16string& s) {
    std::string out;
    for (char16_t c : s)
        out += c < 0x80 ? static_cast<char>(c) : '?';
    return out;
}

std::string field(const char16_t* format, double value) {
    UsingFormat f(format);
    return narrow(f.formatItem(Value::dbl(value)));
}

int errorOf(const char16_t* format) {
    try {
        UsingFormat f(format);
    } catch (const InterpreterError& e) {
        return e.number();
    }
    return 0;
}

TEST(PrintUsing, NumericFieldsAreRewrittenOnce) {
    UsingFormat f(u"###.## #.##^^^^ +### .## ##");
    std::vector<std::string> fields;
    for (const UsingPiece& p : f.pieces())
        if (p.kind == UsingPiece::Kind::Numeric) fields.push_back(narrow(p.text));
    EXPECT_EQ(fields, (std::vector<std::string>{"##0.00", "0.00E+00", "+##0", ".00", "#0"}));
}

TEST(PrintUsing, SignsWidthsAndOverflow) {
    EXPECT_EQ(field(u"###.##", 3.14159), "  3.14");
    EXPECT_EQ(field(u"###", 12345), "%12345");
    EXPECT_EQ(field(u"+##", 5), " +5");
    EXPECT_EQ(field(u"+##", -5), " -5");
    EXPECT_EQ(field(u"##", -5), "-5");
    EXPECT_EQ(field(u"###", -50), "-50");
    EXPECT_EQ(field(u"###", -500), "%-500");
    EXPECT_EQ(field(u"#.##^^^^", 1234), "1.23E+03");
    EXPECT_EQ(field(u"#.##^^^^", 0.000125), "1.25E-04");  // rounds half away from zero
    EXPECT_EQ(field(u"##.##^^^^", 9.999e9), " 1.00E+10"); // a carry moves the exponent
    EXPECT_EQ(field(u"##.##", 2.675), " 2.68");           // rounded as printed, not as stored
    // A Single rounds as its seven digits show it, not as its binary form.
    for (const auto& [value, shown] : {std::pair{2.675f, " 2.68"}, {1.15f, " 1.15"}, {0.125f, " 0.13"}}) {
        UsingFormat f(u"##.##");
        EXPECT_EQ(narrow(f.formatItem(Value::single(value))), shown) << value;
    }
    UsingFormat tenth(u"###.#");
    EXPECT_EQ(narrow(tenth.formatItem(Value::single(1.15f))), "  1.2");
    EXPECT_EQ(field(u"##", 0), " 0");
    EXPECT_EQ(field(u".##", 0.5), ".50");
    EXPECT_EQ(field(u"###.", 7), "  7.");
}

TEST(PrintUsing, NegativeNumbersKeepTheirSignInEveryField) {
    // Fields that start with neither "#" nor "+" after the rewrite.
    EXPECT_EQ(field(u"#.##", -0.5), "%-0.50");
    EXPECT_EQ(field(u"#", -3), "%-3");
    EXPECT_EQ(field(u".##", -0.25), "%-.25");
    EXPECT_EQ(field(u"##.##", -0.5), "-0.50");
}

TEST(PrintUsing, GroupingAndEscapes) {
    EXPECT_EQ(field(u"##,###,###.##", 1234567.891), " 1,234,567.89");
    EXPECT_EQ(field(u"#,###.##", 1234567.891), "%1,234,567.89");
    EXPECT_EQ(field(u"#,####", -1234), "-1,234");
    EXPECT_EQ(field(u"\\##", 5), " #5");
    EXPECT_EQ(narrow(applyNumberPattern(u"0\\-00", 123)), "1-23");
}

TEST(PrintUsing, PiecesWrapRoundAndTrailingPiecesFollowTheLastItem) {
    UsingFormat f(u"[#]");
    std::u16string out = f.formatItem(Value::dbl(1));
    out += f.formatItem(Value::dbl(2));
    out += f.finish();
    EXPECT_EQ(narrow(out), "[1][2]");

    UsingFormat g(u"& & = ## and ##!");
    out = g.formatItem(Value::text(u"ABCDE"));
    out += g.formatItem(Value::dbl(7));
    out += g.finish(); // the second numeric field prints as blanks
    EXPECT_EQ(narrow(out), "ABC =  7 and   !");

    UsingFormat nothing(u"x#");
    EXPECT_TRUE(nothing.finish().empty());
}

TEST(PrintUsing, StringFields) {
    UsingFormat f(u"&  &");
    EXPECT_EQ(narrow(f.formatItem(Value::text(u"ABCDEF"))), "ABCD");
    EXPECT_EQ(narrow(f.formatItem(Value::text(u"AB"))), "AB  ");
    UsingFormat at(u"@");
    EXPECT_EQ(narrow(at.formatItem(Value::text(u"XYZ"))), "XYZ");
    // A double-byte character cut in two becomes a blank.
    UsingFormat cut(u"& &");
    EXPECT_EQ(cut.formatItem(Value::text(u"AB漢字")), u"AB ");
    EXPECT_THROW(at.formatItem(Value::dbl(1)), InterpreterError);
    UsingFormat number(u"##");
    EXPECT_EQ(narrow(number.formatItem(Value::text(u"12"))), "12");
    EXPECT_THROW(number.formatItem(Value::text(u"ab")), InterpreterError);
}

TEST(PrintUsing, FormatErrors) {
    EXPECT_EQ(errorOf(u"&  x"), 1);
    EXPECT_EQ(errorOf(u"&  "), 1);
    std::u16string pieces;
    for (int i = 0; i < 20; ++i)
        pieces += u"#x";
    EXPECT_EQ(errorOf(pieces.c_str()), 0); // 40 pieces
    pieces += u"#";
    EXPECT_EQ(errorOf(pieces.c_str()), 21);
    EXPECT_FALSE(UsingFormat(u"!*$-+.").hasFields());
}

} // namespace
} // namespace korvelin
