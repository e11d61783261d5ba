// Files across the life of runs: what a run leaves behind when it ends or
// stops, and what the next run finds.

#include "devices/ProgramFile.h"
#include "support/RunProgram.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace korvelin::testing {
namespace {

struct FolderRun : ProgramRun {
    QTemporaryDir dir;
    FolderRun() {
        in->paths.setDriveRoot(u'C', dir.path());
        in->paths.setAppDirectory(dir.path());
    }
    QByteArray file(const char* name) const {
        QFile f(dir.filePath(QLatin1String(name)));
        if (!f.open(QIODevice::ReadOnly)) return "<missing>";
        return f.readAll();
    }
};

TEST(FileRuns, EveryRunEndWritesAndFreesTheFiles) {
    FolderRun r;
    r.run(u"10 OPEN \"A.TXT\" FOR OUTPUT AS #1: PRINT #1, \"x\";: END");
    EXPECT_EQ(r.file("A.TXT"), "x");
    EXPECT_FALSE(r.in->files.entry(1).isOpen());
    // The next run finds #1 free (no error 54 on a number nobody holds).
    r.run(u"10 OPEN \"A.TXT\" FOR APPEND AS #1: PRINT #1, \"y\";\n20 Z = 1 / 0");
    EXPECT_EQ(r.errorNumber(), 11);
    EXPECT_EQ(r.file("A.TXT"), "xy");
    r.run(u"10 OPEN \"A.TXT\" FOR INPUT AS #1: LINE INPUT #1, L$");
    EXPECT_FALSE(r.failed() && r.errorNumber() == 54);
    EXPECT_EQ(r.str(u"L$"), u"xy");
}

TEST(FileRuns, ABreakFlushesButKeepsTheFilesOpenForResuming) {
    FolderRun r;
    r.run(u"10 OPEN \"B.TXT\" FOR OUTPUT AS #2: PRINT #2, \"line\": PRINT #2, \"half\";: STOP\n"
          u"20 PRINT #2, \" done\"");
    EXPECT_EQ(r.file("B.TXT"), "line\r\n");
    EXPECT_TRUE(r.in->files.entry(2).isOpen());
    EXPECT_EQ(r.in->files.entry(2).lineBuffer, "half");
    r.resume();
    EXPECT_EQ(r.file("B.TXT"), "line\r\nhalf done\r\n");
    EXPECT_FALSE(r.in->files.entry(2).isOpen());
}

TEST(FileRuns, WriteReadsBackUnchangedThroughInput) {
    FolderRun r;
    r.run(u"10 OPEN \"W.TXT\" FOR OUTPUT AS #1: WRITE #1, \"A,B\", -2.5, \"  pad \", \"\": CLOSE\n"
          u"20 OPEN \"W.TXT\" FOR INPUT AS #1: INPUT #1, A$, N, P$, E$: X = EOF(1)");
    EXPECT_FALSE(r.failed()) << std::string(r.lastError().begin(), r.lastError().end());
    EXPECT_EQ(r.file("W.TXT"), "\"A,B\",-2.5,\"  pad \",\"\"\r\n");
    EXPECT_EQ(r.str(u"A$"), u"A,B");
    EXPECT_EQ(r.num(u"N!"), -2.5);
    EXPECT_EQ(r.str(u"P$"), u"  pad ");
    EXPECT_EQ(r.str(u"E$"), u"");
    EXPECT_EQ(r.num(u"X!"), -1);
}

TEST(FileRuns, InputItemsFollowTheirRules) {
    FolderRun r;
    QFile f(r.dir.filePath(QStringLiteral("I.TXT")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("  12  34 ,x\r\n\r\n\"q\" tail, 5E2\r\"no end");
    f.close();
    r.run(u"10 OPEN \"I.TXT\" FOR INPUT AS #1\n"
          u"20 INPUT #1, A, B, C$, D$, E%, F$\n"
          u"30 G = EOF(1): INPUT #1, H");
    EXPECT_EQ(r.num(u"A!"), 12);
    EXPECT_EQ(r.num(u"B!"), 34);
    EXPECT_EQ(r.str(u"C$"), u"x");
    EXPECT_EQ(r.str(u"D$"), u"q tail"); // blank lines before an item are skipped
    EXPECT_EQ(r.num(u"E%"), 500);
    EXPECT_EQ(r.str(u"F$"), u"no end");
    EXPECT_EQ(r.num(u"G!"), -1);
    EXPECT_EQ(r.errorNumber(), 55);
}

TEST(FileRuns, ChdirOpenAndKillUseTheInterpretersOwnDirectory) {
    FolderRun r;
    const QString before = QDir::currentPath();
    r.run(u"10 MKDIR \"SUB\": CHDIR \"C:SUB\": OPEN \"IN.TXT\" FOR OUTPUT AS #1: CLOSE\n"
          u"20 CHDIR \"C:\\NOPE\"");
    EXPECT_EQ(r.errorNumber(), 53);
    EXPECT_TRUE(QFile::exists(r.dir.filePath(QStringLiteral("SUB/IN.TXT"))));
    EXPECT_EQ(r.in->paths.DriveDirectories[2].substr(r.in->paths.DriveDirectories[2].size() - 4), u"SUB\\");
    EXPECT_EQ(QDir::currentPath(), before); // the process never moved
}

TEST(ProgramFileSave, SavingReplacesTheFileWholeAndLeavesNoTemporaryFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("PROG.BAS"));
    ASSERT_TRUE(writeProgramFile(path, QStringLiteral("10 PRINT 1\n"), ProgramEncoding::Cp932));
    ASSERT_TRUE(writeProgramFile(path, QStringLiteral("10 PRINT 2\n"), ProgramEncoding::Cp932));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "10 PRINT 2\r\n");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("PROG.BAS")});
    // A folder that does not exist: the save fails and says so.
    EXPECT_FALSE(writeProgramFile(dir.filePath(QStringLiteral("NO/PROG.BAS")), QStringLiteral("10 END\n"),
                                  ProgramEncoding::Cp932));
}

} // namespace
} // namespace korvelin::testing
