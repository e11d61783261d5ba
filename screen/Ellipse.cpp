// Ellipses, arcs and pies, one row at a time (the rules are in Raster.h),
// so that even a radius far beyond the page costs one pass over its rows.

#include "screen/RasterSupport.h"

#include <cmath>
#include <cstdlib>
#include <utility>

namespace korvelin::raster {

namespace {

constexpr double TwoPi = 6.283185307179586;

// How far row dy of the rim reaches from the centre column; -1 past the top or bottom.
std::int64_t halfWidth(const Ellipse& e, std::int64_t dy) {
    dy = std::llabs(dy);
    if (dy > e.ry) return -1;
    if (e.ry == 0) return e.rx;
    const double t = static_cast<double>(dy) / static_cast<double>(e.ry);
    return std::llround(static_cast<double>(e.rx) * std::sqrt(std::max(0.0, 1.0 - t * t)));
}

// The rim of row dy covers inner..outer on both sides of the centre; an
// inner of 0 makes it one run through the centre column.
struct RimRow {
    std::int64_t inner;
    std::int64_t outer;
};

RimRow rimRow(const Ellipse& e, std::int64_t dy) {
    const std::int64_t outer = halfWidth(e, dy);
    const std::int64_t inner = std::min(halfWidth(e, std::llabs(dy) + 1) + 1, outer);
    return {inner, outer};
}

double angleOf(std::int64_t dx, std::int64_t dy) {
    double a = std::atan2(-static_cast<double>(dy), static_cast<double>(dx));
    if (a < 0) a += TwoPi;
    return a;
}

bool withinArc(const ArcAngles& arc, std::int64_t dx, std::int64_t dy) {
    double sweep = arc.end - arc.start;
    if (sweep < 0) sweep += TwoPi;
    double offset = angleOf(dx, dy) - arc.start;
    if (offset < 0) offset += TwoPi;
    return offset <= sweep;
}

// Pixels x1..x2 of row y (relative to the centre) that lie within the arc.
void arcSpan(const Canvas& canvas, const Ellipse& e, const ArcAngles* arc, std::int64_t x1, std::int64_t x2,
             std::int64_t y, Pixel pixel, Bounds& changed) {
    if (!arc || arc->whole()) {
        span(canvas, e.cx + x1, e.cx + x2, e.cy + y, pixel, changed);
        return;
    }
    if (e.cy + y < 0 || e.cy + y >= canvas.height()) return;
    const std::int64_t from = std::max<std::int64_t>(e.cx + x1, 0);
    const std::int64_t to = std::min<std::int64_t>(e.cx + x2, canvas.width() - 1);
    Pixel* row = canvas.row(e.cy + y);
    for (std::int64_t x = from; x <= to; ++x) {
        if (!withinArc(*arc, x - e.cx, y)) continue;
        row[x] = pixel;
        changed.add(x, e.cy + y);
    }
}

std::pair<std::int64_t, std::int64_t> rimPoint(const Ellipse& e, double angle) {
    const double c = std::cos(angle), s = std::sin(angle);
    double reach = 0;
    if (e.rx == 0 || e.ry == 0) {
        return {e.cx + std::llround(static_cast<double>(e.rx) * c),
                e.cy - std::llround(static_cast<double>(e.ry) * s)};
    }
    const double a = c / static_cast<double>(e.rx), b = s / static_cast<double>(e.ry);
    reach = 1.0 / std::sqrt(a * a + b * b);
    return {e.cx + std::llround(reach * c), e.cy - std::llround(reach * s)};
}

QRect draw(QImage& image, const Ellipse& e, const ArcAngles* arc, Pixel outline, const Pixel* fill) {
    const Canvas canvas(image);
    Bounds changed;
    const std::int64_t top = std::max<std::int64_t>(e.cy - e.ry, 0);
    const std::int64_t bottom = std::min<std::int64_t>(e.cy + e.ry, image.height() - 1);
    for (std::int64_t y = top; y <= bottom; ++y) {
        const std::int64_t dy = y - e.cy;
        const RimRow rim = rimRow(e, dy);
        if (fill && rim.inner >= 2) arcSpan(canvas, e, arc, 1 - rim.inner, rim.inner - 1, dy, *fill, changed);
        if (rim.inner == 0) {
            arcSpan(canvas, e, arc, -rim.outer, rim.outer, dy, outline, changed);
        } else {
            arcSpan(canvas, e, arc, -rim.outer, -rim.inner, dy, outline, changed);
            arcSpan(canvas, e, arc, rim.inner, rim.outer, dy, outline, changed);
        }
    }
    QRect rect = changed.rect();
    if (arc) {
        for (const auto& [wanted, angle] :
             {std::pair{arc->startRadius, arc->start}, {arc->endRadius, arc->end}}) {
            if (!wanted) continue;
            const auto [x, y] = rimPoint(e, angle);
            rect |= line(canvas, e.cx, e.cy, x, y, outline);
        }
    }
    return rect;
}

} // namespace

QRect ellipse(QImage& image, const Ellipse& shape, Pixel outline, const Pixel* fill) {
    return draw(image, shape, nullptr, outline, fill);
}

QRect arc(QImage& image, const Ellipse& shape, const ArcAngles& angles, Pixel outline, const Pixel* fill) {
    const bool pie = angles.startRadius && angles.endRadius;
    return draw(image, shape, &angles, outline, pie ? fill : nullptr);
}

} // namespace korvelin::raster
