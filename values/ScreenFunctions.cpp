// CSRLIN, POS, TAB and POINT read the screen model, which is not built yet.

#include "values/ScreenFunctions.h"

#include "interpreter/Keywords.h"
#include "values/InterpreterError.h"

namespace korvelin {

Value evaluateScreenFunction(Interpreter&, int keyword) {
    throw InterpreterError(ErrUnprintable, keywordText(static_cast<Keyword>(keyword)));
}

} // namespace korvelin
