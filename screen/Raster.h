#pragma once
// The pixel rules of everything the graphics statements draw on a page.
// They are ours, so that a picture is the same on every machine and in
// every test, and they are all stated here:
//
// - Points: a coordinate names one pixel; x and y are whole pixels (the
//   statements round x half to even, y is a 16-bit integer already).
// - Lines: both end points are drawn. The pixels are those of the ideal
//   line rounded to the nearest row (or column, for steep lines), halves
//   rounding up; the line is walked from its left (or top) end whatever
//   order the points were given in, so a line XOR-ed twice is gone again.
//   Consecutive pixels touch at least diagonally.
// - Boxes: both corners are inclusive; an outline is one pixel wide and
//   lies on the corner rows and columns. A filled box is its interior in
//   the fill colour inside that outline.
// - Ellipses: the radii are rounded to whole pixels (rx, ry); the rim
//   passes through (cx +- rx, cy) and (cx, cy +- ry). Row dy of the rim
//   reaches out to w(dy) = round(rx * sqrt(1 - (dy / ry)^2)) on both sides
//   and in to w(dy + 1) + 1 (one pixel at least), so the rim is connected
//   through corners and a fill cannot leak out of it. The inside of a
//   filled ellipse is what lies strictly between the rim pixels of a row.
// - Arcs: a rim pixel belongs to an arc when its angle seen from the
//   centre (counter-clockwise from the positive x axis, screen y pointing
//   down) lies between the start and end angles walked counter-clockwise.
//   Equal angles give the whole ellipse. A radius line runs from the
//   centre to where the ray at that angle leaves the ellipse; a pie (both
//   radius lines) is filled where the inside lies within the angles.
// - Flood fill: the region 4-connected to the seed whose pixels are not
//   the border colour; it does not start on a border pixel. Pixels that
//   already have the fill colour are part of the region like any other.
// - Blits: the five raster operations work on the 24 colour bits.
//   Stretching takes for each target pixel the source pixel its top-left
//   corner falls in (no smoothing).
//
// Every function clips to the image, works in 64-bit (or wider)
// arithmetic so that coordinates far outside the page cost nothing, and
// returns the rectangle it changed (empty when nothing was drawn).

#include <QImage>
#include <QRect>

#include <cstdint>

namespace korvelin::raster {

// A page pixel as QImage's RGB32 holds it: 0xFFRRGGBB.
using Pixel = std::uint32_t;

QRect plot(QImage& image, std::int64_t x, std::int64_t y, Pixel pixel);
QRect line(QImage& image, std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2, Pixel pixel);
QRect box(QImage& image, std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2, Pixel outline);
QRect filledBox(QImage& image, std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2,
                Pixel outline, Pixel fill);

struct Ellipse {
    std::int64_t cx = 0;
    std::int64_t cy = 0;
    std::int64_t rx = 0; // whole pixels, >= 0
    std::int64_t ry = 0;
};

// The part of an ellipse an arc covers. Angles are radians in [0, 2*pi).
struct ArcAngles {
    double start = 0;
    double end = 0;
    bool startRadius = false; // draw the radius line at the start angle
    bool endRadius = false;
    bool whole() const { return start == end; }
};

// The whole rim; with `fill` the inside too.
QRect ellipse(QImage& image, const Ellipse& shape, Pixel outline, const Pixel* fill);
// An arc with its radius lines; with `fill` and both radius lines, the pie's inside.
QRect arc(QImage& image, const Ellipse& shape, const ArcAngles& angles, Pixel outline, const Pixel* fill);

QRect floodFill(QImage& image, std::int64_t x, std::int64_t y, Pixel border, Pixel fill);

enum class RasterOp { Copy, InvertedCopy, Or, And, Xor };

// Copies `source` (all of it) to (x, y) of `target` with the operation.
QRect blit(QImage& target, std::int64_t x, std::int64_t y, const QImage& source, RasterOp op);
// Scales `source` to width x height pixels at (x, y) of `target`.
QRect stretchBlit(QImage& target, std::int64_t x, std::int64_t y, std::int64_t width, std::int64_t height,
                  const QImage& source, RasterOp op);
// The pixels of a rectangle of `source`; what lies outside it is black.
QImage copyRect(const QImage& source, std::int64_t x, std::int64_t y, int width, int height);

} // namespace korvelin::raster
