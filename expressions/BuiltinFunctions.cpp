// evaluatePrimary hands every built-in function name to the table here;
// each family (one file each in expressions/) registers its entries.

#include "expressions/BuiltinFunctions.h"

#include "expressions/Evaluator.h"
#include "expressions/ScreenFunctions.h"

namespace korvelin {

namespace {

BuiltinTable buildTable() {
    BuiltinTable table{};
    registerNumericFunctions(table);
    registerStringFunctions(table);
    registerKanjiFunctions(table);
    registerRecordConversions(table);
    registerStateReaders(table);
    registerInputFunctions(table);
    registerFileFunctions(table);
    table[KwCsrlin] = [](Interpreter& in) { return evaluateScreenFunction(in, KwCsrlin); };
    table[KwPos] = [](Interpreter& in) { return evaluateScreenFunction(in, KwPos); };
    table[KwTab] = [](Interpreter& in) { return evaluateScreenFunction(in, KwTab); };
    table[KwPoint] = [](Interpreter& in) { return evaluateScreenFunction(in, KwPoint); };
    return table;
}

} // namespace

bool isBuiltinFunction(int wordId) {
    // MID$, DATE$, TIME$ and MOUSE are statements too; as values they are functions.
    return (wordId >= FirstFunctionKeyword && wordId <= LastFunctionKeyword) || wordId == KwMidS ||
           wordId == KwDateS || wordId == KwTimeS || wordId == KwMouse;
}

Value evaluateBuiltinFunction(Interpreter& in, int keyword) {
    // A constant table, filled once.
    static const BuiltinTable table = buildTable();
    return table[static_cast<std::size_t>(keyword)](in);
}

} // namespace korvelin
