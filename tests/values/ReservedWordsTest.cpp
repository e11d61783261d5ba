#include "values/ReservedWords.h"
#include "values/HostFailure.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

using korvelin::HostFailure;
using korvelin::HostFailureKind;
using korvelin::KeywordTable;

namespace {

KeywordTable shippedTable() {
    KeywordTable table;
    EXPECT_TRUE(table.loadFromFile(std::string(KORVELIN_DATA_DIR) + "/KORVELIN.DAT"));
    return table;
}

int letter(char c) {
    return c - 'A';
}

// For failure messages: the test words are ASCII apart from a few marked ones.
std::string narrow(std::u16string_view word) {
    std::string out;
    for (const char16_t c : word)
        out += c < 0x80 ? static_cast<char>(c) : '?';
    return out;
}

} // namespace

TEST(ReservedWords, ShippedFileIsGroupedByLetterAndMatchesTheBuiltinCopy) {
    const KeywordTable file = shippedTable();
    ASSERT_GT(file.size(), 100);
    ASSERT_LE(file.size(), KeywordTable::capacity);

    // Every word is found at its own index, so no letter's run is split or cut.
    for (int i = 0; i < file.size(); ++i)
        EXPECT_EQ(file.findReservedWord(file.entry(i)), i);

    KeywordTable builtin;
    builtin.loadBuiltin();
    ASSERT_EQ(builtin.size(), file.size());
    for (int i = 0; i < file.size(); ++i)
        EXPECT_EQ(builtin.entry(i), file.entry(i));
    for (int l = 0; l < KeywordTable::letterCount; ++l) {
        EXPECT_EQ(builtin.keywordFirstIndex(l), file.keywordFirstIndex(l));
        EXPECT_EQ(builtin.keywordCount(l), file.keywordCount(l));
    }
}

TEST(ReservedWords, ShippedFileReservesKeywordsButNotCommonVariableNames) {
    const KeywordTable table = shippedTable();
    for (const char16_t* word : {u"PRINT", u"GOTO", u"LEFT$", u"THEN", u"MOD", u"XOR", u"USING", u"INPUT$"})
        EXPECT_GE(table.findReservedWord(word), 0) << narrow(word);
    // COMMAND$ is a variable that run preparation fills with the command tail.
    for (const char16_t* word :
         {u"COMMAND$", u"A", u"B", u"BF", u"X", u"Y", u"I", u"N", u"FN", u"LEFT", u"PRINTX"})
        EXPECT_EQ(table.findReservedWord(word), -1) << narrow(word);
}

TEST(ReservedWords, ReaderTakesCommaAndLineSeparatedItemsAndReplacesTheOldTable) {
    KeywordTable table;
    table.loadFromText("ZAP\r\n");
    table.loadFromText(" ABS , AND,\r\n\r\nBEEP,,\n  CLS\t");
    EXPECT_EQ(table.size(), 4);
    EXPECT_EQ(table.keywordFirstIndex(letter('A')), 0);
    EXPECT_EQ(table.keywordCount(letter('A')), 2);
    EXPECT_EQ(table.keywordFirstIndex(letter('C')), 3);
    EXPECT_EQ(table.keywordCount(letter('C')), 1);
    EXPECT_EQ(table.findReservedWord(u"AND"), 1);
    EXPECT_EQ(table.findReservedWord(u"CLS"), 3);
    EXPECT_EQ(table.findReservedWord(u"ZAP"), -1);
    EXPECT_EQ(table.keywordFirstIndex(letter('Z')), -1);
}

TEST(ReservedWords, ReadingStopsAtAnItemThatDoesNotStartWithALetter) {
    KeywordTable table;
    table.loadFromText("ABS\r\nAND\r\n1ST\r\nBEEP\r\n");
    EXPECT_EQ(table.size(), 2);
    EXPECT_EQ(table.keywordCount(letter('A')), 2);
    EXPECT_EQ(table.findReservedWord(u"BEEP"), -1);

    table.loadFromText("ABS\nbeep\nCLS\n"); // lower case has no run either
    EXPECT_EQ(table.size(), 1);
    EXPECT_EQ(table.findReservedWord(u"CLS"), -1);
}

TEST(ReservedWords, ALetterThatComesBackStartsANewRunThatHidesTheFirst) {
    KeywordTable table;
    table.loadFromText("ABS\nAND\nBEEP\nASC\nCLS\nBLOAD");
    EXPECT_EQ(table.size(), 6);
    EXPECT_EQ(table.keywordFirstIndex(letter('A')), 3);
    EXPECT_EQ(table.keywordCount(letter('A')), 1);
    EXPECT_EQ(table.findReservedWord(u"ABS"), -1);
    EXPECT_EQ(table.findReservedWord(u"ASC"), 3);
    EXPECT_EQ(table.findReservedWord(u"BEEP"), -1);
    EXPECT_EQ(table.findReservedWord(u"BLOAD"), 5);
    EXPECT_EQ(table.findReservedWord(u"CLS"), 4);
}

TEST(ReservedWords, ItemsBeyondTheCapacityAreNotRead) {
    std::string text;
    for (int i = 0; i < 250; ++i)
        text += "W" + std::to_string(1000 + i) + "\r\n";
    KeywordTable table;
    table.loadFromText(text);
    EXPECT_EQ(table.size(), KeywordTable::capacity);
    EXPECT_EQ(table.keywordCount(letter('W')), KeywordTable::capacity);
    EXPECT_EQ(table.findReservedWord(u"W1210"), 210);
    EXPECT_EQ(table.findReservedWord(u"W1211"), -1);
}

TEST(ReservedWords, WordsNotStartingWithAnUpperCaseLetterAreAFailure) {
    const KeywordTable table = shippedTable();
    for (const char16_t* word : {u"print", u"1X", u"", u"_A", u"\u6F22\u5B57", u"\uFF71"}) {
        try {
            table.findReservedWord(word);
            ADD_FAILURE() << "no failure for " << narrow(word);
        } catch (const HostFailure& failure) {
            EXPECT_EQ(failure.kind(), HostFailureKind::Other);
        }
    }
}

TEST(ReservedWords, AnUnreadableFileLeavesTheTableAsItWas) {
    KeywordTable table;
    table.loadFromText("PRINT");
    EXPECT_FALSE(table.loadFromFile(std::string(KORVELIN_DATA_DIR) + "/NO-SUCH-FILE.DAT"));
    EXPECT_FALSE(table.loadFromFile(KORVELIN_DATA_DIR));
    EXPECT_EQ(table.findReservedWord(u"PRINT"), 0);
}
