// BSAVE and BLOAD: bitmap files that image tools open, round trips, and
// files that are not what they claim to be.

#include "screen/BitmapFile.h"
#include "support/RunProgram.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace korvelin::testing {
namespace {

// A program whose file names are relative to a scratch folder.
struct FolderRun {
    QTemporaryDir dir;
    ProgramRun r;
    explicit FolderRun(std::u16string_view program) {
        r.in->currentProgramPath = (dir.path() + QStringLiteral("/PROG.BAS")).toStdU16String();
        r.in->paths.setProgramFolder(dir.path());
        r.run(program);
    }
    QString file(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    ColorRef at(int x, int y) { return colorOfPixel(r.in->screen.page(0).pixel(x, y)); }
};

TEST(BitmapFiles, RoundTripThroughAFileOrdinaryToolsOpen) {
    FolderRun f(u"10 LINE (0,0)-(6,4),2,BF: PSET (1,1),4: PSET (6,4),1: GET (0,0)-(6,4),A\n"
                u"20 BSAVE \"PIC\",A\n"
                u"30 BLOAD \"pic.bmp\",B: W=B(0): H=B(1): PUT (100,100),B,PSET\n"
                u"40 BSAVE \"SUB\\SHOT.DAT\",A");
    EXPECT_EQ(f.r.num(u"W!"), 7);
    EXPECT_EQ(f.r.num(u"H!"), 5);
    EXPECT_EQ(f.at(101, 101), 0x00FF00u);
    EXPECT_EQ(f.at(106, 104), 0xFF0000u);
    EXPECT_EQ(f.at(100, 100), 0x0000FFu);
    // The name without an extension got ".BMP"; a folder that is not there is error 53.
    ASSERT_TRUE(QFile::exists(f.file("PIC.BMP")));
    EXPECT_EQ(f.r.errorNumber(), 53);

    const QImage read(f.file("PIC.BMP"));
    ASSERT_EQ(read.size(), QSize(7, 5));
    EXPECT_EQ(read.pixel(1, 1) & 0xFFFFFFu, 0x00FF00u);
    EXPECT_EQ(read.pixel(6, 4) & 0xFFFFFFu, 0x0000FFu); // colour 1 is blue: 0xFF0000 in BGR
    EXPECT_EQ(QDir(f.dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("PIC.BMP")});

    const QString identify = QStandardPaths::findExecutable(QStringLiteral("identify"));
    if (identify.isEmpty()) GTEST_SKIP() << "ImageMagick's identify is not installed";
    QProcess tool;
    tool.start(identify, {QStringLiteral("-format"), QStringLiteral("%m %w %h"), f.file("PIC.BMP")});
    ASSERT_TRUE(tool.waitForFinished(10000));
    EXPECT_EQ(tool.exitCode(), 0);
    const QString described = QString::fromLatin1(tool.readAllStandardOutput()).trimmed();
    EXPECT_TRUE(described.startsWith(QStringLiteral("BMP")) && described.endsWith(QStringLiteral(" 7 5")))
        << described.toStdString();
}

TEST(BitmapFiles, TheBytesOfTheHeader) {
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(0xFF102030u);
    const QByteArray bytes = encodeBitmap(image);
    ASSERT_EQ(bytes.size(), 54 + 2 * 12); // rows padded to 4 bytes
    EXPECT_EQ(bytes.left(2), QByteArray("BM"));
    EXPECT_EQ(static_cast<unsigned char>(bytes[2]), 78);
    EXPECT_EQ(static_cast<unsigned char>(bytes[10]), 54);
    EXPECT_EQ(static_cast<unsigned char>(bytes[28]), 24);
    EXPECT_EQ(bytes.mid(54, 3), QByteArray("\x30\x20\x10", 3)); // blue, green, red
}

TEST(BitmapFiles, BrokenFilesFailWithoutChangingTheBuffer) {
    QTemporaryDir dir;
    QImage big(40, 30, QImage::Format_RGB32);
    big.fill(0xFF00FF00u);
    const QByteArray good = encodeBitmap(big);
    auto write = [&](const char* name, const QByteArray& bytes) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    };
    write("CUT.BMP", good.left(good.size() / 2));
    write("TEXT.BMP", QByteArray("10 PRINT \"HELLO\"\r\n"));
    QByteArray huge = good;
    huge[18] = '\x40'; // width 0x9C40 ... far beyond the pixels the file holds
    huge[19] = '\x9C';
    huge[22] = '\x40';
    huge[23] = '\x9C';
    write("HUGE.BMP", huge);
    QImage png(4, 4, QImage::Format_RGB32);
    png.fill(0xFF0000FFu);
    png.save(dir.filePath(QStringLiteral("PICTURE.BMP")), "PNG");
    struct Case {
        const char16_t* name;
        int error;
    };
    for (const Case c : {Case{u"CUT", 21}, Case{u"TEXT", 21}, Case{u"HUGE", 21}, Case{u"PICTURE", 21},
                         Case{u"MISSING", 53}}) {
        ProgramRun r;
        r.in->paths.setProgramFolder(dir.path());
        std::u16string program = u"10 ON ERROR GOTO 100: GET (0,0)-(2,2),A: BLOAD \"";
        program += c.name;
        program += u"\",A\n20 END\n100 E=ERR: RESUME 20";
        r.run(program);
        EXPECT_EQ(r.num(u"E!"), c.error) << std::u16string(c.name).size();
        EXPECT_EQ(r.num(u"A!", {0}), 3); // the size and the picture of the GET stay
        EXPECT_EQ(r.in->screen.images.imageBufferCount(), 1);
        const VariableEntry& array = r.in->variables.variableTable[static_cast<std::size_t>(
            r.in->variables.arrayEntry(r.in->words.intern(u"A!")))];
        EXPECT_EQ(r.in->screen.images.find(array.base)->picture.size(), QSize(3, 3));
    }
    // BSAVE of an array without a picture, or with no size.
    ProgramRun none(u"10 ON ERROR GOTO 100: BSAVE \"X\",A\n20 GET (0,0)-(1,1),B: B(0)=0: BSAVE \"Y\",B\n"
                    u"30 END\n100 E=E*100+ERR: RESUME NEXT");
    EXPECT_EQ(none.num(u"E!"), 105);
}

TEST(BitmapFiles, NamesResolveAsTheDiskStatementsDo) {
    FolderRun f(u"10 MKDIR \"Sub\": CHDIR \"SUB\": PSET (0,0),2: GET (0,0)-(0,0),A\n"
                u"20 BSAVE \"IN\",A: BSAVE \"..\\UP\",A\n"
                u"30 CHDIR \"..\": BLOAD \"sub\\in.bmp\",B: W=B(0)");
    ASSERT_FALSE(f.r.failed()) << std::string(f.r.lastError().begin(), f.r.lastError().end());
    EXPECT_TRUE(QFile::exists(f.file("SUB/IN.BMP")));
    EXPECT_TRUE(QFile::exists(f.file("UP"))); // a name with a "." anywhere keeps it as it is
    EXPECT_EQ(f.r.num(u"W!"), 1);
}

TEST(BitmapFiles, SavingReplacesAnOlderFileWhole) {
    FolderRun f(u"10 LINE (0,0)-(3,3),6,BF: GET (0,0)-(3,3),A: BSAVE \"OLD.BMP\",A");
    ASSERT_FALSE(f.r.failed());
    f.r.run(u"10 LINE (0,0)-(1,1),2,BF: GET (0,0)-(1,1),A: BSAVE \"OLD.BMP\",A");
    const QImage read(f.file("OLD.BMP"));
    EXPECT_EQ(read.size(), QSize(2, 2));
    EXPECT_EQ(QDir(f.dir.path()).entryList(QDir::Files).size(), 1);
}

} // namespace
} // namespace korvelin::testing
