#pragma once
// Runs a program text on a windowless interpreter and reads back what it
// left: variables, errors, the reports a window would have shown.

#include "interpreter/Interpreter.h"
#include "platform/HeadlessHost.h"
#include "values/Cp932.h"
#include "values/ValueOps.h"

#include <memory>
#include <string>

namespace korvelin::testing {

// Lines separated by "\n" become the CR LF text of the editor.
inline std::u16string programText(std::u16string_view lines) {
    std::u16string text;
    for (char16_t c : lines) {
        if (c == u'\n')
            text += u"\r\n";
        else
            text += c;
    }
    return text;
}

struct ProgramRun {
    HeadlessHost host;
    std::unique_ptr<Interpreter> in = std::make_unique<Interpreter>(host);

    explicit ProgramRun(std::u16string_view lines = {}) {
        if (!lines.empty()) run(lines);
    }

    void run(std::u16string_view lines) {
        host.program = programText(lines);
        in->prepareProgram(PrepareMode::Full);
        in->runLoop(in->statements.firstStatement);
    }

    void resume() {
        const int slot = (in->control.top() + 1) % EntryScale - 1;
        in->control.pop();
        in->runLoop(slot);
    }

    // The value of a variable (name with suffix), or Empty when it does not exist.
    Value var(std::u16string_view name, std::initializer_list<std::int32_t> subscripts = {}) {
        VariableStore& store = in->variables;
        const int id = in->words.intern(name);
        store.subscriptRegister = {-1, -1, -1, -1, -1};
        std::size_t d = 0;
        for (std::int32_t s : subscripts)
            store.subscriptRegister[d++] = s;
        for (const VariableEntry& e : store.variableTable) {
            if (e.nameId == id && e.isScalar() == (subscripts.size() == 0)) {
                store.watchEvaluation = true; // never create anything here
                const std::int32_t slot = store.lookupVariable(id, LookupMode::Reference);
                store.watchEvaluation = false;
                return store[slot];
            }
        }
        return {};
    }
    double num(std::u16string_view name, std::initializer_list<std::int32_t> subscripts = {}) {
        return var(name, subscripts).toDouble();
    }
    std::u16string str(std::u16string_view name) { return var(name).unicodeText(); }

    int errorNumber() const { return in->errors.errorNumber; }
    bool failed() const { return !host.errorBoxes.empty(); }
    std::u16string lastError() const { return host.errorBoxes.empty() ? u"" : host.errorBoxes.back(); }
};

} // namespace korvelin::testing
