#include "devices/HostProgram.h"

#include "values/HostFailure.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace korvelin {

namespace {

bool isRunnable(const QString& path) {
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable();
}

QString withoutDosExtension(const QString& name) {
    for (const char* extension : {".EXE", ".COM", ".BAT"})
        if (name.endsWith(QLatin1String(extension), Qt::CaseInsensitive)) return name.left(name.size() - 4);
    return name;
}

// The host file of a program name: a path the DOS way when it names a
// folder, else the search path, then the current directory.
QString findProgram(const QString& name, const DosPaths& paths) {
    const bool hasFolder = name.contains(u'\\') || name.contains(u'/') || name.contains(u':');
    for (const QString& candidate : {name, withoutDosExtension(name)}) {
        if (candidate.isEmpty()) continue;
        if (hasFolder) {
            const QString host = paths.hostPath(candidate.toStdU16String());
            if (isRunnable(host)) return host;
            continue;
        }
        for (const QString& spelling : {candidate, candidate.toLower()}) {
            const QString found = QStandardPaths::findExecutable(spelling);
            if (!found.isEmpty()) return found;
        }
        const QString local = paths.hostPath(candidate.toStdU16String());
        if (isRunnable(local)) return local;
    }
    return {};
}

} // namespace

void startHostProgram(const std::u16string& command, const DosPaths& paths) {
    QStringList words = QProcess::splitCommand(QString::fromStdU16String(command));
    if (words.isEmpty()) failHost(HostFailureKind::FileNotFound);
    const QString program = findProgram(words.takeFirst(), paths);
    if (program.isEmpty()) failHost(HostFailureKind::FileNotFound);
    QString folder = paths.hostPath(paths.hostCurrentDirectory);
    if (!QFileInfo(folder).isDir()) folder.clear();
    if (!QProcess::startDetached(program, words, folder)) failHost(HostFailureKind::FileNotFound);
}

} // namespace korvelin
