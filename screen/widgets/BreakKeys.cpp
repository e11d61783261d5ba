#include "screen/widgets/BreakKeys.h"

#include <QKeyEvent>

namespace korvelin {

QList<QKeySequence> breakKeys() {
    return {QKeySequence(Qt::CTRL | Qt::Key_Pause), QKeySequence(Qt::Key_Pause),
            QKeySequence(Qt::CTRL | Qt::Key_Cancel)};
}

bool isBreakKey(const QKeyEvent& event) {
    const QKeySequence pressed(event.keyCombination());
    for (const QKeySequence& key : breakKeys())
        if (key == pressed) return true;
    return false;
}

} // namespace korvelin
