// raiseError, the mapping of host failures to error numbers, ON ERROR GOTO
// and RESUME.

#include "interpreter/ErrorMessages.h"
#include "interpreter/Statements.h"
#include "values/InterpreterError.h"

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
        if (startMode == 1) host.placeEditorCaret(s.lineOffset + s.column + lexer.position);
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
        reportError(trapped ? -1 : slot, number, detail);
        slot = -1;
    } else {
        events.eventState[trap] = TrapState::On;
        events.pendingEvent = EventErrorTrap;
    }
    jumped = 1;
}

void executeOnErrorGoto(Interpreter& in, StatementArgs& args) {
    Lexer& lexer = in.lexer;
    in.currentStatement = u"ERROR";
    lexer.nextToken();
    in.expectWord(KwGoto);
    lexer.nextToken();
    std::int16_t handler = -1; // line 0: no handler
    if (lexer.tokenKind == TokenConstant && !lexer.tokenValue.isString() && lexer.tokenValue.toDouble() == 0)
        lexer.nextToken();
    else
        handler = readHandlerSlot(in);
    in.events.eventTarget[EventErrorTrap] = handler;
    in.checkStatementEnd(args);
}

namespace {

void executeResume(Interpreter& in, StatementArgs& args) {
    Lexer& lexer = in.lexer;
    in.currentStatement = u"RESUME";
    lexer.nextToken();
    TrapState& state = in.events.eventState[EventErrorTrap];
    if (state != TrapState::On) raise(ErrResumeWithoutError);
    state = TrapState::None;
    if (in.control.empty()) raise(ErrReturnWithoutGosub);
    const int failed = entrySlot(in.control.top());
    const bool isNumber = lexer.tokenKind == TokenConstant && !lexer.tokenValue.isString();
    if (lexer.tokenKind == TokenEnd || (isNumber && lexer.tokenValue.toDouble() == 0)) {
        if (lexer.tokenKind != TokenEnd) lexer.nextToken();
        args.slot = failed;
    } else if (lexer.isWord(KwNext)) {
        args.slot = failed >= 0 ? in.statements[failed].next : -1;
        lexer.nextToken();
    } else if (isNumber || lexer.isSymbol(u'*')) {
        in.jumpToTarget(args);
    } else {
        raise(ErrSyntax);
    }
    args.jumped = 1;
    in.control.pop();
    in.checkStatementEnd(args);
}

} // namespace

void registerErrorStatements(std::array<StatementHandler, KeywordCount>& table) {
    table[KwResume] = executeResume;
}

} // namespace korvelin
