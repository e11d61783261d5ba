#pragma once
// The run-time control state: pending event and per-event tables, the
// stack of return entries, and the stack of open FOR and WHILE loops.

#include "values/HostFailure.h"
#include "values/Value.h"

#include <array>
#include <cstdint>

namespace korvelin {

constexpr int EventCount = 31; // events 0..30

// Events 1..24 are traps: the run loop enters their GOSUB target. The
// events above them stop the run loop's inner loop for it to act.
enum EventNumber : int {
    NoEvent = 0,
    EventEndRequest = 1,
    EventFunctionKey1 = 1, // F1..F15 are events 1..15
    EventMouseMove = 16,   // then button 1 down, 2 down, 1 up, 2 up: 17..20
    EventHelpKey = 21,
    EventErrorTrap = 22,
    EventCom = 23,
    LastTrapEvent = 24,
    EventBreak = 25,
    EventLoad = 26,
    EventInputWait = 27,
};

constexpr bool isTrapEvent(int event) {
    return event >= EventEndRequest && event <= LastTrapEvent;
}

// The last word given to a trap; None after a reset (counts as off).
enum class TrapState : std::uint8_t { None, On, Off, Stop };

constexpr std::int16_t NoHandlerLevel = 100;

struct EventTables {
    int pendingEvent = NoEvent;
    std::array<std::int16_t, EventCount> eventTarget{};
    std::array<std::int16_t, EventCount> eventLevel{};
    std::array<TrapState, EventCount> eventState{};

    // What the event sources (keys, mouse, serial port) call: the trap
    // fires when it is on and has a handler. The serial trap waits until
    // its own handler has returned; the others may fire inside theirs.
    bool raiseTrap(int event, int controlTop) {
        const auto n = static_cast<std::size_t>(event);
        if (eventState[n] != TrapState::On || eventTarget[n] < 0) return false;
        if (event == EventCom && controlTop >= eventLevel[n]) return false;
        pendingEvent = event;
        return true;
    }
};

constexpr int ControlStackSize = 101;
constexpr std::int32_t EntryScale = 10000; // entry = event x 10000 + slot

struct ControlStack {
    std::array<std::int32_t, ControlStackSize> entries{};
    int controlTop = -1;
    // The slot being executed at each nesting level (controlTop + 1); one
    // extra entry for the level above a full stack.
    std::array<std::int16_t, ControlStackSize + 1> levelStatement{};

    bool empty() const { return controlTop < 0; }
    std::int32_t top() const { return entries[static_cast<std::size_t>(controlTop)]; }
    // A full stack is a host failure (error 21 at the statement level).
    void push(std::int32_t entry) {
        if (controlTop + 1 >= ControlStackSize) failHost(HostFailureKind::Other);
        entries[static_cast<std::size_t>(++controlTop)] = entry;
    }
    void pop() { --controlTop; }
};

enum class LoopKind : std::int16_t { For = 0, While = 1 };

struct LoopEntry {
    LoopKind kind = LoopKind::For;
    std::int16_t headSlot = -1;
    std::int16_t bodySlot = -1;
    std::int32_t variableSlot = -1;
    Value initialValue;
    Value limit;
    Value step;
    std::int16_t headPosition = 0;
};

constexpr int LoopStackSize = 51;

struct LoopStack {
    std::array<LoopEntry, LoopStackSize> entries{};
    int loopTop = -1;
    int skipLevel = -1; // level of a loop whose body is being skipped, -1 = none
    int reentrySlot = -1;
    int reentryPosition = 0;

    LoopEntry& top() { return entries[static_cast<std::size_t>(loopTop)]; }
    LoopEntry& push() {
        if (loopTop + 1 >= LoopStackSize) failHost(HostFailureKind::Other);
        return entries[static_cast<std::size_t>(++loopTop)];
    }
    void pop() { --loopTop; }
    bool skipping() const { return skipLevel >= 0; }
};

} // namespace korvelin
