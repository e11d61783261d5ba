#pragma once
// The keys that break into a running program wherever the focus is:
// Ctrl+Break (which X servers report as Ctrl+Pause or Ctrl+Cancel) and Pause.

#include <QKeySequence>
#include <QList>

class QKeyEvent;

namespace korvelin {

QList<QKeySequence> breakKeys();
bool isBreakKey(const QKeyEvent& event);

} // namespace korvelin
