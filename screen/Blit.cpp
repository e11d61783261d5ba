// Copies between images with the five raster operations, plain and
// stretched (the rules are in Raster.h).

#include "screen/RasterSupport.h"

#include <cmath>

namespace korvelin::raster {

namespace {

inline Pixel combine(RasterOp op, Pixel source, Pixel target) {
    switch (op) {
    case RasterOp::Copy: return source;
    case RasterOp::InvertedCopy: return ~source | 0xFF000000u;
    case RasterOp::Or: return source | target;
    case RasterOp::And: return (source & target) | 0xFF000000u;
    case RasterOp::Xor: return (source ^ target) | 0xFF000000u;
    }
    return source;
}

// The part of a width x height rectangle at (x, y) that lies on the image.
struct Clip {
    std::int64_t left, top, right, bottom; // inclusive; empty when left > right or top > bottom
    bool empty() const { return left > right || top > bottom; }
};

Clip clip(const QImage& image, std::int64_t x, std::int64_t y, std::int64_t width, std::int64_t height) {
    return {std::max<std::int64_t>(x, 0), std::max<std::int64_t>(y, 0),
            std::min<std::int64_t>(x + width, image.width()) - 1,
            std::min<std::int64_t>(y + height, image.height()) - 1};
}

} // namespace

QRect blit(QImage& target, std::int64_t x, std::int64_t y, const QImage& source, RasterOp op) {
    const Clip c = clip(target, x, y, source.width(), source.height());
    if (c.empty()) return {};
    for (std::int64_t ty = c.top; ty <= c.bottom; ++ty) {
        const Pixel* from = reinterpret_cast<const Pixel*>(source.constScanLine(static_cast<int>(ty - y)));
        Pixel* to = rowOf(target, ty);
        for (std::int64_t tx = c.left; tx <= c.right; ++tx)
            to[tx] = combine(op, from[tx - x], to[tx]);
    }
    return QRect(QPoint(static_cast<int>(c.left), static_cast<int>(c.top)),
                 QPoint(static_cast<int>(c.right), static_cast<int>(c.bottom)));
}

QRect stretchBlit(QImage& target, std::int64_t x, std::int64_t y, std::int64_t width, std::int64_t height,
                  const QImage& source, RasterOp op) {
    if (width <= 0 || height <= 0 || source.isNull()) return {};
    const Clip c = clip(target, x, y, width, height);
    if (c.empty()) return {};
    const Wide sw = source.width(), sh = source.height();
    for (std::int64_t ty = c.top; ty <= c.bottom; ++ty) {
        const auto sy = static_cast<int>((ty - y) * sh / height);
        const Pixel* from = reinterpret_cast<const Pixel*>(source.constScanLine(sy));
        Pixel* to = rowOf(target, ty);
        for (std::int64_t tx = c.left; tx <= c.right; ++tx)
            to[tx] = combine(op, from[static_cast<std::int64_t>((tx - x) * sw / width)], to[tx]);
    }
    return QRect(QPoint(static_cast<int>(c.left), static_cast<int>(c.top)),
                 QPoint(static_cast<int>(c.right), static_cast<int>(c.bottom)));
}

QImage copyRect(const QImage& source, std::int64_t x, std::int64_t y, int width, int height) {
    QImage out(width, height, QImage::Format_RGB32);
    out.fill(0xFF000000u);
    blit(out, -x, -y, source, RasterOp::Copy);
    return out;
}

} // namespace korvelin::raster
