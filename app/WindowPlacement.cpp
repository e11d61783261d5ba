#include "app/WindowPlacement.h"

#include "platform/WindowSettings.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace korvelin {

namespace {

// Room for the window frames and title bars the window manager adds.
constexpr int frameRoom = 40;

} // namespace

WindowPlaces firstStartPlaces(const QRect& available, QSize editorSize, QSize screenSize) {
    const QPoint origin = available.topLeft() + QPoint(frameRoom / 2, frameRoom);
    if (available.width() >= editorSize.width() + screenSize.width() + 2 * frameRoom) {
        const QRect editor(origin, editorSize);
        return {editor, QRect(QPoint(editor.right() + frameRoom, origin.y()), screenSize)};
    }
    // Below: the editor gives up height down to a usable minimum.
    constexpr int leastEditorHeight = 300;
    const int editorHeight =
        std::min(editorSize.height(), available.height() - screenSize.height() - 3 * frameRoom);
    if (editorHeight >= leastEditorHeight && available.width() >= screenSize.width() + frameRoom) {
        const QRect editor(origin, QSize(editorSize.width(), editorHeight));
        return {editor, QRect(QPoint(origin.x(), editor.bottom() + 2 * frameRoom), screenSize)};
    }
    return {};
}

void placeWindows(QWidget& editor, QWidget* screen, const WindowSettings& remembered) {
    const QScreen* display = QGuiApplication::primaryScreen();
    if (!display) return;
    const QRect available = display->availableGeometry();
    // A place remembered on a larger (or another) screen is not used when
    // the window would be out of reach.
    const auto reachable = [&](const QRect& r) { return r.isValid() && available.intersects(r); };
    if (reachable(remembered.editorGeometry) || (screen && reachable(remembered.screenGeometry))) {
        if (reachable(remembered.editorGeometry)) {
            editor.resize(remembered.editorGeometry.size());
            editor.move(remembered.editorGeometry.topLeft());
        }
        if (screen && reachable(remembered.screenGeometry)) screen->move(remembered.screenGeometry.topLeft());
        return;
    }
    const WindowPlaces places =
        firstStartPlaces(available, editor.size(), screen ? screen->size() : QSize(640, 400));
    if (!places.editor.isValid()) return;
    editor.setGeometry(places.editor);
    if (screen) screen->move(places.screen.topLeft());
}

void centreOnDisplay(QWidget& window) {
    const QScreen* display = QGuiApplication::primaryScreen();
    if (!display) return;
    QRect frame(QPoint(0, 0), window.size());
    frame.moveCenter(display->availableGeometry().center());
    window.move(frame.topLeft());
}

} // namespace korvelin
