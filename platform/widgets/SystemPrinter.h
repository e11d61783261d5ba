#pragma once
// The system's printers (CUPS) as the print target of the window
// application: one QPrinter, chosen and set up with the print dialog, on
// which each document is painted and sent when it ends. With no printer
// installed and no PDF file chosen in the dialog a document cannot begin,
// which the statement that printed reports as a host failure.

#include "devices/PrintTarget.h"

#include <QPainter>
#include <QPrinter>

#include <memory>

class QWidget;

namespace korvelin {

class SystemPrinter : public PrintTarget {
  public:
    SystemPrinter();
    ~SystemPrinter() override;

    QPainter* beginDocument() override;
    bool newPage() override;
    bool endDocument() override;

    // The printer the setup dialog works on. While a document is being
    // painted the dialog gets a copy whose choices take effect with the
    // next document.
    QPrinter& printerToSetUp();
    bool documentActive() const { return painter_.isActive(); }
    // Whether any printer can take a document: an installed printer, or
    // an output file chosen in the dialog.
    bool available() const;

  private:
    void takeSetup();
    // Made on first use: a QPrinter talks to CUPS as it is made.
    QPrinter& printer() const;

    mutable std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QPrinter> setup_; // choices made while a document was open
    QPainter painter_;
};

} // namespace korvelin
