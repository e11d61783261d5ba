#include "platform/widgets/SystemPrinter.h"

#include <QPrinterInfo>

namespace korvelin {

namespace {

void copySetup(const QPrinter& from, QPrinter& to) {
    to.setPrinterName(from.printerName());
    to.setOutputFormat(from.outputFormat());
    to.setOutputFileName(from.outputFileName());
    to.setPageLayout(from.pageLayout());
    to.setCopyCount(from.copyCount());
    to.setColorMode(from.colorMode());
    to.setDuplex(from.duplex());
}

} // namespace

SystemPrinter::SystemPrinter() = default;

QPrinter& SystemPrinter::printer() const {
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer_->setDocName(QStringLiteral("Korvelin"));
        printer_->setCreator(QStringLiteral("Korvelin"));
    }
    return *printer_;
}

SystemPrinter::~SystemPrinter() {
    if (painter_.isActive()) painter_.end();
}

bool SystemPrinter::available() const {
    if (!printer().outputFileName().isEmpty()) return true;
    return !QPrinterInfo::availablePrinterNames().isEmpty() && !printer().printerName().isEmpty();
}

QPainter* SystemPrinter::beginDocument() {
    takeSetup();
    // No default printer chosen: the system's default, or its first one.
    if (printer().outputFileName().isEmpty() && printer().printerName().isEmpty()) {
        QString name = QPrinterInfo::defaultPrinterName();
        const QStringList names = QPrinterInfo::availablePrinterNames();
        if (name.isEmpty() && !names.isEmpty()) name = names.constFirst();
        if (!name.isEmpty()) printer().setPrinterName(name);
    }
    if (!available()) return nullptr;
    if (!painter_.begin(&printer())) return nullptr;
    return &painter_;
}

bool SystemPrinter::newPage() {
    return painter_.isActive() && printer().newPage();
}

bool SystemPrinter::endDocument() {
    const bool sent = !painter_.isActive() || painter_.end();
    takeSetup();
    return sent;
}

QPrinter& SystemPrinter::printerToSetUp() {
    if (!painter_.isActive()) return printer();
    if (!setup_) {
        setup_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        copySetup(printer(), *setup_);
    }
    return *setup_;
}

void SystemPrinter::takeSetup() {
    if (!setup_ || painter_.isActive()) return;
    copySetup(*setup_, printer());
    setup_.reset();
}

} // namespace korvelin
