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

// The execution window of a command-line run, in the middle of the screen.
// Placed by us rather than by the window manager, so that Qt knows where it
// is from the start and centres an early message box over it.
void centreOnDisplay(QWidget& window);

} // namespace korvelin
