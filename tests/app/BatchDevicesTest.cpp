// Batch mode's --sound and --printer: the WAV file holds the notes in
// program order with their real durations, the PDF every printed document.

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct BatchRun {
    QTemporaryDir dir;
    int status = -1;
    QString err;
    QString path(const QString& name) const { return dir.filePath(name); }
    void run(const QByteArray& program, const QStringList& options) {
        QFile file(path(QStringLiteral("P.BAS")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(program);
        file.close();
        QProcess process;
        process.setWorkingDirectory(dir.path());
        process.start(QStringLiteral(KORVELIN_BINARY_DIR "/korvelin"),
                      QStringList{QStringLiteral("--batch")} + options +
                          QStringList{QStringLiteral("P.BAS")});
        ASSERT_TRUE(process.waitForFinished(60000));
        status = process.exitCode();
        err = QString::fromUtf8(process.readAllStandardError());
    }
};

TEST(BatchDevices, SoundOptionWritesTheMusicInProgramOrder) {
    BatchRun b;
    b.run("10 PLAY \"T120O4L8CDEFGAB>C\"\r\n20 BEEP\r\n30 PLAY \"L4A\"\r\n40 PRINT \"X\"\r\n",
          {QStringLiteral("--sound"), QStringLiteral("out.wav")});
    EXPECT_EQ(b.status, 0) << b.err.toStdString();
    // 8 eighths at T120 (0.5 s), the beep (0.15 s), a quarter at T100 (0.6 s)
    EXPECT_EQ(QFile(b.path(QStringLiteral("out.wav"))).size(), 44 + 2 * (22048 + 6615 + 26460));
    BatchRun silent;
    silent.run("10 PLAY \"CDE\"\r\n", {});
    EXPECT_EQ(silent.status, 0);
    BatchRun unwritable;
    unwritable.run("10 PLAY \"C\"\r\n", {QStringLiteral("--sound"), QStringLiteral("/nonexistent/out.wav")});
    EXPECT_EQ(unwritable.status, 2);
}

TEST(BatchDevices, PrinterOptionCollectsEveryDocument) {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    BatchRun b;
    b.run("10 LPRINT \"ONE\";CHR$(12);\"TWO\"\r\n20 LPRINT USING \"##.#\";1.25\r\n",
          {QStringLiteral("--printer"), QStringLiteral("out.pdf")});
    EXPECT_EQ(b.status, 0) << b.err.toStdString();
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {b.path(QStringLiteral("out.pdf")), QStringLiteral("-")});
    text.waitForFinished(30000);
    // The document still open when the run ends is printed too.
    EXPECT_EQ(QString::fromUtf8(text.readAllStandardOutput()), QStringLiteral("ONE\n\n\fTWO\n1.3\n\n\f"));
}

} // namespace
