// Watch expressions during a run: the two ways a watch breaks, the values
// kept after each check, and what a broken watch expression does.

#include "interpreter/run/WatchExpressions.h"
#include "interpreter/statements/Statements.h"
#include "support/RunProgram.h"

#include <gtest/gtest.h>

namespace korvelin::testing {
namespace {

struct WatchingRun : ProgramRun {
    struct Host : HeadlessHost {
        WatchExpressions* watches = nullptr;
        Interpreter* in = nullptr;
        std::vector<int> shown;
        bool hasWatches() override { return !watches->empty(); }
        int checkWatches() override { return watches->check(*in); }
        void showWatch(int index) override { shown.push_back(index); }
        void compileWatches() override { watches->compile(*in); }
    };
    Host watchingHost;
    std::unique_ptr<Interpreter> interpreter = std::make_unique<Interpreter>(watchingHost);
    WatchExpressions watches;

    WatchingRun() {
        watchingHost.watches = &watches;
        watchingHost.in = interpreter.get();
        in.swap(interpreter); // ProgramRun's helpers use this interpreter
    }
    // Each interpreter goes before the host it talks to.
    ~WatchingRun() { in.swap(interpreter); }
    WatchingRun(const WatchingRun&) = delete;
    WatchingRun& operator=(const WatchingRun&) = delete;
    void start(std::u16string_view lines) {
        watchingHost.program = programText(lines);
        in->prepareProgram(PrepareMode::Full);
        in->runLoop(in->statements.firstStatement);
    }
    bool atBreak() const { return in->events.pendingEvent == EventBreak; }
    void resumeRun() {
        const int slot = entrySlot(in->control.top());
        in->control.pop();
        in->runLoop(slot);
    }
    double number(std::u16string_view name) { return var(name).toDouble(); }
};

constexpr std::u16string_view flipFlop = u"10 A=0\n20 A=-1\n30 B=1\n40 A=0\n50 B=2\n60 A=-1\n70 B=3\n";

TEST(Watches, FalseToTrueBreaksOnlyOnThatStep) {
    WatchingRun run;
    run.watches.add(u"A", WatchBreakOnTrue);
    run.start(flipFlop);
    ASSERT_TRUE(run.atBreak());
    EXPECT_EQ(run.number(u"B!"), 0); // right after line 20
    run.resumeRun();
    ASSERT_TRUE(run.atBreak());
    EXPECT_EQ(run.number(u"B!"), 2); // the True→False step at 40 went by
    run.resumeRun();
    EXPECT_FALSE(run.atBreak());
    EXPECT_EQ(run.number(u"B!"), 3);
    EXPECT_EQ(run.watchingHost.shown, (std::vector<int>{0, 0}));
}

TEST(Watches, AnyChangeBreaksOnEveryStepAndTheLastFiringWatchIsShown) {
    WatchingRun run;
    run.watches.add(u"B*0", WatchBreakOnChange); // never changes
    run.watches.add(u"A", WatchBreakOnChange);
    run.watches.add(u"A=-1", WatchBreakOnTrue);
    run.start(flipFlop);
    std::vector<double> breaksAt;
    while (run.atBreak()) {
        breaksAt.push_back(run.number(u"B!"));
        run.resumeRun();
    }
    EXPECT_EQ(breaksAt, (std::vector<double>{0, 1, 2}));
    // At 20 and 60 both A and A=-1 fire: the later index is shown.
    EXPECT_EQ(run.watchingHost.shown, (std::vector<int>{2, 1, 2}));
    EXPECT_EQ(run.watches.value(1).toDouble(), -1);
}

TEST(Watches, StringsAndUnknownNamesAreWatchedWithoutCreatingVariables) {
    WatchingRun run;
    run.watches.add(u"N$+\"!\"", WatchBreakOnChange);
    run.start(u"10 X=1\n20 N$=\"a\"\n30 X=2\n");
    ASSERT_TRUE(run.atBreak());
    EXPECT_EQ(run.number(u"X!"), 1);
    EXPECT_EQ(run.watches.value(0).unicodeText(), u"a!");
}

TEST(Watches, AnExpressionThatDoesNotEndIsASyntaxErrorOfTheRun) {
    WatchingRun run;
    run.watches.add(u"A B", WatchBreakOnChange);
    EXPECT_THROW(run.watches.compile(*run.in), InterpreterError);
    run.watches.replace(0, u"A", WatchBreakOnChange);
    run.start(u"10 A=1\n20 A=2\n");
    ASSERT_TRUE(run.atBreak());
    run.watches.replace(0, u"A)", WatchBreakOnChange);
    run.resumeRun();
    EXPECT_FALSE(run.atBreak());
    ASSERT_EQ(run.watchingHost.errorBoxes.size(), 1u);
    EXPECT_EQ(run.watchingHost.errorBoxes[0], u"文法エラーです。\r\n行番号：20");
}

TEST(Watches, RemovingTheFirstKeepsTheOthersWithTheirModesAndAtMost21) {
    WatchExpressions watches;
    watches.add(u"A", WatchBreakOnTrue);
    watches.add(u"B", WatchBreakOnChange);
    watches.add(u"C", WatchBreakOnTrue);
    watches.remove(0);
    ASSERT_EQ(watches.count(), 2);
    EXPECT_EQ(watches.text(0), u"B");
    EXPECT_EQ(watches.mode(0), WatchBreakOnChange);
    EXPECT_EQ(watches.text(1), u"C");
    EXPECT_EQ(watches.mode(1), WatchBreakOnTrue);
    while (watches.add(u"X", WatchBreakOnTrue)) {
    }
    EXPECT_EQ(watches.count(), WatchExpressions::capacity);
}

TEST(Watches, NoWatchNoCheck) {
    WatchingRun run;
    run.start(u"10 FOR I=1 TO 100: A=I: NEXT\n");
    EXPECT_FALSE(run.atBreak());
    EXPECT_EQ(run.number(u"A!"), 100);
}

} // namespace
} // namespace korvelin::testing
