#pragma once
// Evaluates expressions on a windowless interpreter and reports the value
// or the error number, as the statement executor would map it. The host
// "types" a scripted key string at each wait for events and asks the run
// to end once the script is used up, so waiting functions can be driven.

#include "expressions/Evaluator.h"
#include "interpreter/statements/Statements.h"
#include "support/RunProgram.h"
#include "values/InterpreterError.h"

#include <QString>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace korvelin::testing {

struct TypingHost : HeadlessHost {
    Interpreter* in = nullptr;
    std::vector<std::u16string> keystrokes; // what arrives during each wait
    std::size_t typed = 0;
    std::u16string pendingKeys; // handed over when INKEY$ asks for keys

    void keysWanted(std::u16string& keyBuffer, std::size_t count) override {
        while (keyBuffer.size() < count && !pendingKeys.empty()) {
            keyBuffer += pendingKeys[0];
            pendingKeys.erase(0, 1);
        }
    }

    void waitForEvents() override {
        ++waits;
        if (typed < keystrokes.size())
            in->keyboard.keyBuffer += keystrokes[typed++];
        else
            in->events.pendingEvent = EventEndRequest;
    }
};

struct Outcome {
    Value value;
    int error = 0;
};

struct FunctionEval {
    TypingHost host;
    std::unique_ptr<Interpreter> in;

    FunctionEval() : in(std::make_unique<Interpreter>(host)) { host.in = in.get(); }

    Outcome eval(std::u16string_view expression) {
        ScanText text{std::u16string(expression)};
        in->lexer.start(&text);
        Outcome o;
        try {
            o.value = evaluateExpression(*in);
            if (!in->lexer.atStatementEnd()) o.error = ErrSyntax;
        } catch (const InterpreterError& e) {
            o.error = e.number();
        } catch (const HostFailure& f) {
            o.error = mapHostFailure(f.kind());
        }
        in->lexer.source = nullptr;
        return o;
    }
    int error(std::u16string_view expression) { return eval(expression).error; }
    // The value of an expression that must not fail.
    Value value(std::u16string_view expression) {
        Outcome o = eval(expression);
        EXPECT_EQ(o.error, 0) << "in " << QString::fromStdU16String(std::u16string(expression)).toStdString();
        return o.value;
    }
    double num(std::u16string_view expression) { return value(expression).toDouble(); }
    std::u16string text(std::u16string_view expression) { return value(expression).unicodeText(); }
    std::string bytes(std::u16string_view expression) { return value(expression).byteForm(); }
    ValueKind kind(std::u16string_view expression) { return value(expression).kind(); }

    // Puts a value into a variable (name with suffix) for the expressions to read.
    void set(std::u16string_view name, Value v) {
        in->variables.subscriptRegister = {-1, -1, -1, -1, -1};
        const std::int32_t slot = in->variables.lookupVariable(in->words.intern(name), LookupMode::Reference);
        in->variables[slot] = std::move(v);
    }
};

} // namespace korvelin::testing
