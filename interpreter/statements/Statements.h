#pragma once
// Statement handlers that other statement families call into.

#include "interpreter/Interpreter.h"

namespace korvelin {

// ON ERROR GOTO; the current token is ERROR.
void executeOnErrorGoto(Interpreter& in, StatementArgs& args);
// The slot of a trap handler: "*" and a label, or a line number (errors 1,
// 32, 8). The current token is its first; the token after it becomes current.
std::int16_t readHandlerSlot(Interpreter& in);
// ON KEY/MOUSE/HELP/COM GOSUB; the current token is the word after ON.
void executeOnTrapGosub(Interpreter& in, StatementArgs& args);
// A statement whose subsystem is not part of this build yet.
void executeUnavailable(Interpreter& in, StatementArgs& args);
// Whether a FOR loop just entered runs its body not even once.
bool startsPastTheLimit(const LoopEntry& loop);
// Whether a FOR loop whose variable has just been stepped to `counter`
// runs its body again.
bool forLoopContinues(const LoopEntry& loop, const Value& counter);
// The interpreter error number of a failed host operation.
int mapHostFailure(HostFailureKind kind);

// Decoding of ControlStack entries. An entry whose slot is -1 (pushed
// after the last statement) must not borrow from the event number.
inline int entryEvent(std::int32_t entry) {
    return (entry + 1) / EntryScale;
}
inline int entrySlot(std::int32_t entry) {
    return (entry + 1) % EntryScale - 1;
}

} // namespace korvelin
