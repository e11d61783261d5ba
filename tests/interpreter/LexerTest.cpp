#include "interpreter/Lexer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace korvelin {
namespace {

// Every token of a text, written as kind:text.
std::vector<std::string> tokensOf(std::u16string_view source) {
    WordTable words;
    Lexer lexer(words);
    ScanText text{std::u16string(source)};
    std::vector<std::string> out;
    lexer.start(&text);
    for (int guard = 0; lexer.tokenKind != TokenEnd && guard < 100; ++guard) {
        std::string t;
        for (char16_t c : lexer.tokenText())
            t += c < 0x80 ? static_cast<char>(c) : '?';
        const char* kind = lexer.tokenKind == TokenWord ? "w:" : lexer.tokenKind == TokenSymbol ? "s:" : "c:";
        out.push_back(kind + t);
        lexer.nextToken();
    }
    return out;
}

using Tokens = std::vector<std::string>;

TEST(Lexer, ComparisonPairs) {
    EXPECT_EQ(tokensOf(u"A<>B"), (Tokens{"w:A", "s:<>", "w:B"}));
    EXPECT_EQ(tokensOf(u"A=<B"), (Tokens{"w:A", "s:=<", "w:B"}));
    EXPECT_EQ(tokensOf(u"A=>B<=C>=D"), (Tokens{"w:A", "s:=>", "w:B", "s:<=", "w:C", "s:>=", "w:D"}));
    EXPECT_EQ(tokensOf(u"A><B"), (Tokens{"w:A", "s:>", "s:<", "w:B"}));
}

TEST(Lexer, RadixConstantsWidenInsteadOfWrapping) {
    WordTable words;
    Lexer lexer(words);
    ScanText hex{u"&H1F &HFFFF &O17 &h7FFFFFFF1 &H"};
    lexer.start(&hex);
    EXPECT_EQ(lexer.tokenValue.kind(), ValueKind::Integer);
    EXPECT_EQ(lexer.tokenValue.rawInteger(), 31);
    lexer.nextToken();
    EXPECT_EQ(lexer.tokenValue.kind(), ValueKind::Long);
    EXPECT_EQ(lexer.tokenValue.rawLong(), 65535);
    lexer.nextToken();
    EXPECT_EQ(lexer.tokenValue.rawInteger(), 15);
    lexer.nextToken();
    EXPECT_EQ(lexer.tokenValue.kind(), ValueKind::Double);
    EXPECT_DOUBLE_EQ(lexer.tokenValue.rawDouble(), 34359738353.0);
    lexer.nextToken();
    EXPECT_EQ(lexer.tokenKind, TokenConstant);
    EXPECT_EQ(lexer.tokenValue.rawInteger(), 0);
    EXPECT_EQ(tokensOf(u"&B1"), (Tokens{"s:&", "w:B1"}));
}

TEST(Lexer, NumbersAndTheirSuffixes) {
    WordTable words;
    Lexer lexer(words);
    ScanText text{u"1.5E3 12% 2.5# . 1E-2"};
    lexer.start(&text);
    EXPECT_EQ(lexer.tokenValue.kind(), ValueKind::Double);
    EXPECT_DOUBLE_EQ(lexer.tokenValue.rawDouble(), 1500);
    lexer.nextToken();
    EXPECT_DOUBLE_EQ(lexer.tokenValue.rawDouble(), 12);
    lexer.nextToken();
    EXPECT_DOUBLE_EQ(lexer.tokenValue.rawDouble(), 2.5);
    lexer.nextToken();
    EXPECT_EQ(lexer.tokenValue.kind(), ValueKind::Integer); // a lone "."
    lexer.nextToken();
    EXPECT_DOUBLE_EQ(lexer.tokenValue.rawDouble(), 0.01);
    lexer.nextToken();
    EXPECT_EQ(lexer.tokenKind, TokenEnd);
    // Only a capital E is an exponent.
    EXPECT_EQ(tokensOf(u"1.5e3"), (Tokens{"c:1.5", "w:E3"}));
}

TEST(Lexer, WordsTakeOneSuffixAndUpperCaseOnlyLatinLetters) {
    EXPECT_EQ(tokensOf(u"abc.d$"), (Tokens{"w:ABC.D$"}));
    EXPECT_EQ(tokensOf(u"x1%y"), (Tokens{"w:X1%", "w:Y"}));
    EXPECT_EQ(tokensOf(u"Mod mOD"), (Tokens{"s:MOD", "s:MOD"}));
    EXPECT_EQ(tokensOf(u"PRINT#1"), (Tokens{"w:PRINT#", "c:1"}));
    EXPECT_EQ(tokensOf(u"*loop1"), (Tokens{"s:*", "w:LOOP1"}));
    WordTable words;
    Lexer lexer(words);
    ScanText kanji{u"漢字ｶﾅabc=1"};
    lexer.start(&kanji);
    EXPECT_EQ(lexer.tokenKind, TokenWord);
    EXPECT_EQ(words.text(lexer.wordId), u"漢字ｶﾅABC");
}

TEST(Lexer, StringLiteralsKeepCaseAndBlanks) {
    WordTable words;
    Lexer lexer(words);
    ScanText text{u"\"Ab c \" \"open"};
    lexer.start(&text);
    EXPECT_EQ(lexer.tokenValue.unicodeText(), u"Ab c ");
    lexer.nextToken();
    EXPECT_EQ(lexer.tokenValue.unicodeText(), u"open"); // runs to the end of the text
    lexer.nextToken();
    EXPECT_EQ(lexer.tokenKind, TokenEnd);
}

TEST(Lexer, UnknownCharactersAndTabsBecomeSymbolsThatAdvance) {
    EXPECT_EQ(tokensOf(u"A_B"), (Tokens{"w:A", "s:_", "w:B"}));
    EXPECT_EQ(tokensOf(u"A\tB"), (Tokens{"w:A", "s:\t", "w:B"}));
    EXPECT_EQ(tokensOf(u"5 ! ~"), (Tokens{"c:5", "s:!", "s:~"}));
}

TEST(Lexer, RememberedTokensMatchAFreshScan) {
    WordTable words;
    Lexer lexer(words);
    ScanText text{u"FOR I=1 TO 10 STEP -2:A$=\"x\"+B$(3)"};
    std::vector<std::pair<int, int>> first;
    lexer.start(&text);
    while (lexer.tokenKind != TokenEnd) {
        first.emplace_back(lexer.tokenKind, lexer.position);
        lexer.nextToken();
    }
    std::vector<std::pair<int, int>> second;
    lexer.start(&text);
    while (lexer.tokenKind != TokenEnd) {
        second.emplace_back(lexer.tokenKind, lexer.position);
        lexer.nextToken();
    }
    EXPECT_EQ(first, second);
    // Re-reading from a position in the middle, as IF and ON ... GOTO do.
    lexer.position = 6;
    lexer.nextChar();
    lexer.nextToken();
    EXPECT_EQ(lexer.tokenKind, TokenConstant);
    EXPECT_DOUBLE_EQ(lexer.tokenValue.rawDouble(), 1);
}

// Compiled statements and expressions jump back to tokens they read once;
// a DEF FN call scans its body and comes back. A lost field would resume
// the scan at the wrong character or with the wrong token.
TEST(Lexer, MarksAndPlacesBringTheScanBack) {
    WordTable words;
    Lexer lexer(words);
    ScanText text{u"A=12+B"};
    ScanText other{u"99:C"};
    lexer.start(&text);
    lexer.nextToken();
    lexer.nextToken();
    ASSERT_EQ(lexer.tokenKind, TokenConstant);
    const Lexer::Mark atTwelve = lexer.mark();
    lexer.nextToken();
    ASSERT_TRUE(lexer.isSymbol(u'+'));
    const Lexer::TokenPlace atPlus = lexer.place();

    lexer.start(&other);
    lexer.scanData = true;
    lexer.returnTo(atTwelve);
    EXPECT_FALSE(lexer.scanData);
    EXPECT_EQ(lexer.source, &text);
    EXPECT_DOUBLE_EQ(lexer.tokenValue.toDouble(), 12);
    lexer.nextToken();
    EXPECT_TRUE(lexer.isSymbol(u'+'));

    lexer.start(&other); // reads the constant 99
    lexer.moveTo(&text, atPlus);
    EXPECT_TRUE(lexer.isSymbol(u'+'));
    EXPECT_DOUBLE_EQ(lexer.tokenValue.toDouble(), 99); // a place leaves the value
    lexer.nextToken();
    EXPECT_EQ(lexer.tokenText(), u"B");

    lexer.start(&other);
    lexer.moveTo(atTwelve, false);
    EXPECT_EQ(lexer.tokenKind, TokenConstant);
    EXPECT_DOUBLE_EQ(lexer.tokenValue.toDouble(), 99);
    lexer.moveTo(atTwelve, true);
    EXPECT_DOUBLE_EQ(lexer.tokenValue.toDouble(), 12);
    lexer.nextToken();
    EXPECT_TRUE(lexer.isSymbol(u'+'));
}

} // namespace
} // namespace korvelin
