#include "interpreter/statements/Statements.h"
#include "support/RunProgram.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace korvelin::testing {
namespace {

TEST(IfStatement, TakesThenOnlyForMinusOne) {
    ProgramRun r(u"10 IF 1 THEN A=1 ELSE A=2\n20 IF -1 THEN B=1 ELSE B=2\n30 IF \"X\" THEN C=1 ELSE C=2\n"
                 u"40 IF 5>3 THEN D=1");
    EXPECT_EQ(r.num(u"A!"), 2);
    EXPECT_EQ(r.num(u"B!"), 1);
    EXPECT_EQ(r.num(u"C!"), 2);
    EXPECT_EQ(r.num(u"D!"), 1);
    EXPECT_FALSE(r.failed());
}

TEST(IfStatement, LineNumbersAfterThenElseAndGoto) {
    ProgramRun r(
        u"10 A=-1: IF A THEN 100\n20 X=1: END\n100 A=1: IF A GOTO 200 ELSE 300\n200 Y=2: END\n300 Y=3");
    EXPECT_TRUE(r.var(u"X!").isEmpty());
    EXPECT_EQ(r.num(u"Y!"), 3); // 1 is not true
    ProgramRun t(u"10 A=-1: IF A GOTO 200 ELSE 300\n200 Y=2: END\n300 Y=3");
    EXPECT_EQ(t.num(u"Y!"), 2);
}

TEST(IfStatement, EmptyThenPartAndNestedElse) {
    ProgramRun r(u"10 A=0: IF A THEN ELSE P=1\n20 A=-1: IF A THEN ELSE Q=1");
    EXPECT_EQ(r.num(u"P!"), 1);
    EXPECT_TRUE(r.var(u"Q!").isEmpty());
    const char16_t* nested = u"IF A THEN IF B THEN R=1 ELSE R=2 ELSE R=3";
    ProgramRun tf(std::u16string(u"10 A=-1: B=0\n20 ") + nested);
    EXPECT_EQ(tf.num(u"R!"), 2);
    ProgramRun ff(std::u16string(u"10 A=0: B=-1\n20 ") + nested);
    EXPECT_EQ(ff.num(u"R!"), 3);
    ProgramRun tt(std::u16string(u"10 A=-1: B=-1\n20 ") + nested);
    EXPECT_EQ(tt.num(u"R!"), 1);
}

TEST(IfStatement, GosubInsideTheLineReturnsToTheRestOfTheLine) {
    ProgramRun r(u"10 IF -1 THEN GOSUB 100: A=A+10: B=1\n20 C=A\n30 END\n100 A=A+1\n110 RETURN");
    EXPECT_EQ(r.num(u"A!"), 11);
    EXPECT_EQ(r.num(u"B!"), 1);
    EXPECT_EQ(r.num(u"C!"), 11);
    ProgramRun plain(u"10 GOSUB 100\n20 C=A: END\n100 A=5: RETURN");
    EXPECT_EQ(plain.num(u"C!"), 5);
}

TEST(IfStatement, EndInsideASubroutineCalledFromTheLineEndsTheRun) {
    ProgramRun r(u"10 IF -1 THEN GOSUB 100: A=1\n20 B=1\n100 END");
    EXPECT_TRUE(r.var(u"A!").isEmpty());
    EXPECT_TRUE(r.var(u"B!").isEmpty());
}

TEST(ForNext, CountsAndLeavesTheVariableBeyondTheLimit) {
    ProgramRun r(
        u"10 FOR I=1 TO 3: NEXT\n20 FOR J=1 TO 0: K=K+1: NEXT\n30 FOR L=3 TO 1 STEP -1: M=M+1: NEXT L\n"
        u"40 FOR X=0 TO 1 STEP .25: N=N+1: NEXT");
    EXPECT_EQ(r.num(u"I!"), 4);
    EXPECT_EQ(r.num(u"K!"), 0);
    EXPECT_EQ(r.num(u"M!"), 3);
    EXPECT_EQ(r.num(u"N!"), 5);
    EXPECT_FALSE(r.failed());
}

TEST(ForNext, SkippedBodiesSkipNestedLoopsToo) {
    ProgramRun r(
        u"10 FOR I=1 TO 0\n20 FOR J=1 TO 3\n30 A=A+1\n40 NEXT J\n50 WHILE -1: B=1: WEND\n60 NEXT I\n70 C=1");
    EXPECT_EQ(r.num(u"A!"), 0);
    EXPECT_TRUE(r.var(u"B!").isEmpty());
    EXPECT_EQ(r.num(u"C!"), 1);
    EXPECT_EQ(r.in->loops.skipLevel, -1);
}

TEST(ForNext, NextWithSeveralNamesAndOuterNames) {
    ProgramRun r(
        u"10 FOR I=1 TO 2: FOR J=1 TO 3: A=A+1: NEXT J, I\n20 FOR K=1 TO 2: FOR L=1 TO 5: B=B+1: NEXT K");
    EXPECT_EQ(r.num(u"A!"), 6);
    EXPECT_EQ(r.num(u"B!"), 2); // NEXT K closes the inner L loop each time
    EXPECT_FALSE(r.failed());
}

TEST(ForNext, LoopInsideAnIfLineRunsInThatLine) {
    ProgramRun r(u"10 IF -1 THEN FOR I=1 TO 3: A=A+1: NEXT: B=A\n20 C=1");
    EXPECT_EQ(r.num(u"A!"), 3);
    EXPECT_EQ(r.num(u"B!"), 3);
    EXPECT_EQ(r.num(u"C!"), 1);
    // NEXT on a later line goes back to the start of the IF line, which runs again.
    ProgramRun s(u"10 IF N<3 THEN N=N+1: FOR I=1 TO 2: A=A+1\n20 NEXT\n30 B=1");
    EXPECT_EQ(s.num(u"N!"), 3);
    EXPECT_EQ(s.num(u"A!"), 3);
    EXPECT_EQ(s.num(u"B!"), 1);
}

TEST(ForNext, Errors) {
    ProgramRun a(u"10 NEXT");
    EXPECT_EQ(a.lastError(), u"NEXT文 に対応する FOR文 がありません。\r\n行番号：10");
    ProgramRun b(u"10 FOR I=1 TO 2: NEXT J");
    EXPECT_EQ(b.errorNumber(), 2);
    ProgramRun c(u"10 WHILE -1: NEXT");
    EXPECT_EQ(c.errorNumber(), 2);
    ProgramRun d(u"10 FOR I=1 2");
    EXPECT_EQ(d.errorNumber(), 1);
    ProgramRun e(u"10 FOR I 1 TO 2");
    EXPECT_EQ(e.errorNumber(), 1);
    // A loop left with GOTO keeps its entry; the 52nd open loop fails.
    ProgramRun f(u"10 FOR I=1 TO 2: N=N+1: GOTO 10");
    EXPECT_EQ(f.errorNumber(), 21);
    EXPECT_EQ(f.num(u"N!"), 51);
}

// NEXT decides without the operators for the common kinds; it must decide
// as (limit - counter) * step >= 0 does, failures included.
TEST(ForNext, ContinuingDecidesAsTheOperatorsDo) {
    const double inf = std::numeric_limits<double>::infinity();
    const std::vector<Value> values = {Value::integer(0),
                                       Value::integer(1),
                                       Value::integer(-1),
                                       Value::integer(32767),
                                       Value::integer(-32768),
                                       Value::longInt(2147483647),
                                       Value::longInt(-2147483647 - 1),
                                       Value::longInt(70000),
                                       Value::dbl(0.5),
                                       Value::dbl(-0.0),
                                       Value::dbl(1e308),
                                       Value::dbl(-1e308),
                                       Value::dbl(inf),
                                       Value::dbl(std::numeric_limits<double>::quiet_NaN()),
                                       Value::single(2.5f),
                                       Value::boolean(true),
                                       Value(),
                                       Value::text(u"3"),
                                       Value::text(u"X")};
    auto byOperators = [](const LoopEntry& loop, const Value& counter) -> std::string {
        try {
            return equalsTrue(compare(multiply(subtract(loop.limit, counter), loop.step), Value::integer(0),
                                      Comparison::GreaterOrEqual))
                       ? "yes"
                       : "no";
        } catch (const HostFailure& f) {
            return "failure " + std::to_string(static_cast<int>(f.kind()));
        }
    };
    auto byNext = [](const LoopEntry& loop, const Value& counter) -> std::string {
        try {
            return forLoopContinues(loop, counter) ? "yes" : "no";
        } catch (const HostFailure& f) {
            return "failure " + std::to_string(static_cast<int>(f.kind()));
        }
    };
    LoopEntry loop;
    for (const Value& limit : values) {
        for (const Value& step : values) {
            loop.limit = limit;
            loop.step = step;
            for (const Value& counter : values)
                ASSERT_EQ(byNext(loop, counter), byOperators(loop, counter))
                    << limit.toTextBytes() << " " << step.toTextBytes() << " " << counter.toTextBytes();
        }
    }
}

TEST(WhileWend, LoopsWhileNotZero) {
    ProgramRun r(
        u"10 WHILE I<5: I=I+1: WEND\n20 WHILE 1: J=J+1: IF J=3 THEN 40\n30 WEND\n40 WHILE 0: K=1: WEND");
    EXPECT_EQ(r.num(u"I!"), 5);
    EXPECT_EQ(r.num(u"J!"), 3);
    EXPECT_TRUE(r.var(u"K!").isEmpty());
    ProgramRun e(u"10 WEND");
    EXPECT_EQ(e.lastError(), u"WEND文 に対応する WHILE文 がありません。\r\n行番号：10");
    ProgramRun f(u"10 FOR I=1 TO 2: WEND");
    EXPECT_EQ(f.errorNumber(), 30);
}

TEST(GosubReturn, ReturnsAndReturnsToALine) {
    ProgramRun r(u"10 GOSUB 100: A=1\n20 GOSUB 200\n30 END\n100 B=1: RETURN\n200 RETURN 500\n500 C=1");
    EXPECT_EQ(r.num(u"A!"), 1);
    EXPECT_EQ(r.num(u"B!"), 1);
    EXPECT_EQ(r.num(u"C!"), 1);
    EXPECT_EQ(r.in->control.controlTop, -1);
    ProgramRun e(u"10 RETURN");
    EXPECT_EQ(e.lastError(), u"RETURN文 に対応する GOSUB文 がありません。\r\n行番号：10");
    ProgramRun deep(u"10 N=N+1: GOSUB 10");
    EXPECT_EQ(deep.errorNumber(), 21);
    EXPECT_EQ(deep.num(u"N!"), 102);
}

TEST(GotoStatement, TargetsAndErrors) {
    ProgramRun r(u"10 GO TO 30\n20 A=1\n30 GOTO *DONE\n40 B=1\n50 *DONE: C=1");
    EXPECT_TRUE(r.var(u"A!").isEmpty());
    EXPECT_TRUE(r.var(u"B!").isEmpty());
    EXPECT_EQ(r.num(u"C!"), 1);
    ProgramRun missing(u"10 GOTO 99");
    EXPECT_EQ(missing.lastError(), u"指定された行番号がありません。\r\n行番号：10");
    ProgramRun label(u"10 GOTO *NOWHERE");
    EXPECT_EQ(label.errorNumber(), 32);
    ProgramRun glued(u"10 GOTO100");
    EXPECT_EQ(glued.errorNumber(), 1);
    ProgramRun midLabel(u"10 A=1: *L");
    EXPECT_EQ(midLabel.errorNumber(), 1);
}

TEST(OnGoto, SelectsTheNthTarget) {
    ProgramRun r(u"10 N=2: ON N GOTO 100, 200, 300\n100 A=1: END\n200 A=2: END\n300 A=3");
    EXPECT_EQ(r.num(u"A!"), 2);
    ProgramRun g(u"10 ON 3 GOSUB 100,100,200: B=1: END\n100 A=1: RETURN\n200 A=2: RETURN");
    EXPECT_EQ(g.num(u"A!"), 2);
    EXPECT_EQ(g.num(u"B!"), 1);
    ProgramRun none(u"10 ON 0 GOTO 100: A=1\n20 ON 3 GOTO 100,100: B=1\n30 END\n100 C=1");
    EXPECT_EQ(none.num(u"A!"), 1);
    EXPECT_EQ(none.num(u"B!"), 1);
    EXPECT_TRUE(none.var(u"C!").isEmpty());
    ProgramRun negative(u"10 ON -1 GOTO 100\n100 END");
    EXPECT_EQ(negative.errorNumber(), 5);
    ProgramRun label(u"10 ON 2 GOTO 100, *L\n100 END\n110 *L: A=1");
    EXPECT_EQ(label.num(u"A!"), 1);
}

TEST(StopAndEnd, StopBreaksAndResumesWithTheNextStatement) {
    ProgramRun r(u"10 A=1: STOP: B=1\n20 C=1");
    ASSERT_EQ(r.host.stops.size(), 1u);
    EXPECT_EQ(r.host.stops[0], RunStop::Break);
    EXPECT_TRUE(r.var(u"B!").isEmpty());
    r.resume();
    EXPECT_EQ(r.num(u"B!"), 1);
    EXPECT_EQ(r.num(u"C!"), 1);
    EXPECT_EQ(r.host.stops.back(), RunStop::Ended);

    ProgramRun on(u"10 STOP ON: A=1");
    EXPECT_EQ(on.num(u"A!"), 1);
    EXPECT_EQ(on.host.stops.back(), RunStop::Ended);
}

TEST(StopAndEnd, BreakKeepsOpenLoopsAndSubroutines) {
    ProgramRun r(u"10 FOR I=1 TO 3: GOSUB 100: NEXT: END\n100 IF I=2 THEN STOP\n110 A=A+I: RETURN");
    EXPECT_EQ(r.num(u"A!"), 1);
    EXPECT_EQ(r.in->loops.loopTop, 0);
    r.resume();
    EXPECT_EQ(r.num(u"A!"), 6);
    EXPECT_EQ(r.in->loops.loopTop, -1);
}

// A host whose user presses the end or break command after a while.
struct InterruptingHost : HeadlessHost {
    Interpreter* in = nullptr;
    int passesLeft = 50;
    int event = EventEndRequest;
    void processEvents() override {
        HeadlessHost::processEvents();
        if (in && --passesLeft == 0) {
            in->events.eventTarget[static_cast<std::size_t>(event)] = -1;
            in->events.pendingEvent = event;
        }
    }
};

TEST(RunLoop, EndAndBreakCommandsStopAnEndlessProgram) {
    InterruptingHost host;
    Interpreter in(host);
    host.in = &in;
    host.program = programText(u"10 FOR I=1 TO 5: GOSUB 100: NEXT: GOTO 10\n100 A=A+1: RETURN");
    in.prepareProgram(PrepareMode::Full);
    in.runLoop(in.statements.firstStatement);
    EXPECT_EQ(host.stops.back(), RunStop::Ended);
    EXPECT_EQ(in.control.controlTop, -1);
    EXPECT_EQ(in.loops.loopTop, -1);

    InterruptingHost breaking;
    breaking.event = EventBreak;
    Interpreter b(breaking);
    breaking.in = &b;
    breaking.program = host.program;
    b.prepareProgram(PrepareMode::Full);
    b.runLoop(b.statements.firstStatement);
    EXPECT_EQ(breaking.stops.back(), RunStop::Break);
    EXPECT_GE(b.control.controlTop, 0); // the break entry to resume from
}

TEST(RunLoop, SystemStyleCloseAfterTheRun) {
    ProgramRun r;
    r.in->startMode = StartMode::CloseWhenRunEnds;
    r.run(u"10 END");
    EXPECT_TRUE(r.host.editorClosed);
    EXPECT_EQ(r.in->startMode, StartMode::Interactive);
}

TEST(RunLoop, ConsoleInputWaitContinuesOrEndsWhenForced) {
    InterruptingHost host;
    host.event = EventInputWait;
    host.passesLeft = 1;
    host.tagAfterWait = InputBoxTag::Accepted;
    Interpreter in(host);
    host.in = &in;
    host.program = programText(u"10 A=1\n20 B=1");
    in.prepareProgram(PrepareMode::Full);
    in.runLoop(in.statements.firstStatement);
    EXPECT_EQ(host.waits, 1);
    EXPECT_EQ(host.stops.back(), RunStop::Ended);
    EXPECT_EQ(in.control.controlTop, -1);

    InterruptingHost forced;
    forced.event = EventInputWait;
    forced.passesLeft = 1;
    forced.tagAfterWait = InputBoxTag::Forced;
    Interpreter f(forced);
    forced.in = &f;
    forced.program = host.program;
    f.prepareProgram(PrepareMode::Full);
    f.runLoop(f.statements.firstStatement);
    EXPECT_TRUE(forced.inputBoxHidden);
    EXPECT_EQ(f.variables.variableCount(), 2); // COMMAND$ and A!, never B!
    EXPECT_EQ(forced.stops.back(), RunStop::Ended);
}

TEST(RunLoop, LoadEventReplacesTheProgram) {
    InterruptingHost host;
    host.event = EventLoad;
    host.passesLeft = 1;
    Interpreter in(host);
    host.in = &in;
    host.files[u"/progs/NEXT.BAS"] = programText(u"10 B=2\n500 C=A");
    host.program = programText(u"10 A=7\n20 A=8");
    in.prepareProgram(PrepareMode::Full);
    in.currentProgramPath = u"/progs/NEXT.BAS";
    in.currentStatement = u"CHAIN ALL";
    in.chainStartLine = 500;
    in.runLoop(in.statements.firstStatement);
    ASSERT_EQ(host.loadedPaths.size(), 1u);
    in.variables.watchEvaluation = true;
    in.variables.subscriptRegister = {-1, -1, -1, -1, -1};
    EXPECT_EQ(
        in.variables[in.variables.lookupVariable(in.words.intern(u"C!"), LookupMode::Reference)].toDouble(),
        7);
    EXPECT_EQ(
        in.variables[in.variables.lookupVariable(in.words.intern(u"B!"), LookupMode::Reference)].toDouble(),
        0);
    EXPECT_EQ(in.control.controlTop, -1);
}

} // namespace
} // namespace korvelin::testing
