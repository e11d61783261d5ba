#pragma once
// The table behind evaluateBuiltinFunction: one entry per function
// keyword, filled by the file of each family.
//
// Most functions read all their arguments before they compute anything.
// Their computing part is declared here as well, taking the arguments as
// the reader has converted them, so that compiled expressions
// (values/CompiledExpression.cpp), which evaluate the arguments on their
// own, run the same code as the reader. These parts change nothing but
// their result, and they raise their errors where the reader raises them
// once its last token has been read.

#include "values/Keywords.h"
#include "values/Value.h"

#include <array>
#include <cstdint>

namespace korvelin {

class Interpreter;

// Called with the function's name as the current token; returns with the
// token after the call current. Errors are thrown.
using BuiltinFunction = Value (*)(Interpreter&);
using BuiltinTable = std::array<BuiltinFunction, KeywordCount>;

void registerNumericFunctions(BuiltinTable& table);  // NumericFunctions.cpp
void registerStringFunctions(BuiltinTable& table);   // StringFunctions.cpp
void registerKanjiFunctions(BuiltinTable& table);    // KanjiFunctions.cpp
void registerRecordConversions(BuiltinTable& table); // RecordConversion.cpp
void registerStateReaders(BuiltinTable& table);      // StateReaders.cpp
void registerInputFunctions(BuiltinTable& table);    // InputFunctions.cpp
void registerFileFunctions(BuiltinTable& table);     // FileFunctions.cpp

// A function read with singleArgument, given the argument it read.
using OneArgumentFunction = Value (*)(const Value& argument);
OneArgumentFunction numericFunctionOf(int keyword); // NumericFunctions.cpp; null for others
OneArgumentFunction stringFunctionOf(int keyword);  // StringFunctions.cpp; null for others
inline OneArgumentFunction oneArgumentFunctionOf(int keyword) {
    const OneArgumentFunction f = numericFunctionOf(keyword);
    return f ? f : stringFunctionOf(keyword);
}

// The functions with an argument list (StringFunctions.cpp). Strings
// arrive as asText made them, counts and positions as wholeOf made them
// (values/FunctionArguments.h).
enum class TextUnit : std::uint8_t { Byte, Character }; // MID$, INSTR / KMID$, KINSTR

// LEFT$(s, n) and RIGHT$(s, n).
Value edgeOf(bool fromLeft, const Value& text, std::int32_t n);
// MID$(s, p [, n]): `rest` is n when it is left out, and what a third
// argument that is not a number turns into (middleCount).
std::int64_t middleRest(TextUnit unit, const Value& text, std::int64_t p);
std::int64_t middleCount(const Value& n, std::int64_t rest); // may fail: read before the ")"
Value middleOf(TextUnit unit, const Value& text, std::int64_t p, std::int64_t n);
// INSTR([p,] s, t): whether the first argument is s rather than p, the
// check of p made before the "," in front of t, and the search.
bool searchBeginsWithText(const Value& first);
void checkSearchStart(std::int32_t p);
Value searchOf(TextUnit unit, const Value& s, const Value& t, std::int32_t p);
// STRING$(n, c).
Value repeatedOf(std::int32_t n, const Value& c);

} // namespace korvelin
