#include "platform/HeadlessHost.h"

namespace korvelin {

bool HeadlessHost::loadProgramFile(const std::u16string& path) {
    loadedPaths.push_back(path);
    auto found = files.find(path);
    if (found == files.end()) {
        errorBoxes.push_back(u"ファイルが見つかりません。");
        return false;
    }
    program = found->second;
    return true;
}

void HeadlessHost::waitForEvents() {
    // Without windows nothing can arrive; answering at once keeps a wait
    // from blocking for ever.
    ++waits;
    inputTag = tagAfterWait;
    // Events may arrive while a program waits (INPUT$ for keys that never
    // come): a test's stand-in for them runs here too.
    if (onEvents) onEvents();
}

} // namespace korvelin
