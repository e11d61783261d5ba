#include "editor/TitleMark.h"

#include <QEvent>
#include <QTextDocument>
#include <QWidget>
#include <QWindow>

namespace korvelin {

TitleMark::TitleMark(QWidget& window, QTextDocument& document)
    : QObject(&window), window_(window), document_(document) {
    window.installEventFilter(this);
    connect(&document, &QTextDocument::modificationChanged, this, [this] { apply(); });
}

bool TitleMark::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::WindowTitleChange || event->type() == QEvent::Show) apply();
    return QObject::eventFilter(watched, event);
}

void TitleMark::apply() {
    // Qt's own "[*]" would become part of windowTitle(); the mark goes to
    // the native window only.
    if (QWindow* handle = window_.windowHandle())
        handle->setTitle(window_.windowTitle() + (document_.isModified() ? QStringLiteral("*") : QString()));
}

} // namespace korvelin
