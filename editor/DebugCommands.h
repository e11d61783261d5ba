#pragma once
// The debugging commands of the editor's menu that the watch window and
// the call history implement.

namespace korvelin {

class DebugCommands {
  public:
    virtual ~DebugCommands() = default;
    virtual void AddWatch() = 0;
    // Deleting and editing start in the watch window.
    virtual void showWatchWindow() = 0;
    virtual void ShowCallHistory() = 0;
};

} // namespace korvelin
