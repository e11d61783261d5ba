#include "support/RunProgram.h"

#include <gtest/gtest.h>

namespace korvelin::testing {
namespace {

std::vector<std::int32_t> chainKeys(Interpreter& in) {
    std::vector<std::int32_t> keys;
    for (int s = in.statements.firstStatement; s >= 0 && keys.size() < 100; s = in.statements[s].next)
        keys.push_back(in.statements[s].key);
    return keys;
}

struct Prepared {
    HeadlessHost host;
    Interpreter in{host};
    explicit Prepared(std::u16string_view lines) {
        host.program = programText(lines);
        in.prepareProgram(PrepareMode::Full);
    }
};

TEST(Preparation, SplitsLinesIntoStatementsWithKeysTextsAndColumns) {
    Prepared p(u"10 A=1: B=2 :C=3\n20 PRINT \"a:b\"");
    EXPECT_EQ(chainKeys(p.in), (std::vector<std::int32_t>{1000, 1001, 1002, 2000}));
    EXPECT_EQ(p.in.statements[0].text.text, u"A=1");
    EXPECT_EQ(p.in.statements[1].text.text, u" B=2");
    EXPECT_EQ(p.in.statements[2].text.text, u"C=3");
    EXPECT_EQ(p.in.statements[3].text.text, u"PRINT \"a:b\"");
    EXPECT_EQ(p.in.statements[0].column, 3);
    EXPECT_EQ(p.in.statements[1].column, 7);
    EXPECT_EQ(p.in.statements[2].column, 13);
    EXPECT_EQ(p.in.statements[3].lineOffset, 18);
    EXPECT_EQ(p.in.statements.statementCount, 4);
    EXPECT_EQ(p.in.statements.highestKey, 2000);
}

TEST(Preparation, IfKeepsTheRestOfItsLineAndCommentsStayWithTheirStatement) {
    Prepared p(u"10 A=1: IF A THEN B=1: C=2 ELSE D=3\n20 E=1 ' x: y\n30 REM a:b");
    EXPECT_EQ(chainKeys(p.in), (std::vector<std::int32_t>{1000, 1001, 2000, 3000}));
    EXPECT_EQ(p.in.statements[1].text.text, u" IF A THEN B=1: C=2 ELSE D=3");
    EXPECT_EQ(p.in.statements[2].text.text, u"E=1 ' x: y");
    EXPECT_EQ(p.in.statements[3].text.text, u"REM a:b");
}

TEST(Preparation, ExecutionOrderIsLineNumberOrder) {
    Prepared p(u"30 C=1\n10 A=1\n20 B=1\n10 A=2");
    // A repeated line number is kept twice; the later one runs first.
    EXPECT_EQ(chainKeys(p.in), (std::vector<std::int32_t>{1000, 1000, 2000, 3000}));
    EXPECT_EQ(p.in.statements[p.in.statements.firstStatement].text.text, u"A=2");
}

TEST(Preparation, LabelsAndDataAreIndexedInTextOrder) {
    Prepared p(u"50 DATA 1\n10 *START: DATA 2\n20 X=1: DATA 3");
    EXPECT_EQ(p.in.labels.labelCount, 1);
    EXPECT_EQ(p.in.words.text(p.in.labels.entries[0].wordId), u"START");
    EXPECT_EQ(p.in.labels.entries[0].slot, 1);
    EXPECT_EQ(p.in.data.dataTotal, 3);
    EXPECT_EQ(p.in.data.statementSlots[0], 0);
    EXPECT_EQ(p.in.data.statementSlots[1], 2);
    EXPECT_EQ(p.in.data.statementSlots[2], 4);
}

TEST(Preparation, BlankLinesAndBareLineNumbersAreDropped) {
    Prepared p(u"10 A=1\n\n   \n20\n30 B=2");
    EXPECT_EQ(chainKeys(p.in), (std::vector<std::int32_t>{1000, 3000}));
    EXPECT_EQ(p.in.statements.statementCount, 2);
    EXPECT_TRUE(p.host.errorBoxes.empty());
}

TEST(Preparation, LongLinesAreCutTo255Characters) {
    std::u16string line = u"10 A$=\"";
    line += std::u16string(300, u'x');
    Prepared p(line);
    EXPECT_EQ(p.in.statements[0].text.text.size(), 255u - 3u);
}

TEST(Preparation, MalformedLineNumberStopsWithSyntaxErrorAndCaret) {
    Prepared p(u"10 A=1\nX=2\n20 B=1");
    ASSERT_EQ(p.host.errorBoxes.size(), 1u);
    EXPECT_EQ(p.host.errorBoxes[0], u"文法エラーです。"); // no line information
    EXPECT_EQ(p.in.statements.firstStatement, -1);
    ASSERT_EQ(p.host.caretOffsets.size(), 1u);
    EXPECT_EQ(p.host.caretOffsets[0], 8 + 1);

    Prepared q(u"10A=1");
    EXPECT_EQ(q.host.errorBoxes.size(), 1u);
    Prepared zero(u"0 A=1");
    EXPECT_EQ(zero.host.errorBoxes.size(), 1u);
}

TEST(Preparation, DuplicateLabelIsError31WithItsLine) {
    Prepared p(u"10 *A\n20 *B\n30 *a");
    ASSERT_EQ(p.host.errorBoxes.size(), 1u);
    EXPECT_EQ(p.host.errorBoxes[0], u"ラベルの二重定義です。\r\n行番号：30");
    EXPECT_EQ(p.in.statements.firstStatement, -1);
}

TEST(Preparation, TooManyStatementsIsReportedNotOverrun) {
    std::u16string text;
    for (int line = 1; line <= 2100; ++line)
        text += u"" + std::u16string(u"") + [&] {
            std::u16string s;
            for (char c : std::to_string(line))
                s += static_cast<char16_t>(c);
            return s;
        }() + u" A=1:B=2\r\n";
    HeadlessHost host;
    Interpreter in(host);
    host.program = text;
    in.prepareProgram(PrepareMode::Full);
    EXPECT_EQ(in.statements.firstStatement, -1);
    ASSERT_EQ(host.errorBoxes.size(), 1u);
    EXPECT_EQ(host.errorBoxes[0], u"オーバーフローしました。");
}

TEST(Preparation, CommandTailReachesCommandDollar) {
    ProgramRun r;
    r.in->commandTail = u"-x file";
    r.run(u"10 A$=COMMAND$");
    EXPECT_EQ(r.str(u"A$"), u"-x file");
}

} // namespace
} // namespace korvelin::testing
