#include "platform/IniFile.h"
#include "support/EditorHarness.h"

#include <QAction>
#include <QFile>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace korvelin::testing {
namespace {

TEST(Startup, InteractiveModeShowsTheEditorWithItsStartingMenus) {
    EditorHarness h;
    EXPECT_TRUE(h.editor().isVisible());
    EXPECT_EQ(h.in().startMode, StartMode::Interactive);
    EXPECT_EQ(h.editor().windowTitle(), QStringLiteral("Korvelin (プログラム)"));
    EXPECT_EQ(h.editor().state.CurrentDirectory, h.folder.path() + QLatin1Char('/'));
    EXPECT_EQ(h.editor().state.DriveDirectories[0], QStringLiteral("A:\\"));
    EXPECT_FALSE(h.debugScreenVisible());
}

TEST(Startup, CommandLineModeLoadsAndRunsTheProgramWithTheEditorHidden) {
    QTemporaryDir folder;
    {
        QFile file(folder.path() + QStringLiteral("/game.bas"));
        file.open(QIODevice::WriteOnly);
        file.write("10 A=1\r\n20 B=7\r\n");
    }
    ScriptedDialogs dialogs;
    EditorSession session(folder.path() + QLatin1Char('/'), &dialogs);
    QSignalSpy closed(&session.editor, &EditorWindow::editorClosed);
    session.start(QStringLiteral("\"") + folder.path() + QStringLiteral("/game\" left right"));
    EXPECT_FALSE(session.editor.isVisible());
    EXPECT_EQ(session.interpreter.startMode, StartMode::CommandLine);
    EXPECT_EQ(session.interpreter.commandTail, u"left right");
    EXPECT_EQ(session.screen.caption(), QStringLiteral("Korvelin (GAME.BAS)"));
    // The run starts from the event loop and the application ends with it.
    ASSERT_TRUE(closed.wait(5000));
    EXPECT_TRUE(QFile::exists(folder.path() + QStringLiteral("/KORVELIN.INI")));
}

TEST(Startup, ShutDownWritesTheSettingsFileBack) {
    EditorHarness h;
    h.session->settings.printerFont.PrinterFontSize = QStringLiteral("14");
    QSignalSpy closed(&h.editor(), &EditorWindow::editorClosed);
    h.editor().close();
    EXPECT_EQ(closed.count(), 1);
    Settings reread;
    reread.load(h.folder.path() + QLatin1Char('/'));
    EXPECT_EQ(reread.printerFont.PrinterFontSize, QStringLiteral("14"));
    EXPECT_EQ(reread.serial.Speed, QStringLiteral("9600"));
}

TEST(Startup, TheClassicModeMenuItemRunsTheNextProgramClassicallyAndIsRemembered) {
    EditorHarness h;
    QAction* item = h.editor().menuItem(QStringLiteral("menu_classic"));
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(item->isCheckable());
    EXPECT_FALSE(item->isChecked());
    h.type(QStringLiteral("10 FOR I=1TO3:R=R+I:NEXT\n"));
    h.run();
    EXPECT_EQ(h.in().errors.errorNumber, 1);

    item->trigger();
    EXPECT_TRUE(h.in().classicDialect);
    h.run();
    EXPECT_EQ(h.dialogs.messages.size(), 1u); // only the first run's error
    QFile ini(h.folder.path() + QStringLiteral("/KORVELIN.INI"));
    h.dialogs.saveAnswers.push_back(SaveAnswer::No);
    h.editor().close();
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    EXPECT_TRUE(ini.readAll().contains("[OPTIONS]\r\nClassic=1\r\n"));

    EditorHarness again;
    again.session->settings.load(h.folder.path() + QLatin1Char('/'));
    EXPECT_TRUE(again.session->settings.classicDialect);
}

TEST(Startup, TheClassicOptionIsWrittenOnlyOnceItWasOn) {
    Settings settings;
    IniFile file;
    settings.write(file);
    EXPECT_FALSE(file.serialize().contains("OPTIONS"));
    settings.classicDialect = true;
    settings.write(file);
    settings.classicDialect = false;
    settings.write(file);
    EXPECT_TRUE(file.serialize().contains("[OPTIONS]\r\nClassic=0\r\n"));
}

} // namespace
} // namespace korvelin::testing
