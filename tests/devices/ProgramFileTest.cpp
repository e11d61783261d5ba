#include "devices/ProgramFile.h"
#include "values/Cp932.h"

#include <gtest/gtest.h>

namespace korvelin::testing {
namespace {

const QString japaneseProgram = QStringLiteral("10 A$=\"日本語ｶﾀｶﾅ表示\"\n20 PRINT A$\n");

QByteArray cp932Bytes(const QString& text) {
    const std::string bytes = cp932::encode(text.toStdU16String());
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

TEST(ProgramFile, Cp932TextWithCrLfRoundTripsWithoutGrowing) {
    const QByteArray onDisk = cp932Bytes(QStringLiteral("10 A$=\"日本語ｶﾀｶﾅ表示\"\r\n20 PRINT A$\r\n"));
    const ProgramFileText loaded = decodeProgramFile(onDisk);
    EXPECT_EQ(loaded.encoding, ProgramEncoding::Cp932);
    EXPECT_EQ(loaded.text, japaneseProgram);
    EXPECT_EQ(encodeProgramFile(loaded.text, loaded.encoding), onDisk);
    // A text without a final line end gets exactly one.
    EXPECT_EQ(encodeProgramFile(QStringLiteral("10 END"), ProgramEncoding::Cp932), QByteArray("10 END\r\n"));
}

TEST(ProgramFile, Utf8IsRecognisedAndWrittenBackTheSameWay) {
    const QByteArray plain = QStringLiteral("10 PRINT \"漢字\"\r\n").toUtf8();
    const ProgramFileText loaded = decodeProgramFile(plain);
    EXPECT_EQ(loaded.encoding, ProgramEncoding::Utf8);
    EXPECT_EQ(loaded.text, QStringLiteral("10 PRINT \"漢字\"\n"));
    EXPECT_EQ(encodeProgramFile(loaded.text, loaded.encoding), plain);

    const QByteArray withBom = QByteArray("\xEF\xBB\xBF") + "10 END\r\n";
    const ProgramFileText bom = decodeProgramFile(withBom);
    EXPECT_EQ(bom.encoding, ProgramEncoding::Utf8WithBom);
    EXPECT_EQ(bom.text, QStringLiteral("10 END\n"));
    EXPECT_EQ(encodeProgramFile(bom.text, bom.encoding), withBom);
}

TEST(ProgramFile, ShiftJisThatIsNotUtf8StaysShiftJisAndLoneLineEndsAreAccepted) {
    // "表" in CP932 is 0x95 0x5C: not valid UTF-8.
    const ProgramFileText sjis = decodeProgramFile(cp932Bytes(QStringLiteral("10 REM 表\n20 END")));
    EXPECT_EQ(sjis.encoding, ProgramEncoding::Cp932);
    EXPECT_EQ(sjis.text, QStringLiteral("10 REM 表\n20 END\n"));
    EXPECT_EQ(decodeProgramFile(QByteArray("10 A=1\r20 B=2\r")).text, QStringLiteral("10 A=1\n20 B=2\n"));
    EXPECT_EQ(decodeProgramFile(QByteArray()).text, QString());
    // Half-width katakana pairs that happen to be valid two-byte UTF-8
    // ("ﾃｽ" is C3 BD) are Shift-JIS: Japanese UTF-8 has longer characters.
    const ProgramFileText kana = decodeProgramFile(cp932Bytes(QStringLiteral("10 PRINT \"ﾃｽ\"\r\n")));
    EXPECT_EQ(kana.encoding, ProgramEncoding::Cp932);
    EXPECT_EQ(kana.text, QStringLiteral("10 PRINT \"ﾃｽ\"\n"));
    // A file ends at Ctrl+Z.
    EXPECT_EQ(decodeProgramFile(QByteArray("10 A=1\r\n20 B=2\r\n\x1A\x1A junk")).text,
              QStringLiteral("10 A=1\n20 B=2\n"));
}

TEST(ProgramFile, NamesFollowTheBasRules) {
    EXPECT_EQ(withBasExtension(QStringLiteral("/x/game")), QStringLiteral("/x/game.BAS"));
    EXPECT_EQ(withBasExtension(QStringLiteral("/x/game.bas")), QStringLiteral("/x/game.bas"));
    EXPECT_EQ(withExtensionWhenMissing(QStringLiteral("/x.d/game")), QStringLiteral("/x.d/game.BAS"));
    EXPECT_EQ(withExtensionWhenMissing(QStringLiteral("/x/game.txt")), QStringLiteral("/x/game.txt"));
    EXPECT_EQ(upperCasedFileName(QStringLiteral("/home/u/game.txt")), QStringLiteral("/home/u/GAME.TXT"));
    EXPECT_EQ(programNameOf(QStringLiteral("/home/u/space.bas")), QStringLiteral("SPACE.BAS"));
}

TEST(ProgramFile, CaretOffsetsCountCrLfAsTwo) {
    const QString text = QStringLiteral("10 A\n20 B\n");
    EXPECT_EQ(documentPosition(text, 0), 0);
    EXPECT_EQ(documentPosition(text, 6), 5); // start of the second line
    EXPECT_EQ(documentPosition(text, 8), 7);
    EXPECT_EQ(documentPosition(text, 5), 4); // between CR and LF: the end of the first line
    EXPECT_EQ(documentPosition(text, 99), text.size());
    EXPECT_EQ(crlfOffset(text, 7), 8);
    EXPECT_EQ(withCrLf(text), u"10 A\r\n20 B\r\n");
}

} // namespace
} // namespace korvelin::testing
