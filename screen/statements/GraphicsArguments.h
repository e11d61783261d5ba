#pragma once
// What the graphics statements read alike: points with STEP, colour
// numbers, the last point, and the whole-pixel form of a coordinate.

#include "interpreter/Interpreter.h"
#include "values/CheckedNumbers.h" // checkedSingle

#include <cstdint>
#include <string_view>

namespace korvelin {

// A point as the drawing statements hold it: x in single precision (it may
// keep a fraction), y a 16-bit integer.
struct GraphicsPoint {
    float x = 0;
    std::int16_t y = 0;
};

GraphicsPoint lastPoint(const ScreenState& s);
void setLastPoint(ScreenState& s, GraphicsPoint p);

// [STEP] ( x , y ) from the current token; STEP adds `origin`. A missing
// "(", "," or ")" is error 1. The token after ")" becomes current.
GraphicsPoint readPoint(Interpreter& in, GraphicsPoint origin);
// The pixel column of an x coordinate (rounded half to even; beyond 32
// bits the overflow failure).
std::int64_t pixelColumn(float x);

// A colour argument after a separator (the optional-integer reader):
// `fallback` when absent; a number outside 0..15 is the subscript failure.
std::int16_t colorArgument(Interpreter& in, std::int16_t fallback);
// The page pixel of a colour number already checked.
std::uint32_t colorPixel(const ScreenState& s, std::int16_t color);

// Whether the current token is this plain word (B, BF, F, Y, N ...).
bool isPlainWord(const Interpreter& in, std::u16string_view word);

} // namespace korvelin
