#include "support/EditorHarness.h"

#include <QSignalSpy>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace korvelin::testing {
namespace {

struct Snapshot {
    RunState state;
    bool exec, start, halt, stop, resume;
    QString button14, button15, button16, tip14;
    bool enabled14, enabled15, enabled16;
};

Snapshot snapshot(EditorHarness& h) {
    EditorWindow& e = h.editor();
    return {h.control().runState(),
            e.menuEnabled(QStringLiteral("menu_exec")),
            e.menuEnabled(QStringLiteral("menu_start")),
            e.menuEnabled(QStringLiteral("menu_halt")),
            e.menuEnabled(QStringLiteral("menu_stop")),
            e.menuEnabled(QStringLiteral("menu_resume")),
            e.buttonImageKey(14),
            e.buttonImageKey(15),
            e.buttonImageKey(16),
            e.buttonToolTip(14),
            e.buttonEnabled(14),
            e.buttonEnabled(15),
            e.buttonEnabled(16)};
}

void expectIdle(const Snapshot& s) {
    EXPECT_EQ(s.state, RunState::Idle);
    EXPECT_TRUE(s.exec && s.start);
    EXPECT_FALSE(s.halt || s.stop || s.resume);
    EXPECT_EQ(s.button14, QStringLiteral("開始(&G)"));
    EXPECT_EQ(s.tip14, QStringLiteral("実行開始"));
    EXPECT_EQ(s.button15, QStringLiteral("中断(&I).D"));
    EXPECT_EQ(s.button16, QStringLiteral("終了(&H).D"));
    EXPECT_TRUE(s.enabled14);
    EXPECT_FALSE(s.enabled15 || s.enabled16);
}

void expectRunning(const Snapshot& s) {
    EXPECT_EQ(s.state, RunState::Running);
    EXPECT_FALSE(s.exec || s.start || s.resume);
    EXPECT_TRUE(s.halt && s.stop);
    EXPECT_EQ(s.button14, QStringLiteral("開始(&G).D"));
    EXPECT_EQ(s.button15, QStringLiteral("中断(&I)"));
    EXPECT_EQ(s.button16, QStringLiteral("終了(&H)"));
    EXPECT_FALSE(s.enabled14);
    EXPECT_TRUE(s.enabled15 && s.enabled16);
}

void expectBreak(const Snapshot& s) {
    EXPECT_EQ(s.state, RunState::Break);
    EXPECT_FALSE(s.exec || s.start || s.stop);
    EXPECT_TRUE(s.halt && s.resume);
    EXPECT_EQ(s.button14, QStringLiteral("開始(&G)"));
    EXPECT_EQ(s.tip14, QStringLiteral("実行再開"));
    EXPECT_EQ(s.button15, QStringLiteral("中断(&I).D"));
    EXPECT_EQ(s.button16, QStringLiteral("終了(&H)"));
    EXPECT_TRUE(s.enabled14 && s.enabled16);
    EXPECT_FALSE(s.enabled15);
}

// Runs `action` from the event loop once the run loop lets events through.
void duringRun(const std::function<void()>& action) {
    QTimer::singleShot(20, action);
}

TEST(ExecutionControl, MenusAndRunButtonsFollowIdleRunningBreakRunningIdle) {
    EditorHarness h;
    h.type(QStringLiteral("10 A=0\n20 A=A+1: GOTO 20\n"));
    expectIdle(snapshot(h));

    Snapshot running{}, resumed{};
    duringRun([&] {
        running = snapshot(h);
        h.editor().Toolbar1_ButtonClick(15); // break
    });
    h.editor().Toolbar1_ButtonClick(14); // start
    expectRunning(running);
    expectBreak(snapshot(h));
    EXPECT_TRUE(h.editor().menuEnabled(QStringLiteral("menu_halt")));
    const double atBreak = h.number(u"A!");
    EXPECT_GT(atBreak, 0);

    duringRun([&] {
        resumed = snapshot(h);
        h.editor().Toolbar1_ButtonClick(16); // end
    });
    h.editor().Toolbar1_ButtonClick(14); // resume
    expectRunning(resumed);
    expectIdle(snapshot(h));
    EXPECT_GT(h.number(u"A!"), atBreak);
    EXPECT_EQ(h.in().control.controlTop, -1);
}

TEST(ExecutionControl, StopThenResumeContinuesAfterTheStop) {
    EditorHarness h;
    h.type(QStringLiteral("10 A=1\n20 STOP: A=A+1\n30 B=A*10\n"));
    h.run();
    expectBreak(snapshot(h));
    EXPECT_EQ(h.number(u"A!"), 1);
    EXPECT_EQ(h.number(u"B!"), -9999);
    h.editor().menu_resume_Click();
    EXPECT_EQ(h.number(u"B!"), 20);
    expectIdle(snapshot(h));
}

TEST(ExecutionControl, EndingAtABreakGreysTheEndButtonAtOnceAndEndsTheProgram) {
    EditorHarness h;
    h.type(QStringLiteral("10 GOSUB 100\n20 END\n100 STOP\n110 RETURN\n"));
    h.run();
    ASSERT_EQ(h.control().runState(), RunState::Break);
    h.editor().menu_halt_Click();
    expectIdle(snapshot(h));
    EXPECT_EQ(h.in().control.controlTop, -1);
    h.editor().menu_resume_Click(); // nothing to resume
    expectIdle(snapshot(h));
}

TEST(ExecutionControl, AnUntrappedErrorPutsTheCaretInsideItsLineAndFocusesTheEditor) {
    EditorHarness h;
    h.type(QStringLiteral("100 A=1\n110 B=2\n120 C=1/0\n130 D=4\n"));
    h.text().moveCursor(QTextCursor::Start);
    h.run();
    EXPECT_EQ(h.lastMessage(), QStringLiteral("０による割り算を実行しました。\n行番号：120"));
    const QTextCursor caret = h.text().textCursor();
    EXPECT_EQ(caret.blockNumber(), 2);
    EXPECT_GT(caret.positionInBlock(), 4);
    EXPECT_TRUE(h.editor().isVisible());
    EXPECT_EQ(h.number(u"D!"), -9999);
    expectIdle(snapshot(h));
}

TEST(ExecutionControl, APreparationErrorRunsNothingAndLeavesTheMenusIdle) {
    EditorHarness h;
    h.type(QStringLiteral("10 A=1\nX B=2\n"));
    h.run();
    EXPECT_EQ(h.lastMessage(), QStringLiteral("文法エラーです。"));
    EXPECT_EQ(h.text().textCursor().blockNumber(), 1);
    EXPECT_EQ(h.number(u"A!"), -9999);
    expectIdle(snapshot(h));
}

TEST(ExecutionControl, ClosingTheWindowDuringARunEndsTheProgramFirst) {
    EditorHarness h;
    h.type(QStringLiteral("10 A=A+1: GOTO 10\n"));
    QSignalSpy closed(&h.editor(), &EditorWindow::editorClosed);
    bool closedDuringRun = true;
    duringRun([&] {
        h.editor().close();
        closedDuringRun = closed.count() > 0;
    });
    h.run();
    EXPECT_FALSE(closedDuringRun);
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(h.editor().isVisible());
    EXPECT_EQ(h.in().startMode, StartMode::Closing);
}

TEST(ExecutionControl, EndingARunThatWaitsForConsoleInputEndsIt) {
    EditorHarness h;
    h.type(QStringLiteral("10 INPUT A\n20 B=1\n"));
    duringRun([&] { h.editor().menu_halt_Click(); });
    h.run();
    EXPECT_EQ(h.number(u"B!"), -9999);
    expectIdle(snapshot(h));
    // The next INPUT waits again instead of seeing the old tag.
    duringRun([&] {
        EXPECT_EQ(h.session->screen.inputBoxTag(), InputBoxTag::Typing);
        h.editor().menu_halt_Click();
    });
    h.run();
    expectIdle(snapshot(h));
}

TEST(ExecutionControl, NewAndOpenAreRefusedWhileTheRunLoopRuns) {
    EditorHarness h;
    h.type(QStringLiteral("10 A=A+1: GOTO 10\n"));
    duringRun([&] {
        h.editor().menu_new_Click();
        h.editor().menu_halt_Click();
    });
    h.run();
    EXPECT_EQ(h.dialogs.beeps, 1);
    EXPECT_EQ(h.text().toPlainText(), QStringLiteral("10 A=A+1: GOTO 10\n"));
}

} // namespace
} // namespace korvelin::testing
