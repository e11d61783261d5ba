#include "app/Startup.h"
#include "platform/IniFile.h"
#include "support/EditorHarness.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
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
    // Placed by the program, so that an early message box centres over it.
    const QPoint middle = QGuiApplication::primaryScreen()->availableGeometry().center();
    const QRect placed(session.screen.window()->pos(), session.screen.window()->size());
    EXPECT_LE((placed.center() - middle).manhattanLength(), 2);
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

TEST(Startup, TheSerialPortsSettingsComeFromTheFileAndWhatOpenChangedGoesBack) {
    EditorHarness h;
    QTemporaryDir notAPort;
    h.writeFile(QStringLiteral("KORVELIN.INI"),
                "[RS232C]\r\nSpeed=19200\r\nParam=COM2:E71X\r\nDevice3=" + notAPort.path().toUtf8() + "\r\n");
    h.restart();
    const SerialPortSettings& serial = h.in().files.serial;
    EXPECT_EQ(serial.speedText(), QStringLiteral("19200"));
    EXPECT_EQ(serial.settingsText(), u"COM2:E71X");
    EXPECT_EQ(serial.devices[2], notAPort.path());
    EXPECT_EQ(serial.devices[0], QStringLiteral("/dev/ttyS0"));

    // A folder is no port: the OPEN warns, its letters count, the program goes on.
    h.type(QStringLiteral("10 OPEN \"COM3:O83D\" AS #1\n20 PRINT #1, \"X\"\n30 CLOSE #1: A = 1\n"));
    h.run();
    ASSERT_EQ(h.dialogs.messages.size(), 1u);
    EXPECT_EQ(h.dialogs.messages[0], QStringLiteral("COM3: 接続に失敗しました。"));
    EXPECT_EQ(h.number(u"A!"), 1);
    h.dialogs.saveAnswers.push_back(SaveAnswer::No);
    h.editor().close();
    EXPECT_TRUE(h.readFile(QStringLiteral("KORVELIN.INI"))
                    .contains("[RS232C]\r\nSpeed=19200\r\nParam=COM3:O83D\r\nDevice3="));

    h.restart();
    EXPECT_EQ(h.in().files.serial.settingsText(), u"COM3:O83D");
    EXPECT_EQ(h.in().files.serial.speedText(), QStringLiteral("19200"));
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

// A build tree has its data files beside the executable; an installed
// program finds them in share/korvelin beside its bin/ folder. A copy
// beside the executable wins, so a build tree never reads an older install.
TEST(Startup, DataFilesAreFoundBesideTheExecutableOrInTheInstalledShareFolder) {
    QTemporaryDir prefix;
    const QString bin = prefix.path() + QStringLiteral("/bin/");
    const QString share = prefix.path() + QStringLiteral("/share/korvelin/");
    QDir().mkpath(bin);
    QDir().mkpath(share);
    const auto touch = [](const QString& path) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    };
    EXPECT_EQ(findDataFileFrom(bin, QStringLiteral("KORVELIN.DAT")), QString());
    touch(share + QStringLiteral("KORVELIN.DAT"));
    EXPECT_EQ(findDataFileFrom(bin, QStringLiteral("KORVELIN.DAT")), share + QStringLiteral("KORVELIN.DAT"));
    touch(bin + QStringLiteral("KORVELIN.DAT"));
    EXPECT_EQ(findDataFileFrom(bin, QStringLiteral("KORVELIN.DAT")), bin + QStringLiteral("KORVELIN.DAT"));
    EXPECT_EQ(findDataFileFrom(bin, QStringLiteral("NOSUCH.DAT")), QString());
}

} // namespace
} // namespace korvelin::testing
