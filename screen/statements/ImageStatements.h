#pragma once
// The graphic forms of GET and PUT. The statements GET and PUT are the
// random-file statements' (devices/statements/RandomFiles.cpp), which hand
// every form that is not a record over to these, the keyword current.

#include "interpreter/Interpreter.h"

namespace korvelin {

void executeImageGet(Interpreter& in, StatementArgs& args);
void executeImagePut(Interpreter& in, StatementArgs& args);

} // namespace korvelin
