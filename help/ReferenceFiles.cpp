#include "help/ReferenceFiles.h"

#include "values/Cp932.h"

#include <algorithm>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <optional>

namespace korvelin {

namespace {

const QString namesFile = QStringLiteral("SYNTAX.DAT");
const QString indexFile = QStringLiteral("SYNTAX2.IDX");
const QString recordsFile = QStringLiteral("SYNTAX2.RND");

// No entry of the reference is anywhere near this long; an index that says
// otherwise is damaged, and the window must not read megabytes for it.
constexpr qint64 maxRecordsPerEntry = 1000;
// The three files are small; anything bigger is not ours.
constexpr qint64 maxFileSize = 4 * 1024 * 1024;

QString fromShiftJis(const QByteArray& bytes) {
    return QString::fromStdU16String(cp932::decode(std::string_view(bytes.constData(), bytes.size())));
}

std::optional<QByteArray> readSmallFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > maxFileSize) return std::nullopt;
    return file.readAll();
}

// A count or record number: decimal digits with optional blanks around them.
std::optional<qint64> parseNumber(const QByteArray& item) {
    const QByteArray text = item.trimmed();
    if (text.isEmpty() || text.size() > 9) return std::nullopt;
    for (char c : text)
        if (c < '0' || c > '9') return std::nullopt;
    return text.toLongLong();
}

QList<QByteArray> splitLines(const QByteArray& bytes) {
    QByteArray text = bytes;
    text.replace("\r\n", "\n");
    QList<QByteArray> lines = text.split('\n');
    if (!lines.isEmpty() && lines.back().isEmpty()) lines.removeLast();
    return lines;
}

} // namespace

QString ReferenceFiles::locate(const QString& folder, const QString& fileName) {
    const QString base = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    const QString beside = base + fileName;
    if (QFileInfo::exists(beside)) return beside;
        // Installed: bin/korvelin finds share/korvelin/ by the layout the build
        // was configured with.
#ifdef KORVELIN_DATA_FROM_BINDIR
    const QString installed = QDir::cleanPath(base + QStringLiteral(KORVELIN_DATA_FROM_BINDIR) + fileName);
#else
    const QString installed = QDir::cleanPath(base + QStringLiteral("../share/korvelin/") + fileName);
#endif
    if (QFileInfo::exists(installed)) return installed;
    return {};
}

bool ReferenceFiles::fail(const QString& fileName, bool missing) {
    error_ = missing
                 ? QStringLiteral("命令と関数の説明ファイル「%1」が見つかりません。").arg(fileName)
                 : QStringLiteral("命令と関数の説明ファイル「%1」の内容が正しくありません。").arg(fileName);
    return false;
}

bool ReferenceFiles::load(const QString& folder) {
    loaded_ = false;
    folder_ = folder;
    statements_.clear();
    functions_.clear();
    index_.clear();
    const QString names = locate(folder, namesFile);
    if (names.isEmpty()) return fail(namesFile, true);
    const QString index = locate(folder, indexFile);
    if (index.isEmpty()) return fail(indexFile, true);
    if (!readNames(names) || !readIndex(index)) {
        statements_.clear();
        functions_.clear();
        index_.clear();
        return false;
    }
    error_.clear();
    loaded_ = true;
    return true;
}

bool ReferenceFiles::readNames(const QString& path) {
    const auto bytes = readSmallFile(path);
    if (!bytes) return fail(namesFile, false);
    const QList<QByteArray> lines = splitLines(*bytes);
    qsizetype line = 0;
    for (QStringList* list : {&statements_, &functions_}) {
        if (line >= lines.size()) return fail(namesFile, false);
        const auto count = parseNumber(lines[line++]);
        if (!count || *count > maxEntries || line + *count > lines.size()) return fail(namesFile, false);
        for (qint64 i = 0; i < *count; ++i) {
            const QString name = fromShiftJis(lines[line++]).trimmed();
            if (name.isEmpty()) return fail(namesFile, false);
            list->append(name);
        }
    }
    const qsizetype total = statements_.size() + functions_.size();
    if (total == 0 || total > maxEntries) return fail(namesFile, false);
    return true;
}

bool ReferenceFiles::readIndex(const QString& path) {
    const auto bytes = readSmallFile(path);
    if (!bytes) return fail(indexFile, false);
    QList<QByteArray> items;
    for (const QByteArray& line : splitLines(*bytes))
        items += line.split(',');
    const qsizetype total = statements_.size() + functions_.size();
    if (items.size() < 2 * total) return fail(indexFile, false);
    for (qsizetype k = 0; k < total; ++k) {
        const auto first = parseNumber(items[2 * k]);
        const auto count = parseNumber(items[2 * k + 1]);
        // A count of 0 or 1 is an entry without text.
        if (!first || !count || *count < 0 || *count - 1 > maxRecordsPerEntry) return fail(indexFile, false);
        index_.push_back({*first, *count});
    }
    return true;
}

QString ReferenceFiles::name(int entry) const {
    if (entry < 1 || entry > entryCount()) return {};
    const int statementCount = statementNameCount();
    return entry <= statementCount ? statements_[entry - 1] : functions_[entry - statementCount - 1];
}

QString ReferenceFiles::entryText(int entry) {
    if (!loaded_ || entry < 1 || entry > entryCount()) return {};
    const IndexItem& item = index_[static_cast<std::size_t>(entry - 1)];
    const qint64 records = std::max<qint64>(0, item.recordCount - 1);
    QString text = name(entry) + QStringLiteral("\r\n");
    if (records == 0) return text;

    const QString path = locate(folder_, recordsFile);
    if (path.isEmpty()) {
        fail(recordsFile, true);
        return {};
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() < (item.firstRecord + records) * recordSize ||
        !file.seek(item.firstRecord * recordSize)) {
        fail(recordsFile, false);
        return {};
    }
    const QByteArray bytes = file.read(records * recordSize);
    if (bytes.size() != records * recordSize) {
        fail(recordsFile, false);
        return {};
    }
    for (qint64 r = 0; r < records; ++r) {
        QString record = fromShiftJis(bytes.mid(r * recordSize, recordSize));
        const QChar first = record.isEmpty() ? QChar() : record.front();
        if (!record.isEmpty() && first != QLatin1Char(' ') && first != QChar(0x3000) && first != QChar(0))
            text += QStringLiteral("\r\n");
        while (!record.isEmpty() && (record.back() == QLatin1Char(' ') || record.back() == QChar(0)))
            record.chop(1);
        text += QLatin1Char(' ') + record + QStringLiteral("\r\n");
    }
    return text;
}

} // namespace korvelin
