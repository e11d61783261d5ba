#pragma once
// INPUT # and LINE INPUT #: items and lines from a file or the serial port.

namespace korvelin {

class Interpreter;
struct StatementArgs;

// The current token is the "#" after INPUT (or LINE INPUT).
void executeFileInput(Interpreter& in, StatementArgs& args, bool lineInput);

} // namespace korvelin
