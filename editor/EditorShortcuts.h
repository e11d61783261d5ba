#pragma once
// The keys every IDE user expects, put on the menu items (so the menus
// show them): Ctrl+N/O/S, F5 start or resume, Shift+F5 end, Ctrl+Break and
// Pause break, Ctrl+F find. An item that is disabled (or not built) lets
// its key through.

namespace korvelin {

class EditorWindow;

void addMenuShortcuts(EditorWindow& editor);

} // namespace korvelin
