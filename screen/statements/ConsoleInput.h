#pragma once
// INPUT and LINE INPUT on the console: the statement that asks, and what
// happens when the typed line comes back (the line editor's Enter in the
// window, a line of stdin in batch mode).

#include "values/Value.h"

#include <string_view>
#include <vector>

namespace korvelin {

class Interpreter;
class WordTable;
struct StatementArgs;

// INPUT [prompt (;|,)] var [, var ...]; the current token is INPUT.
void executeInput(Interpreter& in, StatementArgs& args);
// LINE INPUT [prompt (;|,)] var$; the current token is INPUT after LINE.
void executeLineInput(Interpreter& in, StatementArgs& args);

// Splits a typed line into one item per variable, as INPUT reads it: a
// string variable takes the raw text up to the next comma (blanks around it
// removed, quotes kept), a numeric one a numeric constant with an optional
// sign. False when the line does not give exactly one good item per
// variable.
bool parseInputLine(WordTable& words, std::u16string_view line, const std::vector<bool>& stringTargets,
                    std::vector<Value>& items);

// The Enter of the line editor for the waiting INPUT or LINE INPUT: assigns
// the variables, draws the echo and the line end and scrolls when the cursor
// has left the console window. False (nothing assigned, nothing drawn) when
// the line is rejected; the caller shows "入力に誤りがあります。" and asks again.
bool acceptConsoleInput(Interpreter& in, std::u16string_view line);

} // namespace korvelin
