#pragma once
// The built-in functions that read the execution screen: CSRLIN, POS, TAB
// and POINT. They live beside the screen model they read.

#include "values/Value.h"

namespace korvelin {

class Interpreter;

// The current token is the function's name; returns with the token after
// the call current, as every built-in function does.
Value evaluateScreenFunction(Interpreter& in, int keyword);

} // namespace korvelin
