// CHDIR, MKDIR, RMDIR, KILL, NAME ... AS, FILES and LFILES: the disk
// commands, every name resolved by the interpreter's own current
// directories (devices/DosPath.h).

#include "devices/DirectoryListing.h"
#include "devices/HostErrors.h"
#include "devices/statements/FileNumbers.h"
#include "expressions/Evaluator.h"
#include "interpreter/statements/Statements.h"
#include "values/Cp932.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

namespace korvelin {

namespace {

QByteArray hostBytes(const QString& path) {
    return QFile::encodeName(path);
}

bool hasWildcard(std::u16string_view name) {
    return name.find_first_of(u"*?") != std::u16string_view::npos;
}

std::u16string readArgument(Interpreter& in) {
    in.lexer.nextToken();
    return readNameArgument(in);
}

void executeChdir(Interpreter& in, StatementArgs& args) {
    const std::u16string path = readArgument(in);
    in.paths.changeDirectory(path);
    in.checkStatementEnd(args);
}

void executeMkdir(Interpreter& in, StatementArgs& args) {
    const std::u16string name = in.paths.resolve(readArgument(in));
    DosPaths::checkNameCharacters(name);
    const QString host = in.paths.hostPath(name);
    if (::mkdir(hostBytes(host).constData(), 0777) != 0) {
        // An existing name is an access error of the path.
        if (errno == EEXIST) failHost(HostFailureKind::BadFileName);
        failWithErrno(errno);
    }
    in.checkStatementEnd(args);
}

void executeRmdir(Interpreter& in, StatementArgs& args) {
    const std::u16string resolved = in.paths.resolve(readArgument(in));
    const QString host = in.paths.hostPath(resolved);
    if (::rmdir(hostBytes(host).constData()) != 0) {
        if (errno == ENOTEMPTY || errno == EEXIST) failHost(HostFailureKind::Other);
        failWithErrno(errno);
    }
    in.paths.directoryRemoved(resolved);
    in.checkStatementEnd(args);
}

// A file a program has open is neither deleted nor renamed under it (the
// path/file access error).
void refuseOpenFile(const Interpreter& in, const QString& host) {
    if (in.files.holdsHostFile(QFileInfo(host).absoluteFilePath())) failHost(HostFailureKind::BadFileName);
}

void removeFile(const QString& host) {
    if (QFileInfo(host).isDir()) failHost(HostFailureKind::FileNotFound);
    if (::unlink(hostBytes(host).constData()) != 0) failWithErrno(errno);
}

// KILL name: one file, or every file a pattern with "*" and "?" matches.
void executeKill(Interpreter& in, StatementArgs& args) {
    const std::u16string resolved = in.paths.resolve(readArgument(in));
    std::u16string pattern;
    const QString folder = in.paths.hostFolderOf(resolved, pattern);
    if (!hasWildcard(pattern)) {
        const QString host = in.paths.hostPath(resolved);
        refuseOpenFile(in, host);
        removeFile(host);
    } else {
        if (!QFileInfo(folder).isDir()) failHost(HostFailureKind::FileNotFound);
        QStringList matches;
        for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System))
            if (matchesWildcard(pattern, name.toStdU16String())) matches.push_back(name);
        if (matches.isEmpty()) failHost(HostFailureKind::FileNotFound);
        // Nothing goes when one of them is open.
        for (const QString& name : matches)
            refuseOpenFile(in, QDir(folder).filePath(name));
        for (const QString& name : matches)
            removeFile(QDir(folder).filePath(name));
    }
    in.checkStatementEnd(args);
}

// NAME old AS new: renames, or moves within one drive.
void executeName(Interpreter& in, StatementArgs& args) {
    const std::u16string from = in.paths.resolve(readArgument(in));
    in.expectWord(KwAs);
    const std::u16string to = in.paths.resolve(readArgument(in));
    DosPaths::checkNameCharacters(to);
    if (from[0] != to[0]) failHost(HostFailureKind::RenameAcrossDrives);
    const QString hostFrom = in.paths.hostPath(from);
    const QString hostTo = in.paths.hostPath(to);
    if (!QFileInfo::exists(hostFrom)) failHost(HostFailureKind::FileNotFound);
    refuseOpenFile(in, hostFrom);
    // Renaming onto an existing name would replace it on this host.
    if (QFileInfo::exists(hostTo) &&
        QFileInfo(hostTo).absoluteFilePath() != QFileInfo(hostFrom).absoluteFilePath())
        failHost(HostFailureKind::Other);
    if (std::rename(hostBytes(hostFrom).constData(), hostBytes(hostTo).constData()) != 0)
        failWithErrno(errno);
    in.checkStatementEnd(args);
}

// FILES [path] [, columns] and LFILES: the lines of the listing.
std::vector<std::u16string> readListing(Interpreter& in) {
    Lexer& lexer = in.lexer;
    lexer.nextToken();
    std::u16string path = in.paths.CurrentDirectory;
    if (!lexer.atStatementEnd() && !lexer.isSymbol(u',')) path = readNameArgument(in);
    int columns = 1;
    if (lexer.isSymbol(u',')) {
        lexer.nextToken();
        const double c = evaluateExpression(in).toDouble();
        if (!(c >= 1 && c < 6)) raise(ErrSyntax);
        columns = static_cast<int>(c);
    }
    if (!lexer.atStatementEnd()) raise(ErrSyntax);
    std::u16string folder = in.paths.resolve(path);
    if (folder.back() != u'\\') folder += u'\\';
    std::vector<std::u16string> lines{folder.size() > 3 ? folder.substr(0, folder.size() - 1) : folder};
    for (std::u16string& line : listingLines(listDirectory(in.paths.hostPath(folder)), columns))
        lines.push_back(std::move(line));
    return lines;
}

void executeFiles(Interpreter& in, StatementArgs& args) {
    for (const std::u16string& line : readListing(in)) {
        in.screen.ConsoleWrite(line);
        in.screen.ConsoleNewLine();
        in.screen.PositionCursor();
    }
    in.checkStatementEnd(args);
}

// The printer's pending line is entry 0's; each listing line is printed whole.
void executeLfiles(Interpreter& in, StatementArgs& args) {
    FileEntry& printerLine = in.files.entry(0);
    for (const std::u16string& line : readListing(in)) {
        printerLine.lineBuffer = cp932::encode(line);
        if (in.files.openers.printLine) in.files.openers.printLine(printerLine.lineBuffer);
        printerLine.lineBuffer.clear();
        printerLine.column = 0;
    }
    in.checkStatementEnd(args);
}

} // namespace

void registerDiskCommands(std::array<StatementHandler, KeywordCount>& table) {
    table[KwChdir] = executeChdir;
    table[KwMkdir] = executeMkdir;
    table[KwRmdir] = executeRmdir;
    table[KwKill] = executeKill;
    table[KwName] = executeName;
    table[KwFiles] = executeFiles;
    table[KwLfiles] = executeLfiles;
}

} // namespace korvelin
