// The reference covers the language: every statement and function keyword
// has an entry, every reserved word is explained somewhere, and the
// generated files say exactly what the source says, in the window's format.

#include "../../tools/ReferenceSource.h"
#include "help/ReferenceFiles.h"
#include "values/Cp932.h"
#include "values/Keywords.h"

#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <set>

namespace korvelin::testing {
namespace {

using reference::SourceEntry;
using reference::SourceFile;

const std::string sourceFolder = std::string(KORVELIN_DATA_DIR) + "/reference/";

struct Sources {
    SourceFile statements = reference::readSource(sourceFolder + "STATEMENTS.txt");
    SourceFile functions = reference::readSource(sourceFolder + "FUNCTIONS.txt");
};

std::set<std::string> namesOf(const SourceFile& file) {
    std::set<std::string> names;
    for (const SourceEntry& entry : file.entries)
        names.insert(entry.names.begin(), entry.names.end());
    return names;
}

std::string entryText(const SourceEntry& entry) {
    std::string text;
    for (const auto& record : entry.records)
        text += record.text + "\n";
    return text;
}

std::string utf8(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())).toStdString();
}

TEST(ReferenceContent, EveryStatementAndFunctionKeywordHasAnEntry) {
    const Sources s;
    ASSERT_EQ(s.statements.error, "");
    ASSERT_EQ(s.functions.error, "");
    const std::set<std::string> statements = namesOf(s.statements);
    const std::set<std::string> functions = namesOf(s.functions);
    for (int k = FirstStatementKeyword; k <= LastStatementKeyword; ++k) {
        const std::string word = utf8(keywordText(static_cast<Keyword>(k)));
        if (word == "GO") continue; // only ever "GO TO": the GOTO entry, checked below
        EXPECT_TRUE(statements.count(word)) << word << " has no statement entry";
    }
    for (int k = FirstFunctionKeyword; k <= LastFunctionKeyword; ++k) {
        const std::string word = utf8(keywordText(static_cast<Keyword>(k)));
        EXPECT_TRUE(functions.count(word)) << word << " has no function entry";
    }
    // Statement words that are also functions have an entry in both lists.
    for (const char* word : {"DATE$", "TIME$", "MID$", "MOUSE"})
        EXPECT_TRUE(functions.count(word)) << word << " has no function entry";
    for (const SourceEntry& entry : s.statements.entries)
        if (entry.names.front() == "GOTO") {
            EXPECT_NE(entryText(entry).find("GO TO"), std::string::npos);
        }
}

TEST(ReferenceContent, EveryReservedWordIsAnEntryOrExplainedInOne) {
    const Sources s;
    std::set<std::string> names = namesOf(s.statements);
    names.merge(namesOf(s.functions));
    std::string allText;
    for (const SourceFile* file : {&s.statements, &s.functions})
        for (const SourceEntry& entry : file->entries)
            allText += entryText(entry);

    QFile file(QStringLiteral(KORVELIN_DATA_DIR "/KORVELIN.DAT"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList words = QString::fromLatin1(file.readAll())
                                  .split(QRegularExpression(QStringLiteral("[,\\s]+")), Qt::SkipEmptyParts);
    ASSERT_GT(words.size(), 150);
    const QString text = QString::fromStdString(allText);
    for (const QString& word : words) {
        if (names.count(word.toStdString())) continue;
        // A clause word or operator (THEN, AS, APPEND, MOD ...): a whole word of some entry.
        const QRegularExpression whole(QStringLiteral("(^|[^A-Z$])") + QRegularExpression::escape(word) +
                                       QStringLiteral("($|[^A-Z$])"));
        EXPECT_TRUE(text.contains(whole)) << word.toStdString() << " is explained nowhere";
    }
}

// --- the generated files ---

QByteArray generated(const char* name) {
    QFile file(QStringLiteral(KORVELIN_BINARY_DIR "/") + QLatin1String(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return file.readAll();
}

QList<QByteArray> crlfLines(const QByteArray& bytes) {
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    QList<QByteArray> lines = bytes.split('\n');
    lines.removeLast();
    for (QByteArray& line : lines) {
        EXPECT_TRUE(line.endsWith('\r')) << "every line ends in CR LF";
        line.chop(1);
    }
    return lines;
}

// The bytes of a source line as one blank-padded 80-byte record.
QByteArray record(const std::string& utf8Text) {
    QByteArray bytes =
        QByteArray::fromStdString(cp932::encode(QString::fromStdString(utf8Text).toStdU16String()));
    bytes.append(QByteArray(ReferenceFiles::recordSize - bytes.size(), ' '));
    return bytes;
}

TEST(ReferenceFilesFormat, NamesIndexAndRecordsAreTheSourceInTheWindowsFormat) {
    const Sources s;
    const QList<QByteArray> names = crlfLines(generated("SYNTAX.DAT"));
    const QList<QByteArray> index = crlfLines(generated("SYNTAX2.IDX"));
    const QByteArray records = generated("SYNTAX2.RND");
    ASSERT_EQ(records.size() % ReferenceFiles::recordSize, 0);
    ASSERT_FALSE(records.contains('\r') || records.contains('\n')) << "records have no separators";

    // SYNTAX.DAT: count, names, count, names; the index: one "first,count" per name, same order.
    qsizetype line = 0;
    qsizetype entry = 0;
    int total = 0;
    for (const SourceFile* file : {&s.statements, &s.functions}) {
        std::vector<std::pair<std::string, const SourceEntry*>> expected;
        for (const SourceEntry& e : file->entries)
            for (const std::string& name : e.names)
                expected.emplace_back(name, &e);
        ASSERT_EQ(names[line++].toInt(), static_cast<int>(expected.size()));
        for (const auto& [name, sourceEntry] : expected) {
            EXPECT_EQ(names[line++].toStdString(), name);
            const QList<QByteArray> item = index[entry++].split(',');
            ASSERT_EQ(item.size(), 2);
            const int first = item[0].toInt();
            const int count = item[1].toInt();
            // recordCount counts one more than the records the entry uses.
            ASSERT_EQ(count, static_cast<int>(sourceEntry->records.size()) + 1) << name;
            for (int r = 0; r < count - 1; ++r)
                EXPECT_EQ(records.mid((first + r) * ReferenceFiles::recordSize, ReferenceFiles::recordSize),
                          record(sourceEntry->records[static_cast<std::size_t>(r)].text))
                    << name << " record " << r;
        }
        total += static_cast<int>(expected.size());
    }
    EXPECT_EQ(line, names.size());
    EXPECT_EQ(entry, index.size());
    EXPECT_LE(total, ReferenceFiles::maxEntries);
    // Shift-JIS all through: decoding and encoding gives back every byte, and
    // no byte decodes to the codec's stand-in for invalid bytes.
    const std::u16string decoded = cp932::decode(std::string_view(records.constData(), records.size()));
    EXPECT_EQ(cp932::encode(decoded), records.toStdString());
    for (char16_t c : decoded)
        ASSERT_FALSE(c >= 0xF780 && c <= 0xF8FF) << "a byte that is not Shift-JIS";
}

} // namespace
} // namespace korvelin::testing
