// INPUT and LINE INPUT: how a typed line becomes values, and the run
// around it (prompt, echo, cursor, scrolling) with lines fed by a host.

#include "screen/statements/ConsoleInput.h"
#include "support/RunProgram.h"

#include <gtest/gtest.h>

#include <deque>

namespace korvelin::testing {
namespace {

struct Parsed {
    bool accepted;
    std::vector<Value> items;
};

Parsed parse(std::u16string_view line, std::vector<bool> stringTargets) {
    HeadlessHost host;
    Interpreter in(host);
    Parsed p;
    p.accepted = parseInputLine(in.words, line, stringTargets, p.items);
    return p;
}

TEST(InputLine, NumbersNeedOneConstantPerVariable) {
    Parsed p = parse(u"1, -2.5", {false, false});
    ASSERT_TRUE(p.accepted);
    EXPECT_EQ(p.items[0].toDouble(), 1);
    EXPECT_EQ(p.items[1].toDouble(), -2.5);
    EXPECT_FALSE(parse(u"1", {false, false}).accepted);
    EXPECT_FALSE(parse(u"1,2,3", {false, false}).accepted);
    // A comma after the last item ends the line like its end.
    EXPECT_TRUE(parse(u"1,2,", {false, false}).accepted);
    EXPECT_TRUE(parse(u"x,", {true}).accepted);
    EXPECT_FALSE(parse(u"1,2, x", {false, false}).accepted);
    EXPECT_FALSE(parse(u"", {false}).accepted);
    EXPECT_FALSE(parse(u"abc", {false}).accepted); // a word is no number
    EXPECT_FALSE(parse(u"-", {false}).accepted);
    EXPECT_FALSE(parse(u"+7", {false}).accepted); // "+" is no sign in typed numbers
    EXPECT_EQ(parse(u"&H10", {false}).items.at(0).toDouble(), 16);
    // The scan stops at the first token that is no comma.
    EXPECT_EQ(parse(u"5 6", {false}).items.at(0).toDouble(), 5);
}

TEST(InputLine, NumbersBeyondTheDoubleRangeAreRejectedNotInfinite) {
    EXPECT_FALSE(parse(u"1E999", {false}).accepted);
    EXPECT_FALSE(parse(u"-1E400", {false}).accepted);
    EXPECT_FALSE(parse(u"1" + std::u16string(400, u'0'), {false}).accepted);
    EXPECT_FALSE(parse(u"&H" + std::u16string(300, u'F'), {false}).accepted);
    EXPECT_FALSE(parse(u"1, 1E999", {false, false}).accepted);
    EXPECT_EQ(parse(u"1E-999", {false}).items.at(0).toDouble(), 0);
    EXPECT_EQ(parse(u"1E308", {false}).items.at(0).toDouble(), 1E308);
}

TEST(InputLine, StringsTakeRawTextUpToTheComma) {
    Parsed p = parse(u"  Hello  ", {true});
    ASSERT_TRUE(p.accepted);
    EXPECT_EQ(p.items[0].unicodeText(), u"Hello");
    EXPECT_FALSE(parse(u"Hello , x", {true}).accepted);
    p = parse(u"\"a\", 3", {true, false});
    ASSERT_TRUE(p.accepted);
    EXPECT_EQ(p.items[0].unicodeText(), u"\"a\""); // quotes stay
    p = parse(u"", {true});
    ASSERT_TRUE(p.accepted);
    EXPECT_EQ(p.items[0].unicodeText(), u"");
    EXPECT_EQ(parse(u"漢字,かな", {true, true}).items.at(1).unicodeText(), u"かな");
}

// Feeds typed lines to the waiting INPUT, as the line editor's Enter does,
// and keeps the console's text.
class TypingHost : public HeadlessHost, public ConsoleTranscript {
  public:
    std::deque<std::u16string> lines;
    std::u16string screen;
    int rejected = 0;
    Interpreter* in = nullptr;

    void showInputBox() override { inputTag = InputBoxTag::Typing; }
    void waitForEvents() override {
        if (lines.empty()) {
            inputTag = InputBoxTag::Forced;
            return;
        }
        const std::u16string line = lines.front();
        lines.pop_front();
        if (acceptConsoleInput(*in, line))
            inputTag = InputBoxTag::Accepted;
        else
            ++rejected;
    }
    void consoleText(std::u16string_view text) override { screen += text; }
    void consoleLineEnd() override { screen += u'\n'; }
};

struct TypedRun {
    TypingHost host;
    Interpreter in{host};
    TypedRun(std::u16string_view program, std::initializer_list<std::u16string> typed) {
        host.in = &in;
        in.screen.transcript = &host;
        host.lines.assign(typed.begin(), typed.end());
        host.program = programText(program);
        in.prepareProgram(PrepareMode::Full);
        in.runLoop(in.statements.firstStatement);
    }
};

TEST(ConsoleInput, PromptsEchoAndAssignment) {
    TypedRun r(u"10 INPUT \"N\";A,B$: INPUT \"M\",C%: LINE INPUT L$: PRINT A;B$;C%;\"[\";L$;\"]\"",
               {u"1", u"1,2,3", u"-5, x y ", u"2.5", u"a, b  "});
    EXPECT_EQ(r.host.rejected, 2);
    EXPECT_EQ(r.host.screen, u"N? -5, x y \nM2.5\n? a, b  \n-5x y 3[a, b]\n");
    EXPECT_TRUE(r.host.errorBoxes.empty());
}

TEST(ConsoleInput, CursorMovesBelowThePromptAndTheConsoleScrollsAfterTheEcho) {
    TypedRun r(u"10 LOCATE 5,24: INPUT A: PRINT CSRLIN;POS(0)", {u"7"});
    EXPECT_EQ(r.host.screen, u"? 7\n 24 3\n"); // row 24 again after the scroll
    TypedRun mid(u"10 LOCATE 5,3: INPUT A: X=CSRLIN", {u"7"});
    EXPECT_EQ(mid.in.variables[mid.in.lookupTarget(mid.in.words.intern(u"X!"))].toDouble(), 4);
}

TEST(ConsoleInput, EndOfTypingEndsTheRunAndTooManyVariablesFail) {
    TypedRun r(u"10 INPUT A\n20 PRINT \"after\"", {});
    EXPECT_EQ(r.host.screen, u"? ");
    TypedRun many(u"10 INPUT A,B,C,D,E,F,G,H,I,J,K,L,M,N,O,P,Q,R,S,T,U,V", {});
    EXPECT_EQ(many.in.errors.errorNumber, 21); // the request holds 21: a host range failure
    TypedRun file(u"10 INPUT #1,A", {});       // file input: #1 is not open
    EXPECT_EQ(file.in.errors.errorNumber, 60);
    TypedRun bad(u"10 INPUT \"x\" A", {});
    EXPECT_EQ(bad.in.errors.errorNumber, 1);
}

} // namespace
} // namespace korvelin::testing
