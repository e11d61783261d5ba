#include "editor/TitleMark.h"

#include <QEvent>
#include <QWidget>
#include <QWindow>

namespace korvelin {

TitleMark::TitleMark(QWidget& window) : QObject(&window), window_(window) {
    window.installEventFilter(this);
}

QString TitleMark::shownTitle(const QWidget& window) {
    return window.windowTitle() + (window.isWindowModified() ? QStringLiteral("*") : QString());
}

bool TitleMark::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::WindowTitleChange:
    case QEvent::ModifiedChange:
    case QEvent::Show: apply(); break;
    default: break;
    }
    return QObject::eventFilter(watched, event);
}

void TitleMark::apply() {
    // Qt's own "[*]" would become part of windowTitle(); the mark goes to
    // the native window only.
    if (QWindow* handle = window_.windowHandle()) handle->setTitle(shownTitle(window_));
}

} // namespace korvelin
