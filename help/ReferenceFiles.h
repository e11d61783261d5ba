#pragma once
// The statement reference's three data files, read without any window:
// "SYNTAX.DAT" (the statement and function names), "SYNTAX2.IDX" (each
// name's first record and record count) and "SYNTAX2.RND" (80-byte
// Shift-JIS records). Entries are numbered from 1: the statements first,
// then the functions.

#include <QString>
#include <QStringList>

#include <vector>

namespace korvelin {

class ReferenceFiles {
  public:
    static constexpr int recordSize = 80;
    static constexpr int maxEntries = 150;

    // Where a data file is: in `folder` (the application's), else in the
    // installed share/korvelin folder beside it; "" when in neither.
    static QString locate(const QString& folder, const QString& fileName);

    // Reads the names and the index. False when a file is missing or its
    // contents do not make sense; error() then names the file.
    bool load(const QString& folder);
    bool loaded() const { return loaded_; }
    QString error() const { return error_; }

    const QStringList& statementNames() const { return statements_; }
    const QStringList& functionNames() const { return functions_; }
    int statementNameCount() const { return static_cast<int>(statements_.size()); }
    int entryCount() const { return static_cast<int>(index_.size()); }
    // The name of entry k (1-based), "" outside 1..entryCount().
    QString name(int entry) const;

    // The detail text of entry k: its name, then one line per record, a
    // record that starts neither with a blank nor an ideographic space
    // preceded by an empty line; lines end in CR LF. The records are read
    // from SYNTAX2.RND now; on failure the result is empty and error()
    // names the file.
    QString entryText(int entry);

  private:
    bool fail(const QString& fileName, bool missing);
    bool readNames(const QString& path);
    bool readIndex(const QString& path);

    struct IndexItem {
        qint64 firstRecord = 0;
        qint64 recordCount = 0;
    };
    QString folder_;
    QStringList statements_;
    QStringList functions_;
    std::vector<IndexItem> index_;
    QString error_;
    bool loaded_ = false;
};

} // namespace korvelin
