#include "devices/PdfPrintTarget.h"

#include <QPageLayout>
#include <QPageSize>

namespace korvelin {

PdfPrintTarget::PdfPrintTarget(const QString& path) : path_(path) {}

PdfPrintTarget::~PdfPrintTarget() {
    finish();
}

QPainter* PdfPrintTarget::beginDocument() {
    if (failed_) return nullptr;
    if (!writer_) {
        writer_ = std::make_unique<QPdfWriter>(path_);
        writer_->setPageSize(QPageSize(QPageSize::A4));
        writer_->setPageMargins(QMarginsF(0, 0, 0, 0));
        writer_->setResolution(600);
        writer_->setCreator(QStringLiteral("Korvelin"));
        writer_->setTitle(QStringLiteral("Korvelin"));
    }
    if (!painter_.isActive()) {
        if (!painter_.begin(writer_.get())) {
            failed_ = true;
            return nullptr;
        }
    } else if (!writer_->newPage()) {
        return nullptr;
    }
    ++documents_;
    return &painter_;
}

bool PdfPrintTarget::newPage() {
    return painter_.isActive() && writer_->newPage();
}

bool PdfPrintTarget::finish() {
    if (painter_.isActive()) return painter_.end();
    if (!writer_ && !failed_) {
        // Nothing was printed: still leave a valid (blank) PDF behind.
        writer_ = std::make_unique<QPdfWriter>(path_);
        QPainter blank;
        if (!blank.begin(writer_.get())) return false;
        return blank.end();
    }
    return !failed_;
}

} // namespace korvelin
