#pragma once
// Compares a program run with compilation (of expressions and statements)
// against the same program run by scanning alone: the two must not be told
// apart by anything a program or a user can see.

#include "support/RunProgram.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace korvelin::testing {

inline std::string narrow(std::u16string_view text) {
    std::string out;
    for (char16_t c : text)
        out += c < 0x80 ? static_cast<char>(c) : '?';
    return out;
}

inline std::string describe(const Value& v) {
    char buffer[64];
    switch (v.kind()) {
    case ValueKind::Empty: return "empty";
    case ValueKind::Integer: return "int " + std::to_string(v.rawInteger());
    case ValueKind::Boolean: return "bool " + std::to_string(v.rawInteger());
    case ValueKind::Long: return "long " + std::to_string(v.rawLong());
    case ValueKind::Single: std::snprintf(buffer, sizeof buffer, "single %a", v.rawSingle()); return buffer;
    case ValueKind::Double: std::snprintf(buffer, sizeof buffer, "double %a", v.rawDouble()); return buffer;
    case ValueKind::String: return "string \"" + v.byteForm() + "\"";
    }
    return "?";
}

// Runs `program` both ways and compares how it ended: messages and carets,
// ERR and ERL, the stops, the open GOSUBs, loops and traps, the window
// event passes and watch checks made, every variable.
inline void expectSameRun(std::u16string_view program) {
    ProgramRun scanning;
    scanning.in->lexer.compileExpressions = false;
    scanning.host.watching = true;
    scanning.run(program);
    ProgramRun compiled;
    compiled.host.watching = true;
    compiled.run(program);
    const std::string name = narrow(program);
    EXPECT_EQ(compiled.host.errorBoxes, scanning.host.errorBoxes) << name;
    EXPECT_EQ(compiled.host.caretOffsets, scanning.host.caretOffsets) << name;
    EXPECT_EQ(compiled.host.stops, scanning.host.stops) << name;
    EXPECT_EQ(compiled.in->errors.errorNumber, scanning.in->errors.errorNumber) << name;
    EXPECT_EQ(compiled.in->errors.errorLine, scanning.in->errors.errorLine) << name;
    EXPECT_EQ(compiled.host.eventPasses, scanning.host.eventPasses) << name;
    EXPECT_EQ(compiled.host.watchChecks, scanning.host.watchChecks) << name;
    EXPECT_EQ(compiled.host.lastLineNumber, scanning.host.lastLineNumber) << name;
    EXPECT_EQ(compiled.in->control.controlTop, scanning.in->control.controlTop) << name;
    EXPECT_EQ(compiled.in->loops.loopTop, scanning.in->loops.loopTop) << name;
    EXPECT_EQ(compiled.in->loops.reentrySlot, scanning.in->loops.reentrySlot) << name;
    EXPECT_EQ(compiled.in->loops.reentryPosition, scanning.in->loops.reentryPosition) << name;
    EXPECT_EQ(compiled.in->events.eventLevel, scanning.in->events.eventLevel) << name;
    EXPECT_EQ(compiled.in->events.eventState, scanning.in->events.eventState) << name;
    EXPECT_EQ(compiled.in->currentStatement, scanning.in->currentStatement) << name;
    ASSERT_EQ(compiled.in->variables.variableCount(), scanning.in->variables.variableCount()) << name;
    for (int i = 0; i < scanning.in->variables.variableCount(); ++i) {
        const auto index = static_cast<std::size_t>(i);
        const auto nameOf = [index](const ProgramRun& run) {
            return narrow(run.in->words.text(run.in->variables.variableTable[index].nameId));
        };
        EXPECT_EQ(nameOf(compiled), nameOf(scanning)) << name;
    }
    ASSERT_EQ(compiled.in->variables.nextFreeSlot, scanning.in->variables.nextFreeSlot) << name;
    for (std::int32_t slot = 0; slot < scanning.in->variables.nextFreeSlot; ++slot)
        EXPECT_EQ(describe(compiled.in->variables[slot]), describe(scanning.in->variables[slot])) << name;
}

} // namespace korvelin::testing
