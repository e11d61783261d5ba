// Lines typed in the debug screen at a break: a mistake in one must not cost
// the paused program, and what is typed is what runs.

#include "support/EditorHarness.h"

#include <QTest>
#include <gtest/gtest.h>

namespace korvelin::testing {
namespace {

DebugTextBox& box(EditorHarness& h) {
    return *h.session->debugScreen.Text1;
}

void typeLine(EditorHarness& h, const QString& line) {
    QTest::keyClicks(&box(h), line);
    QTest::keyClick(&box(h), Qt::Key_Return);
}

// A program stopped at a break inside a FOR loop inside a GOSUB, with a label.
void breakInsideLoop(EditorHarness& h) {
    h.type(QStringLiteral("10 GOSUB *SUB\n20 END\n25 *SUB\n30 FOR I=1 TO 5\n40 S=S+I\n"
                          "50 IF I=3 THEN STOP\n60 NEXT I\n70 RETURN\n"));
    h.run();
    ASSERT_EQ(h.control().runState(), RunState::Break);
    h.editor().menu_debug_Click();
}

TEST(DirectLine, AMistakeAtABreakIsReportedAndTheProgramStaysResumableWhereItWas) {
    EditorHarness h;
    breakInsideLoop(h);
    const int controlTop = h.in().control.controlTop;
    const std::int32_t top = h.in().control.top();
    const int loopTop = h.in().loops.loopTop;

    // Errors of the line's own statements, one inside a loop of its own.
    const QStringList mistakes = {QStringLiteral("PRINT 1/0"), QStringLiteral("FOR J=1 TO 2: X=J/0: NEXT"),
                                  QStringLiteral("GOSUB *NOWHERE")};
    const QStringList messages = {QStringLiteral("０による割り算を実行しました。"),
                                  QStringLiteral("０による割り算を実行しました。"),
                                  QStringLiteral("指定されたラベルがありません。")};
    for (int i = 0; i < mistakes.size(); ++i) {
        SCOPED_TRACE(mistakes[i].toStdString());
        typeLine(h, mistakes[i]);
        EXPECT_EQ(h.lastMessage(), messages[i]);
        EXPECT_EQ(h.dialogs.lastMessageParent, &h.session->debugScreen);
        EXPECT_EQ(h.control().runState(), RunState::Break);
        EXPECT_TRUE(h.editor().menuEnabled(QStringLiteral("menu_resume")));
        EXPECT_TRUE(h.editor().menuEnabled(QStringLiteral("menu_halt")));
        EXPECT_TRUE(h.editor().buttonEnabled(14));
        EXPECT_EQ(h.editor().buttonToolTip(14), QStringLiteral("実行再開"));
        EXPECT_EQ(h.in().control.controlTop, controlTop);
        EXPECT_EQ(h.in().control.top(), top);
        EXPECT_EQ(h.in().loops.loopTop, loopTop);
        EXPECT_EQ(h.number(u"S!"), 6); // the variables are kept
    }
    // A good line still runs after the mistakes, and the loop resumes at I=4.
    typeLine(h, QStringLiteral("S=S+100"));
    h.editor().menu_resume_Click();
    EXPECT_EQ(h.number(u"S!"), 115);
    EXPECT_EQ(h.control().runState(), RunState::Idle);
    EXPECT_EQ(h.dialogs.messages.size(), 3u);
}

TEST(DirectLine, ALineThatCannotBePreparedLeavesTheProgramAtItsBreak) {
    EditorHarness h;
    // 3,996 of the 4,001 statement slots: a line of one statement fits
    // (with the END before and the two STOPs after it), one of three does not.
    QString program;
    for (int line = 1; line < 1998; ++line)
        program += QStringLiteral("%1 A=A+1:B=B+1\n").arg(line * 10);
    program += QStringLiteral("20000 STOP\n20010 C=A+B\n");
    h.type(program);
    h.run();
    ASSERT_EQ(h.control().runState(), RunState::Break);
    h.editor().menu_debug_Click();
    typeLine(h, QStringLiteral("A=0:B=0:D=1"));
    EXPECT_EQ(h.dialogs.messages.size(), 1u);
    EXPECT_EQ(h.control().runState(), RunState::Break);
    EXPECT_EQ(h.number(u"D!"), -9999);
    typeLine(h, QStringLiteral("A=A*2"));
    h.editor().menu_resume_Click();
    EXPECT_EQ(h.number(u"C!"), 1997 * 3);
}

TEST(DirectLine, EndTypedAtABreakStillEndsTheProgram) {
    EditorHarness h;
    breakInsideLoop(h);
    typeLine(h, QStringLiteral("END"));
    EXPECT_EQ(h.control().runState(), RunState::Idle);
    EXPECT_EQ(h.in().control.controlTop, -1);
    EXPECT_FALSE(h.editor().buttonEnabled(16));
}

TEST(DirectLine, AFileOneTypedLineOpensStaysOpenForTheNextEvenAfterAMistake) {
    EditorHarness h;
    h.editor().menu_debug_Click();
    typeLine(h, QStringLiteral("OPEN \"TYPED.TXT\" FOR OUTPUT AS #1"));
    typeLine(h, QStringLiteral("PRINT #1, \"ONE\""));
    typeLine(h, QStringLiteral("PRINT #1, 1/0"));
    typeLine(h, QStringLiteral("PRINT #1, \"TWO\": CLOSE #1"));
    EXPECT_EQ(h.readFile(QStringLiteral("TYPED.TXT")), QByteArray("ONE\r\nTWO\r\n"));
    ASSERT_EQ(h.dialogs.messages.size(), 1u);
    EXPECT_EQ(h.dialogs.messages[0], QStringLiteral("０による割り算を実行しました。"));
    // A program's run still ends with its files closed.
    h.type(QStringLiteral("10 OPEN \"RUN.TXT\" FOR OUTPUT AS #2: PRINT #2, \"X\";\n"));
    h.run();
    EXPECT_FALSE(h.in().files.entry(2).isOpen());
    EXPECT_EQ(h.readFile(QStringLiteral("RUN.TXT")), QByteArray("X"));
}

TEST(DirectLine, OutputEndingWithASemicolonDoesNotGlueTheNextLineToIt) {
    EditorHarness h;
    h.editor().menu_debug_Click();
    typeLine(h, QStringLiteral("PRINT 8;"));
    typeLine(h, QStringLiteral("PRINT 9"));
    // Several PRINTs of one line still continue each other's line.
    typeLine(h, QStringLiteral("PRINT 1;: PRINT 2"));
    EXPECT_EQ(box(h).toPlainText(), QStringLiteral("PRINT 8;\n 8\nPRINT 9\n 9\nPRINT 1;: PRINT 2\n 1 2\n"));
    EXPECT_TRUE(h.dialogs.messages.empty());
    // In the middle of the text the caret goes on to the next line as before.
    box(h).setPlainText(QStringLiteral("PRINT 5;\nold\nnext"));
    box(h).moveCursor(QTextCursor::Start);
    QTest::keyClick(&box(h), Qt::Key_Return);
    EXPECT_EQ(box(h).toPlainText(), QStringLiteral("PRINT 5;\n 5\nnext"));
    EXPECT_EQ(box(h).textCursor().blockNumber(), 2);
    EXPECT_TRUE(box(h).textCursor().atBlockStart());
}

} // namespace
} // namespace korvelin::testing
