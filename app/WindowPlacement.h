#pragma once
// Where the editor and the execution window appear: where they were last
// time (from the settings file), or on the first start side by side when
// the screen is wide enough, else the execution window below the editor.

#include <QRect>

class QWidget;

namespace korvelin {

struct WindowSettings;

// The first-start places of the two windows (client areas) on `available`;
// empty rectangles to leave both where the window system puts them.
struct WindowPlaces {
    QRect editor;
    QRect screen;
};
WindowPlaces firstStartPlaces(const QRect& available, QSize editorSize, QSize screenSize);

void placeWindows(QWidget& editor, QWidget* screen, const WindowSettings& remembered);

} // namespace korvelin
