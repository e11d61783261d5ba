#pragma once
// CHILD: another program of the host, started and left to run on its own.

#include "devices/DosPath.h"

#include <string>

namespace korvelin {

// Starts `command` (a program name and its arguments) in the interpreter's
// current directory. A program name with a DOS extension (.EXE, .COM,
// .BAT) is also looked for without it. A program that cannot be found or
// started fails as file not found (53).
void startHostProgram(const std::u16string& command, const DosPaths& paths);

} // namespace korvelin
