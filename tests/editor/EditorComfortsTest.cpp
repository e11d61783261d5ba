// What the editor offers beyond its menus: keys, the title mark, the status
// bar, the stop-line mark, recent files, Save As with an encoding, file
// paths in messages, zoom and the note about edits made at a break.

#include "editor/EditorStatusBar.h"
#include "editor/EditorZoom.h"
#include "editor/RecentFiles.h"
#include "editor/TitleMark.h"
#include "support/EditorHarness.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

namespace korvelin::testing {
namespace {

QStringList keysOf(EditorHarness& h, const char* item) {
    QStringList keys;
    for (const QKeySequence& key : h.editor().menuItem(QString::fromLatin1(item))->shortcuts())
        keys << key.toString();
    return keys;
}

TEST(EditorComforts, MenuItemsCarryTheUsualKeysAndF5StartsAndResumes) {
    EditorHarness h;
    EXPECT_EQ(keysOf(h, "menu_new"), QStringList{QStringLiteral("Ctrl+N")});
    EXPECT_EQ(keysOf(h, "menu_open"), QStringList{QStringLiteral("Ctrl+O")});
    EXPECT_EQ(keysOf(h, "menu_save"), QStringList{QStringLiteral("Ctrl+S")});
    EXPECT_EQ(keysOf(h, "menu_start"), QStringList{QStringLiteral("F5")});
    EXPECT_EQ(keysOf(h, "menu_resume"), QStringList{QStringLiteral("F5")});
    EXPECT_EQ(keysOf(h, "menu_halt"), QStringList{QStringLiteral("Shift+F5")});
    EXPECT_TRUE(keysOf(h, "menu_stop").contains(QStringLiteral("Ctrl+Pause")));
    EXPECT_TRUE(keysOf(h, "menu_stop").contains(QStringLiteral("Pause")));
    EXPECT_EQ(keysOf(h, "menu_find"), QStringList{QStringLiteral("Ctrl+F")});

    // F5 starts, and at the break F5 resumes: one key, never two enabled items.
    h.type(QStringLiteral("10 A=1\n20 STOP\n30 A=2\n"));
    h.editor().activateWindow();
    QApplication::setActiveWindow(&h.editor());
    QTest::keyClick(&h.text(), Qt::Key_F5);
    ASSERT_EQ(h.control().runState(), RunState::Break);
    EXPECT_EQ(h.number(u"A!"), 1);
    QTest::keyClick(&h.text(), Qt::Key_F5);
    EXPECT_EQ(h.number(u"A!"), 2);
    EXPECT_EQ(h.control().runState(), RunState::Idle);
}

TEST(EditorComforts, TheTitleMarksUnsavedChangesWhileTheCaptionStaysExact) {
    EditorHarness h;
    h.dialogs.saveAnswer = h.path(QStringLiteral("MARK.BAS"));
    QWindow* shown = h.editor().windowHandle();
    ASSERT_NE(shown, nullptr);
    QTest::keyClicks(&h.text(), QStringLiteral("10 END"));
    EXPECT_EQ(h.editor().windowTitle(), QStringLiteral("Korvelin (プログラム)"));
    EXPECT_EQ(shown->title(), QStringLiteral("Korvelin (プログラム)*"));
    h.editor().menu_save_Click();
    EXPECT_EQ(h.editor().windowTitle(), QStringLiteral("Korvelin (MARK.BAS)"));
    EXPECT_EQ(shown->title(), QStringLiteral("Korvelin (MARK.BAS)"));
}

TEST(EditorComforts, TheStatusBarShowsTheCaretAndTheFilesEncodingAndLineEnds) {
    EditorHarness h;
    EditorStatusBar& bar = *h.editor().StatusBar1;
    struct Case {
        QByteArray bytes;
        QString format;
    };
    const std::vector<Case> cases = {
        {QByteArray("10 A=1\r\n20 END\r\n"), QStringLiteral("CP932 CR LF")},
        {QByteArray("10 A=1\n20 END\n"), QStringLiteral("CP932 LF")},
        {QByteArray("10 A=1\r20 END\r"), QStringLiteral("CP932 CR")},
        {QByteArray("10 PRINT \"\xE6\xBC\xA2\"\n"), QStringLiteral("UTF-8 LF")},
        {QByteArray("\xEF\xBB\xBF"
                    "10 END\r\n"),
         QStringLiteral("UTF-8 (BOM) CR LF")},
    };
    for (const Case& c : cases) {
        h.editor().openProgram(h.writeFile(QStringLiteral("F.BAS"), c.bytes));
        EXPECT_EQ(bar.formatText(), c.format) << c.bytes.constData();
    }
    h.editor().openProgram(h.writeFile(QStringLiteral("G.BAS"), "10 A=1\n20 PRINT A\n"));
    QTextCursor cursor = h.text().textCursor();
    cursor.setPosition(10); // line 2, after "20 "
    h.text().setTextCursor(cursor);
    EXPECT_EQ(bar.positionText(), QStringLiteral("2:4"));
}

TEST(EditorComforts, SaveAsOffersTheEncodingAndWritesTheFileInIt) {
    EditorHarness h;
    h.type(QStringLiteral("10 PRINT \"漢字\"\n"));
    h.dialogs.saveAnswer = h.path(QStringLiteral("ENC.BAS"));
    h.dialogs.encodingAnswer = ProgramEncoding::Utf8;
    h.editor().menu_name_Click();
    EXPECT_TRUE(h.dialogs.offeredEncoding);
    EXPECT_EQ(h.readFile(QStringLiteral("ENC.BAS")), QByteArray("10 PRINT \"\xE6\xBC\xA2\xE5\xAD\x97\"\r\n"));
    EXPECT_EQ(h.editor().StatusBar1->formatText(), QStringLiteral("UTF-8 CR LF"));
    // Save keeps the chosen encoding; Save As back to CP932 converts.
    h.dialogs.saveAnswer = h.path(QStringLiteral("SJIS.BAS"));
    h.dialogs.encodingAnswer = ProgramEncoding::Cp932;
    h.editor().menu_name_Click();
    EXPECT_EQ(h.readFile(QStringLiteral("SJIS.BAS")), QByteArray("10 PRINT \"\x8A\xBF\x8E\x9A\"\r\n"));
    // A cancelled dialog changes nothing, the encoding included.
    h.dialogs.saveAnswer.clear();
    h.dialogs.encodingAnswer = ProgramEncoding::Utf8WithBom;
    h.editor().menu_name_Click();
    EXPECT_EQ(h.editor().state.encoding, ProgramEncoding::Cp932);
}

TEST(EditorComforts, RecentFilesListTheNewestFirstOpenFromTheMenuAndAreRemembered) {
    EditorHarness h;
    const QString a = h.writeFile(QStringLiteral("A.BAS"), "10 A=1\r\n");
    const QString b = h.writeFile(QStringLiteral("B.BAS"), "10 B=1\r\n");
    h.editor().openProgram(a);
    h.editor().openProgram(b);
    h.editor().openProgram(a);
    RecentFiles& recent = *h.editor().recentFiles();
    EXPECT_EQ(recent.files(), (QStringList{a, b}));
    QAction* second = recent.menu()->findChild<QAction*>(QStringLiteral("recent_2"));
    ASSERT_NE(second, nullptr);
    second->trigger();
    EXPECT_EQ(h.editor().state.CurrentProgramPath, b);
    EXPECT_EQ(h.text().toPlainText(), QStringLiteral("10 B=1\n"));
    h.editor().close();

    Settings reread;
    reread.load(h.folder.path() + QLatin1Char('/'));
    EXPECT_EQ(reread.windows.recentFiles, (QStringList{b, a}));
    EXPECT_EQ(reread.serial.Speed, QStringLiteral("9600")); // the other sections are still there
}

TEST(EditorComforts, AMessageAboutAFileNamesItsHostPathBelowTheText) {
    EditorHarness h;
    h.editor().openProgram(h.path(QStringLiteral("NOSUCH.BAS")));
    ASSERT_EQ(h.dialogs.messages.size(), 1u);
    EXPECT_EQ(h.dialogs.messages[0], QStringLiteral("ファイルが見つかりません。"));
    EXPECT_EQ(h.dialogs.details[0], QDir::toNativeSeparators(h.path(QStringLiteral("NOSUCH.BAS"))));
    // Later messages are not about that file.
    h.type(QStringLiteral("10 A=1/0\n"));
    h.run();
    EXPECT_EQ(h.dialogs.details.back(), QString());
}

TEST(EditorComforts, TheStoppedStatementsLineIsMarkedAtABreakAndAfterAnError) {
    EditorHarness h;
    h.type(QStringLiteral("10 A=1\n20 STOP\n30 B=2\n40 C=1/0\n50 END\n"));
    h.run();
    EXPECT_EQ(h.editor().markedStopLine(), 2); // the line that resumes
    h.editor().menu_resume_Click();
    EXPECT_EQ(h.editor().markedStopLine(), 3); // the failing line
    h.run();
    EXPECT_EQ(h.editor().markedStopLine(), 2);
    h.editor().menu_halt_Click();
    h.editor().menu_new_Click();
    EXPECT_EQ(h.editor().markedStopLine(), -1);
    EXPECT_TRUE(h.text().extraSelections().isEmpty());
}

TEST(EditorComforts, ResumingAfterTheTextChangedAtABreakSaysSoInTheStatusBar) {
    EditorHarness h;
    h.type(QStringLiteral("10 A=1\n20 STOP\n30 A=2\n"));
    h.run();
    h.editor().menu_resume_Click();
    EXPECT_TRUE(h.editor().StatusBar1->currentMessage().isEmpty());
    h.run();
    QTextCursor cursor = h.text().textCursor();
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(QStringLiteral("40 A=3\n"));
    h.editor().menu_resume_Click();
    EXPECT_TRUE(h.editor().StatusBar1->currentMessage().contains(QStringLiteral("再開")));
    EXPECT_EQ(h.number(u"A!"), 2); // the prepared program went on
}

TEST(EditorComforts, CtrlWheelAndCtrlPlusMinusScaleTheEditorFontAndAreRemembered) {
    EditorHarness h;
    EditorZoom& zoom = *h.editor().zoom();
    EXPECT_EQ(zoom.fontSize(), 16);
    QWheelEvent wheel(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, 240), Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(h.text().viewport(), &wheel);
    EXPECT_EQ(zoom.fontSize(), 20);
    EXPECT_EQ(h.text().font().pixelSize(), 20);
    QAction* out = h.editor().findChild<QAction*>(QStringLiteral("zoom_out"));
    ASSERT_NE(out, nullptr);
    EXPECT_TRUE(out->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_Minus)));
    out->trigger();
    EXPECT_EQ(zoom.fontSize(), 18);
    for (int i = 0; i < 40; ++i)
        out->trigger();
    EXPECT_EQ(zoom.fontSize(), EditorZoom::smallest);
    zoom.setFontSize(24);
    h.editor().close();
    Settings reread;
    reread.load(h.folder.path() + QLatin1Char('/'));
    EXPECT_EQ(reread.windows.editorFontSize, 24);
}

} // namespace
} // namespace korvelin::testing
