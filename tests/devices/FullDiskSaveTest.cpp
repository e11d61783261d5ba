// Saving onto a full disk: a file size limit (RLIMIT_FSIZE) stands in for
// the full device, so the test needs no root. A save that cannot write
// every byte must say so and leave the old file as it was.

#include "devices/ProgramFile.h"
#include "platform/IniFile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>

namespace korvelin::testing {
namespace {

// Files may grow to `bytes` while it lives; writes beyond fail with EFBIG
// instead of the signal that would end the test.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = saved_;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previous_);
    }

  private:
    rlimit saved_{};
    void (*previous_)(int) = nullptr;
};

QByteArray contents(const QString& path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

TEST(FullDisk, ProgramAndSettingsSavesFailAndKeepTheOldFile) {
    QTemporaryDir folder;
    const QString program = folder.filePath(QStringLiteral("OLD.BAS"));
    const QString settings = folder.filePath(QStringLiteral("KORVELIN.INI"));
    ASSERT_TRUE(writeProgramFile(program, QStringLiteral("10 PRINT 1\n"), ProgramEncoding::Cp932));
    IniFile ini;
    ini.setValue(QStringLiteral("RS232C"), QStringLiteral("Speed"), QStringLiteral("9600"));
    ASSERT_TRUE(ini.save(settings));
    const QByteArray oldSettings = contents(settings);

    QString longProgram;
    for (int line = 10; line < 2000; line += 10)
        longProgram += QString::number(line) + QStringLiteral(" PRINT \"a line that fills the disk\"\n");
    IniFile bigger = ini;
    bigger.setValue(QStringLiteral("PRINTER_FONT"), QStringLiteral("FontName"),
                    QString(400, QLatin1Char('x')));
    {
        FileSizeLimit full(64);
        EXPECT_FALSE(writeProgramFile(program, longProgram, ProgramEncoding::Cp932));
        EXPECT_FALSE(
            writeProgramFile(folder.filePath(QStringLiteral("NEW.BAS")), longProgram, ProgramEncoding::Utf8));
        EXPECT_FALSE(bigger.save(settings));
    }
    EXPECT_EQ(contents(program), QByteArray("10 PRINT 1\r\n"));
    EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("NEW.BAS"))));
    EXPECT_EQ(contents(settings), oldSettings);
    // Nothing half-written is left beside them.
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 2);

    // With room again the same saves succeed.
    EXPECT_TRUE(writeProgramFile(program, longProgram, ProgramEncoding::Cp932));
    EXPECT_EQ(decodeProgramFile(contents(program)).text, longProgram);
}

TEST(FullDisk, Cp932HoldsOnlyTextItCanWriteBack) {
    EXPECT_TRUE(cp932Holds(QStringLiteral("10 A$=\"日本語ｶﾀｶﾅ\"\n")));
    EXPECT_FALSE(cp932Holds(QStringLiteral("10 A$=\"café\"\n")));
    EXPECT_FALSE(cp932Holds(QStringLiteral("10 A$=\"😀\"\n")));
}

} // namespace
} // namespace korvelin::testing
