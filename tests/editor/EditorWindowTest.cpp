#include "help/StatementListWindow.h"
#include "support/EditorHarness.h"
#include "values/Cp932.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

namespace korvelin::testing {
namespace {

QByteArray cp932Bytes(const QString& text) {
    const std::string bytes = cp932::encode(text.toStdU16String());
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

TEST(EditorMenus, EveryMenuHasItsCaptionsAndTheStartingStates) {
    EditorHarness h;
    QStringList titles;
    for (QAction* menu : h.editor().menuBar()->actions())
        titles << menu->text();
    EXPECT_EQ(titles,
              (QStringList{QStringLiteral("ﾌｧｲﾙ(&F)"), QStringLiteral("編集(&E)"), QStringLiteral("表示(&V)"),
                           QStringLiteral("実行(&R)"), QStringLiteral("ﾃﾞﾊﾞｯｸﾞ(&D)"),
                           QStringLiteral("ｵﾌﾟｼｮﾝ(&O)"), QStringLiteral("ﾍﾙﾌﾟ(&H)")}));
    // The specified 34 items and the classic-dialect mode.
    EXPECT_EQ(h.editor().menuNames().size(), 35);
    EXPECT_EQ(h.editor().menuItem(QStringLiteral("menu_open"))->text(),
              QStringLiteral("プログラムの読込み(&O)"));
    EXPECT_EQ(h.editor().menuItem(QStringLiteral("menu_end"))->text(), QStringLiteral("Korvelinの終了(&Q)"));
    EXPECT_EQ(h.editor().menuItem(QStringLiteral("menu_call"))->text(),
              QStringLiteral("コール ヒストリ(&C)"));
    for (const char* off : {"menu_save", "menu_halt", "menu_stop", "menu_resume", "menu_call"})
        EXPECT_FALSE(h.editor().menuEnabled(QString::fromLatin1(off))) << off;
    for (const char* on :
         {"menu_new",   "menu_open",    "menu_add",     "menu_name",  "menu_exec",   "menu_start",
          "menu_end",   "menu_cut",     "menu_copy",    "menu_paste", "menu_disp",   "menu_clear",
          "menu_debug", "menu_inst",    "menu_version", "menu_print", "menu_setprn", "menu_setpfont",
          "menu_setrs", "menu_find",    "menu_replace", "menu_sort",  "menu_renum",  "menu_auto",
          "menu_wadd",  "menu_wdelete", "menu_wedit",   "menu_help"})
        EXPECT_TRUE(h.editor().menuEnabled(QString::fromLatin1(on))) << on;
    // Every item shows its image.
    EXPECT_FALSE(h.editor().menuItem(QStringLiteral("menu_resume"))->icon().isNull());
}

TEST(EditorToolbar, TwentyTwoPositionsWithTheRunButtonsIdle) {
    EditorHarness h;
    for (int n = 1; n <= 22; ++n)
        EXPECT_EQ(h.editor().isSeparator(n), n == 4 || n == 9 || n == 13 || n == 17 || n == 21) << n;
    EXPECT_EQ(h.editor().buttonImageKey(14), QStringLiteral("開始(&G)"));
    EXPECT_TRUE(h.editor().buttonEnabled(14));
    EXPECT_EQ(h.editor().buttonToolTip(14), QStringLiteral("実行開始"));
    EXPECT_EQ(h.editor().buttonImageKey(15), QStringLiteral("中断(&I).D"));
    EXPECT_FALSE(h.editor().buttonEnabled(15));
    EXPECT_EQ(h.editor().buttonImageKey(16), QStringLiteral("終了(&H).D"));
    EXPECT_FALSE(h.editor().buttonEnabled(16));
    EXPECT_TRUE(h.editor().buttonEnabled(2));
    EXPECT_TRUE(h.editor().buttonEnabled(18));
}

TEST(EditorToolbar, ButtonsStoreTheirActionAndStaleRunButtonsDoNothing) {
    EditorHarness h;
    h.type(QStringLiteral("10 A=1\n"));
    h.editor().Toolbar1_ButtonClick(16); // end while idle: dropped
    EXPECT_EQ(h.editor().state.ToolbarAction, 13);
    EXPECT_TRUE(h.editor().menuEnabled(QStringLiteral("menu_exec")));
    h.editor().Toolbar1_ButtonClick(14);
    EXPECT_EQ(h.editor().state.ToolbarAction, 11);
    EXPECT_EQ(h.number(u"A!"), 1); // the program ran
}

TEST(EditorFiles, SaveAsAppliesTheNameRulesAndOpenReadsItBack) {
    EditorHarness h;
    const QString program = QStringLiteral("10 A$=\"日本語\"\n20 B=LEN(A$)\n");
    h.type(program);
    h.dialogs.saveAnswer = h.path(QStringLiteral("kanji"));
    h.editor().menu_name_Click();
    EXPECT_EQ(h.dialogs.lastTitle, QStringLiteral("名前を付けてファイルを保存"));
    EXPECT_EQ(h.dialogs.lastFilter, QStringLiteral("BASICﾌﾟﾛｸﾞﾗﾑ(*.BAS)"));
    EXPECT_EQ(h.readFile(QStringLiteral("KANJI.BAS")),
              cp932Bytes(QStringLiteral("10 A$=\"日本語\"\r\n20 B=LEN(A$)\r\n")));
    EXPECT_EQ(h.editor().windowTitle(), QStringLiteral("Korvelin (KANJI.BAS)"));
    EXPECT_TRUE(h.editor().menuEnabled(QStringLiteral("menu_save")));

    // Saving again does not add a blank line; opening gives the same text.
    h.editor().menu_save_Click();
    h.editor().menu_save_Click();
    EXPECT_EQ(h.readFile(QStringLiteral("KANJI.BAS")).count('\n'), 2);
    h.editor().menu_new_Click();
    EXPECT_TRUE(h.text().toPlainText().isEmpty());
    EXPECT_FALSE(h.editor().menuEnabled(QStringLiteral("menu_save")));
    h.dialogs.openAnswer = h.path(QStringLiteral("KANJI"));
    h.editor().menu_open_Click();
    EXPECT_EQ(h.dialogs.lastTitle, QStringLiteral("ファイルのオープン"));
    EXPECT_EQ(h.text().toPlainText(), program);
    EXPECT_FALSE(h.editor().isModified());
}

TEST(EditorFiles, Utf8ProgramsAreSavedBackAsUtf8) {
    EditorHarness h;
    const QByteArray bytes = QStringLiteral("10 A$=\"ひらがな\"\r\n").toUtf8();
    h.dialogs.openAnswer = h.writeFile(QStringLiteral("UTF.BAS"), bytes);
    h.editor().menu_open_Click();
    EXPECT_EQ(h.text().toPlainText(), QStringLiteral("10 A$=\"ひらがな\"\n"));
    h.text().moveCursor(QTextCursor::End);
    h.text().insertPlainText(QStringLiteral("20 END\n"));
    h.editor().menu_save_Click();
    EXPECT_EQ(h.readFile(QStringLiteral("UTF.BAS")), bytes + QByteArray("20 END\r\n"));
}

TEST(EditorFiles, CancelEmptyTextAndMissingFilesChangeNothing) {
    EditorHarness h;
    h.editor().menu_name_Click(); // empty program: not even a dialog
    EXPECT_EQ(h.dialogs.fileDialogs, 0);
    h.type(QStringLiteral("10 A=1\n"));
    h.editor().menu_name_Click(); // cancelled
    EXPECT_TRUE(h.editor().state.CurrentProgramPath.isEmpty());
    h.editor().menu_open_Click(); // cancelled
    EXPECT_EQ(h.text().toPlainText(), QStringLiteral("10 A=1\n"));

    h.dialogs.saveAnswers = {SaveAnswer::No};
    h.dialogs.openAnswer = h.path(QStringLiteral("NOWHERE.BAS"));
    h.editor().menu_open_Click();
    EXPECT_EQ(h.lastMessage(), QStringLiteral("ファイルが見つかりません。"));
    EXPECT_EQ(h.text().toPlainText(), QStringLiteral("10 A=1\n"));
}

TEST(EditorFiles, SaveAsToAnotherExistingNameAsksFirst) {
    EditorHarness h;
    h.writeFile(QStringLiteral("OLD.BAS"), "10 REM keep\r\n");
    h.type(QStringLiteral("10 A=1\n"));
    h.dialogs.saveAnswer = h.path(QStringLiteral("old")); // becomes OLD.BAS
    h.editor().menu_name_Click();
    EXPECT_EQ(h.dialogs.overwriteQuestions, 1);
    EXPECT_EQ(h.readFile(QStringLiteral("OLD.BAS")), QByteArray("10 REM keep\r\n"));
}

TEST(EditorFiles, AddInsertsTheFileAfterTheCaretsLineAndKeepsTheProgramsName) {
    EditorHarness h;
    h.dialogs.openAnswer = h.writeFile(QStringLiteral("MAIN.BAS"), "10 A=1\r\n30 C=3\r\n");
    h.editor().menu_open_Click();
    h.writeFile(QStringLiteral("PART.BAS"), "20 B=2\r\n25 B=B+1\r\n");
    QTextCursor cursor = h.text().textCursor();
    cursor.setPosition(2); // inside line 10
    h.text().setTextCursor(cursor);
    h.dialogs.openAnswer = h.path(QStringLiteral("PART"));
    h.editor().menu_add_Click();
    EXPECT_EQ(h.text().toPlainText(), QStringLiteral("10 A=1\n20 B=2\n25 B=B+1\n30 C=3\n"));
    EXPECT_EQ(h.editor().windowTitle(), QStringLiteral("Korvelin (MAIN.BAS)"));
    EXPECT_EQ(h.editor().state.CurrentProgramName, QStringLiteral("MAIN.BAS"));

    // On the last line of a text that does not end in a line break, the
    // added lines start a line of their own.
    h.type(QStringLiteral("10 A=1"));
    h.text().moveCursor(QTextCursor::End);
    h.editor().menu_add_Click();
    EXPECT_EQ(h.text().toPlainText(), QStringLiteral("10 A=1\n20 B=2\n25 B=B+1\n"));
}

TEST(EditorUnsavedChanges, NewOpenAndCloseAskFirstAndCancelKeepsEverything) {
    EditorHarness h;
    h.type(QStringLiteral("10 A=1\n"));
    h.text().document()->setModified(true);

    h.dialogs.saveAnswers = {SaveAnswer::Cancel};
    h.editor().menu_new_Click();
    EXPECT_EQ(h.text().toPlainText(), QStringLiteral("10 A=1\n"));

    h.dialogs.openAnswer = h.writeFile(QStringLiteral("OTHER.BAS"), "10 B=2\r\n");
    h.dialogs.saveAnswers = {SaveAnswer::Cancel};
    h.editor().menu_open_Click();
    EXPECT_EQ(h.text().toPlainText(), QStringLiteral("10 A=1\n"));
    EXPECT_EQ(h.dialogs.fileDialogs, 0);

    QSignalSpy closed(&h.editor(), &EditorWindow::editorClosed);
    h.dialogs.saveAnswers = {SaveAnswer::Cancel};
    h.editor().close();
    EXPECT_EQ(closed.count(), 0);
    EXPECT_TRUE(h.editor().isVisible());
    EXPECT_EQ(h.dialogs.saveQuestions, 3);

    // Yes saves (here: Save As, since the program has no name yet) and goes on.
    h.dialogs.saveAnswers = {SaveAnswer::Yes};
    h.dialogs.saveAnswer = h.path(QStringLiteral("FIRST.BAS"));
    h.editor().menu_new_Click();
    EXPECT_EQ(h.readFile(QStringLiteral("FIRST.BAS")), QByteArray("10 A=1\r\n"));
    EXPECT_TRUE(h.text().toPlainText().isEmpty());

    // An unchanged text is not asked about.
    h.editor().menu_new_Click();
    EXPECT_EQ(h.dialogs.saveQuestions, 4);
}

TEST(EditorUnsavedChanges, NoDiscardsTheChangesAndASaveThatIsCancelledKeepsThem) {
    EditorHarness h;
    h.type(QStringLiteral("10 A=1\n"));
    h.text().document()->setModified(true);
    h.dialogs.saveAnswers = {SaveAnswer::Yes}; // but the Save As dialog is cancelled
    h.editor().menu_new_Click();
    EXPECT_EQ(h.text().toPlainText(), QStringLiteral("10 A=1\n"));
    h.dialogs.saveAnswers = {SaveAnswer::No};
    h.editor().menu_new_Click();
    EXPECT_TRUE(h.text().toPlainText().isEmpty());
}

TEST(EditorDrops, ADroppedFileLoadsAfterTheUnsavedQuestion) {
    EditorHarness h;
    const QString dropped =
        h.writeFile(QStringLiteral("drop.bas"), cp932Bytes(QStringLiteral("10 PRINT \"ドロップ\"\r\n")));
    h.type(QStringLiteral("10 A=1\n"));
    h.text().document()->setModified(true);
    h.dialogs.saveAnswers = {SaveAnswer::No};

    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(dropped)});
    // The drop goes where the drag entered, as it does with a real drag.
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(h.text().viewport(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(h.text().viewport(), &drop);

    EXPECT_EQ(h.dialogs.saveQuestions, 1);
    EXPECT_EQ(h.text().toPlainText(), QStringLiteral("10 PRINT \"ドロップ\"\n"));
    EXPECT_EQ(h.editor().windowTitle(), QStringLiteral("Korvelin (DROP.BAS)"));
    EXPECT_EQ(h.session->screen.caption(), QStringLiteral("Korvelin (実行画面)"));
    EXPECT_EQ(h.editor().state.CurrentDirectory, h.folder.path() + QLatin1Char('/'));
    EXPECT_TRUE(h.editor().menuEnabled(QStringLiteral("menu_save")));
    EXPECT_EQ(h.in().startMode, StartMode::Interactive);
}

TEST(EditorKeys, CutPasteHomeAndEndFollowTheEditorsKeyTable) {
    EditorHarness h;
    h.type(QStringLiteral("10 A=1\n20 B=2\n"));
    QTextCursor cursor = h.text().textCursor();
    cursor.setPosition(3);
    cursor.setPosition(6, QTextCursor::KeepAnchor);
    h.text().setTextCursor(cursor);
    QTest::keyClick(&h.text(), Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("A=1"));
    EXPECT_EQ(h.text().toPlainText(), QStringLiteral("10 \n20 B=2\n"));
    QTest::keyClick(&h.text(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(h.text().toPlainText(), QStringLiteral("10 A=1\n20 B=2\n"));

    const int before = h.text().textCursor().position();
    QTest::keyClick(&h.text(), Qt::Key_Home);
    QTest::keyClick(&h.text(), Qt::Key_End);
    EXPECT_EQ(h.text().textCursor().position(), before);
    QTest::keyClick(&h.text(), Qt::Key_Return);
    EXPECT_EQ(h.text().toPlainText(), QStringLiteral("10 A=1\n\n20 B=2\n"));
}

TEST(EditorLineIndicator, TheMenuShowsAndHidesItAndItShowsTheLastLineRun) {
    EditorHarness h;
    EXPECT_FALSE(h.editor().Text2->isVisibleTo(&h.editor()));
    h.editor().menuItem(QStringLiteral("menu_inst"))->trigger();
    QApplication::processEvents(); // the toolbar lays itself out again
    EXPECT_TRUE(h.editor().menuItem(QStringLiteral("menu_inst"))->isChecked());
    EXPECT_TRUE(h.editor().Text2->isVisibleTo(&h.editor()));
    h.type(QStringLiteral("10 A=1\n20 B=2\n1234 C=3\n"));
    h.run();
    EXPECT_EQ(h.editor().Text2->text(), QStringLiteral("   1234"));
    h.editor().menuItem(QStringLiteral("menu_inst"))->trigger();
    QApplication::processEvents();
    EXPECT_FALSE(h.editor().Text2->isVisibleTo(&h.editor()));
}

TEST(EditorWindowMisc, VersionShowsTheAboutBox) {
    EditorHarness h;
    h.editor().menuItem(QStringLiteral("menu_version"))->trigger();
    EXPECT_EQ(h.dialogs.aboutBoxes, 1);
}

TEST(EditorWindowMisc, HelpOpensTheHelpFileBesideTheProgramOrElseTheStatementList) {
    EditorHarness h;
    h.editor().menuItem(QStringLiteral("menu_help"))->trigger();
    EXPECT_TRUE(h.dialogs.openedDocuments.empty());
    EXPECT_TRUE(h.editor().statementList->isVisible());
    EXPECT_TRUE(h.editor().buttonEnabled(22));
    const QString helpFile = h.writeFile(QStringLiteral("KORVELIN.HLP"), "help");
    h.editor().menuItem(QStringLiteral("menu_help"))->trigger();
    EXPECT_EQ(h.dialogs.openedDocuments, std::vector<QString>{helpFile});
}

TEST(EditorWindowMisc, ShowingTheExecutionScreenBringsItBackAtItsNormalSize) {
    EditorHarness h;
    QWidget* screen = h.session->screen.window();
    ASSERT_NE(screen, nullptr);
    for (const bool maximise : {true, false}) {
        maximise ? screen->showMaximized() : screen->showMinimized();
        h.editor().menuItem(QStringLiteral("menu_disp"))->trigger();
        EXPECT_TRUE(screen->isVisible());
        EXPECT_FALSE(screen->isMaximized() || screen->isMinimized());
    }
}

} // namespace
} // namespace korvelin::testing
