#pragma once
// What the windows remember between sessions, each in a section of its own
// in "KORVELIN.INI": where the editor and the execution window were, the
// editor's font size and the execution window's zoom ("WINDOWS"), and the
// recently opened programs ("RECENT_FILES", newest first).

#include "platform/IniFile.h"

#include <QRect>
#include <QStringList>

namespace korvelin {

struct WindowSettings {
    static constexpr int recentLimit = 8;

    QRect editorGeometry;   // empty until the editor has been closed once
    QRect screenGeometry;   // the execution window (its size follows the program)
    int editorFontSize = 0; // pixels; 0 for the standard size
    int screenZoom = 1;     // the execution window shows its page 1x, 2x or 3x
    QStringList recentFiles;

    void read(const IniFile& file);
    void write(IniFile& file) const;
};

// "x,y,w,h" and back; an empty rectangle for text that is not four numbers.
QString rectText(const QRect& rect);
QRect rectFromText(const QString& text);

} // namespace korvelin
