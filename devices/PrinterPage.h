#pragma once
// How printed lines sit on paper: a listing in the printer font inside a
// margin, one line per line spacing, a new page when the page is full and
// long lines continued on the next line rather than cut off. With a
// vertical font each line is a column read top to bottom and the columns
// go from right to left; full-width characters stand upright and
// half-width ones lie on their side, as in Japanese vertical writing.

#include "devices/PrinterFont.h"

#include <QFontMetricsF>
#include <QRectF>
#include <QString>

#include <functional>
#include <optional>

class QImage;
class QPainter;

namespace korvelin {

class PrinterPage {
  public:
    static constexpr double MarginMillimetres = 15;

    // `newPage` moves the document on to a fresh page (false on failure).
    PrinterPage(QPainter& painter, const PrinterFont& font, std::function<bool()> newPage);

    // Prints one line; false when the printer failed.
    bool printLine(const QString& line);
    // Prints an image alone on a page, scaled to fit and centred; the
    // listing continues on the next page.
    bool printImage(const QImage& image);
    bool pageUsed() const { return used_; }

  private:
    bool printHorizontal(const QString& line);
    bool printVertical(const QString& line);
    bool nextPage();
    // The next line position; a new page when this one is full.
    bool advanceLine();

    QPainter& painter_;
    PrinterFont font_;
    std::function<bool()> newPage_;
    std::optional<QFontMetricsF> metrics_;
    QRectF area_;
    double lineSpacing_ = 0;
    double position_ = 0; // y of the next line's top, or x of the next column's right edge
    bool used_ = false;   // something has been drawn on the current page
};

// Whether a character is full-width (two bytes in CP932, or wide in Unicode).
bool isFullWidthForPrinting(char16_t c);

} // namespace korvelin
