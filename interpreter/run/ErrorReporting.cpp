// raiseError: an error either goes to ON ERROR GOTO or ends the run with
// its message box; and the mapping of host failures to error numbers.

#include "interpreter/ErrorMessages.h"
#include "interpreter/statements/Statements.h"

namespace korvelin {

int mapHostFailure(HostFailureKind kind) {
    switch (kind) {
    case HostFailureKind::InvalidArgument: return 5;
    case HostFailureKind::TypeMismatch: return 13;
    case HostFailureKind::FileNotFound: return 53;
    case HostFailureKind::FileAlreadyOpen: return 54;
    case HostFailureKind::DiskFull: return 68;
    case HostFailureKind::BadFileName: return 56;
    case HostFailureKind::DeviceUnavailable: return 62;
    case HostFailureKind::PermissionDenied: return 61;
    case HostFailureKind::RenameAcrossDrives: return 73;
    case HostFailureKind::Other: return 21;
    }
    return 21;
}

void Interpreter::recordError(int slot, int number) {
    errors.errorNumber = static_cast<std::int16_t>(number);
    errors.errorLine = slot >= 0 && isProgramStatement(slot) ? statements[slot].key / 100 : 0;
}

void Interpreter::reportError(int slot, int number, std::u16string_view detail) {
    std::u16string text(errorMessage(number));
    if (!detail.empty()) {
        text += u"\r\n（";
        text += detail;
        text += u" はまだ使えません）";
    }
    if (slot >= 0 && isProgramStatement(slot)) {
        const StatementSlot& s = statements[slot];
        text += u"\r\n行番号：";
        for (char c : std::to_string(s.key / 100))
            text += static_cast<char16_t>(c);
        // Just after the character the statement had reached.
        if (startMode == StartMode::Interactive)
            host.placeEditorCaret(s.lineOffset + s.column + lexer.position);
    }
    host.showErrorBox(text);
}

void Interpreter::raiseError(int& slot, int& jumped, int number, std::u16string_view detail) {
    recordError(slot, number);
    const std::size_t trap = EventErrorTrap;
    const bool trapped =
        events.eventState[trap] == TrapState::None && events.eventTarget[trap] >= 0 && slot >= 0;
    if (!trapped || !isProgramStatement(slot)) {
        // Errors of direct statements are never trapped and show no line.
        if (slot >= 0 && !isProgramStatement(slot)) session.directLine.failed = true;
        reportError(trapped ? -1 : slot, number, detail);
        slot = -1;
    } else {
        events.eventState[trap] = TrapState::On;
        events.pendingEvent = EventErrorTrap;
    }
    jumped = 1;
}

} // namespace korvelin
