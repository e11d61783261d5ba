// Turning the editor text into the prepared program, and the resets
// between runs.

#include "interpreter/Interpreter.h"
#include "values/InterpreterError.h"

namespace korvelin {

namespace {

std::u16string_view trimRight(std::u16string_view s) {
    while (!s.empty() && s.back() == u' ')
        s.remove_suffix(1);
    return s;
}

bool isBlankLine(std::u16string_view line) {
    return trimRight(line).empty();
}

} // namespace

void Interpreter::resetInterpreter() {
    // Images kept by GET/PUT, the console window and the file table belong
    // to the screen and device layers, which reset their own state when a
    // run starts.
    variables.clearVariables();
    screen.resetForRun();
    control.controlTop = -1;
    loops.loopTop = -1;
    loops.skipLevel = -1;
    keyboard.keyBuffer.clear();
    for (auto& text : keyboard.functionKeyText)
        text.clear();
    functionBodies_.clear();
    lexer.classicReservedWords = classicDialect ? &keywords : nullptr;
    resetProgramTables();
    // Files still open (a run discarded at a break, New, Open ...) are
    // written out and freed; a failure was the old run's and is not news now.
    try {
        files.closeAll();
    } catch (const HostFailure&) {
    }
}

void Interpreter::resetProgramTables() {
    statements.clearChain();
    labels.labelCount = 0;
    data.dataCount = 0;
    keyboard.keyBuffer.clear();
    events.pendingEvent = NoEvent;
    for (int e = 1; e < EventCount; ++e) {
        events.eventState[static_cast<std::size_t>(e)] = TrapState::None;
        events.eventTarget[static_cast<std::size_t>(e)] = -1;
    }
    variables.resetDefaultTypes();
}

void Interpreter::failPreparation(int slot, int number, std::int32_t caretOffset) {
    // Preparation errors are reported, never trapped: the program is not
    // running yet. Appended text is no part of the editor's text, and the
    // program in front of it (perhaps held at a break) stays as it was.
    if (caretOffset >= 0 && !appending_) host.placeEditorCaret(caretOffset);
    recordError(slot, number);
    reportError(slot, number, {});
    if (!appending_) resetInterpreter();
    host.setBusyPointer(false);
}

void Interpreter::appendText(const std::u16string& text) {
    host.setBusyPointer(true);
    appending_ = true;
    try {
        prepareText(text, statements.statementCount);
    } catch (const InterpreterError&) {
        appending_ = false;
        throw; // already reported
    }
    appending_ = false;
    events.eventLevel.fill(NoHandlerLevel);
    host.setBusyPointer(false);
}

void Interpreter::prepareProgram(PrepareMode mode) {
    if (mode == PrepareMode::Append) {
        try {
            appendText(host.directText());
        } catch (const InterpreterError&) {
        }
        return;
    }
    host.setBusyPointer(true);
    // A program prepared anew is no longer the one a direct line was typed at.
    session.directLine.active = false;
    const std::u16string text = host.programText();
    if (mode == PrepareMode::Full) {
        resetInterpreter();
        host.compileWatches();
    } else {
        resetProgramTables();
    }
    try {
        prepareText(text, 0);
    } catch (const InterpreterError&) {
        return; // already reported; the program stays empty
    }
    data.dataTotal = data.dataCount;
    dataIndex = 0;
    lexer.dataPosition = 0;
    if (mode == PrepareMode::Full) {
        variables.subscriptRegister = {-1, -1, -1, -1, -1};
        try {
            const std::int32_t slot =
                variables.lookupVariable(words.intern(u"COMMAND$"), LookupMode::Reference);
            variables[slot] = Value::text(commandTail);
        } catch (const std::exception&) {
            // No room for COMMAND$: the program simply does not see it.
        }
    }
    events.eventLevel.fill(NoHandlerLevel);
    host.setBusyPointer(false);
}

// Scans the source lines into slots from `firstSlot` on. Throws
// InterpreterError (already reported) when the text cannot be prepared.
void Interpreter::prepareText(const std::u16string& text, int firstSlot) {
    // Splitting only looks for statement ends; a constant too large is the
    // error of the statement that evaluates it.
    const Lexer::OverflowTolerated keepOverflowForRun(lexer);
    int slot = firstSlot;
    std::size_t offset = 0;
    while (offset < text.size()) {
        std::size_t end = text.find(u"\r\n", offset);
        const std::size_t lineEnd = end == std::u16string::npos ? text.size() : end;
        const std::size_t nextOffset = end == std::u16string::npos ? text.size() : end + 2;
        std::u16string_view line(text.data() + offset, lineEnd - offset);
        if (line.size() > StatementTextLimit) line = line.substr(0, StatementTextLimit);
        const std::int32_t lineOffset = static_cast<std::int32_t>(offset);
        offset = nextOffset;
        if (isBlankLine(line)) continue;

        const LineNumber number = parseLineNumber(line);
        const std::size_t afterDigits = static_cast<std::size_t>(number.endIndex - 1);
        // A line that ends right after its number counts as followed by a blank.
        const bool blankFollows = afterDigits >= line.size() || line[afterDigits] == u' ';
        const std::int64_t key = static_cast<std::int64_t>(number.number) * 100;
        if (!blankFollows || key <= 0 || key > INT32_MAX) {
            failPreparation(-1, ErrSyntax, lineOffset + number.endIndex);
            raise(ErrSyntax);
        }
        if (slot >= StatementSlots) {
            // More statements than the table holds: say so at that line.
            failPreparation(-1, ErrOverflow, lineOffset);
            raise(ErrOverflow);
        }

        const std::u16string_view rest =
            afterDigits + 1 <= line.size() ? trimRight(line.substr(afterDigits + 1)) : std::u16string_view();
        // A line holding only its number yields no statement; it is never
        // linked in, so its slot is free for the next line.
        if (rest.empty()) continue;

        StatementSlot& s = statements[slot];
        s.key = static_cast<std::int32_t>(key);
        s.lineOffset = lineOffset;
        s.column = static_cast<std::int16_t>(number.endIndex);
        statements.setText(slot, std::u16string(rest));
        statements.insertStatement(slot, statements.highestKey);

        lexer.start(&s.text);
        if (lexer.isSymbol(u'*')) {
            lexer.nextToken();
            const int name = lexer.tokenKind == TokenWord ? lexer.wordId : -1;
            if (labels.find(name) >= 0) {
                failPreparation(slot, ErrDuplicateLabel, -1);
                raise(ErrDuplicateLabel);
            }
            if (labels.labelCount >= LabelSlots) {
                failPreparation(slot, ErrOverflow, -1);
                raise(ErrOverflow);
            }
            labels.entries[static_cast<std::size_t>(labels.labelCount++)] = {name, slot};
            lexer.start(&s.text);
        }
        int k = 0;
        const bool split = splitLine(slot, k);
        lexer.setText(nullptr); // the pieces scanned while splitting are gone
        if (!split) raise(ErrOverflow);
        slot += k;
    }
    statements.statementCount = slot;
}

// Splits the line in `slot`, scanned up to its first token, into one slot
// per statement. An IF keeps the rest of its line; a comment keeps the
// rest of its line with its statement. `k` receives the slots used.
bool Interpreter::splitLine(int slot, int& k) {
    auto listData = [&](int dataSlot) {
        if (data.dataCount >= DataSlots) {
            failPreparation(dataSlot, ErrOverflow, -1);
            return false;
        }
        data.statementSlots[static_cast<std::size_t>(data.dataCount++)] = static_cast<std::int16_t>(dataSlot);
        return true;
    };
    const std::int32_t key = statements[slot].key;
    const std::int32_t lineOffset = statements[slot].lineOffset;

    if (lexer.isWord(KwData) && !listData(slot)) return false;
    if (lexer.isWord(KwIf)) {
        k = 1;
        return true;
    }
    // The text being split; each piece after a ":" is scanned on its own.
    ScanText rest(statements[slot].text.text);
    lexer.start(&rest);
    k = 0;
    while (lexer.tokenKind != TokenEnd) {
        while (!(lexer.tokenKind == TokenEnd || lexer.isSymbol(u':') || lexer.isSymbol(u'\'') ||
                 lexer.isWord(KwRem)))
            lexer.nextToken();
        if (lexer.tokenKind == TokenEnd)
            lexer.position += 1;
        else if (!lexer.isSymbol(u':'))
            lexer.position = static_cast<int>(rest.text.size()) + 2;

        const int current = slot + k;
        if (current >= StatementSlots) {
            failPreparation(-1, ErrOverflow, lineOffset);
            return false;
        }
        // The keys of a line near the largest number run out before its
        // statements do: the line number is as wrong as one beyond 32 bits.
        if (key > INT32_MAX - k) {
            failPreparation(-1, ErrSyntax, lineOffset + statements[slot].column);
            return false;
        }
        const std::size_t pieceLength = static_cast<std::size_t>(std::max(0, lexer.position - 2));
        statements[current].key = key + k;
        statements[current].lineOffset = lineOffset;
        statements.setText(current,
                           std::u16string(trimRight(std::u16string_view(rest.text).substr(0, pieceLength))));
        const std::int16_t nextColumn =
            static_cast<std::int16_t>(statements[current].column + lexer.position - 1);
        if (k > 0) statements.insertStatement(current, statements.highestKey);
        ++k;
        const std::size_t restStart = static_cast<std::size_t>(std::max(0, lexer.position - 1));
        rest.text = restStart < rest.text.size() ? rest.text.substr(restStart) : std::u16string();
        rest.tokens.clear();
        lexer.start(&rest);
        if (lexer.tokenKind == TokenEnd) break;

        const int following = slot + k;
        if (following >= StatementSlots) {
            failPreparation(-1, ErrOverflow, lineOffset);
            return false;
        }
        statements[following].column = nextColumn;
        if (lexer.isWord(KwData) && !listData(following)) return false;
        if (lexer.isWord(KwIf)) {
            if (key > INT32_MAX - k) {
                failPreparation(-1, ErrSyntax, lineOffset + statements[slot].column);
                return false;
            }
            statements[following].key = key + k;
            statements[following].lineOffset = lineOffset;
            statements.setText(following, std::u16string(trimRight(rest.text)));
            statements.insertStatement(following, statements.highestKey);
            ++k;
            break;
        }
    }
    return true;
}

} // namespace korvelin
