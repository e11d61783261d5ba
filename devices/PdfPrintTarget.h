#pragma once
// A printer that is one PDF file: every document printed during the run
// goes into it, each starting on a page of its own. Batch mode's
// --printer option and the tests print here.

#include "devices/PrintTarget.h"

#include <QPainter>
#include <QPdfWriter>
#include <QString>

#include <memory>

namespace korvelin {

class PdfPrintTarget : public PrintTarget {
  public:
    explicit PdfPrintTarget(const QString& path);
    ~PdfPrintTarget() override;

    QPainter* beginDocument() override;
    bool newPage() override;
    bool endDocument() override { return true; }
    // Completes the file; a file nothing was printed into is an empty
    // PDF page. False when the file could not be written.
    bool finish();

    int documents() const { return documents_; }

  private:
    QString path_;
    std::unique_ptr<QPdfWriter> writer_;
    QPainter painter_;
    int documents_ = 0;
    bool failed_ = false;
};

} // namespace korvelin
