// PAINT's flood fill: a span fill without recursion (the rules are in
// Raster.h).
//
// Pixels already filled are told apart by their alpha byte, which RGB32
// pages keep at 0xFF and which nothing else looks at: a filled pixel is
// written with alpha 0 while the fill runs and gets its 0xFF back at the
// end. So the fill needs no second bitmap, pixels that had the fill
// colour before are still crossed, and the only memory it takes is the
// list of spans still to look at.

#include "screen/RasterSupport.h"

#include <vector>

namespace korvelin::raster {

namespace {

struct Seed {
    std::int64_t x1, x2, y, dy;
};

class Filler {
  public:
    Filler(QImage& image, Pixel border, Pixel fill)
        : canvas_(image), border_(border | 0xFF000000u), mark_(fill & 0x00FFFFFFu) {}

    bool open(std::int64_t x, std::int64_t y) {
        if (!canvas_.inside(x, y)) return false;
        const Pixel p = canvas_.row(y)[x];
        return (p >> 24) != 0 && p != border_;
    }
    void set(std::int64_t x, std::int64_t y) {
        canvas_.row(y)[x] = mark_;
        changed_.add(x, y);
    }

    void run(std::int64_t x0, std::int64_t y0) {
        if (!open(x0, y0)) return;
        seeds_.push_back({x0, x0, y0, 1});
        seeds_.push_back({x0, x0, y0 - 1, -1});
        while (!seeds_.empty()) {
            const Seed s = seeds_.back();
            seeds_.pop_back();
            scan(s);
        }
        restoreAlpha();
    }

    QRect changed() const { return changed_.rect(); }

  private:
    // One seed span: fill the runs of open pixels on its row that touch it
    // and queue the rows above and below them.
    void scan(Seed s) {
        std::int64_t x1 = s.x1;
        const std::int64_t y = s.y;
        std::int64_t x = x1;
        if (open(x, y)) {
            while (open(x - 1, y)) {
                set(x - 1, y);
                --x;
            }
            if (x < x1) seeds_.push_back({x, x1 - 1, y - s.dy, -s.dy});
        }
        while (x1 <= s.x2) {
            while (open(x1, y)) {
                set(x1, y);
                ++x1;
            }
            if (x1 > x) seeds_.push_back({x, x1 - 1, y + s.dy, s.dy});
            if (x1 - 1 > s.x2) seeds_.push_back({s.x2 + 1, x1 - 1, y - s.dy, -s.dy});
            ++x1;
            while (x1 < s.x2 && !open(x1, y))
                ++x1;
            x = x1;
        }
    }

    void restoreAlpha() {
        const QRect r = changed_.rect();
        for (int y = r.top(); y <= r.bottom() && !r.isEmpty(); ++y) {
            Pixel* row = canvas_.row(y);
            for (int x = r.left(); x <= r.right(); ++x)
                row[x] |= 0xFF000000u;
        }
    }

    const Canvas canvas_;
    const Pixel border_;
    const Pixel mark_;
    Bounds changed_;
    std::vector<Seed> seeds_;
};

} // namespace

QRect floodFill(QImage& image, std::int64_t x, std::int64_t y, Pixel border, Pixel fill) {
    Filler filler(image, border, fill);
    filler.run(x, y);
    return filler.changed();
}

} // namespace korvelin::raster
