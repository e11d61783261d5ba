#pragma once
// A tool window called up again comes to the front, restored when it was
// minimised, and takes the keyboard.

#include <QWidget>

namespace korvelin {

inline void bringToFront(QWidget& window) {
    if (window.isMinimized())
        window.showNormal();
    else
        window.show();
    window.raise();
    window.activateWindow();
}

} // namespace korvelin
