// The pixel rules of screen/Raster.h, primitive by primitive, on plain images.

#include "screen/Raster.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>

namespace korvelin::raster {
namespace {

constexpr Pixel Black = 0xFF000000u;
constexpr Pixel Red = 0xFFFF0000u;
constexpr Pixel Green = 0xFF00FF00u;
constexpr Pixel Blue = 0xFF0000FFu;
constexpr Pixel White = 0xFFFFFFFFu;

QImage blank(int w = 64, int h = 48) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Black);
    return image;
}

Pixel at(const QImage& image, int x, int y) {
    return image.pixel(x, y) | 0xFF000000u;
}

int count(const QImage& image, Pixel p) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += at(image, x, y) == p;
    return n;
}

// Every pixel of colour p touches another one (at least at a corner), and
// they form one piece.
bool connected(const QImage& image, Pixel p) {
    QImage seen = image.copy();
    int pieces = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            if (at(seen, x, y) != p) continue;
            ++pieces;
            std::vector<QPoint> todo{{x, y}};
            seen.setPixel(x, y, 0xFF123456u);
            while (!todo.empty()) {
                const QPoint q = todo.back();
                todo.pop_back();
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int nx = q.x() + dx, ny = q.y() + dy;
                        if (nx < 0 || ny < 0 || nx >= image.width() || ny >= image.height()) continue;
                        if (at(seen, nx, ny) != p) continue;
                        seen.setPixel(nx, ny, 0xFF123456u);
                        todo.push_back({nx, ny});
                    }
            }
        }
    return pieces == 1;
}

TEST(RasterLines, EndPointsBothDrawnAndEitherDirectionTheSame) {
    struct Case {
        int x1, y1, x2, y2, pixels;
    };
    for (const Case c : {Case{3, 4, 20, 4, 18}, Case{5, 2, 5, 30, 29}, Case{0, 0, 10, 10, 11},
                         Case{2, 3, 40, 17, 39}, Case{7, 40, 12, 1, 40}, Case{9, 9, 9, 9, 1}}) {
        QImage a = blank(), b = blank();
        const QRect changed = line(a, c.x1, c.y1, c.x2, c.y2, White);
        line(b, c.x2, c.y2, c.x1, c.y1, White);
        EXPECT_EQ(at(a, c.x1, c.y1), White);
        EXPECT_EQ(at(a, c.x2, c.y2), White);
        EXPECT_EQ(count(a, White), c.pixels) << c.x1 << "," << c.y1 << "-" << c.x2 << "," << c.y2;
        EXPECT_EQ(a, b);
        EXPECT_TRUE(connected(a, White));
        EXPECT_EQ(changed, QRect(QPoint(std::min(c.x1, c.x2), std::min(c.y1, c.y2)),
                                 QPoint(std::max(c.x1, c.x2), std::max(c.y1, c.y2))));
    }
}

TEST(RasterLines, FarOutsideThePageIsClippedAtOnce) {
    QImage image = blank(1024, 768);
    const auto start = std::chrono::steady_clock::now();
    line(image, -1000000000, 5, 1000000000, 5, White);                  // through row 5
    line(image, -2000000000, -2000000000, 2000000000, 2000000000, Red); // the diagonal
    EXPECT_EQ(line(image, 5000, 5000, 9000000, 100, Green), QRect());   // misses the page
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1500));
    for (int x = 0; x < 1024; x += 97)
        EXPECT_EQ(at(image, x, 5), x == 5 ? Red : White);
    for (int i = 0; i < 768; i += 51)
        EXPECT_EQ(at(image, i, i), Red);
    EXPECT_EQ(count(image, Green), 0);
}

TEST(RasterBoxes, CornersInclusiveOutlineAndFill) {
    QImage image = blank();
    box(image, 30, 20, 10, 5, White); // corners in any order
    for (int x = 10; x <= 30; ++x) {
        EXPECT_EQ(at(image, x, 5), White);
        EXPECT_EQ(at(image, x, 20), White);
    }
    for (int y = 5; y <= 20; ++y) {
        EXPECT_EQ(at(image, 10, y), White);
        EXPECT_EQ(at(image, 30, y), White);
    }
    EXPECT_EQ(at(image, 11, 6), Black);
    EXPECT_EQ(at(image, 9, 5), Black);
    EXPECT_EQ(at(image, 31, 20), Black);
    EXPECT_EQ(count(image, White), 2 * 21 + 2 * 14);

    QImage filled = blank();
    filledBox(filled, 2, 2, 9, 9, Red, Green);
    EXPECT_EQ(count(filled, Red), 28);   // the one-pixel outline
    EXPECT_EQ(count(filled, Green), 36); // the 6 x 6 inside
    EXPECT_EQ(at(filled, 2, 2), Red);
    EXPECT_EQ(at(filled, 9, 9), Red);
    EXPECT_EQ(at(filled, 3, 3), Green);
    QImage solid = blank();
    EXPECT_EQ(filledBox(solid, -5, -5, 3, 3, Blue, Blue), QRect(0, 0, 4, 4));
    EXPECT_EQ(count(solid, Blue), 16);
}

TEST(RasterEllipses, RimThroughTheAxesConnectedAndFillStrictlyInside) {
    QImage image = blank(101, 81);
    const Ellipse shape{50, 40, 30, 20};
    const Pixel fill = Green;
    ellipse(image, shape, White, &fill);
    // The rim reaches exactly the four axis points.
    EXPECT_EQ(at(image, 20, 40), White);
    EXPECT_EQ(at(image, 80, 40), White);
    EXPECT_EQ(at(image, 50, 20), White);
    EXPECT_EQ(at(image, 50, 60), White);
    EXPECT_EQ(at(image, 19, 40), Black);
    EXPECT_EQ(at(image, 81, 40), Black);
    EXPECT_EQ(at(image, 50, 19), Black);
    EXPECT_EQ(at(image, 50, 61), Black);
    EXPECT_EQ(at(image, 50, 40), Green);
    EXPECT_TRUE(connected(image, White));
    // Mirror images in both axes.
    for (int y = 20; y <= 60; ++y)
        for (int x = 20; x <= 80; ++x) {
            EXPECT_EQ(at(image, x, y), at(image, 100 - x, y));
            EXPECT_EQ(at(image, x, y), at(image, x, 80 - y));
        }
    // Nothing of the fill lies outside the rim on any row.
    for (int y = 20; y <= 60; ++y) {
        int x = 0;
        while (at(image, x, y) == Black)
            ++x;
        EXPECT_EQ(at(image, x, y), White) << y;
    }
}

TEST(RasterEllipses, FlatAndThinEllipsesAreLinesAndHugeOnesCostNothing) {
    QImage flat = blank();
    ellipse(flat, Ellipse{30, 20, 10, 0}, White, nullptr);
    EXPECT_EQ(count(flat, White), 21);
    EXPECT_EQ(at(flat, 20, 20), White);
    QImage thin = blank();
    ellipse(thin, Ellipse{30, 20, 0, 10}, White, nullptr);
    EXPECT_EQ(count(thin, White), 21);
    QImage page = blank(1024, 768);
    const auto start = std::chrono::steady_clock::now();
    const Pixel fill = Green;
    ellipse(page, Ellipse{500, 400, 2000000000, 2000000000}, White, &fill);
    ellipse(page, Ellipse{-1000000000, 300, 1000000100, 50}, Red, nullptr);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1500));
    EXPECT_EQ(count(page, Green), 1024 * 768 - count(page, Red));
}

TEST(RasterArcs, QuarterArcPieAndRadiusLines) {
    constexpr double Pi = 3.141592653589793;
    QImage image = blank(81, 81);
    arc(image, Ellipse{40, 40, 30, 30}, ArcAngles{0, Pi / 2, false, false}, White, nullptr);
    EXPECT_EQ(at(image, 70, 40), White); // angle 0
    EXPECT_EQ(at(image, 40, 10), White); // angle pi/2 (up)
    EXPECT_EQ(at(image, 10, 40), Black);
    EXPECT_EQ(at(image, 40, 70), Black);
    for (int y = 0; y < 81; ++y)
        for (int x = 0; x < 81; ++x)
            if (at(image, x, y) == White) {
                EXPECT_GE(x, 40);
                EXPECT_LE(y, 40);
            }

    QImage pie = blank(81, 81);
    const Pixel fill = Green;
    arc(pie, Ellipse{40, 40, 30, 30}, ArcAngles{Pi / 2, Pi, true, true}, White, &fill);
    for (int i = 0; i <= 30; ++i) {
        EXPECT_EQ(at(pie, 40, 40 - i), White); // the radius line up
        EXPECT_EQ(at(pie, 40 - i, 40), White); // the radius line left
    }
    EXPECT_EQ(at(pie, 30, 30), Green); // inside the wedge
    EXPECT_EQ(at(pie, 50, 30), Black); // beside it
    EXPECT_EQ(at(pie, 30, 50), Black);
    QImage open = blank(81, 81);
    arc(open, Ellipse{40, 40, 30, 30}, ArcAngles{Pi / 2, Pi, true, false}, White, &fill);
    EXPECT_EQ(count(open, Green), 0); // one radius line: no closed figure, no fill
    EXPECT_EQ(at(open, 40, 25), White);
    EXPECT_EQ(at(open, 25, 40), Black);
}

TEST(RasterFloodFill, BoundedRegionLeaksIslandsAndBorderStart) {
    QImage image = blank();
    box(image, 5, 5, 30, 25, White);
    plot(image, 15, 15, White);        // a border island stays
    line(image, 8, 10, 20, 10, Green); // pixels of the fill colour inside are crossed
    plot(image, 25, 20, Red);          // another colour is painted over
    const QRect changed = floodFill(image, 6, 6, White, Green);
    EXPECT_EQ(changed, QRect(QPoint(6, 6), QPoint(29, 24)));
    EXPECT_EQ(count(image, Green), 24 * 19 - 1);
    EXPECT_EQ(at(image, 15, 15), White);
    EXPECT_EQ(at(image, 4, 4), Black);
    EXPECT_EQ(at(image, 31, 10), Black);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            EXPECT_EQ(image.pixel(x, y) >> 24, 0xFFu); // the markers are gone

    // A gap lets the fill out; a diagonal step of the border does not.
    QImage leaking = blank();
    box(leaking, 5, 5, 30, 25, White);
    plot(leaking, 30, 12, Black);
    floodFill(leaking, 10, 10, White, Blue);
    EXPECT_EQ(at(leaking, 50, 40), Blue);
    QImage diamond = blank();
    for (const auto& [x1, y1, x2, y2] :
         {std::array{20, 5, 35, 20}, {35, 20, 20, 35}, {20, 35, 5, 20}, {5, 20, 20, 5}})
        line(diamond, x1, y1, x2, y2, White);
    floodFill(diamond, 20, 20, White, Blue);
    EXPECT_EQ(at(diamond, 50, 40), Black);
    EXPECT_EQ(at(diamond, 20, 6), Blue);

    // Starting on the border colour fills nothing.
    EXPECT_EQ(floodFill(image, 5, 5, White, Red), QRect());
    EXPECT_EQ(floodFill(image, -1, 5, White, Red), QRect());
}

TEST(RasterFloodFill, WholeLargePageInOnePass) {
    QImage page = blank(1024, 768);
    for (int i = 1; i < 2000; ++i) // scattered islands make many spans
        plot(page, (i * 37) % 1024, (i * 91) % 768, White);
    const auto start = std::chrono::steady_clock::now();
    floodFill(page, 1, 0, White, Red);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1500));
    EXPECT_EQ(count(page, Red), 1024 * 768 - count(page, White));
    EXPECT_GT(count(page, White), 1900);
}

TEST(RasterBlits, EveryOperationOnKnownColours) {
    const Pixel source = 0xFF00F0F0u, target = 0xFF0F0FF0u;
    struct Case {
        RasterOp op;
        Pixel expected;
    };
    for (const Case c : {Case{RasterOp::Copy, source}, Case{RasterOp::InvertedCopy, 0xFFFF0F0Fu},
                         Case{RasterOp::Or, 0xFF0FFFF0u}, Case{RasterOp::And, 0xFF0000F0u},
                         Case{RasterOp::Xor, 0xFF0FFF00u}}) {
        QImage from(4, 3, QImage::Format_RGB32);
        from.fill(source);
        QImage to(10, 10, QImage::Format_RGB32);
        to.fill(target);
        EXPECT_EQ(blit(to, 8, -1, from, c.op), QRect(8, 0, 2, 2));
        EXPECT_EQ(at(to, 9, 1), c.expected);
        EXPECT_EQ(at(to, 7, 1), target);
        EXPECT_EQ(at(to, 9, 2), target);
    }
    // XOR twice gives the picture back.
    QImage page = blank(), before;
    line(page, 0, 0, 63, 47, White);
    before = page.copy();
    QImage sprite = blank(8, 8);
    box(sprite, 0, 0, 7, 7, Red);
    blit(page, 3, 3, sprite, RasterOp::Xor);
    EXPECT_NE(page, before);
    blit(page, 3, 3, sprite, RasterOp::Xor);
    EXPECT_EQ(page, before);
}

TEST(RasterBlits, StretchRepeatsSourcePixelsAndCopyRectPadsWithBlack) {
    QImage source(2, 2, QImage::Format_RGB32);
    source.setPixel(0, 0, Red);
    source.setPixel(1, 0, Green);
    source.setPixel(0, 1, Blue);
    source.setPixel(1, 1, White);
    QImage target = blank(10, 10);
    EXPECT_EQ(stretchBlit(target, 1, 1, 4, 6, source, RasterOp::Copy), QRect(1, 1, 4, 6));
    EXPECT_EQ(at(target, 1, 1), Red);
    EXPECT_EQ(at(target, 2, 3), Red);
    EXPECT_EQ(at(target, 3, 3), Green);
    EXPECT_EQ(at(target, 4, 6), White);
    EXPECT_EQ(at(target, 5, 6), Black);
    EXPECT_EQ(stretchBlit(target, 0, 0, 0, 5, source, RasterOp::Copy), QRect());

    const QImage cut = copyRect(target, -2, 5, 5, 10);
    EXPECT_EQ(cut.size(), QSize(5, 10));
    EXPECT_EQ(at(cut, 0, 0), Black); // left of the page
    EXPECT_EQ(at(cut, 3, 1), Blue);  // (1, 6)
    EXPECT_EQ(at(cut, 4, 9), Black); // below the page
}

} // namespace
} // namespace korvelin::raster
