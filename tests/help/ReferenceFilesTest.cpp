// The data-file reader on hand-made files: how records become the detail
// text, and what a missing or damaged file gives.

#include "help/ReferenceFiles.h"
#include "help/KeywordAtCaret.h"
#include "values/Cp932.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace korvelin::testing {
namespace {

QByteArray sjis(const QString& text) {
    return QByteArray::fromStdString(cp932::encode(text.toStdU16String()));
}

QByteArray record(const QString& text) {
    QByteArray bytes = sjis(text);
    return bytes + QByteArray(ReferenceFiles::recordSize - bytes.size(), ' ');
}

struct Folder {
    QTemporaryDir dir;
    void write(const char* name, const QByteArray& bytes) const {
        QFile file(dir.filePath(QLatin1String(name)));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
    }
    // Three statements and one function; A has two paragraphs, B and C
    // none (counts 1 and 0), SIN one line.
    Folder() {
        write("SYNTAX.DAT", "3\r\nA\r\nB\r\nC\r\n1\r\nSIN\r\n");
        write("SYNTAX2.IDX", "0,5\r\n4,1\r\n4,0\r\n4,2\r\n");
        write("SYNTAX2.RND", record(QStringLiteral("【書式】 A 式")) + record(QStringLiteral("　続き")) +
                                 record(QStringLiteral("Second paragraph")) +
                                 record(QStringLiteral(" tail")) + record(QStringLiteral("正弦")));
    }
    QString path() const { return dir.path(); }
};

TEST(ReferenceFiles, RecordsBecomeParagraphsUnderTheName) {
    Folder folder;
    ReferenceFiles files;
    ASSERT_TRUE(files.load(folder.path())) << files.error().toStdString();
    EXPECT_EQ(files.statementNames(),
              QStringList({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}));
    EXPECT_EQ(files.functionNames(), QStringList({QStringLiteral("SIN")}));
    EXPECT_EQ(files.entryCount(), 4);
    EXPECT_EQ(files.name(4), QStringLiteral("SIN"));

    // A record starting with a letter opens a paragraph after an empty line;
    // blanks and ideographic spaces continue it; trailing blanks go.
    EXPECT_EQ(files.entryText(1),
              QStringLiteral("A\r\n\r\n 【書式】 A 式\r\n 　続き\r\n\r\n Second paragraph\r\n  tail\r\n"));
    // A count of 1 (or 0) means no records: only the name.
    EXPECT_EQ(files.entryText(2), QStringLiteral("B\r\n"));
    EXPECT_EQ(files.entryText(3), QStringLiteral("C\r\n"));
    EXPECT_EQ(files.entryText(4), QStringLiteral("SIN\r\n\r\n 正弦\r\n"));
    EXPECT_EQ(files.entryText(5), QString());
}

TEST(ReferenceFiles, AMissingOrDamagedFileIsNamed) {
    struct Case {
        const char* file;
        QByteArray bytes; // empty: the file is removed
        const char* named;
        bool missing;
    };
    const Case cases[] = {
        {"SYNTAX.DAT", {}, "SYNTAX.DAT", true},
        {"SYNTAX2.IDX", {}, "SYNTAX2.IDX", true},
        {"SYNTAX.DAT", "two\r\nA\r\n", "SYNTAX.DAT", false},            // no count
        {"SYNTAX.DAT", "5\r\nA\r\nB\r\n", "SYNTAX.DAT", false},         // fewer names than counted
        {"SYNTAX.DAT", "151\r\n", "SYNTAX.DAT", false},                 // more than the window holds
        {"SYNTAX.DAT", "2\r\nA\r\nB\r\n", "SYNTAX.DAT", false},         // the function count is missing
        {"SYNTAX2.IDX", "0,5\r\n4,1\r\n4,0\r\n", "SYNTAX2.IDX", false}, // an entry without its index
        {"SYNTAX2.IDX", "0,5\r\n4,1\r\n4,-1\r\n4,2\r\n", "SYNTAX2.IDX", false}, // a negative count
        {"SYNTAX2.IDX", "0,5\r\n-4,1\r\n4,0\r\n4,2\r\n", "SYNTAX2.IDX", false},
        {"SYNTAX2.IDX", "0,5\r\n4,99999\r\n4,0\r\n4,2\r\n", "SYNTAX2.IDX", false},
    };
    for (const Case& c : cases) {
        Folder folder;
        if (c.bytes.isEmpty())
            QFile::remove(folder.dir.filePath(QLatin1String(c.file)));
        else
            folder.write(c.file, c.bytes);
        ReferenceFiles files;
        EXPECT_FALSE(files.load(folder.path())) << c.file << " " << c.bytes.toStdString();
        EXPECT_TRUE(files.error().contains(QLatin1String(c.named))) << files.error().toStdString();
        EXPECT_EQ(files.error().contains(QStringLiteral("見つかりません")), c.missing);
        EXPECT_EQ(files.entryCount(), 0);
    }
    // The records are read when an entry is shown: a short or missing file is named then.
    Folder shortRecords;
    shortRecords.write("SYNTAX2.RND", record(QStringLiteral("x")));
    ReferenceFiles files;
    ASSERT_TRUE(files.load(shortRecords.path()));
    EXPECT_EQ(files.entryText(1), QString());
    EXPECT_TRUE(files.error().contains(QStringLiteral("SYNTAX2.RND")));
    EXPECT_EQ(files.entryText(2), QStringLiteral("B\r\n")); // needs no record
    QFile::remove(shortRecords.dir.filePath(QStringLiteral("SYNTAX2.RND")));
    EXPECT_EQ(files.entryText(4), QString());
    EXPECT_TRUE(files.error().contains(QStringLiteral("SYNTAX2.RND")));
    EXPECT_TRUE(files.error().contains(QStringLiteral("見つかりません")));
}

TEST(KeywordAtCaret, TheWordTouchingTheCaretAndWhereItStands) {
    struct Case {
        const char* line;
        int column;
        const char* word;
        bool statement;
    };
    const Case cases[] = {
        {"10 PRINT LEFT$(A$,2)", 5, "PRINT", true},   // inside the word
        {"10 PRINT LEFT$(A$,2)", 3, "PRINT", true},   // at its start
        {"10 PRINT LEFT$(A$,2)", 8, "PRINT", true},   // just past its end
        {"10 PRINT LEFT$(A$,2)", 12, "LEFT$", false}, // an argument of PRINT: a function
        {"10 A=1: mid$(A$,1)=B$", 10, "MID$", true},  // after ":" and in lower case
        {"10 IF A THEN date$=X$", 15, "DATE$", true},
        {"10 X$=DATE$", 8, "DATE$", false},
        {"20PRINT", 4, "PRINT", true}, // the line number is not part of the word
        {"10 PRINT", 1, "", false},    // on the line number
        {"10 A = 1", 5, "", false},    // between blanks
        {"", 0, "", false},
    };
    for (const Case& c : cases) {
        const KeywordAtCaret found = keywordAtCaret(QString::fromUtf8(c.line), c.column);
        EXPECT_EQ(found.word, QString::fromLatin1(c.word)) << c.line << " @" << c.column;
        if (*c.word) {
            EXPECT_EQ(found.statementPosition, c.statement) << c.line << " @" << c.column;
        }
    }
}

} // namespace
} // namespace korvelin::testing
