#include "screen/statements/ConsoleInput.h"

#include "interpreter/statements/Statements.h"
#include "screen/statements/FileInput.h"
#include "values/Cp932.h"
#include "values/InterpreterError.h"
#include "values/ValueOps.h"

namespace korvelin {

namespace {

std::u16string_view trimBlanks(std::u16string_view s) {
    while (!s.empty() && s.front() == u' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == u' ')
        s.remove_suffix(1);
    return s;
}

bool isStringName(const Interpreter& in, int nameId) {
    const std::u16string& name = in.words.text(nameId);
    return !name.empty() && name.back() == u'$';
}

void startInput(Interpreter& in, StatementArgs& args, bool lineInput) {
    Lexer& lexer = in.lexer;
    ScreenState& s = in.screen;
    in.currentStatement = lineInput ? u"LINE" : u"INPUT";
    s.PositionCursor();
    lexer.nextToken();
    if (lexer.isSymbol(u'#')) return executeFileInput(in, args, lineInput);
    if (lexer.tokenKind == TokenConstant) {
        const Value prompt = lexer.tokenValue;
        s.drawPlainText(prompt.isString() ? prompt.unicodeText() : cp932::decode(prompt.toTextBytes()));
        lexer.nextToken();
        if (lexer.isSymbol(u';'))
            s.drawPlainText(u"? ");
        else if (!lexer.isSymbol(u','))
            raise(ErrSyntax);
        lexer.nextToken();
    } else {
        s.drawPlainText(u"? ");
    }

    InputRequest& request = s.inputRequest;
    request = InputRequest{};
    request.lineInput = lineInput;
    for (;;) {
        // The request holds 21 variables; a 22nd is out of its range.
        if (request.count == MaxInputVariables) failHost(HostFailureKind::Other);
        const int name = in.parseVariableTarget();
        const std::size_t k = static_cast<std::size_t>(request.count++);
        request.nameIds[k] = name;
        request.variableSlots[k] = in.lookupTarget(name);
        if (lineInput || !lexer.isSymbol(u',')) break;
        lexer.nextToken();
    }
    in.checkStatementEnd(args);

    // The cursor goes below the prompt now; the console scrolls only when
    // the typed line has been echoed.
    s.cursorColumn = 0;
    s.cursorRow += 1;
    in.events.pendingEvent = EventInputWait;
    in.host.showInputBox();
}

} // namespace

void executeInput(Interpreter& in, StatementArgs& args) {
    startInput(in, args, false);
}

void executeLineInput(Interpreter& in, StatementArgs& args) {
    startInput(in, args, true);
}

// LINE INPUT comes through the LINE statement of the graphics statements.
void registerConsoleInputStatements(std::array<StatementHandler, KeywordCount>& table) {
    table[KwInput] = executeInput;
}

namespace {

bool readInputItems(WordTable& words, std::u16string_view line, const std::vector<bool>& stringTargets,
                    std::vector<Value>& items) {
    items.clear();
    const ScanText text{std::u16string(line)};
    Lexer lexer(words);
    lexer.setText(&text);
    lexer.nextChar();
    for (;;) {
        const std::size_t k = items.size();
        if (k >= stringTargets.size()) {
            // A comma after the last item ends the line as well as its end
            // does ("1,"); anything more is an item too many.
            lexer.nextToken();
            if (lexer.tokenKind == TokenEnd) break;
            return false;
        }
        if (stringTargets[k]) {
            std::u16string raw;
            while (lexer.currentChar != u',' && lexer.currentChar != EndOfText) {
                raw.push_back(static_cast<char16_t>(lexer.currentChar));
                lexer.nextChar();
            }
            items.push_back(Value::text(trimBlanks(raw)));
        } else {
            lexer.nextToken();
            if (lexer.tokenKind == TokenEnd) break;
            // Only "-" is a sign here.
            const bool negative = lexer.isSymbol(u'-');
            if (negative) lexer.nextToken();
            // A word, a string, a "+" or a lone sign is no number: the input
            // is rejected rather than leaving the variable a stale value.
            if (lexer.tokenKind != TokenConstant || lexer.tokenValue.isString()) return false;
            items.push_back(negative ? negate(lexer.tokenValue) : lexer.tokenValue);
        }
        lexer.nextToken();
        if (!lexer.isSymbol(u',')) break;
    }
    return items.size() == stringTargets.size();
}

} // namespace

// A number too large for a Double ("1E999") is no number either: the line
// is rejected like any other that does not fit.
bool parseInputLine(WordTable& words, std::u16string_view line, const std::vector<bool>& stringTargets,
                    std::vector<Value>& items) {
    try {
        return readInputItems(words, line, stringTargets, items);
    } catch (const HostFailure&) {
        items.clear();
        return false;
    }
}

bool acceptConsoleInput(Interpreter& in, std::u16string_view line) {
    ScreenState& s = in.screen;
    const InputRequest& request = s.inputRequest;
    if (request.lineInput) {
        std::u16string_view text = line;
        while (!text.empty() && text.back() == u' ')
            text.remove_suffix(1);
        in.variables[request.variableSlots[0]] = Value::text(text);
    } else {
        std::vector<bool> stringTargets;
        for (int k = 0; k < request.count; ++k)
            stringTargets.push_back(isStringName(in, request.nameIds[static_cast<std::size_t>(k)]));
        std::vector<Value> items;
        if (!parseInputLine(in.words, line, stringTargets, items)) return false;
        for (std::size_t k = 0; k < items.size(); ++k) {
            const int name = request.nameIds[k];
            const std::u16string& nameText = in.words.text(name);
            Value value = items[k];
            if (!nameText.empty() && nameText.back() == u'%') value = roundForIntegerTarget(value);
            in.variables[request.variableSlots[k]] = std::move(value);
        }
    }
    s.drawPlainText(line);
    s.penLineEnd();
    if (s.cursorRow == s.consoleTop + s.consoleLines) {
        s.ScrollConsole(s.rowHeight, 0, s.consoleTop * s.rowHeight,
                        (s.consoleTop + s.consoleLines) * s.rowHeight, s.ColorValue(s.backgroundColor));
        s.cursorRow -= 1;
    }
    return true;
}

} // namespace korvelin
