// PRINT, WRITE and PRINT USING as statements: their errors, what stays
// written when an item fails, and the debug-screen destination.

#include "support/RunProgram.h"

#include <gtest/gtest.h>

namespace korvelin::testing {
namespace {

class CapturingHost : public HeadlessHost, public ConsoleTranscript {
  public:
    std::u16string console;
    std::vector<std::pair<std::u16string, bool>> debugScreen;
    void consoleText(std::u16string_view text) override { console += text; }
    void consoleLineEnd() override { console += u'\n'; }
    void showDirectOutput(const std::u16string& text, bool lineEnded) override {
        debugScreen.emplace_back(text, lineEnded);
    }
};

struct PrintRun {
    CapturingHost host;
    Interpreter in{host};
    explicit PrintRun(std::u16string_view program) {
        in.screen.transcript = &host;
        host.program = programText(program);
        in.prepareProgram(PrepareMode::Full);
        in.runLoop(in.statements.firstStatement);
    }
    int error() const { return in.errors.errorNumber; }
};

TEST(PrintStatement, ErrorsOfTheStatementItself) {
    EXPECT_EQ(PrintRun(u"10 PRINT #0,1").error(), 52);
    EXPECT_EQ(PrintRun(u"10 PRINT #10,1").error(), 52);
    EXPECT_EQ(PrintRun(u"10 PRINT #1,1").error(), 60);
    EXPECT_EQ(PrintRun(u"10 PRINT #A,1").error(), 1); // the number is a constant
    EXPECT_EQ(PrintRun(u"10 PRINT USING \"##\" 1").error(), 1);
    EXPECT_EQ(PrintRun(u"10 PRINT USING \"abc\";1").error(), 5);
    EXPECT_EQ(PrintRun(u"10 PRINT USING \"@\";1").error(), 13);
    EXPECT_EQ(PrintRun(u"10 WRITE").error(), 22);
    EXPECT_EQ(PrintRun(u"10 WRITE 1,,2").error(), 22);
    EXPECT_EQ(PrintRun(u"10 WRITE 1;").error(), 22);
    EXPECT_EQ(PrintRun(u"10 PRINT 1 2").error(), 1);
}

TEST(PrintStatement, ItemsBeforeAFailingOneStayWritten) {
    PrintRun r(u"10 PRINT \"a\";1;1/0;\"b\"");
    EXPECT_EQ(r.error(), 11);
    EXPECT_EQ(r.host.console, u"a 1");
}

TEST(PrintStatement, QuestionMarkIsPrintAndElseEndsTheList) {
    PrintRun r(u"10 ? \"x\";: IF 1=1 THEN PRINT 1 ELSE PRINT 2\n20 ?");
    EXPECT_EQ(r.error(), 0);
    EXPECT_EQ(r.host.console, u"x 1\n\n");
}

TEST(PrintStatement, CursorBeyondTheDesktopIsClampedFirst) {
    PrintRun r(u"10 LOCATE 500,900: PRINT \"x\";: A=POS(0): B=CSRLIN");
    const ScreenState& s = r.in.screen;
    EXPECT_EQ(s.cursorRow, s.maxRow + 1); // "x" wrapped past the clamped column
    EXPECT_EQ(s.maxColumn, 128);
    EXPECT_EQ(s.maxRow, 48);
}

TEST(PrintStatement, DirectCommandsPrintToTheDebugScreen) {
    PrintRun r(u"10 A=5");
    Interpreter& in = r.in;
    const std::int32_t highestKey = in.statements.highestKey;
    const int count = in.statements.statementCount;
    r.host.direct = u"11 END:PRINT \"A=\";A,\"z\"";
    in.prepareProgram(PrepareMode::Append);
    in.statements.highestKey = highestKey;
    in.statements.statementCount = count;
    in.statements[in.statements.lastStatement].next = -1;
    in.statements.chainChanged();
    in.runLoop(count + 1);
    ASSERT_EQ(r.host.debugScreen.size(), 1u);
    EXPECT_EQ(r.host.debugScreen[0].first, u"A= 5          z");
    EXPECT_TRUE(r.host.debugScreen[0].second);
    EXPECT_EQ(r.host.console, u"");
}

} // namespace
} // namespace korvelin::testing
