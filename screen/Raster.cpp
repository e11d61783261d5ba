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

// floor(n / d) for d > 0, and what is left over.
std::int64_t floorQuotient(Wide n, Wide d, Wide& remainder) {
    Wide q = n / d;
    remainder = n % d;
    if (remainder < 0) {
        --q;
        remainder += d;
    }
    return static_cast<std::int64_t>(q);
}

// The minor coordinate along a line whose major coordinate runs from 0 to
// `major` (> 0) while the minor one changes by `minor` (|minor| <= major):
// at step t it is round(t * minor / major), halves up, that is
// floor((2 t minor + major) / (2 major)). Walked one step at a time.
class MinorWalk {
  public:
    MinorWalk(std::int64_t major, std::int64_t minor, std::int64_t firstStep)
        : twiceMajor_(2 * Wide{major}), twiceMinor_(2 * Wide{minor}) {
        Wide r;
        value_ = floorQuotient(Wide{firstStep} * twiceMinor_ + major, twiceMajor_, r);
        rest_ = static_cast<std::int64_t>(r);
    }
    std::int64_t value() const { return value_; }
    void step() {
        rest_ += static_cast<std::int64_t>(twiceMinor_);
        if (rest_ >= twiceMajor_) {
            rest_ -= static_cast<std::int64_t>(twiceMajor_);
            ++value_;
        } else if (rest_ < 0) {
            rest_ += static_cast<std::int64_t>(twiceMajor_);
            --value_;
        }
    }

  private:
    Wide twiceMajor_, twiceMinor_;
    std::int64_t value_;
    std::int64_t rest_;
};

} // namespace

QRect line(const Canvas& canvas, std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2,
           Pixel pixel) {
    const bool flat = std::llabs(x2 - x1) >= std::llabs(y2 - y1);
    // Walk along the major axis from its lower end.
    if (flat ? x1 > x2 : y1 > y2) {
        std::swap(x1, x2);
        std::swap(y1, y2);
    }
    Bounds changed;
    if (flat) {
        const std::int64_t from = std::max<std::int64_t>(x1, 0),
                           to = std::min<std::int64_t>(x2, canvas.width() - 1);
        if (from > to) return {};
        if (x1 == x2) {
            if (canvas.inside(x1, y1)) {
                canvas.row(y1)[x1] = pixel;
                changed.add(x1, y1);
            }
            return changed.rect();
        }
        MinorWalk walk(x2 - x1, y2 - y1, from - x1);
        for (std::int64_t x = from; x <= to; ++x, walk.step()) {
            const std::int64_t y = y1 + walk.value();
            if (y < 0 || y >= canvas.height()) continue;
            canvas.row(y)[x] = pixel;
            changed.add(x, y);
        }
    } else {
        const std::int64_t from = std::max<std::int64_t>(y1, 0),
                           to = std::min<std::int64_t>(y2, canvas.height() - 1);
        if (from > to) return {};
        MinorWalk walk(y2 - y1, x2 - x1, from - y1);
        for (std::int64_t y = from; y <= to; ++y, walk.step()) {
            const std::int64_t x = x1 + walk.value();
            if (x < 0 || x >= canvas.width()) continue;
            canvas.row(y)[x] = pixel;
            changed.add(x, y);
        }
    }
    return changed.rect();
}

QRect line(QImage& image, std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2, Pixel pixel) {
    return line(Canvas(image), x1, y1, x2, y2, pixel);
}

QRect fillRect(const Canvas& canvas, std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2,
               Pixel pixel) {
    if (x1 > x2) std::swap(x1, x2);
    if (y1 > y2) std::swap(y1, y2);
    const std::int64_t left = std::max<std::int64_t>(x1, 0),
                       right = std::min<std::int64_t>(x2, canvas.width() - 1);
    const std::int64_t top = std::max<std::int64_t>(y1, 0),
                       bottom = std::min<std::int64_t>(y2, canvas.height() - 1);
    if (left > right || top > bottom) return {};
    for (std::int64_t y = top; y <= bottom; ++y) {
        Pixel* row = canvas.row(y);
        std::fill(row + left, row + right + 1, pixel);
    }
    return QRect(QPoint(static_cast<int>(left), static_cast<int>(top)),
                 QPoint(static_cast<int>(right), static_cast<int>(bottom)));
}

namespace {

QRect outline(const Canvas& canvas, std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2,
              Pixel pixel) {
    if (x1 > x2) std::swap(x1, x2);
    if (y1 > y2) std::swap(y1, y2);
    QRect changed = fillRect(canvas, x1, y1, x2, y1, pixel);
    changed |= fillRect(canvas, x1, y2, x2, y2, pixel);
    changed |= fillRect(canvas, x1, y1, x1, y2, pixel);
    changed |= fillRect(canvas, x2, y1, x2, y2, pixel);
    return changed;
}

} // namespace

QRect box(QImage& image, std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2,
          Pixel outlinePixel) {
    return outline(Canvas(image), x1, y1, x2, y2, outlinePixel);
}

QRect filledBox(QImage& image, std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2,
                Pixel outlinePixel, Pixel fill) {
    const Canvas canvas(image);
    const QRect changed = fillRect(canvas, x1, y1, x2, y2, fill);
    if (outlinePixel != fill) outline(canvas, x1, y1, x2, y2, outlinePixel);
    return changed;
}

} // namespace korvelin::raster
