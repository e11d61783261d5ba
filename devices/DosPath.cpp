#include "devices/DosPath.h"

#include "values/HostFailure.h"

#include <QDir>
#include <QFileInfo>

#include <vector>

namespace korvelin {

namespace {

bool isSeparator(char16_t c) {
    return c == u'\\' || c == u'/';
}

std::u16string withBackslashes(std::u16string_view text) {
    std::u16string s(text);
    for (char16_t& c : s)
        if (c == u'/') c = u'\\';
    return s;
}

// The components of a path below a drive's root, "." and ".." worked out
// (".." at the root stays at the root).
std::vector<std::u16string> componentsOf(std::u16string_view path) {
    std::vector<std::u16string> parts;
    std::u16string part;
    auto take = [&] {
        if (part == u"..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != u".") {
            parts.push_back(part);
        }
        part.clear();
    };
    for (char16_t c : path) {
        if (isSeparator(c))
            take();
        else
            part.push_back(c);
    }
    take();
    return parts;
}

// The entry of `folder` that is `name` whatever its case: the exact
// spelling first.
QString findEntry(const QString& folder, const QString& name) {
    if (QFileInfo::exists(folder + name)) return name;
    const QString wanted = name.toUpper();
    const QStringList entries =
        QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& entry : entries)
        if (entry.toUpper() == wanted) return entry;
    return {};
}

std::u16string driveRootName(int drive) {
    return std::u16string{static_cast<char16_t>(u'A' + drive), u':', u'\\'};
}

// "X:" followed by the components, as a directory name ending in "\".
std::u16string normalizedDirectory(std::u16string_view name) {
    std::u16string result(name.substr(0, 2));
    result += u'\\';
    for (const std::u16string& part : componentsOf(name.substr(2)))
        result += part + u'\\';
    return result;
}

bool wildcardMatch(std::u16string_view p, std::u16string_view s) {
    std::size_t pi = 0, si = 0, star = std::u16string_view::npos, mark = 0;
    while (si < s.size()) {
        if (pi < p.size() && (p[pi] == u'?' || p[pi] == s[si])) {
            ++pi;
            ++si;
        } else if (pi < p.size() && p[pi] == u'*') {
            star = pi++;
            mark = si;
        } else if (star != std::u16string_view::npos) {
            pi = star + 1;
            si = ++mark;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p[pi] == u'*')
        ++pi;
    return pi == p.size();
}

} // namespace

std::u16string upperCased(std::u16string_view text) {
    return QString::fromStdU16String(std::u16string(text)).toUpper().toStdU16String();
}

bool matchesWildcard(std::u16string_view pattern, std::u16string_view name) {
    const std::u16string p = upperCased(pattern);
    const std::u16string s = upperCased(name);
    if (wildcardMatch(p, s)) return true;
    // "NAME.*" also names a file without an extension, as DOS patterns do.
    if (p.size() >= 2 && p.ends_with(u".*") && s.find(u'.') == std::u16string::npos)
        return wildcardMatch(std::u16string_view(p).substr(0, p.size() - 2), s);
    return false;
}

DosPaths::DosPaths() {
    roots_[static_cast<std::size_t>(u'C' - u'A')] = QStringLiteral("/");
    for (int d = 0; d < DriveCount; ++d)
        DriveDirectories[static_cast<std::size_t>(d)] = driveRootName(d);
    AppDirectory = CurrentDirectory = hostCurrentDirectory = u"C:\\";
}

int DosPaths::driveIndex(char16_t letter) {
    if (letter >= u'a' && letter <= u'z') letter = static_cast<char16_t>(letter - u'a' + u'A');
    const int drive = static_cast<int>(letter) - u'A';
    if (drive < 0 || drive >= DriveCount) failHost(HostFailureKind::Other);
    return drive;
}

void DosPaths::setDriveRoot(char16_t letter, const QString& hostFolder) {
    const int drive = driveIndex(letter);
    // A relative folder counts from the working directory at start-up.
    QString folder = hostFolder.isEmpty() ? QString() : QDir::cleanPath(QDir(hostFolder).absolutePath());
    if (!folder.isEmpty() && !folder.endsWith(u'/')) folder += u'/';
    roots_[static_cast<std::size_t>(drive)] = folder;
}

std::u16string DosPaths::dosFolderOf(const QString& hostFolder) const {
    const QString folder = QDir::cleanPath(QFileInfo(hostFolder).absoluteFilePath());
    int best = -1;
    qsizetype bestLength = -1;
    for (int d = 0; d < DriveCount; ++d) {
        const QString& root = roots_[static_cast<std::size_t>(d)];
        if (root.isEmpty()) continue;
        const QString bare = root.size() > 1 ? root.left(root.size() - 1) : root;
        const bool inside = root == QStringLiteral("/") || folder == bare || folder.startsWith(root);
        if (inside && bare.size() > bestLength) {
            best = d;
            bestLength = bare.size();
        }
    }
    if (best < 0) return {};
    const QString bare = roots_[static_cast<std::size_t>(best)];
    QString rest = folder.size() >= bare.size() ? folder.mid(bare.size()) : QString();
    std::u16string result = driveRootName(best);
    for (const std::u16string& part : componentsOf(rest.toStdU16String()))
        result += upperCased(part) + u'\\';
    return result;
}

void DosPaths::setAppDirectory(const QString& hostFolder) {
    const std::u16string app = dosFolderOf(hostFolder);
    if (app.empty()) return;
    AppDirectory = app;
    for (int d = 0; d < DriveCount; ++d)
        DriveDirectories[static_cast<std::size_t>(d)] = driveRootName(d);
    DriveDirectories[static_cast<std::size_t>(driveIndex(app[0]))] = app;
    CurrentDirectory = hostCurrentDirectory = app;
}

void DosPaths::setProgramFolder(const QString& hostFolder) {
    const std::u16string folder = dosFolderOf(hostFolder);
    if (folder.empty()) return;
    CurrentDirectory = hostCurrentDirectory = folder;
    DriveDirectories[static_cast<std::size_t>(driveIndex(folder[0]))] = folder;
}

std::u16string DosPaths::resolve(std::u16string_view name) const {
    std::u16string s = withBackslashes(upperCased(name));
    const std::size_t colon = s.find(u':');
    if (colon == std::u16string::npos)
        s = CurrentDirectory.substr(0, 2) + s;
    else if (colon != 1)
        failHost(HostFailureKind::BadFileName);
    if (s.size() < 3 || s[2] != u'\\')
        s = DriveDirectories[static_cast<std::size_t>(driveIndex(s[0]))] + s.substr(2);
    return s;
}

QString DosPaths::hostPath(std::u16string_view dosName) const {
    const std::u16string s = withBackslashes(dosName);
    const std::size_t colon = s.find(u':');
    if (colon != std::u16string::npos && colon != 1) failHost(HostFailureKind::BadFileName);
    const int drive = colon == 1 ? driveIndex(s[0]) : currentDrive();
    std::u16string rest = colon == 1 ? s.substr(2) : s;
    if (rest.empty() || rest[0] != u'\\') {
        const std::u16string& base = drive == currentDrive()
                                         ? hostCurrentDirectory
                                         : DriveDirectories[static_cast<std::size_t>(drive)];
        rest = base.substr(2) + rest;
    }
    QString path = roots_[static_cast<std::size_t>(drive)];
    if (path.isEmpty()) failHost(HostFailureKind::DeviceUnavailable);
    const std::vector<std::u16string> parts = componentsOf(rest);
    bool existing = true;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const QString part = QString::fromStdU16String(parts[i]);
        QString found = existing ? findEntry(path, part) : QString();
        if (found.isEmpty()) {
            existing = false;
            found = part;
        }
        path += found;
        if (i + 1 < parts.size()) path += u'/';
    }
    return path;
}

QString DosPaths::hostFolderOf(std::u16string_view dosName, std::u16string& lastComponent) const {
    const std::u16string s = withBackslashes(dosName);
    std::size_t cut = s.find_last_of(u'\\');
    if (cut == std::u16string::npos) cut = s.size() >= 2 && s[1] == u':' ? 1 : std::u16string::npos;
    const std::u16string folder = cut == std::u16string::npos ? std::u16string() : s.substr(0, cut + 1);
    lastComponent = cut == std::u16string::npos ? s : s.substr(cut + 1);
    return hostPath(folder);
}

void DosPaths::checkNameCharacters(std::u16string_view name) {
    for (const char16_t c : name)
        if (c < 0x20 || std::u16string_view(u"*?<>|\"").find(c) != std::u16string_view::npos)
            failHost(HostFailureKind::BadFileName);
}

std::u16string DosPaths::parentOf(std::u16string_view directory) {
    std::u16string d(directory);
    if (d.size() <= 3) return d;
    if (d.back() == u'\\') d.pop_back();
    return d.substr(0, d.find_last_of(u'\\') + 1);
}

void DosPaths::changeDirectory(std::u16string_view path) {
    std::u16string s = withBackslashes(upperCased(path));
    const std::size_t colon = s.find(u':');
    if (colon == std::u16string::npos)
        s = AppDirectory.substr(0, 2) + s;
    else if (colon != 1)
        failHost(HostFailureKind::BadFileName);
    const int drive = driveIndex(s[0]);
    std::u16string& entry = DriveDirectories[static_cast<std::size_t>(drive)];
    const std::u16string_view rest = std::u16string_view(s).substr(2);
    if (rest == u".") return;
    if (rest == u"..") {
        entry = parentOf(entry);
        hostCurrentDirectory = entry;
        return;
    }
    const std::u16string directory = normalizedDirectory(resolve(s));
    // Checked before anything changes: a CHDIR that fails leaves every
    // current directory as it was.
    if (!QFileInfo(hostPath(directory)).isDir()) failHost(HostFailureKind::FileNotFound);
    entry = directory;
    hostCurrentDirectory = directory;
}

void DosPaths::directoryRemoved(std::u16string_view resolvedPath) {
    std::u16string removed = normalizedDirectory(withBackslashes(resolvedPath));
    std::u16string& entry = DriveDirectories[static_cast<std::size_t>(driveIndex(removed[0]))];
    if (removed == entry) entry = parentOf(entry);
}

} // namespace korvelin
