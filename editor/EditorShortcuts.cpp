#include "editor/EditorShortcuts.h"

#include "editor/EditorWindow.h"
#include "screen/widgets/BreakKeys.h"

#include <QAction>

namespace korvelin {

void addMenuShortcuts(EditorWindow& editor) {
    const auto put = [&editor](const char* name, const QList<QKeySequence>& keys) {
        if (QAction* action = editor.menuItem(QString::fromLatin1(name))) action->setShortcuts(keys);
    };
    put("menu_new", {QKeySequence(Qt::CTRL | Qt::Key_N)});
    put("menu_open", {QKeySequence(Qt::CTRL | Qt::Key_O)});
    put("menu_save", {QKeySequence(Qt::CTRL | Qt::Key_S)});
    // Start and resume are never enabled together, so one key serves both.
    put("menu_start", {QKeySequence(Qt::Key_F5)});
    put("menu_resume", {QKeySequence(Qt::Key_F5)});
    put("menu_halt", {QKeySequence(Qt::SHIFT | Qt::Key_F5)});
    put("menu_stop", breakKeys());
    put("menu_find", {QKeySequence(Qt::CTRL | Qt::Key_F)});
}

} // namespace korvelin
