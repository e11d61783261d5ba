// Start-up comforts: Qt's dialogs in Japanese, the version in the about
// box, where the windows go, and what the settings file keeps of them.

#include "app/Translations.h"
#include "app/WindowPlacement.h"
#include "platform/WindowSettings.h"
#include "platform/widgets/UserDialogs.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace korvelin::testing {
namespace {

TEST(WindowsAndLanguage, QtsOwnButtonsAndDialogsSpeakJapanese) {
    ASSERT_TRUE(installJapaneseTranslations(*QCoreApplication::instance()));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("キャンセル"));
    EXPECT_TRUE(QCoreApplication::translate("QPlatformTheme", "&Yes").startsWith(QStringLiteral("はい")));
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "File &name:"), QStringLiteral("ファイル名(&N):"));
}

TEST(WindowsAndLanguage, TheAboutBoxNamesTheVersion) {
    EXPECT_TRUE(UserDialogs::aboutText().contains(QStringLiteral("バージョン " KORVELIN_TEST_VERSION)));
}

TEST(WindowsAndLanguage, OnTheFirstStartTheWindowsDoNotOverlapWhenTheScreenHasRoom) {
    const QSize editor(720, 560), screen(640, 400);
    struct Case {
        QRect available;
        bool sideBySide, below;
    };
    const std::vector<Case> cases = {
        {QRect(0, 0, 1920, 1080), true, false},
        {QRect(0, 0, 1440, 900), true, false},
        {QRect(0, 0, 1280, 1024), false, true},
        {QRect(0, 0, 1280, 960), false, true},  // a shorter editor above it
        {QRect(0, 0, 1024, 768), false, false}, // no room: the window system decides
    };
    for (const Case& c : cases) {
        const WindowPlaces places = firstStartPlaces(c.available, editor, screen);
        SCOPED_TRACE(c.available.width());
        if (!c.sideBySide && !c.below) {
            EXPECT_FALSE(places.editor.isValid());
            continue;
        }
        EXPECT_TRUE(c.available.contains(places.editor));
        EXPECT_TRUE(c.available.contains(places.screen));
        // Apart by more than a window frame.
        EXPECT_FALSE(places.editor.adjusted(-20, -30, 20, 30).intersects(places.screen));
        EXPECT_EQ(places.screen.left() > places.editor.right(), c.sideBySide);
        EXPECT_EQ(places.screen.top() > places.editor.bottom(), c.below);
    }
}

TEST(WindowsAndLanguage, WindowSettingsSurviveTheFileAndIgnoreNonsense) {
    IniFile file;
    WindowSettings saved;
    saved.editorGeometry = QRect(10, 20, 700, 500);
    saved.screenGeometry = QRect(800, 20, 640, 400);
    saved.editorFontSize = 22;
    saved.screenZoom = 3;
    saved.recentFiles = {QStringLiteral("/a/B.BAS"), QStringLiteral("/c/D.BAS")};
    saved.write(file);
    WindowSettings read;
    read.read(file);
    EXPECT_EQ(read.editorGeometry, saved.editorGeometry);
    EXPECT_EQ(read.screenGeometry, saved.screenGeometry);
    EXPECT_EQ(read.editorFontSize, 22);
    EXPECT_EQ(read.screenZoom, 3);
    EXPECT_EQ(read.recentFiles, saved.recentFiles);

    IniFile odd;
    odd.parse("[WINDOWS]\r\nEditor=1,2,x,4\r\nExecution=0,0,-5,10\r\nEditorFontSize=900\r\n"
              "ExecutionZoom=7\r\n[RECENT_FILES]\r\nFile1=/x.BAS\r\nFile2=/x.BAS\r\nFile9=/y.BAS\r\n");
    read.read(odd);
    EXPECT_FALSE(read.editorGeometry.isValid());
    EXPECT_FALSE(read.screenGeometry.isValid());
    EXPECT_EQ(read.editorFontSize, 0);
    EXPECT_EQ(read.screenZoom, 3);
    EXPECT_EQ(read.recentFiles, QStringList{QStringLiteral("/x.BAS")});
}

} // namespace
} // namespace korvelin::testing
