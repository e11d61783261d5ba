// GOTO, GOSUB, RETURN, ON ... GOTO/GOSUB, IF/THEN/ELSE, END and STOP.
// FOR/NEXT and WHILE/WEND live in Loops.cpp.

#include "expressions/Evaluator.h"
#include "interpreter/statements/Statements.h"
#include "values/InterpreterError.h"
#include "values/ValueOps.h"

namespace korvelin {

namespace {

void executeGoto(Interpreter& in, StatementArgs& args) {
    Lexer& lexer = in.lexer;
    if (lexer.isWord(KwGo)) {
        lexer.nextToken();
        in.expectWord(KwTo);
        in.currentStatement = u"GOTO";
    } else {
        in.currentStatement = lexer.isWord(KwGosub) ? u"GOSUB" : u"GOTO";
    }
    lexer.nextToken();
    in.jumpToTarget(args);
    in.checkStatementEnd(args);
}

void executeReturn(Interpreter& in, StatementArgs& args) {
    Lexer& lexer = in.lexer;
    in.currentStatement = u"RETURN";
    lexer.nextToken();
    if (in.control.empty()) raise(ErrReturnWithoutGosub);
    const std::int32_t entry = in.control.top();
    const int event = entryEvent(entry);
    if (event >= 0 && event < EventCount)
        in.events.eventLevel[static_cast<std::size_t>(event)] = NoHandlerLevel;
    if (lexer.tokenKind == TokenEnd || lexer.isSymbol(u':') || lexer.isSymbol(u'\'') ||
        lexer.isWord(KwElse)) {
        args.slot = entrySlot(entry);
        args.jumped = 1;
    } else {
        in.jumpToTarget(args); // RETURN line / RETURN *label: no new entry
    }
    in.control.pop();
    in.checkStatementEnd(args);
}

// ON n GOTO/GOSUB list. The current token is the first of the expression.
void executeOnGoto(Interpreter& in, StatementArgs& args) {
    Lexer& lexer = in.lexer;
    const Value selector = evaluateExpression(in);
    if (!lexer.isWord(KwGoto) && !lexer.isWord(KwGosub)) raise(ErrSyntax);
    const std::int32_t n = toLongRounded(selector);
    if (n < 0) raise(ErrIllegalCall);
    in.currentStatement = lexer.isWord(KwGosub) ? u"GOSUB" : u"GOTO";

    // Items are skipped character by character, up to the n-th comma.
    lexer.position -= 1;
    lexer.currentChar = lexer.charAt(lexer.position);
    auto listEnded = [&] { return lexer.currentChar == u':' || lexer.currentChar == EndOfText; };
    for (std::int32_t item = 1; item < n && !listEnded(); ++item) {
        do
            lexer.nextChar();
        while (lexer.currentChar != u',' && !listEnded());
    }
    if (n == 0 || listEnded()) {
        lexer.nextToken();
        in.skipToStatementEnd();
        in.checkStatementEnd(args);
        return;
    }
    lexer.nextChar();
    lexer.nextToken();
    in.jumpToTarget(args);
    in.skipToStatementEnd();
    in.checkStatementEnd(args);
}

void executeOn(Interpreter& in, StatementArgs& args) {
    Lexer& lexer = in.lexer;
    lexer.nextToken();
    if (lexer.tokenKind == TokenWord) {
        switch (lexer.wordId) {
        case KwError: executeOnErrorGoto(in, args); return;
        case KwKey:
        case KwMouse:
        case KwHelp:
        case KwCom: executeOnTrapGosub(in, args); return;
        case KwStop:
        case KwPen:
        case KwTimeS:
            // ON STOP, ON PEN and ON TIME$ are accepted and have no effect.
            in.skipToStatementEnd();
            in.checkStatementEnd(args);
            return;
        default: break;
        }
    }
    executeOnGoto(in, args);
}

// The pending event inside a subroutine called from the middle of an IF
// line, handled where the run loop would have handled it.
void handleNestedEvent(Interpreter& in, int& slot) {
    const int event = in.events.pendingEvent;
    if (isTrapEvent(event)) {
        in.control.push(slot);
        slot = in.events.eventTarget[static_cast<std::size_t>(event)];
        in.events.pendingEvent = NoEvent;
    } else if (event == EventInputWait) {
        in.waitForConsoleInput();
        if (in.host.inputBoxTag() == InputBoxTag::Forced) {
            in.host.hideInputBox();
            slot = -1;
        }
        in.events.pendingEvent = NoEvent;
    }
}

// Runs a subroutine entered by a GOSUB (or a trap) in the middle of an IF
// line until it returns, so that the rest of the line can run afterwards.
void runNestedSubroutine(Interpreter& in, StatementArgs& args, int ifSlot, int level) {
    const int returnSlot = in.statements[ifSlot].next;
    in.events.pendingEvent = NoEvent;
    int& slot = args.slot;
    while (slot >= 0 && in.events.pendingEvent == NoEvent && slot != returnSlot &&
           in.control.controlTop > level) {
        in.lexer.setText(&in.statements[slot].text);
        int jumped = 0;
        in.control.levelStatement[static_cast<std::size_t>(in.control.controlTop + 1)] =
            static_cast<std::int16_t>(slot);
        int next = in.statements[slot].next;
        in.executeStatement(slot, next, jumped);
        if (!jumped && slot >= 0) slot = in.statements[slot].next;
        if (slot >= 0 || in.events.pendingEvent == EventInputWait) handleNestedEvent(in, slot);
    }
}

// Runs the THEN or ELSE part of an IF line; the current token is THEN or ELSE.
void runIfPart(Interpreter& in, StatementArgs& args) {
    Lexer& lexer = in.lexer;
    const int ifSlot = args.slot;
    const int level = in.control.controlTop;
    for (;;) {
        in.control.levelStatement[static_cast<std::size_t>(in.control.controlTop + 1)] =
            static_cast<std::int16_t>(args.slot);
        const int remembered = lexer.position;
        lexer.nextToken();
        if (lexer.isWord(KwElse) || lexer.isSymbol(u'\'')) return; // an empty part
        if (lexer.isSymbol(u'*') || (lexer.tokenKind == TokenConstant && !lexer.tokenValue.isString())) {
            in.currentStatement = u""; // THEN 100 is a GOTO, without a return entry
            in.jumpToTarget(args);
        } else if (lexer.tokenKind == TokenWord) {
            // Re-read the word as the start of a statement of its own. The
            // slot doubles as `next`, so a FOR here records the IF line as
            // its body.
            lexer.position = remembered - 1;
            in.executeStatement(args.slot, args.slot, args.jumped);
        } else {
            raise(ErrSyntax);
        }

        if (lexer.isSymbol(u':') && args.slot != -1 && !args.jumped) continue;

        if (args.jumped && args.slot == ifSlot && args.slot == in.loops.reentrySlot) {
            // NEXT or WEND went back to a FOR or WHILE earlier in this line.
            lexer.setText(&in.statements[ifSlot].text);
            lexer.position = in.loops.reentryPosition;
            lexer.nextChar();
            lexer.tokenKind = TokenSymbol;
            lexer.symbol = u':';
            args.jumped = 0;
            continue;
        }

        if (lexer.isSymbol(u':') && args.jumped && args.slot >= 0 && in.control.controlTop > level) {
            // A GOSUB with more statements after it in this line.
            const int resumeAt = lexer.position;
            runNestedSubroutine(in, args, ifSlot, level);
            if (args.slot < 0) {
                // The subroutine ended the run; nothing more of the line runs.
                args.jumped = 1;
                return;
            }
            args.slot = ifSlot;
            args.jumped = 0;
            lexer.setText(&in.statements[ifSlot].text);
            lexer.position = resumeAt - 2;
            lexer.nextChar();
            lexer.nextToken();
            if (lexer.isSymbol(u':')) continue;
        }
        return;
    }
}

void executeIf(Interpreter& in, StatementArgs& args) {
    Lexer& lexer = in.lexer;
    lexer.nextToken();
    const Value condition = evaluateExpression(in);
    const bool viaGoto = lexer.isWord(KwGoto);
    if (!viaGoto && !lexer.isWord(KwThen)) raise(ErrSyntax);
    if (equalsTrue(condition)) {
        if (viaGoto) {
            in.currentStatement = u"";
            lexer.nextToken();
            in.jumpToTarget(args);
        } else {
            runIfPart(in, args);
        }
    } else {
        // An ELSE belongs to the nearest IF before it that has none yet.
        int depth = 1;
        for (;;) {
            lexer.nextToken();
            if (lexer.tokenKind == TokenEnd) break;
            if (lexer.isWord(KwIf))
                ++depth;
            else if (lexer.isWord(KwElse) && --depth == 0) {
                runIfPart(in, args);
                break;
            }
        }
    }
    in.host.processEvents();
}

void executeEnd(Interpreter& in, StatementArgs& args) {
    in.lexer.nextToken();
    args.slot = -1;
    args.jumped = 1;
    in.checkStatementEnd(args);
}

void executeStop(Interpreter& in, StatementArgs& args) {
    Lexer& lexer = in.lexer;
    lexer.nextToken();
    if (lexer.tokenKind == TokenEnd || lexer.isSymbol(u':') || lexer.isWord(KwElse) ||
        lexer.isSymbol(u'\'')) {
        in.events.eventTarget[EventBreak] = -1;
        in.events.pendingEvent = EventBreak;
    } else {
        lexer.nextToken(); // STOP ON and the like: not a break
    }
    in.checkStatementEnd(args);
}

} // namespace

void registerControlFlowStatements(std::array<StatementHandler, KeywordCount>& table) {
    table[KwGoto] = executeGoto;
    table[KwGo] = executeGoto;
    table[KwGosub] = executeGoto;
    table[KwReturn] = executeReturn;
    table[KwOn] = executeOn;
    table[KwIf] = executeIf;
    table[KwEnd] = executeEnd;
    table[KwStop] = executeStop;
}

} // namespace korvelin
