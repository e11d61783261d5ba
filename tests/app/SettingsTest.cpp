#include "platform/Settings.h"
#include "app/EditorSession.h"
#include "platform/IniFile.h"
#include "values/Cp932.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace korvelin::testing {
namespace {

QByteArray cp932Bytes(const QString& text) {
    const std::string bytes = cp932::encode(text.toStdU16String());
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

TEST(IniFile, SectionsAndKeysIgnoreCaseAndValuesAreCp932) {
    IniFile ini;
    ini.parse(cp932Bytes(QStringLiteral("; comment\r\n[printer_font]\r\nfontname = ＭＳ ゴシック\r\n"
                                        "FontSize=\"10\"\r\n[Other]\r\nx=1\r\n")));
    EXPECT_EQ(ini.value(QStringLiteral("PRINTER_FONT"), QStringLiteral("FontName")),
              QStringLiteral("ＭＳ ゴシック"));
    EXPECT_EQ(ini.value(QStringLiteral("Printer_Font"), QStringLiteral("FONTSIZE")), QStringLiteral("10"));
    EXPECT_EQ(ini.value(QStringLiteral("RS232C"), QStringLiteral("Speed")), QString());
    EXPECT_EQ(ini.value(QStringLiteral("Other"), QStringLiteral("y")), QString());
}

TEST(IniFile, WritingBackKeepsWhatItDoesNotKnowAndAddsWhatIsMissing) {
    IniFile ini;
    ini.parse(QByteArray("; kept\r\n[DRIVES]\r\nA=/mnt/floppy\r\n\r\n[RS232C]\r\nspeed=2400\r\n"));
    ini.setValue(QStringLiteral("RS232C"), QStringLiteral("Speed"), QStringLiteral("4800"));
    ini.setValue(QStringLiteral("DRIVES"), QStringLiteral("B"), QStringLiteral("/mnt/b"));
    ini.setValue(QStringLiteral("PRINTER_FONT"), QStringLiteral("FontBold"), QStringLiteral("True"));
    EXPECT_EQ(ini.serialize(),
              QByteArray("; kept\r\n[DRIVES]\r\nA=/mnt/floppy\r\nB=/mnt/b\r\n\r\n[RS232C]\r\n"
                         "speed=4800\r\n[PRINTER_FONT]\r\nFontBold=True\r\n"));
}

TEST(Settings, MissingFileGivesDefaultsAndTheRoundTripKeepsEveryValue) {
    QTemporaryDir folder;
    const QString directory = folder.path() + QLatin1Char('/');
    Settings first;
    first.load(directory);
    EXPECT_EQ(first.printerFont.PrinterFontName, QStringLiteral("ＭＳ 明朝"));
    EXPECT_EQ(first.printerFont.PrinterFontSize, QStringLiteral("12"));
    EXPECT_EQ(first.printerFont.PrinterFontVertical, QStringLiteral("False"));
    EXPECT_TRUE(first.serial.Speed.isEmpty());

    first.serial.Speed = QStringLiteral("19200");
    first.serial.Param = QStringLiteral("COM2:E71X");
    first.printerFont.PrinterFontName = QStringLiteral("ＭＳ ゴシック");
    first.printerFont.PrinterFontItalic = QStringLiteral("True");
    ASSERT_TRUE(first.save(directory));

    QFile file(directory + QStringLiteral("KORVELIN.INI"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.contains(cp932Bytes(QStringLiteral("FontName=ＭＳ ゴシック\r\n"))));
    EXPECT_TRUE(bytes.contains("[RS232C]\r\nSpeed=19200\r\nParam=COM2:E71X\r\n"));

    Settings second;
    second.load(directory);
    EXPECT_EQ(second.serial.Speed, QStringLiteral("19200"));
    EXPECT_EQ(second.serial.Param, QStringLiteral("COM2:E71X"));
    EXPECT_EQ(second.printerFont.PrinterFontName, QStringLiteral("ＭＳ ゴシック"));
    EXPECT_EQ(second.printerFont.PrinterFontItalic, QStringLiteral("True"));
    EXPECT_EQ(second.printerFont.PrinterFontBold, QStringLiteral("False"));
}

TEST(Settings, ValuesAreReadAsIntoAFiftyCharacterBufferAndAStrangeSpeedIsNotWrittenBack) {
    IniFile ini;
    ini.parse(QByteArray("[PRINTER_FONT]\r\nFontName=") + QByteArray(80, 'x') +
              "\r\n[RS232C]\r\nSpeed=1234\r\n");
    Settings settings;
    settings.read(ini);
    EXPECT_EQ(settings.printerFont.PrinterFontName.size(), 49);
    settings.write(ini);
    EXPECT_EQ(ini.value(QStringLiteral("RS232C"), QStringLiteral("Speed")), QStringLiteral("9600"));
    EXPECT_EQ(ini.value(QStringLiteral("RS232C"), QStringLiteral("Param")), QStringLiteral("COM1:N81N"));
}

TEST(CommandLine, QuotedPathWithBlanksThenTheProgramsWords) {
    const CommandLine line = parseCommandLine(QStringLiteral("\"/tmp/my games/space\"  ONE TWO"));
    EXPECT_EQ(line.programPath, QStringLiteral("/tmp/my games/SPACE.BAS"));
    EXPECT_EQ(line.commandTail, QStringLiteral("ONE TWO"));
}

TEST(CommandLine, BareNameWithTheExtensionInLowerCaseGetsNoSecondExtension) {
    const CommandLine line = parseCommandLine(QStringLiteral("hello.bas"));
    EXPECT_EQ(line.programPath, QStringLiteral("HELLO.BAS"));
    EXPECT_TRUE(line.commandTail.isEmpty());
    EXPECT_EQ(parseCommandLine(QStringLiteral("game -x  y")).commandTail, QStringLiteral("-x  y"));
    EXPECT_TRUE(parseCommandLine(QString()).programPath.isEmpty());
}

TEST(CommandLine, ArgumentsWithBlanksAreQuotedAgain) {
    const QString joined =
        joinArguments({QStringLiteral("/a b/prog.bas"), QStringLiteral("x"), QStringLiteral("y")});
    EXPECT_EQ(joined, QStringLiteral("\"/a b/prog.bas\" x y"));
    EXPECT_EQ(parseCommandLine(joined).programPath, QStringLiteral("/a b/PROG.BAS"));
}

} // namespace
} // namespace korvelin::testing
