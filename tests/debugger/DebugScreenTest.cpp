#include "support/EditorHarness.h"

#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace korvelin::testing {
namespace {

DebugTextBox& box(EditorHarness& h) {
    return *h.session->debugScreen.Text1;
}

// Types a line at the end of the debug screen and presses Enter on it.
void enterLine(EditorHarness& h, const QString& line) {
    box(h).moveCursor(QTextCursor::End);
    box(h).insertPlainText(line);
    QTest::keyClick(&box(h), Qt::Key_Return);
}

TEST(DebugScreen, IsLoadedHiddenAndShownByTheMenuAndTheToolbar) {
    EditorHarness h;
    EXPECT_FALSE(h.debugScreenVisible());
    EXPECT_EQ(h.session->debugScreen.windowTitle(), QStringLiteral("Korvelin (デバッグ画面)"));
    h.editor().Toolbar1_ButtonClick(7);
    EXPECT_TRUE(h.debugScreenVisible());
    h.session->debugScreen.close();
    EXPECT_FALSE(h.debugScreenVisible());
    EXPECT_EQ(h.editor().state.statementListTarget, QStringLiteral("PROG"));
    h.editor().menu_debug_Click();
    EXPECT_TRUE(h.debugScreenVisible());
}

TEST(DebugScreen, ADirectLineAtABreakLeavesTheProgramResumableAtTheSameStatement) {
    EditorHarness h;
    h.type(QStringLiteral(
        "10 FOR I=1 TO 3\n20 GOSUB 100\n30 NEXT I\n40 END\n100 S=S+I\n110 IF I=2 THEN STOP\n120 RETURN\n"));
    h.run();
    ASSERT_EQ(h.control().runState(), RunState::Break);
    const int controlTop = h.in().control.controlTop;
    const std::int32_t top = h.in().control.top();

    h.editor().menu_debug_Click();
    enterLine(h, QStringLiteral("S=S*100: T=I"));
    EXPECT_EQ(h.number(u"S!"), 300);
    EXPECT_EQ(h.number(u"T!"), 2);
    EXPECT_EQ(h.control().runState(), RunState::Break);
    EXPECT_EQ(h.in().control.controlTop, controlTop);
    EXPECT_EQ(h.in().control.top(), top);
    EXPECT_EQ(h.editor().buttonToolTip(14), QStringLiteral("実行再開"));
    EXPECT_TRUE(h.editor().menuEnabled(QStringLiteral("menu_halt")));

    h.editor().menu_resume_Click();
    EXPECT_EQ(h.number(u"S!"), 303); // the loop went on with I=3 after RETURN
    EXPECT_EQ(h.control().runState(), RunState::Idle);
}

TEST(DebugScreen, ADirectLineWhileIdleSeesTheProgramsVariablesAndStaysIdle) {
    EditorHarness h;
    h.type(QStringLiteral("10 A=5\n20 END\n30 B=A*2\n"));
    h.run();
    enterLine(h, QStringLiteral("C=A+1"));
    EXPECT_EQ(h.number(u"C!"), 6);
    EXPECT_EQ(h.control().runState(), RunState::Idle);
    EXPECT_EQ(h.in().control.controlTop, -1);
    EXPECT_FALSE(h.editor().buttonEnabled(16));
    // A jump into the program runs it like any run.
    enterLine(h, QStringLiteral("GOTO 30"));
    EXPECT_EQ(h.number(u"B!"), 10);
    EXPECT_EQ(h.control().runState(), RunState::Idle);
}

TEST(DebugScreen, ErrorsOfDirectLinesAreNeverTrappedAndShowNoLineNumber) {
    EditorHarness h;
    h.type(QStringLiteral("10 ON ERROR GOTO 100\n20 END\n100 RESUME NEXT\n"));
    h.run();
    enterLine(h, QStringLiteral("X=1/0"));
    EXPECT_EQ(h.lastMessage(), QStringLiteral("０による割り算を実行しました。"));
    EXPECT_EQ(h.control().runState(), RunState::Idle);
}

TEST(DebugScreen, EnterRunsTheWholeLineWithoutSplittingItAndAnEmptyLineRunsNothing) {
    EditorHarness h;
    box(h).setPlainText(QStringLiteral("A=7: B=8\nZ=1"));
    QTextCursor cursor = box(h).textCursor();
    cursor.setPosition(3); // in the middle of the first line
    box(h).setTextCursor(cursor);
    QTest::keyClick(&box(h), Qt::Key_Return);
    EXPECT_EQ(h.number(u"A!"), 7);
    EXPECT_EQ(h.number(u"B!"), 8);
    EXPECT_EQ(h.number(u"Z!"), -9999);
    EXPECT_EQ(box(h).toPlainText(), QStringLiteral("A=7: B=8\nZ=1"));
    EXPECT_EQ(box(h).textCursor().blockNumber(), 1);
    EXPECT_EQ(box(h).textCursor().positionInBlock(), 0);

    box(h).setPlainText(QString());
    const std::int32_t highestKey = h.in().statements.highestKey;
    QTest::keyClick(&box(h), Qt::Key_Return);
    EXPECT_EQ(box(h).toPlainText(), QStringLiteral("\n"));
    EXPECT_EQ(h.in().statements.highestKey, highestKey);
    EXPECT_TRUE(h.dialogs.messages.empty());
}

TEST(DebugScreen, KeysAreRefusedWithABeepWhileAProgramRuns) {
    EditorHarness h;
    h.type(QStringLiteral("10 A=A+1: GOTO 10\n"));
    box(h).setPlainText(QStringLiteral("X=1"));
    QTimer::singleShot(20, [&] {
        QTest::keyClick(&box(h), Qt::Key_A);
        QTest::keyClick(&box(h), Qt::Key_Return);
        h.editor().menu_halt_Click();
    });
    h.run();
    EXPECT_EQ(h.dialogs.beeps, 2);
    EXPECT_EQ(box(h).toPlainText(), QStringLiteral("X=1"));
    EXPECT_EQ(h.number(u"X!"), -9999);
}

TEST(DebugScreen, PrintOutputReplacesTheRestOfTheCaretsLine) {
    EditorHarness h;
    DebugScreen& screen = h.session->debugScreen;
    // On the last line, a finished line starts a new one.
    box(h).setPlainText(QStringLiteral("PRINT 3\n"));
    box(h).moveCursor(QTextCursor::End);
    screen.writeOutput(QStringLiteral(" 3 "), true);
    EXPECT_EQ(box(h).toPlainText(), QStringLiteral("PRINT 3\n 3 \n"));
    EXPECT_EQ(box(h).textCursor().position(), box(h).toPlainText().size());

    // With a line below, the text replaces the rest of the caret's line and
    // the caret goes on to the next line.
    box(h).setPlainText(QStringLiteral("PRINT 1\nold text\nnext"));
    QTextCursor cursor = box(h).textCursor();
    cursor.setPosition(8);
    box(h).setTextCursor(cursor);
    screen.writeOutput(QStringLiteral("new"), true);
    EXPECT_EQ(box(h).toPlainText(), QStringLiteral("PRINT 1\nnew\nnext"));
    EXPECT_EQ(box(h).textCursor().blockNumber(), 2);

    // A PRINT ending in ";" on the last line leaves the caret behind its text.
    box(h).setPlainText(QStringLiteral("PRINT 1;\n"));
    box(h).moveCursor(QTextCursor::End);
    screen.writeOutput(QStringLiteral(" 1 "), false);
    screen.writeOutput(QStringLiteral(" 2 "), true);
    EXPECT_EQ(box(h).toPlainText(), QStringLiteral("PRINT 1;\n 1  2 \n"));
}

TEST(DebugScreen, PrintTypedAsADirectLineWritesIntoTheDebugScreen) {
    EditorHarness h;
    h.type(QStringLiteral("10 A=41\n"));
    h.run();
    enterLine(h, QStringLiteral("PRINT A+1"));
    EXPECT_EQ(box(h).toPlainText(), QStringLiteral("PRINT A+1\n 42\n"));
}

} // namespace
} // namespace korvelin::testing
