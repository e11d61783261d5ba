// Every example of the reference runs in batch mode as written: no syntax
// error, no other error, no hang. A statement that is not built yet stops
// its example with "はまだ使えません", which is accepted here; once the
// statement exists, its example has to run.

#include "../../tools/ReferenceSource.h"
#include "values/Cp932.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace korvelin::testing {
namespace {

struct ExampleRun {
    bool finished = false;
    int status = -1;
    QString errors;
};

ExampleRun runExample(const std::vector<std::string>& lines) {
    QTemporaryDir folder;
    QByteArray program;
    for (const std::string& line : lines)
        program +=
            QByteArray::fromStdString(cp932::encode(QString::fromStdString(line).toStdU16String())) + "\r\n";
    QFile file(folder.filePath(QStringLiteral("EXAMPLE.BAS")));
    file.open(QIODevice::WriteOnly);
    file.write(program);
    file.close();

    QProcess process;
    process.setWorkingDirectory(folder.path());
    process.start(QStringLiteral(KORVELIN_BINARY_DIR "/korvelin"),
                  {QStringLiteral("--batch"), QStringLiteral("EXAMPLE.BAS")});
    // Examples that read the keyboard get a few typed lines.
    process.write("3\n3\n3\n");
    process.closeWriteChannel();
    ExampleRun run;
    run.finished = process.waitForFinished(20000);
    if (!run.finished) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.errors = QString::fromUtf8(process.readAllStandardError());
    return run;
}

TEST(ReferenceExamples, EveryExampleRunsInBatchMode) {
    int ran = 0;
    for (const char* name : {"STATEMENTS.txt", "FUNCTIONS.txt"}) {
        const reference::SourceFile source =
            reference::readSource(std::string(KORVELIN_DATA_DIR) + "/reference/" + name);
        ASSERT_EQ(source.error, "");
        for (const reference::SourceEntry& entry : source.entries) {
            const std::string& title = entry.names.front();
            ASSERT_FALSE(entry.records.empty()) << title;
            EXPECT_EQ(entry.records.front().text.rfind("【書式】", 0), 0u)
                << title << " starts with its syntax";
            const std::vector<std::string> example = reference::exampleProgram(entry);
            EXPECT_FALSE(example.empty()) << title << " has no example";
            const ExampleRun run = runExample(example);
            ++ran;
            ASSERT_TRUE(run.finished) << title << ": the example did not end";
            EXPECT_FALSE(run.errors.contains(QStringLiteral("文法エラーです。")))
                << title << ": " << run.errors.toStdString();
            if (run.errors.contains(QStringLiteral("はまだ使えません"))) continue;
            // 3: the STOP example stops at its break.
            EXPECT_TRUE(run.status == 0 || (title == "STOP" && run.status == 3))
                << title << " ended with status " << run.status << ": " << run.errors.toStdString();
            EXPECT_TRUE(run.errors.isEmpty()) << title << ": " << run.errors.toStdString();
        }
    }
    EXPECT_GT(ran, 130);
}

} // namespace
} // namespace korvelin::testing
