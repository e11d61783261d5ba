// The build-time generator refuses sources the window could not show
// correctly, so that such a reference fails the build instead.

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace korvelin::testing {
namespace {

TEST(SyntaxGenerator, RefusesWhatTheWindowCannotShow) {
    const QByteArray many = [] {
        QByteArray text;
        for (int i = 0; i < 151; ++i)
            text += "@@ W" + QByteArray::number(i) + "\n【書式】 W\n";
        return text;
    }();
    struct Case {
        QByteArray statements;
        const char* complaint; // "" when the files are written
    };
    const Case cases[] = {
        {"@@ A\n【書式】 A\n  10 PRINT 1\n", ""},
        {"@@ A\n" + QByteArray(81, 'x') + "\n", "81 bytes"},
        {"@@ A\n" + QByteArray(77, 'x') + "漢字\n", "81 bytes"}, // 79 characters, but 81 bytes
        {"@@ A\n\xF0\x9F\x98\x80\n", "Shift-JIS"},               // an emoji
        {"@@ A B A\n", "listed twice"},
        {"text\n", "before the first heading"},
        {"@@ A\n\tx\n", "tab"},
        {many, "at most 150"},
    };
    for (const Case& c : cases) {
        QTemporaryDir folder;
        QFile statements(folder.filePath(QStringLiteral("S.txt")));
        statements.open(QIODevice::WriteOnly);
        statements.write(c.statements);
        statements.close();
        QFile functions(folder.filePath(QStringLiteral("F.txt")));
        functions.open(QIODevice::WriteOnly);
        functions.write("@@ SIN\n【書式】 SIN(x)\n");
        functions.close();

        QProcess generator;
        generator.start(QStringLiteral(KORVELIN_BINARY_DIR "/syntax_file_generator"),
                        {statements.fileName(), functions.fileName(), folder.path()});
        ASSERT_TRUE(generator.waitForFinished(10000));
        const QString complaint = QString::fromUtf8(generator.readAllStandardError());
        const bool written = QFile::exists(folder.filePath(QStringLiteral("SYNTAX2.RND")));
        if (*c.complaint == 0) {
            EXPECT_EQ(generator.exitCode(), 0) << complaint.toStdString();
            EXPECT_TRUE(written);
        } else {
            EXPECT_NE(generator.exitCode(), 0) << c.complaint;
            EXPECT_TRUE(complaint.contains(QString::fromUtf8(c.complaint))) << complaint.toStdString();
            EXPECT_FALSE(written) << c.complaint;
        }
    }
}

} // namespace
} // namespace korvelin::testing
