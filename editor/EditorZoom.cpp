#include "editor/EditorZoom.h"

#include <QAction>
#include <QPlainTextEdit>
#include <QWheelEvent>

#include <algorithm>

namespace korvelin {

EditorZoom::EditorZoom(QPlainTextEdit& edit, int& size, QWidget& window)
    : QObject(&edit), edit_(edit), size_(size) {
    edit_.viewport()->installEventFilter(this);
    const auto add = [&](const QString& name, QList<QKeySequence> keys, auto step) {
        auto* action = new QAction(name, &window);
        action->setObjectName(name);
        action->setShortcuts(keys);
        connect(action, &QAction::triggered, this, step);
        window.addAction(action);
    };
    add(QStringLiteral("zoom_in"),
        {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal),
         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Semicolon)},
        [this] { zoomIn(); });
    add(QStringLiteral("zoom_out"), {QKeySequence(Qt::CTRL | Qt::Key_Minus)}, [this] { zoomOut(); });
    add(QStringLiteral("zoom_reset"), {QKeySequence(Qt::CTRL | Qt::Key_0)},
        [this] { setFontSize(standardSize); });
    if (size_ > 0) setFontSize(size_);
}

int EditorZoom::fontSize() const {
    return edit_.font().pixelSize() > 0 ? edit_.font().pixelSize() : standardSize;
}

void EditorZoom::setFontSize(int pixels) {
    pixels = std::clamp(pixels, smallest, largest);
    QFont font = edit_.font();
    font.setPixelSize(pixels);
    edit_.setFont(font);
    edit_.setTabStopDistance(QFontMetricsF(font).horizontalAdvance(QLatin1Char(' ')) * 8);
    size_ = pixels == standardSize ? 0 : pixels;
}

bool EditorZoom::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Wheel) {
        auto* wheel = static_cast<QWheelEvent*>(event);
        if (wheel->modifiers() & Qt::ControlModifier) {
            const int steps = wheel->angleDelta().y() / 120;
            if (steps != 0) setFontSize(fontSize() + 2 * steps);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace korvelin
