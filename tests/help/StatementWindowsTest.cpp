// The list and detail windows inside the whole interactive program: opened
// from the editor's End key, menu and toolbar and from the debug screen,
// stepping, insertion, and a reference whose files are missing.

#include "help/StatementDetailWindow.h"
#include "help/StatementListWindow.h"
#include "support/EditorHarness.h"

#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

namespace korvelin::testing {
namespace {

// The application's folder of the harness gets the generated reference.
void installReference(EditorHarness& h,
                      const QStringList& files = {QStringLiteral("SYNTAX.DAT"), QStringLiteral("SYNTAX2.IDX"),
                                                  QStringLiteral("SYNTAX2.RND")}) {
    for (const QString& name : files)
        ASSERT_TRUE(QFile::copy(QStringLiteral(KORVELIN_BINARY_DIR "/") + name, h.path(name)));
}

StatementListWindow& list(EditorHarness& h) {
    return *h.editor().statementList;
}
StatementDetailWindow& detail(EditorHarness& h) {
    return *list(h).detailWindow();
}

void placeCaret(QPlainTextEdit& text, int position) {
    QTextCursor cursor = text.textCursor();
    cursor.setPosition(position);
    text.setTextCursor(cursor);
}

TEST(StatementList, OpensFromTheEndKeyTheMenuAndTheToolbar) {
    EditorHarness h;
    installReference(h);
    EXPECT_TRUE(h.editor().menuEnabled(QStringLiteral("menu_list")));
    EXPECT_TRUE(h.editor().buttonEnabled(8));
    EXPECT_FALSE(list(h).isVisible());

    QTest::keyClick(&h.text(), Qt::Key_End);
    EXPECT_TRUE(list(h).isVisible());
    EXPECT_EQ(list(h).windowTitle(), QStringLiteral("命令と関数の一覧"));
    EXPECT_EQ(list(h).Tag, QStringLiteral("PROG"));
    EXPECT_TRUE(list(h).Option1->isChecked());
    EXPECT_TRUE(list(h).List1->isVisibleTo(&list(h)));
    EXPECT_FALSE(list(h).List2->isVisibleTo(&list(h)));
    EXPECT_EQ(list(h).List1->item(0)->text(), QStringLiteral("BEEP"));
    list(h).Command3->click(); // ｷｬﾝｾﾙ
    EXPECT_FALSE(list(h).isVisible());

    h.editor().Toolbar1_ButtonClick(8);
    EXPECT_TRUE(list(h).isVisible());
    list(h).hide();
    h.editor().menuItem(QStringLiteral("menu_list"))->trigger();
    EXPECT_TRUE(list(h).isVisible());

    list(h).Option2->click();
    EXPECT_TRUE(list(h).List2->isVisibleTo(&list(h)));
    EXPECT_FALSE(list(h).List1->isVisibleTo(&list(h)));
    EXPECT_EQ(list(h).List2->item(0)->text(), QStringLiteral("ABS"));
}

TEST(StatementList, TheKeywordAtTheCaretIsPreselected) {
    EditorHarness h;
    installReference(h);
    h.type(QStringLiteral("10 PRINT LEFT$(A$,2)\n20 X$=DATE$: DATE$=X$\n30 A=1\n"));
    placeCaret(h.text(), 5); // in PRINT
    QTest::keyClick(&h.text(), Qt::Key_End);
    EXPECT_EQ(list(h).selectedName(), QStringLiteral("PRINT"));
    EXPECT_TRUE(list(h).Option1->isChecked());

    placeCaret(h.text(), 11); // in LEFT$
    h.editor().menu_list_Click();
    EXPECT_EQ(list(h).selectedName(), QStringLiteral("LEFT$"));
    EXPECT_TRUE(list(h).Option2->isChecked());
    EXPECT_TRUE(list(h).List2->isVisibleTo(&list(h)));

    // DATE$ is both: a function in an expression, a statement at a statement's start.
    placeCaret(h.text(), 21 + 8);
    h.editor().menu_list_Click();
    EXPECT_EQ(list(h).selectedEntry(), list(h).files().statementNameCount() +
                                           list(h).files().functionNames().indexOf(QStringLiteral("DATE$")) +
                                           1);
    placeCaret(h.text(), 21 + 15);
    h.editor().menu_list_Click();
    EXPECT_EQ(list(h).selectedEntry(), list(h).files().statementNames().indexOf(QStringLiteral("DATE$")) + 1);

    // A word that names nothing keeps the selection as it was.
    placeCaret(h.text(), 21 + 22 + 4);
    h.editor().menu_list_Click();
    EXPECT_EQ(list(h).selectedName(), QStringLiteral("DATE$"));
}

TEST(StatementDetail, StepsThroughTheEntriesAndTheListFollows) {
    EditorHarness h;
    installReference(h);
    h.editor().menu_list_Click();
    list(h).List1->setCurrentRow(0);
    list(h).Command2->click(); // 説 明
    EXPECT_FALSE(list(h).isVisible());
    ASSERT_TRUE(detail(h).isVisible());
    EXPECT_EQ(detail(h).windowTitle(), QStringLiteral("命令と関数の詳細"));
    EXPECT_EQ(detail(h).shownEntry(), 1);
    const QString first = detail(h).Text1->toPlainText();
    EXPECT_TRUE(first.startsWith(QStringLiteral("BEEP\n\n 【書式】 BEEP [式]\n"))) << first.toStdString();
    EXPECT_TRUE(detail(h).Text1->isReadOnly());

    detail(h).Command3->click(); // 前 へ on the first entry: nothing
    EXPECT_EQ(detail(h).shownEntry(), 1);
    EXPECT_EQ(detail(h).Text1->toPlainText(), first);

    detail(h).Command4->click(); // 次 へ
    EXPECT_EQ(detail(h).shownEntry(), 2);
    EXPECT_EQ(list(h).List1->currentRow(), 1);
    EXPECT_TRUE(
        detail(h).Text1->toPlainText().startsWith(list(h).List1->item(1)->text() + QLatin1Char('\n')));

    // From the last statement to the first function: the list switches over.
    const int statements = list(h).files().statementNameCount();
    list(h).selectEntry(statements);
    detail(h).showEntry(statements);
    detail(h).Command4->click();
    EXPECT_EQ(detail(h).shownEntry(), statements + 1);
    EXPECT_TRUE(list(h).Option2->isChecked());
    EXPECT_EQ(list(h).List2->currentRow(), 0);
    EXPECT_TRUE(detail(h).Text1->toPlainText().startsWith(QStringLiteral("ABS\n")));
    detail(h).Command3->click(); // and back
    EXPECT_TRUE(list(h).Option1->isChecked());
    EXPECT_EQ(list(h).List1->currentRow(), statements - 1);

    // Not beyond the last function.
    const int last = list(h).files().entryCount();
    list(h).selectEntry(last);
    detail(h).showEntry(last);
    detail(h).Command4->click();
    EXPECT_EQ(detail(h).shownEntry(), last);

    detail(h).Command2->click(); // 一 覧
    EXPECT_FALSE(detail(h).isVisible());
    EXPECT_TRUE(list(h).isVisible());
    EXPECT_EQ(list(h).selectedEntry(), last);
    list(h).Command2->click();
    detail(h).Command5->click(); // ｷｬﾝｾﾙ
    EXPECT_FALSE(detail(h).isVisible());
    EXPECT_FALSE(list(h).isVisible());
}

TEST(StatementList, CopyInsertsIntoTheProgramOrTheDebugScreen) {
    EditorHarness h;
    installReference(h);
    h.type(QStringLiteral("10 A=1\n20 \n"));
    placeCaret(h.text(), 10); // after "20 "
    QTest::keyClick(&h.text(), Qt::Key_End);
    list(h).List1->setCurrentRow(list(h).files().statementNames().indexOf(QStringLiteral("PRINT")));
    list(h).Command1->click(); // 複 写
    EXPECT_EQ(h.text().toPlainText(), QStringLiteral("10 A=1\n20 PRINT\n"));
    EXPECT_EQ(h.text().textCursor().position(), 15);

    // A double click on a name and the detail window's 複 写 do the same.
    list(h).Option2->click();
    list(h).List2->setCurrentRow(list(h).files().functionNames().indexOf(QStringLiteral("CHR$")));
    emit list(h).List2->itemDoubleClicked(list(h).List2->currentItem());
    list(h).Command2->click();
    detail(h).Command1->click();
    EXPECT_EQ(h.text().toPlainText(), QStringLiteral("10 A=1\n20 PRINTCHR$CHR$\n"));

    // From the debug screen the names go to its command line.
    h.editor().menu_debug_Click();
    DebugTextBox& box = *h.session->debugScreen.Text1;
    box.setPlainText(QStringLiteral("A="));
    placeCaret(box, 2);
    QTest::keyClick(&box, Qt::Key_End);
    EXPECT_EQ(list(h).Tag, QStringLiteral("DEBUG"));
    list(h).Option2->click();
    list(h).List2->setCurrentRow(list(h).files().functionNames().indexOf(QStringLiteral("LEN")));
    list(h).Command1->click();
    EXPECT_EQ(box.toPlainText(), QStringLiteral("A=LEN"));
    EXPECT_EQ(h.text().toPlainText(), QStringLiteral("10 A=1\n20 PRINTCHR$CHR$\n"));
    // Closing the debug screen sends the names back to the program.
    h.session->debugScreen.close();
    EXPECT_EQ(list(h).Tag, QStringLiteral("PROG"));
    list(h).Command1->click();
    EXPECT_EQ(h.text().toPlainText(), QStringLiteral("10 A=1\n20 PRINTCHR$CHR$LEN\n"));
}

TEST(StatementList, MissingFilesAreNamedAndNothingElseBreaks) {
    EditorHarness h; // no reference in the application's folder
    h.type(QStringLiteral("10 PRINT 1\n"));
    QTest::keyClick(&h.text(), Qt::Key_End);
    ASSERT_TRUE(list(h).isVisible());
    EXPECT_TRUE(list(h).Label1->isVisibleTo(&list(h)));
    EXPECT_TRUE(list(h).Label1->text().contains(QStringLiteral("SYNTAX.DAT")))
        << list(h).Label1->text().toStdString();
    EXPECT_FALSE(list(h).Command1->isEnabled());
    EXPECT_FALSE(list(h).Command2->isEnabled());
    list(h).Command1->click();
    EXPECT_EQ(h.text().toPlainText(), QStringLiteral("10 PRINT 1\n"));
    list(h).Command3->click();
    EXPECT_FALSE(list(h).isVisible());
    h.run();
    EXPECT_EQ(h.control().runState(), RunState::Idle);
    EXPECT_TRUE(h.dialogs.messages.empty());
    // Once the files are there, the next showing reads them.
    installReference(h);
    placeCaret(h.text(), 4);
    h.editor().menu_list_Click();
    EXPECT_FALSE(list(h).Label1->isVisibleTo(&list(h)));
    EXPECT_TRUE(list(h).List1->isVisibleTo(&list(h)));
    EXPECT_TRUE(list(h).Command1->isEnabled());
    EXPECT_EQ(list(h).selectedName(), QStringLiteral("PRINT"));

    // Names and index present, records missing: the detail window names the file.
    EditorHarness g;
    installReference(g, {QStringLiteral("SYNTAX.DAT"), QStringLiteral("SYNTAX2.IDX")});
    g.editor().menu_list_Click();
    list(g).Command2->click();
    EXPECT_TRUE(detail(g).Text1->toPlainText().contains(QStringLiteral("SYNTAX2.RND")));
    detail(g).Command4->click(); // nothing to step from
    EXPECT_EQ(detail(g).shownEntry(), 0);
}

} // namespace
} // namespace korvelin::testing
