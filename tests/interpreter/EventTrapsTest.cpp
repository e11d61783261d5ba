#include "support/RunProgram.h"

#include <gtest/gtest.h>

using korvelin::EventCom;
using korvelin::TrapState;
using korvelin::testing::ProgramRun;

namespace {

// Raises `event` as the key, mouse or serial source would, once, while the
// program runs line `line`.
void raiseOnce(ProgramRun& r, int event, int line, bool* raised = nullptr) {
    r.host.onEvents = [&r, event, line, raised, done = false]() mutable {
        if (done || r.host.lastLineNumber != line) return;
        done = true;
        const bool fired = r.in->events.raiseTrap(event, r.in->control.controlTop);
        if (raised) *raised = fired;
    };
}

constexpr const char16_t* KeyProgram = u"10 ON KEY GOSUB 100,,300\n"
                                       u"20 KEY(1) ON: KEY(2) ON: KEY(3) ON\n"
                                       u"30 FOR I=1 TO 20: NEXT\n"
                                       u"40 END\n"
                                       u"100 A=A+1: RETURN\n"
                                       u"300 C=C+1: RETURN";

} // namespace

TEST(EventTraps, FunctionKeyTrapsCallTheirItem) {
    for (int key : {1, 2, 3}) {
        ProgramRun r;
        bool raised = false;
        raiseOnce(r, key, 30, &raised);
        r.run(KeyProgram);
        EXPECT_EQ(r.errorNumber(), 0);
        EXPECT_EQ(r.num(u"A!"), key == 1 ? 1 : 0) << key;
        EXPECT_EQ(r.num(u"C!"), key == 3 ? 1 : 0) << key;
        // The empty second item leaves F2 without a handler: it types its text instead.
        EXPECT_EQ(raised, key != 2) << key;
        EXPECT_EQ(r.num(u"I!"), 21) << "the loop runs on after the handler returns";
    }
}

TEST(EventTraps, StopAndOffLoseTheEvent) {
    for (const char16_t* word : {u"STOP", u"OFF"}) {
        ProgramRun r;
        bool raised = true;
        raiseOnce(r, 3, 30, &raised);
        r.run(std::u16string(u"10 ON KEY GOSUB 100,,300\n20 KEY(3) ") + word +
              u"\n30 FOR I=1 TO 10: NEXT\n40 KEY(3) ON: FOR I=1 TO 10: NEXT\n50 END\n100 RETURN\n300 C=C+1: "
              u"RETURN");
        EXPECT_EQ(r.errorNumber(), 0);
        EXPECT_FALSE(raised);
        EXPECT_EQ(r.num(u"C!"), 0) << "an event while stopped is not remembered";
    }
}

TEST(EventTraps, KeyOnSwitchesEveryFunctionKey) {
    ProgramRun r(u"10 KEY ON\n20 KEY(4) OFF\n30 MOUSE(2) STOP: HELP ON: COM OFF");
    const auto& state = r.in->events.eventState;
    EXPECT_EQ(state[1], TrapState::On);
    EXPECT_EQ(state[15], TrapState::On);
    EXPECT_EQ(state[4], TrapState::Off);
    EXPECT_EQ(state[16], TrapState::None) << "MOUSE(1) untouched";
    EXPECT_EQ(state[17], TrapState::Stop);
    EXPECT_EQ(state[21], TrapState::On);
    EXPECT_EQ(state[23], TrapState::Off);
}

TEST(EventTraps, StatementErrors) {
    EXPECT_EQ(ProgramRun(u"10 KEY(16) ON").errorNumber(), 1);
    EXPECT_EQ(ProgramRun(u"10 KEY(0) ON").errorNumber(), 1);
    EXPECT_EQ(ProgramRun(u"10 MOUSE(0) ON").errorNumber(), 1);
    EXPECT_EQ(ProgramRun(u"10 MOUSE(6) ON").errorNumber(), 1);
    EXPECT_EQ(ProgramRun(u"10 KEY(1) GO").errorNumber(), 1);
    EXPECT_EQ(ProgramRun(u"10 COM(1) ON").errorNumber(), 1);
    EXPECT_EQ(ProgramRun(u"10 HELP").errorNumber(), 1);
    EXPECT_EQ(ProgramRun(u"10 ON MOUSE(6) GOSUB 10").errorNumber(), 1);
    EXPECT_EQ(ProgramRun(u"10 ON MOUSE 1 GOSUB 10").errorNumber(), 1);
    EXPECT_EQ(ProgramRun(u"10 ON HELP GOTO 10").errorNumber(), 1);
    EXPECT_EQ(ProgramRun(u"10 ON KEY GOSUB 10, 99").errorNumber(), 8);
    EXPECT_EQ(ProgramRun(u"10 ON COM GOSUB *NOWHERE").errorNumber(), 32);
    // KEY n, text indexes 0..15; beyond is a host failure.
    EXPECT_EQ(ProgramRun(u"10 KEY 16, \"X\"").errorNumber(), 21);
    EXPECT_EQ(ProgramRun(u"10 KEY 1 \"X\"").errorNumber(), 1);
}

TEST(EventTraps, OnKeyItemsRunIntoTheFollowingEvents) {
    ProgramRun fifteen(u"10 ON KEY GOSUB 10,10,10,10,10,10,10,10,10,10,10,10,10,10,10,20\n20 END");
    EXPECT_EQ(fifteen.errorNumber(), 0);
    EXPECT_EQ(fifteen.in->events.eventTarget[16], fifteen.in->statements.findLine(20));
    std::u16string many = u"10 ON KEY GOSUB 10";
    for (int i = 2; i <= 31; ++i)
        many += u",10";
    EXPECT_EQ(ProgramRun(many).errorNumber(), 21);
}

TEST(EventTraps, FunctionKeyTextAndIgnoredMouseArguments) {
    ProgramRun r(u"10 KEY 2, 12.5");
    EXPECT_EQ(r.in->keyboard.functionKeyText[2], u"12.5");
    EXPECT_EQ(ProgramRun(u"10 MOUSE 1, 2, 3, 4: A=1").num(u"A!"), 1);
    ProgramRun kanji(u"10 KEY 3, \"漢字\"");
    EXPECT_EQ(kanji.in->keyboard.functionKeyText[3], u"漢字");
}

TEST(EventTraps, MouseAndHelpHandlers) {
    ProgramRun r;
    raiseOnce(r, 18, 20);
    r.run(u"10 ON MOUSE(3) GOSUB *CLICK: MOUSE(3) ON\n20 FOR I=1 TO 5: NEXT\n30 END\n40 *CLICK\n50 M=I: "
          u"RETURN");
    EXPECT_EQ(r.errorNumber(), 0);
    EXPECT_GT(r.num(u"M!"), 0);
}

TEST(EventTraps, ComWaitsForItsHandlerKeysDoNot) {
    // Raised again inside the handler: the serial trap refuses, a key trap fires.
    ProgramRun com;
    int comFired = 0, refusedInHandler = 0;
    com.host.onEvents = [&] {
        const int top = com.in->control.controlTop;
        if (top < 0 || comFired + refusedInHandler >= 4) return;
        if (com.in->events.raiseTrap(EventCom, top))
            ++comFired;
        else if (top == 1)
            ++refusedInHandler;
    };
    com.run(u"10 ON COM GOSUB 100: COM ON\n20 GOSUB 200\n30 END\n100 N=N+1: RETURN\n200 X=1: X=2: RETURN");
    EXPECT_EQ(com.errorNumber(), 0);
    EXPECT_GE(comFired, 1);
    EXPECT_GE(refusedInHandler, 1);
    EXPECT_EQ(com.num(u"N!"), comFired);

    ProgramRun key;
    int depth = 0;
    key.host.onEvents = [&] {
        // Twice, the second time from inside the handler of the first.
        if (depth < 2 && key.in->control.controlTop == depth && key.in->events.raiseTrap(5, 0)) ++depth;
    };
    key.run(u"10 ON KEY GOSUB ,,,,100: KEY(5) ON\n20 GOSUB 200\n30 END\n100 N=N+1: RETURN\n200 X=1: RETURN");
    EXPECT_EQ(key.errorNumber(), 0);
    EXPECT_EQ(key.num(u"N!"), 2) << "a key trap fires inside its own handler";
}

TEST(EventTraps, TrapsStartOffEachRun) {
    ProgramRun r(u"10 ON KEY GOSUB 100: KEY(1) ON\n100 RETURN");
    r.run(u"10 A=1");
    EXPECT_EQ(r.in->events.eventState[1], TrapState::None);
    EXPECT_EQ(r.in->events.eventTarget[1], -1);
}
