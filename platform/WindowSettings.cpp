#include "platform/WindowSettings.h"

#include <algorithm>

namespace korvelin {

namespace {

const QString windowsSection = QStringLiteral("WINDOWS");
const QString recentSection = QStringLiteral("RECENT_FILES");

QString recentKey(int n) {
    return QStringLiteral("File%1").arg(n);
}

} // namespace

QString rectText(const QRect& rect) {
    return QStringLiteral("%1,%2,%3,%4").arg(rect.x()).arg(rect.y()).arg(rect.width()).arg(rect.height());
}

QRect rectFromText(const QString& text) {
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4) return {};
    int numbers[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        numbers[i] = parts[i].trimmed().toInt(&ok);
        if (!ok) return {};
    }
    if (numbers[2] <= 0 || numbers[3] <= 0 || numbers[2] > 20000 || numbers[3] > 20000) return {};
    return QRect(numbers[0], numbers[1], numbers[2], numbers[3]);
}

void WindowSettings::read(const IniFile& file) {
    editorGeometry = rectFromText(file.value(windowsSection, QStringLiteral("Editor")));
    screenGeometry = rectFromText(file.value(windowsSection, QStringLiteral("Execution")));
    const int size = file.value(windowsSection, QStringLiteral("EditorFontSize")).toInt();
    editorFontSize = size >= 6 && size <= 96 ? size : 0;
    screenZoom = std::clamp(file.value(windowsSection, QStringLiteral("ExecutionZoom")).toInt(), 1, 3);
    recentFiles.clear();
    for (int n = 1; n <= recentLimit; ++n) {
        const QString path = file.value(recentSection, recentKey(n));
        if (!path.isEmpty() && !recentFiles.contains(path)) recentFiles << path;
    }
}

void WindowSettings::write(IniFile& file) const {
    if (editorGeometry.isValid())
        file.setValue(windowsSection, QStringLiteral("Editor"), rectText(editorGeometry));
    if (screenGeometry.isValid())
        file.setValue(windowsSection, QStringLiteral("Execution"), rectText(screenGeometry));
    if (editorFontSize > 0)
        file.setValue(windowsSection, QStringLiteral("EditorFontSize"), QString::number(editorFontSize));
    if (screenZoom > 1 || !file.value(windowsSection, QStringLiteral("ExecutionZoom")).isEmpty())
        file.setValue(windowsSection, QStringLiteral("ExecutionZoom"), QString::number(screenZoom));
    // Every slot is written, so that names dropped from the list go too.
    if (recentFiles.isEmpty() && file.value(recentSection, recentKey(1)).isEmpty()) return;
    for (int n = 1; n <= recentLimit; ++n)
        file.setValue(recentSection, recentKey(n), n <= recentFiles.size() ? recentFiles[n - 1] : QString());
}

} // namespace korvelin
