#include "screen/statements/ImageFileNames.h"

#include "interpreter/Interpreter.h"

#include <QDir>
#include <QFileInfo>

namespace korvelin {

namespace {

// The entry of `folder` named `component`: an exact match, else one that
// differs only in case, else the name as written.
QString findComponent(const QString& folder, const QString& component) {
    const QDir dir(folder);
    if (component == QStringLiteral(".") || component == QStringLiteral("..") || dir.exists(component))
        return component;
    const QStringList entries =
        dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& entry : entries)
        if (entry.compare(component, Qt::CaseInsensitive) == 0) return entry;
    return component;
}

} // namespace

QString imageFilePath(const Interpreter& in, const std::u16string& name) {
    QString text = QString::fromStdU16String(name);
    text.replace(QLatin1Char('\\'), QLatin1Char('/'));
    QString folder;
    if (text.size() >= 2 && text[1] == QLatin1Char(':') && text[0].isLetter()) {
        const bool root =
            text[0].toUpper() == QLatin1Char('C') && text.size() > 2 && text[2] == QLatin1Char('/');
        text = text.mid(2);
        if (root) folder = QStringLiteral("/");
    }
    if (text.startsWith(QLatin1Char('/'))) folder = QStringLiteral("/");
    if (folder.isEmpty()) {
        folder = in.currentProgramPath.empty()
                     ? QDir::currentPath()
                     : QFileInfo(QString::fromStdU16String(in.currentProgramPath)).absolutePath();
    }
    QString path = folder;
    for (const QString& component : text.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        path = QDir::cleanPath(path + QLatin1Char('/') + findComponent(path, component));
    }
    return path;
}

} // namespace korvelin
