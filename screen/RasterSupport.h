#pragma once
// What the rasterisers share: wide arithmetic, clipping tests and the
// bounding rectangle of what they changed.

#include "screen/Raster.h"

#include <algorithm>
#include <cstdint>

namespace korvelin::raster {

// Products of two coordinate differences need more than 64 bits.
__extension__ typedef __int128 Wide;

inline bool inside(const QImage& image, std::int64_t x, std::int64_t y) {
    return x >= 0 && y >= 0 && x < image.width() && y < image.height();
}

// Row access without QImage's per-call checks: the image is detached
// once, when the canvas is made.
class Canvas {
  public:
    explicit Canvas(QImage& image)
        : bits_(reinterpret_cast<Pixel*>(image.bits())), stride_(image.bytesPerLine() / 4),
          width_(image.width()), height_(image.height()) {}
    Pixel* row(std::int64_t y) const { return bits_ + y * stride_; }
    std::int64_t width() const { return width_; }
    std::int64_t height() const { return height_; }
    bool inside(std::int64_t x, std::int64_t y) const {
        return x >= 0 && y >= 0 && x < width_ && y < height_;
    }

  private:
    Pixel* bits_;
    std::int64_t stride_;
    std::int64_t width_;
    std::int64_t height_;
};

inline Pixel* rowOf(QImage& image, std::int64_t y) {
    return reinterpret_cast<Pixel*>(image.scanLine(static_cast<int>(y)));
}

// The smallest rectangle around the pixels added.
class Bounds {
  public:
    void add(std::int64_t x, std::int64_t y) { addSpan(x, x, y); }
    void addSpan(std::int64_t x1, std::int64_t x2, std::int64_t y) {
        left_ = std::min(left_, x1);
        right_ = std::max(right_, x2);
        top_ = std::min(top_, y);
        bottom_ = std::max(bottom_, y);
    }
    QRect rect() const {
        if (left_ > right_) return {};
        return QRect(QPoint(static_cast<int>(left_), static_cast<int>(top_)),
                     QPoint(static_cast<int>(right_), static_cast<int>(bottom_)));
    }

  private:
    std::int64_t left_ = INT64_MAX, right_ = INT64_MIN, top_ = INT64_MAX, bottom_ = INT64_MIN;
};

// A filled rectangle with inclusive corners, clipped.
QRect fillRect(const Canvas& canvas, std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2,
               Pixel pixel);
QRect line(const Canvas& canvas, std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2,
           Pixel pixel);

// A horizontal run of pixels x1..x2 on row y, clipped.
inline void span(const Canvas& canvas, std::int64_t x1, std::int64_t x2, std::int64_t y, Pixel pixel,
                 Bounds& changed) {
    if (y < 0 || y >= canvas.height()) return;
    x1 = std::max<std::int64_t>(x1, 0);
    x2 = std::min<std::int64_t>(x2, canvas.width() - 1);
    if (x1 > x2) return;
    Pixel* row = canvas.row(y);
    std::fill(row + x1, row + x2 + 1, pixel);
    changed.addSpan(x1, x2, y);
}

} // namespace korvelin::raster
