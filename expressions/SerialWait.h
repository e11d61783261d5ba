#pragma once
// Waiting for the serial port: the reader sleeps in the event loop, where
// the port's data arrives (and a break or the end request, which end the
// wait), so a program waiting for data uses no CPU. A port that has
// vanished ends the wait with error 21.

#include "interpreter/Interpreter.h"

namespace korvelin {

// Until the entry holds `count` bytes or an event is pending.
inline void waitForSerialInput(Interpreter& in, FileEntry& port, std::size_t count) {
    in.host.processEvents();
    while (port.inputBuffer.size() < count && in.events.pendingEvent == 0) {
        if (!port.device || port.device->isLost()) failHost(HostFailureKind::Other);
        if (port.device->waitForInput(0)) continue;
        in.host.waitForEvents();
        in.host.processEvents();
    }
}

} // namespace korvelin
