#pragma once
// The table behind evaluateBuiltinFunction: one entry per function
// keyword, filled by the file of each family.

#include "interpreter/Keywords.h"
#include "values/Value.h"

#include <array>

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

} // namespace korvelin
