// Built-in functions. Their names are all known to the evaluator; the
// functions themselves arrive with the subsystems they read from.

#include "interpreter/Keywords.h"
#include "values/Evaluator.h"
#include "values/InterpreterError.h"

namespace korvelin {

bool isBuiltinFunction(int wordId) {
    return (wordId >= FirstFunctionKeyword && wordId <= LastFunctionKeyword) || wordId == KwMidS ||
           wordId == KwDateS || wordId == KwTimeS;
}

Value evaluateBuiltinFunction(Interpreter&, int keyword) {
    throw InterpreterError(ErrUnprintable, keywordText(static_cast<Keyword>(keyword)));
}

} // namespace korvelin
