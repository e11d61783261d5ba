#include "devices/DirectoryListing.h"

#include "values/Cp932.h"
#include "values/HostFailure.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace korvelin {

std::vector<std::u16string> listDirectory(const QString& hostFolder) {
    const QFileInfo folder(hostFolder);
    if (!folder.isDir()) failHost(HostFailureKind::FileNotFound);
    QDir dir(hostFolder);
    // Code-unit order, the same on every host and locale.
    QStringList folders = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Unsorted);
    QStringList files = dir.entryList(QDir::Files, QDir::Unsorted);
    std::sort(folders.begin(), folders.end());
    std::sort(files.begin(), files.end());
    std::vector<std::u16string> entries;
    entries.reserve(static_cast<std::size_t>(folders.size() + files.size()));
    for (const QString& name : folders) {
        std::u16string entry(1, u'<');
        entry += name.toStdU16String();
        entry += u'>';
        entries.push_back(std::move(entry));
    }
    for (const QString& name : files)
        entries.push_back(name.toStdU16String());
    return entries;
}

std::vector<std::u16string> listingLines(const std::vector<std::u16string>& entries, int columns) {
    std::vector<std::u16string> lines;
    if (columns <= 1) {
        lines = entries;
        return lines;
    }
    const std::size_t width = static_cast<std::size_t>(80 / columns);
    std::string line;
    int inLine = 0;
    auto finishLine = [&] {
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        lines.push_back(cp932::decode(line));
        line.clear();
        inLine = 0;
    };
    for (const std::u16string& entry : entries) {
        std::string bytes = cp932::encode(entry);
        bytes.resize(width, ' ');
        line += bytes;
        if (++inLine == columns) finishLine();
    }
    if (inLine > 0) finishLine();
    return lines;
}

} // namespace korvelin
