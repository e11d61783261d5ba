// The pages, the palette and the pixel primitives of the screen model.

#include "screen/ScreenState.h"

#include "values/Cp932.h"

#include <QFont>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QGuiApplication>
#include <QPainter>
#include <QRawFont>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace korvelin {

namespace {

// The classic 16-colour console palette, 0x00BBGGRR.
constexpr std::array<ColorRef, 16> ConsoleColors = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
};
// Console colour index of each colour number: 1..7 follow the digital
// colour code (bit 0 blue, bit 1 red, bit 2 green), 8..15 their dark twins.
constexpr std::array<int, 16> ConsoleIndexOfColor = {0, 9, 12, 13, 10, 11, 14, 15, 8, 1, 4, 5, 2, 3, 6, 7};

} // namespace

int columnWidth(char16_t c) {
    return c < 0x80 ? 1 : (cp932::isDoubleByte(c) ? 2 : 1);
}

int columnWidth(std::u16string_view text) {
    int n = 0;
    for (char16_t c : text)
        n += columnWidth(c);
    return n;
}

std::uint32_t pixelOf(ColorRef color) {
    return 0xFF000000u | ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
}

ColorRef colorOfPixel(std::uint32_t pixel) {
    return ((pixel >> 16) & 0xFF) | (pixel & 0xFF00) | ((pixel & 0xFF) << 16);
}

void installFontSubstitutions() {
    QFont::insertSubstitution(QStringLiteral("ＭＳ 明朝"), QStringLiteral("IPAMincho"));
    QFont::insertSubstitution(QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic"));
}

ScreenState::ScreenState() {
    setDesktopSize(QSize(DefaultDesktopWidth, DefaultDesktopHeight));
    buildPalette();
    setSurfaceTextColor(ColorValue(textColor));
}

ScreenState::~ScreenState() = default;

void ScreenState::setDesktopSize(QSize size) {
    desktop_ = size;
    maxColumn = static_cast<float>(size.width()) / CellWidth;
    maxRow = static_cast<std::int16_t>(std::lround(size.height() / static_cast<double>(CellHeight)));
}

QImage& ScreenState::page(int n) {
    QImage& image = pages_[static_cast<std::size_t>(n & 1)];
    if (image.isNull()) {
        // Pages start as the window's first picture: black.
        image = QImage(desktop_, QImage::Format_RGB32);
        image.fill(pixelOf(0));
    }
    return image;
}

void ScreenState::buildPalette() {
    const std::size_t mode = static_cast<std::size_t>(colorMode);
    const int count = colorMode == 2 ? 16 : 8;
    for (int n = 0; n < count; ++n)
        paletteTable[static_cast<std::size_t>(n)][mode] =
            ConsoleColors[static_cast<std::size_t>(ConsoleIndexOfColor[static_cast<std::size_t>(n)])];
}

void ScreenState::setSurfaceTextColor(ColorRef color) {
    surfaceTextColor_.fill(color);
}

void ScreenState::clearPage(int n, ColorRef color) {
    QImage& image = pages_[static_cast<std::size_t>(n & 1)];
    if (image.size() != desktop_) image = QImage(desktop_, QImage::Format_RGB32);
    image.fill(pixelOf(color));
    pageChanged(n, image.rect());
}

void ScreenState::RepaintWindow() {
    pageChanged(displayPage, QRect(QPoint(0, 0), desktop_));
}

QRect ScreenState::takeDisplayChanges() {
    if (changedLeft_ > changedRight_) return {};
    const QRect r(QPoint(changedLeft_, changedTop_), QPoint(changedRight_, changedBottom_));
    changedLeft_ = 0;
    changedRight_ = -1;
    return r;
}

QImage ScreenState::windowImage() {
    // Beyond the desktop-sized page the window shows its black background.
    QImage image(clientWidth, clientHeight, QImage::Format_RGB32);
    image.fill(pixelOf(0));
    QPainter painter(&image);
    painter.drawImage(0, 0, page(displayPage));
    return image;
}

void ScreenState::FillBox(int x1, int y1, int x2, int y2, ColorRef color) {
    if (x1 > x2) std::swap(x1, x2);
    if (y1 > y2) std::swap(y1, y2);
    QImage& image = page(activePage);
    const QRect box = QRect(QPoint(x1, y1), QPoint(x2, y2)) & image.rect();
    if (box.isEmpty()) return;
    const std::uint32_t pixel = pixelOf(color);
    for (int y = box.top(); y <= box.bottom(); ++y) {
        auto* line = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
        std::fill(line + box.left(), line + box.right() + 1, pixel);
    }
    pageChanged(activePage, box);
}

void ScreenState::ScrollConsole(int dy, int dx, int top, int bottom, ColorRef color) {
    // The band is scrolled as a rectangle whose right and bottom edges are
    // exclusive, so its last pixel column and row stay where they are; the
    // strips filled afterwards are one pixel wider than the shift to cover
    // exactly what that leaves behind.
    QImage& image = page(activePage);
    const int width = image.width();
    // Band and clip rectangle, half-open: x in [0, width - 1), y in [top, bottom - 1).
    const QRect band = QRect(0, top, width - 1, bottom - 1 - top) & image.rect();
    const QRect target = band.translated(-dx, -dy) & band;
    if (!target.isEmpty()) {
        const std::size_t bytes = static_cast<std::size_t>(target.width()) * 4;
        auto move = [&](int y) {
            std::memmove(image.scanLine(y) + target.left() * 4,
                         image.constScanLine(y + dy) + (target.left() + dx) * 4, bytes);
        };
        if (dy >= 0)
            for (int y = target.top(); y <= target.bottom(); ++y)
                move(y);
        else
            for (int y = target.bottom(); y >= target.top(); --y)
                move(y);
    }
    pageChanged(activePage, QRect(0, top, width, bottom - top));

    // The column strip, then the row strip.
    if (dx > 0)
        FillBox(width - 1 - dx, top, width - 1, bottom - 1, color);
    else if (dx < 0)
        FillBox(-1, top, -dx - 1, bottom - 1, color);
    else
        FillBox(-1, top, -1, bottom - 1, color);
    if (dy > 0)
        FillBox(0, bottom - 1 - dy, width - 1, bottom - 1, color);
    else if (dy < 0)
        FillBox(0, top - 1, width - 1, top - dy - 1, color);
    else
        FillBox(0, top - 1, width - 1, top - 1, color);
    RepaintWindow();
}

const QFont* ScreenState::font() {
    if (!fontTried_) {
        fontTried_ = true;
        // Glyphs need the font database of a GUI application; without one
        // (engine tests) the cells are still filled and the cursor moves.
        if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
            installFontSubstitutions();
            font_ = std::make_unique<QFont>(QStringLiteral("ＭＳ 明朝"));
            font_->setPixelSize(CellHeight);
            // Exact palette colours: POINT and PAINT compare pixels with them.
            font_->setStyleStrategy(QFont::NoAntialias);
            font_->setHintingPreference(QFont::PreferFullHinting);
            fontAscent_ = QFontMetrics(*font_).ascent();
            rawFont_ = std::make_unique<QRawFont>(QRawFont::fromFont(*font_));
        }
    }
    return font_.get();
}

void ScreenState::drawGlyphs(int pageNumber, int x, int y, std::u16string_view text, ColorRef color) {
    const QFont* f = font();
    if (!f || text.empty()) return;
    // One glyph per cell, placed by the grid rather than by the font's own
    // advances, in one glyph run per piece of text.
    const QString string = QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
    QList<quint32> glyphs = rawFont_->glyphIndexesForString(string);
    QList<QPointF> positions;
    positions.reserve(glyphs.size());
    int cx = x;
    qsizetype kept = 0;
    for (qsizetype i = 0; i < glyphs.size() && static_cast<std::size_t>(i) < text.size(); ++i) {
        const char16_t c = text[static_cast<std::size_t>(i)];
        if (c != u' ' && glyphs[i] != 0) {
            glyphs[kept++] = glyphs[i];
            positions.append(QPointF(cx, y + fontAscent_));
        }
        cx += columnWidth(c) * CellWidth;
    }
    glyphs.resize(kept);
    if (kept > 0) {
        QImage& image = page(pageNumber);
        QPainter painter(&image);
        painter.setPen(QColor::fromRgb(pixelOf(color)));
        QGlyphRun run;
        run.setRawFont(*rawFont_);
        run.setGlyphIndexes(glyphs);
        run.setPositions(positions);
        painter.drawGlyphRun(QPointF(0, 0), run);
    }
    pageChanged(pageNumber, QRect(x, y, cx - x, CellHeight));
}

} // namespace korvelin
