#include "devices/DosPath.h"
#include "values/HostFailure.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace korvelin::testing {
namespace {

// Drive D is a temporary folder holding WORK/Sub (mixed case on the host).
struct DriveD {
    QTemporaryDir root;
    DosPaths paths;
    DriveD() {
        QDir(root.path()).mkpath(QStringLiteral("WORK/Sub"));
        paths.setDriveRoot(u'D', root.path());
        paths.setAppDirectory(root.path() + QStringLiteral("/WORK"));
    }
    QString host(const char* relative) const {
        return root.path() + QLatin1Char('/') + QLatin1String(relative);
    }
};

int failureOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const HostFailure& failure) {
        return static_cast<int>(failure.kind());
    }
    return -1;
}

TEST(DosPath, ResolutionFollowsTheCurrentDirectories) {
    DriveD d;
    EXPECT_EQ(d.paths.AppDirectory, u"D:\\WORK\\");
    EXPECT_EQ(d.paths.CurrentDirectory, u"D:\\WORK\\");
    EXPECT_EQ(d.paths.DriveDirectories[2], u"C:\\");
    EXPECT_EQ(d.paths.resolve(u"data.txt"), u"D:\\WORK\\DATA.TXT");
    EXPECT_EQ(d.paths.resolve(u"C:x"), u"C:\\X");
    EXPECT_EQ(d.paths.resolve(u"d:/abs/y"), u"D:\\ABS\\Y");
    EXPECT_EQ(failureOf([&] { d.paths.resolve(u"]:X"); }), static_cast<int>(HostFailureKind::Other));
    EXPECT_EQ(failureOf([&] { d.paths.resolve(u"AB:X"); }), static_cast<int>(HostFailureKind::BadFileName));
}

TEST(DosPath, HostNamesAreFoundWhateverTheirCaseAndNewOnesKeepTheirSpelling) {
    DriveD d;
    EXPECT_EQ(d.paths.hostPath(u"D:\\WORK\\SUB"), d.host("WORK/Sub"));
    EXPECT_EQ(d.paths.hostPath(u"D:\\work\\sub\\..\\SUB\\.\\New.Txt"), d.host("WORK/Sub/New.Txt"));
    EXPECT_EQ(d.paths.hostPath(u"D:/WORK/NEW/DEEP"), d.host("WORK/NEW/DEEP"));
    // The exact spelling wins over another case of the same name.
    QDir(d.root.path()).mkpath(QStringLiteral("WORK/SUB"));
    EXPECT_EQ(d.paths.hostPath(u"D:\\WORK\\SUB"), d.host("WORK/SUB"));
    EXPECT_EQ(d.paths.hostPath(u"D:\\..\\..\\WORK"), d.host("WORK"));
    // Relative names count from the host's current directory.
    EXPECT_EQ(d.paths.hostPath(u"Sub\\x"), d.host("WORK/Sub/x"));
    EXPECT_EQ(failureOf([&] { d.paths.hostPath(u"Q:\\X"); }),
              static_cast<int>(HostFailureKind::DeviceUnavailable));
}

TEST(DosPath, ChdirMovesOneDriveAndAFailedOneChangesNothing) {
    DriveD d;
    d.paths.changeDirectory(u"D:SUB");
    EXPECT_EQ(d.paths.DriveDirectories[3], u"D:\\WORK\\SUB\\");
    EXPECT_EQ(d.paths.hostCurrentDirectory, u"D:\\WORK\\SUB\\");
    EXPECT_EQ(d.paths.CurrentDirectory, u"D:\\WORK\\"); // CHDIR leaves it
    EXPECT_EQ(d.paths.resolve(u"DATA.TXT"), u"D:\\WORK\\SUB\\DATA.TXT");

    EXPECT_EQ(failureOf([&] { d.paths.changeDirectory(u"D:\\NOWHERE"); }),
              static_cast<int>(HostFailureKind::FileNotFound));
    EXPECT_EQ(d.paths.DriveDirectories[3], u"D:\\WORK\\SUB\\");
    EXPECT_EQ(d.paths.hostCurrentDirectory, u"D:\\WORK\\SUB\\");

    d.paths.changeDirectory(u"D:..");
    EXPECT_EQ(d.paths.DriveDirectories[3], u"D:\\WORK\\");
    d.paths.changeDirectory(u"D:..");
    d.paths.changeDirectory(u"D:..");
    EXPECT_EQ(d.paths.DriveDirectories[3], u"D:\\");
    d.paths.changeDirectory(u"D:.");
    EXPECT_EQ(d.paths.DriveDirectories[3], u"D:\\");
    // Without a drive, CHDIR works on the application's drive.
    d.paths.changeDirectory(u"WORK");
    EXPECT_EQ(d.paths.DriveDirectories[3], u"D:\\WORK\\");
}

TEST(DosPath, RemovingADrivesDirectoryMovesItUp) {
    DriveD d;
    d.paths.changeDirectory(u"D:\\WORK\\SUB");
    d.paths.directoryRemoved(u"D:\\WORK\\SUB");
    EXPECT_EQ(d.paths.DriveDirectories[3], u"D:\\WORK\\");
    d.paths.directoryRemoved(u"D:\\OTHER");
    EXPECT_EQ(d.paths.DriveDirectories[3], u"D:\\WORK\\");
    EXPECT_EQ(DosPaths::parentOf(u"C:\\"), u"C:\\");
}

TEST(DosPath, FoldersOfTheHostGetTheDriveThatHoldsThemMostClosely) {
    DriveD d;
    EXPECT_EQ(d.paths.dosFolderOf(d.host("WORK/Sub")), u"D:\\WORK\\SUB\\");
    EXPECT_EQ(d.paths.dosFolderOf(QStringLiteral("/usr/share")), u"C:\\USR\\SHARE\\");
    d.paths.setProgramFolder(d.host("WORK/Sub"));
    EXPECT_EQ(d.paths.CurrentDirectory, u"D:\\WORK\\SUB\\");
    EXPECT_EQ(d.paths.DriveDirectories[3], u"D:\\WORK\\SUB\\");
}

TEST(DosPath, WildcardsMatchWhateverTheCase) {
    EXPECT_TRUE(matchesWildcard(u"*.BAK", u"one.bak"));
    EXPECT_FALSE(matchesWildcard(u"*.BAK", u"one.bas"));
    EXPECT_TRUE(matchesWildcard(u"A?C.*", u"abc.txt"));
    EXPECT_TRUE(matchesWildcard(u"*.*", u"README"));
    EXPECT_TRUE(matchesWildcard(u"DATA.*", u"DATA"));
    EXPECT_FALSE(matchesWildcard(u"A?C", u"AC"));
}

} // namespace
} // namespace korvelin::testing
