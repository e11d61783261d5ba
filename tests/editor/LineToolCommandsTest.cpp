// The line tools and find/replace as the editor's menu commands: dialogs
// answered by a script, one undo step per rewrite, the Enter key of
// automatic numbering and the toolbar button that shows it.

#include "editor/RenumberDialog.h"
#include "platform/widgets/InputDialog.h"
#include "support/EditorHarness.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

namespace korvelin::testing {
namespace {

// Fills the renumber dialog and presses O K.
std::function<void(QDialog&)> renumberAnswer(const QString& newNumber, const QString& oldNumber = {},
                                             const QString& step = QStringLiteral("10")) {
    return [=](QDialog& dialog) {
        auto& renumber = dynamic_cast<RenumberDialog&>(dialog);
        renumber.Text1->setText(newNumber);
        if (!oldNumber.isNull()) renumber.Text2->setText(oldNumber);
        renumber.Text3->setText(step);
        renumber.Command1->click();
    };
}

std::function<void(QDialog&)> searchAnswer(const QString& what, const QString& with = {}) {
    return [=](QDialog& dialog) {
        auto& input = dynamic_cast<InputDialog&>(dialog);
        input.Text1->setText(what);
        input.Text2->setText(with);
        input.Command1->click();
    };
}

TEST(RenumberCommand, RewritesTheTextAndOneUndoGivesItBack) {
    EditorHarness h;
    const QString program = QStringLiteral("10 A=1\n20 GOTO 10\n");
    h.type(program);
    QString proposedOld;
    h.dialogs.dialogScripts.push_back([&](QDialog& dialog) {
        auto& renumber = dynamic_cast<RenumberDialog&>(dialog);
        EXPECT_EQ(renumber.windowTitle(), QStringLiteral("行番号の付け直し"));
        proposedOld = renumber.Text2->text();
        EXPECT_EQ(renumber.Text3->text(), QStringLiteral("10"));
        // Values that are not accepted leave the dialog up.
        renumber.Text1->setText(QStringLiteral("0"));
        renumber.Command1->click();
        EXPECT_EQ(renumber.result, QStringLiteral("Cancel"));
        renumberAnswer(QStringLiteral("100"))(dialog);
    });
    h.editor().menuItem(QStringLiteral("menu_renum"))->trigger();
    EXPECT_EQ(proposedOld, QStringLiteral("10"));
    EXPECT_EQ(h.text().toPlainText(), QStringLiteral("100 A=1\n110 GOTO 100\n"));
    h.text().undo();
    EXPECT_EQ(h.text().toPlainText(), program);

    // Cancel changes nothing.
    h.editor().menuItem(QStringLiteral("menu_renum"))->trigger();
    EXPECT_EQ(h.text().toPlainText(), program);
}

TEST(RenumberCommand, AMissingLineIsReportedWithTheCaretOnTheReference) {
    EditorHarness h;
    h.type(QStringLiteral("10 A=1\n20 GOTO 40\n"));
    h.dialogs.dialogScripts.push_back(renumberAnswer(QStringLiteral("100"), QStringLiteral("0")));
    h.editor().menuItem(QStringLiteral("menu_renum"))->trigger();
    EXPECT_EQ(h.lastMessage(), QStringLiteral("指定された行番号がありません。"));
    EXPECT_EQ(h.text().toPlainText(), QStringLiteral("10 A=1\n20 GOTO 40\n"));
    // "20 GOTO 40" begins at document position 7; the caret stands in the number.
    EXPECT_EQ(h.text().textCursor().position(), 7 + 3 + 6);
}

TEST(SortCommand, SortsFromTheToolbarAndResetsTheInterpreter) {
    EditorHarness h;
    h.type(QStringLiteral("30 C=3\n10 A=1\n\n20 B=2"));
    h.editor().Toolbar1_ButtonClick(18);
    EXPECT_EQ(h.editor().state.ToolbarAction, 14);
    EXPECT_EQ(h.text().toPlainText(), QStringLiteral("10 A=1\n20 B=2\n30 C=3\n"));
    h.text().undo();
    EXPECT_EQ(h.text().toPlainText(), QStringLiteral("30 C=3\n10 A=1\n\n20 B=2"));
}

TEST(AutoNumberCommand, InsertsTheFirstNumberAndEnterContinues) {
    EditorHarness h;
    h.type(QStringLiteral("10 A\n20 B\n200 C"));
    h.dialogs.dialogScripts.push_back([](QDialog& dialog) {
        auto& renumber = dynamic_cast<RenumberDialog&>(dialog);
        EXPECT_EQ(renumber.windowTitle(), QStringLiteral("行番号の自動生成"));
        EXPECT_TRUE(renumber.Text2->isHidden());
        renumberAnswer(QStringLiteral("100"))(dialog);
    });
    h.editor().Toolbar1_ButtonClick(20);
    EXPECT_TRUE(h.editor().menuItem(QStringLiteral("menu_auto"))->isChecked());
    EXPECT_EQ(h.editor().buttonImageKey(20), QStringLiteral("行番号の自動生成(&A).A"));
    EXPECT_EQ(h.text().toPlainText(), QStringLiteral("10 A\n20 B\n100 \n200 C"));
    EXPECT_EQ(h.text().textCursor().position(), 14);

    QTest::keyClicks(&h.text(), QStringLiteral("X=1"));
    QTest::keyClick(&h.text(), Qt::Key_Return);
    EXPECT_EQ(h.text().toPlainText(), QStringLiteral("10 A\n20 B\n100 X=1\n110 \n200 C"));
    QTest::keyClick(&h.text(), Qt::Key_Return);
    EXPECT_EQ(h.text().toPlainText(), QStringLiteral("10 A\n20 B\n100 X=1\n110 \n120 \n200 C"));
    // On a line without the expected number Enter is an ordinary key.
    QTextCursor cursor = h.text().textCursor();
    cursor.setPosition(2);
    h.text().setTextCursor(cursor);
    QTest::keyClick(&h.text(), Qt::Key_Return);
    EXPECT_EQ(h.text().toPlainText(), QStringLiteral("10\n A\n20 B\n100 X=1\n110 \n120 \n200 C"));

    // The menu switches it off again; Enter is ordinary everywhere.
    h.editor().menuItem(QStringLiteral("menu_auto"))->trigger();
    EXPECT_FALSE(h.editor().menuItem(QStringLiteral("menu_auto"))->isChecked());
    EXPECT_EQ(h.editor().buttonImageKey(20), QStringLiteral("行番号の自動生成(&A)"));
    EXPECT_EQ(h.dialogs.modalDialogs, 1);
}

TEST(AutoNumberCommand, ATextThatDoesNotParseStillSwitchesItOn) {
    EditorHarness h;
    h.type(QStringLiteral("10 A\nB"));
    h.dialogs.dialogScripts.push_back(renumberAnswer(QStringLiteral("100")));
    h.editor().menuItem(QStringLiteral("menu_auto"))->trigger();
    EXPECT_EQ(h.lastMessage(), QStringLiteral("文法エラーです。"));
    EXPECT_EQ(h.text().toPlainText(), QStringLiteral("10 A\nB"));
    EXPECT_TRUE(h.editor().menuItem(QStringLiteral("menu_auto"))->isChecked());
    EXPECT_EQ(h.editor().state.AutoNumberNext, 0);
}

TEST(FindCommand, AsksForEachOccurrenceAndCountsTheConfirmedOnes) {
    EditorHarness h;
    h.type(QStringLiteral("10 A=1\n20 A=2\n30 A=3\n"));
    QTextCursor cursor = h.text().textCursor();
    cursor.setPosition(9);
    h.text().setTextCursor(cursor);
    h.dialogs.dialogScripts.push_back([](QDialog& dialog) {
        auto& input = dynamic_cast<InputDialog&>(dialog);
        EXPECT_EQ(input.windowTitle(), QStringLiteral("文字列の検索"));
        EXPECT_EQ(input.Label1->text(), QStringLiteral("検索する文字列"));
        EXPECT_TRUE(input.Text2->isHidden());
        searchAnswer(QStringLiteral("A=  "))(dialog);
    });
    h.dialogs.answers = {QMessageBox::Yes, QMessageBox::Yes, QMessageBox::Yes};
    h.editor().menuItem(QStringLiteral("menu_find"))->trigger();
    EXPECT_EQ(h.dialogs.questions.size(), 3u);
    EXPECT_EQ(h.dialogs.questions[0], QStringLiteral("文字列の検索|次の文字列を検索しますか？"));
    EXPECT_EQ(h.lastMessage(), QStringLiteral("文字列の検索| 3 個の文字列を検索しました。"));
    // The last occurrence offered was the one before the caret: line 10's.
    EXPECT_EQ(h.text().textCursor().selectionStart(), 3);
}

TEST(ReplaceCommand, ReplacesConfirmedOccurrencesAndCancelStops) {
    EditorHarness h;
    h.type(QStringLiteral("10 A=1\n20 A=2\n30 A=3\n"));
    h.dialogs.dialogScripts.push_back([](QDialog& dialog) {
        auto& input = dynamic_cast<InputDialog&>(dialog);
        EXPECT_EQ(input.windowTitle(), QStringLiteral("文字列の置換"));
        EXPECT_EQ(input.Label2->text(), QStringLiteral("置換後の文字列:"));
        searchAnswer(QStringLiteral("A="), QStringLiteral("BB="))(dialog);
    });
    h.dialogs.answers = {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel};
    h.editor().menuItem(QStringLiteral("menu_replace"))->trigger();
    EXPECT_EQ(h.text().toPlainText(), QStringLiteral("10 BB=1\n20 A=2\n30 A=3\n"));
    EXPECT_EQ(h.dialogs.questions.back(), QStringLiteral("文字列の置換|選択された文字列を置換しますか？"));
    EXPECT_EQ(h.lastMessage(), QStringLiteral("文字列の置換| 1 個の文字列を置換しました。"));

    // Cancelling the dialog does nothing.
    h.editor().menuItem(QStringLiteral("menu_replace"))->trigger();
    EXPECT_EQ(h.dialogs.questions.size(), 3u);
}

} // namespace
} // namespace korvelin::testing
