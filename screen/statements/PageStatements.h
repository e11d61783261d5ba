#pragma once
// SCREEN, ROLL and the palette statement COLOR =.

namespace korvelin {

class Interpreter;
struct StatementArgs;

// COLOR = ( p , c ); the current token is "=".
void executePaletteColor(Interpreter& in, StatementArgs& args);

} // namespace korvelin
