// Points, lines and boxes (the rules are in Raster.h).

#include "screen/RasterSupport.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace korvelin::raster {

QRect plot(QImage& image, std::int64_t x, std::int64_t y, Pixel pixel) {
    if (!inside(image, x, y)) return {};
    rowOf(image, y)[x] = pixel;
    return QRect(static_cast<int>(x), static_cast<int>(y), 1, 1);
}

namespace {

// round(n / d) for d > 0, halves up.
std::int64_t roundedQuotient(Wide n, Wide d) {
    Wide q = (2 * n + d) / (2 * d);
    if ((2 * n + d) % (2 * d) != 0 && (2 * n + d) < 0) --q; // floor for negatives
    return static_cast<std::int64_t>(q);
}

} // namespace

QRect line(QImage& image, std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2, Pixel pixel) {
    const std::int64_t width = image.width(), height = image.height();
    const bool flat = std::llabs(x2 - x1) >= std::llabs(y2 - y1);
    // Walk along the major axis from its lower end.
    if (flat ? x1 > x2 : y1 > y2) {
        std::swap(x1, x2);
        std::swap(y1, y2);
    }
    Bounds changed;
    if (flat) {
        const Wide dx = x2 - x1, dy = y2 - y1;
        const std::int64_t from = std::max<std::int64_t>(x1, 0), to = std::min<std::int64_t>(x2, width - 1);
        for (std::int64_t x = from; x <= to; ++x) {
            const std::int64_t y = dx == 0 ? y1 : y1 + roundedQuotient((x - x1) * dy, dx);
            if (y < 0 || y >= height) continue;
            rowOf(image, y)[x] = pixel;
            changed.add(x, y);
        }
    } else {
        const Wide dx = x2 - x1, dy = y2 - y1;
        const std::int64_t from = std::max<std::int64_t>(y1, 0), to = std::min<std::int64_t>(y2, height - 1);
        for (std::int64_t y = from; y <= to; ++y) {
            const std::int64_t x = x1 + roundedQuotient((y - y1) * dx, dy);
            if (x < 0 || x >= width) continue;
            rowOf(image, y)[x] = pixel;
            changed.add(x, y);
        }
    }
    return changed.rect();
}

QRect fillRect(QImage& image, std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2, Pixel pixel) {
    if (x1 > x2) std::swap(x1, x2);
    if (y1 > y2) std::swap(y1, y2);
    const std::int64_t left = std::max<std::int64_t>(x1, 0), right = std::min<std::int64_t>(x2, image.width() - 1);
    const std::int64_t top = std::max<std::int64_t>(y1, 0), bottom = std::min<std::int64_t>(y2, image.height() - 1);
    if (left > right || top > bottom) return {};
    for (std::int64_t y = top; y <= bottom; ++y) {
        Pixel* row = rowOf(image, y);
        std::fill(row + left, row + right + 1, pixel);
    }
    return QRect(QPoint(static_cast<int>(left), static_cast<int>(top)),
                 QPoint(static_cast<int>(right), static_cast<int>(bottom)));
}

QRect box(QImage& image, std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2, Pixel outline) {
    if (x1 > x2) std::swap(x1, x2);
    if (y1 > y2) std::swap(y1, y2);
    QRect changed = fillRect(image, x1, y1, x2, y1, outline);
    changed |= fillRect(image, x1, y2, x2, y2, outline);
    changed |= fillRect(image, x1, y1, x1, y2, outline);
    changed |= fillRect(image, x2, y1, x2, y2, outline);
    return changed;
}

QRect filledBox(QImage& image, std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2, Pixel outline,
                Pixel fill) {
    const QRect changed = fillRect(image, x1, y1, x2, y2, fill);
    if (outline != fill) box(image, x1, y1, x2, y2, outline);
    return changed;
}

} // namespace korvelin::raster
