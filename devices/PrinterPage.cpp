#include "devices/PrinterPage.h"

#include <QImage>
#include <QPainter>

#include <algorithm>

namespace korvelin {

namespace {

constexpr int TabColumns = 8;

// Tabs become blanks to the next tab stop; other control characters have
// no printed form.
QString printable(const QString& line) {
    QString out;
    out.reserve(line.size());
    for (QChar c : line) {
        if (c == QLatin1Char('\t')) {
            do
                out += QLatin1Char(' ');
            while (out.size() % TabColumns != 0);
        } else if (c.unicode() >= 0x20 && c.unicode() != 0x7F) {
            out += c;
        }
    }
    return out;
}

} // namespace

bool isFullWidthForPrinting(char16_t c) {
    if (c < 0x1100) return false;
    // Half-width katakana are single bytes in CP932.
    if (c >= 0xFF61 && c <= 0xFF9F) return false;
    return true;
}

PrinterPage::PrinterPage(QPainter& painter, const PrinterFont& font, std::function<bool()> newPage)
    : painter_(painter), font_(font), newPage_(std::move(newPage)) {
    QPaintDevice* device = painter.device();
    const QFont qfont = font.qfont();
    painter_.setFont(qfont);
    painter_.setPen(Qt::black);
    metrics_.emplace(qfont, device);
    const double margin = MarginMillimetres / 25.4 * device->logicalDpiX();
    const double marginY = MarginMillimetres / 25.4 * device->logicalDpiY();
    area_ = QRectF(margin, marginY, std::max(1.0, device->width() - 2 * margin),
                   std::max(1.0, device->height() - 2 * marginY));
    lineSpacing_ = std::max(1.0, metrics_->lineSpacing());
    position_ = font_.vertical() ? area_.right() : area_.top();
}

bool PrinterPage::nextPage() {
    if (!newPage_()) return false;
    painter_.setFont(font_.qfont());
    painter_.setPen(Qt::black);
    position_ = font_.vertical() ? area_.right() : area_.top();
    used_ = false;
    return true;
}

bool PrinterPage::advanceLine() {
    if (font_.vertical()) {
        if (position_ - lineSpacing_ < area_.left() - 0.5 && used_) {
            if (!nextPage()) return false;
        }
        return true;
    }
    if (position_ + lineSpacing_ > area_.bottom() + 0.5 && used_) {
        if (!nextPage()) return false;
    }
    return true;
}

bool PrinterPage::printLine(const QString& line) {
    const QString text = printable(line);
    return font_.vertical() ? printVertical(text) : printHorizontal(text);
}

bool PrinterPage::printHorizontal(const QString& line) {
    // A line wider than the page goes on over the next lines.
    qsizetype start = 0;
    do {
        if (!advanceLine()) return false;
        qsizetype end = start;
        double width = 0;
        while (end < line.size()) {
            const double advance = metrics_->horizontalAdvance(line[end]);
            if (width + advance > area_.width() && end > start) break;
            width += advance;
            ++end;
        }
        painter_.drawText(QPointF(area_.left(), position_ + metrics_->ascent()),
                          line.mid(start, end - start));
        position_ += lineSpacing_;
        used_ = true;
        start = end;
    } while (start < line.size());
    return true;
}

bool PrinterPage::printVertical(const QString& line) {
    const double ascent = metrics_->ascent();
    const double descent = metrics_->descent();
    const double upright = metrics_->height();
    qsizetype i = 0;
    do {
        if (!advanceLine()) return false;
        const double centre = position_ - lineSpacing_ / 2;
        double y = area_.top();
        while (i < line.size()) {
            const QChar c = line[i];
            const bool full = isFullWidthForPrinting(c.unicode());
            const double step = full ? upright : metrics_->horizontalAdvance(c);
            if (y + step > area_.bottom() && y > area_.top()) break;
            if (full) {
                const double w = metrics_->horizontalAdvance(c);
                painter_.drawText(QPointF(centre - w / 2, y + ascent), QString(c));
            } else {
                painter_.save();
                painter_.translate(centre - (ascent - descent) / 2, y);
                painter_.rotate(90);
                painter_.drawText(QPointF(0, 0), QString(c));
                painter_.restore();
            }
            y += step;
            ++i;
        }
        position_ -= lineSpacing_;
        used_ = true;
    } while (i < line.size());
    return true;
}

bool PrinterPage::printImage(const QImage& image) {
    if (used_ && !nextPage()) return false;
    const QSizeF fitted = QSizeF(image.size()).scaled(area_.size(), Qt::KeepAspectRatio);
    const QRectF target(area_.left() + (area_.width() - fitted.width()) / 2,
                        area_.top() + (area_.height() - fitted.height()) / 2, fitted.width(),
                        fitted.height());
    painter_.drawImage(target, image);
    used_ = true;
    // Whatever is printed next starts on a page of its own.
    position_ = font_.vertical() ? area_.left() - lineSpacing_ : area_.bottom() + lineSpacing_;
    return true;
}

} // namespace korvelin
