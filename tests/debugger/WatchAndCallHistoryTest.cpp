// The watch window and the call history in the interactive program: the
// input dialog in both modes, the break a watch causes with its entry
// selected, and the call history of nested GOSUBs with its jump.

#include "debugger/CallHistory.h"
#include "platform/widgets/InputDialog.h"
#include "support/EditorHarness.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace korvelin::testing {
namespace {

std::function<void(QDialog&)> watchAnswer(const QString& expression, bool onChange,
                                          const QString& caption = QStringLiteral("ウォッチ式の追加")) {
    return [=](QDialog& dialog) {
        auto& input = dynamic_cast<InputDialog&>(dialog);
        EXPECT_EQ(input.windowTitle(), caption);
        EXPECT_EQ(input.Label1->text(), QStringLiteral("ウォッチ式："));
        EXPECT_TRUE(input.Text2->isHidden());
        EXPECT_FALSE(input.Option1->isHidden());
        EXPECT_EQ(input.Option2->text(), QStringLiteral("式の値が変化した時に中断"));
        input.Text1->setText(expression + QStringLiteral("  "));
        (onChange ? input.Option2 : input.Option1)->setChecked(true);
        input.Command1->click();
    };
}

constexpr auto flipFlop = "10 A=0\n20 A=-1\n30 B=1\n40 A=0\n50 B=2\n60 A=-1\n70 B=3\n";

TEST(WatchWindow, AWatchBreaksTheRunWithItsEntrySelected) {
    EditorHarness h;
    WatchWindow& window = h.session->debugTools.watchWindow;
    h.dialogs.dialogScripts.push_back(watchAnswer(QStringLiteral("B=9"), false));
    h.dialogs.dialogScripts.push_back(watchAnswer(QStringLiteral("A"), false));
    h.editor().menuItem(QStringLiteral("menu_wadd"))->trigger();
    h.editor().menuItem(QStringLiteral("menu_wadd"))->trigger();
    ASSERT_EQ(window.List1->count(), 2);
    EXPECT_EQ(window.List1->item(1)->text(), QStringLiteral("A"));

    h.type(QString::fromLatin1(flipFlop));
    h.run();
    EXPECT_EQ(h.control().runState(), RunState::Break);
    EXPECT_TRUE(h.editor().menuEnabled(QStringLiteral("menu_call")));
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.List1->currentRow(), 1);
    EXPECT_EQ(h.number(u"B!"), -9999); // not assigned yet
    h.control().ResumeRun();
    EXPECT_EQ(h.number(u"B!"), 2); // False→True only
    h.control().ResumeRun();
    EXPECT_EQ(h.control().runState(), RunState::Idle);

    // Edited to break on any change: three breaks.
    window.List1->setCurrentRow(1);
    h.dialogs.dialogScripts.push_back([](QDialog& dialog) {
        auto& input = dynamic_cast<InputDialog&>(dialog);
        EXPECT_EQ(input.Text1->text(), QStringLiteral("A"));
        EXPECT_TRUE(input.Option1->isChecked());
        watchAnswer(QStringLiteral("A"), true, QStringLiteral("ウォッチ式の編集"))(dialog);
    });
    window.Command2->click();
    EXPECT_EQ(window.watches.mode(1), WatchBreakOnChange);
    h.run();
    int breaks = 0;
    while (h.control().runState() == RunState::Break) {
        ++breaks;
        h.control().ResumeRun();
    }
    EXPECT_EQ(breaks, 3);

    // Deleting the first keeps the second with its mode; 全削除 empties the list.
    window.List1->setCurrentRow(0);
    window.Command3->click();
    ASSERT_EQ(window.List1->count(), 1);
    EXPECT_EQ(window.watches.text(0), u"A");
    EXPECT_EQ(window.watches.mode(0), WatchBreakOnChange);
    window.Command4->click();
    EXPECT_EQ(window.List1->count(), 0);
    h.run();
    EXPECT_EQ(h.control().runState(), RunState::Idle);
    EXPECT_EQ(h.number(u"B!"), 3);
}

TEST(WatchWindow, CancelOrAnEmptyTextAddsNothingAndABadExpressionIsReported) {
    EditorHarness h;
    WatchWindow& window = h.session->debugTools.watchWindow;
    h.editor().menuItem(QStringLiteral("menu_wadd"))->trigger(); // no answer: cancelled
    h.dialogs.dialogScripts.push_back(watchAnswer(QString(), false));
    h.editor().menuItem(QStringLiteral("menu_wadd"))->trigger();
    EXPECT_EQ(window.List1->count(), 0);
    h.dialogs.dialogScripts.push_back(watchAnswer(QStringLiteral("A +"), false));
    h.editor().menuItem(QStringLiteral("menu_wadd"))->trigger();
    EXPECT_EQ(window.List1->count(), 1);
    EXPECT_EQ(h.lastMessage(), QStringLiteral("文法エラーです。"));
    h.editor().menuItem(QStringLiteral("menu_wedit"))->trigger();
    EXPECT_TRUE(window.isVisible());
}

TEST(CallHistory, NestedGosubsListTheCallsAndAClickPutsTheCaretAtTheCallingStatement) {
    EditorHarness h;
    h.type(QStringLiteral("10 A=1: GOSUB 100\n20 END\n100 GOSUB 200\n110 RETURN\n200 STOP\n210 RETURN\n"));
    EXPECT_FALSE(h.editor().menuEnabled(QStringLiteral("menu_call")));
    h.run();
    ASSERT_EQ(h.control().runState(), RunState::Break);
    QStringList rows;
    int caretAfterClick = -1;
    bool closedByDoubleClick = false;
    h.dialogs.dialogScripts.push_back([&](QDialog& dialog) {
        auto& window = dynamic_cast<CallHistoryWindow&>(dialog);
        EXPECT_EQ(window.windowTitle(), QStringLiteral("コール ヒストリ"));
        for (int i = 0; i < window.List1->count(); ++i)
            rows << window.List1->item(i)->text();
        emit window.List1->itemClicked(window.List1->item(1));
        caretAfterClick = h.text().textCursor().position();
        emit window.List1->itemDoubleClicked(window.List1->item(0));
        closedByDoubleClick = window.result() == QDialog::Accepted;
    });
    h.editor().menuItem(QStringLiteral("menu_call"))->trigger();
    EXPECT_EQ(rows, (QStringList{QStringLiteral(" 1 :    10   GOSUB 100"),
                                 QStringLiteral(" 2 :   100  GOSUB 200")}));
    // The caret goes where the calling statement begins (the blank after
    // ":" belongs to it), nothing is selected.
    EXPECT_EQ(caretAfterClick, h.text().toPlainText().indexOf(QStringLiteral("GOSUB 200")));
    EXPECT_EQ(h.text().textCursor().position(), 7);
    EXPECT_FALSE(h.text().textCursor().hasSelection());
    EXPECT_TRUE(closedByDoubleClick);

    h.control().ResumeRun();
    EXPECT_EQ(h.control().runState(), RunState::Idle);
    EXPECT_FALSE(h.editor().menuEnabled(QStringLiteral("menu_call")));
}

} // namespace
} // namespace korvelin::testing
