#include "editor/RecentFiles.h"

#include <QAction>
#include <QDir>
#include <QMenu>

namespace korvelin {

RecentFiles::RecentFiles(QStringList& list, int limit, QMenu* menu, QObject* parent)
    : QObject(parent), list_(list), limit_(limit), menu_(menu) {
    rebuild();
}

void RecentFiles::add(const QString& path) {
    list_.removeAll(path);
    list_.prepend(path);
    while (list_.size() > limit_)
        list_.removeLast();
    rebuild();
}

void RecentFiles::rebuild() {
    menu_->clear();
    int n = 0;
    for (const QString& path : std::as_const(list_)) {
        ++n;
        // "&1 NAME.BAS  (folder)": the number is the mnemonic.
        QAction* action =
            menu_->addAction(QStringLiteral("&%1 %2").arg(n).arg(QDir::toNativeSeparators(path)));
        action->setObjectName(QStringLiteral("recent_%1").arg(n));
        connect(action, &QAction::triggered, this, [this, path] { emit openRequested(path); });
    }
    menu_->setEnabled(!list_.isEmpty());
}

} // namespace korvelin
