#include "devices/PrinterDevice.h"

#include "devices/PrinterPage.h"
#include "values/Cp932.h"
#include "values/HostFailure.h"

#include <QIODevice>
#include <QImage>

namespace korvelin {

namespace {

constexpr char FormFeed = 12;

QString fromCp932(std::string_view bytes) {
    return QString::fromStdU16String(cp932::decode(bytes));
}

// A printer file as a QIODevice of the file table.
class PrinterFile : public QIODevice {
  public:
    explicit PrinterFile(PrinterDevice& printer) : stream_(printer) {}
    ~PrinterFile() override {
        // A file table that drops the device without closing it still
        // must not lose the last line; a failure can no longer be reported.
        try {
            stream_.close();
        } catch (const HostFailure&) {
        }
    }

    bool isSequential() const override { return true; }
    void close() override {
        stream_.close();
        QIODevice::close();
    }

  protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override {
        stream_.write(std::string_view(data, static_cast<std::size_t>(size)));
        return size;
    }

  private:
    PrinterStream stream_;
};

} // namespace

PrinterDevice::PrinterDevice() = default;

// The owner of the target ends the document (the application's end) and
// may already have let the target go.
PrinterDevice::~PrinterDevice() = default;

void PrinterDevice::setTarget(PrintTarget* target) {
    if (target == target_) return;
    if (page_ && target_) target_->endDocument();
    page_.reset();
    target_ = target;
}

PrinterPage& PrinterDevice::page() {
    if (!page_) {
        QPainter* painter = target_->beginDocument();
        if (!painter) failHost(HostFailureKind::Other);
        page_ = std::make_unique<PrinterPage>(*painter, font_, [this] { return target_->newPage(); });
    }
    return *page_;
}

void PrinterDevice::printLine(const QString& line) {
    if (!target_) return;
    if (!page().printLine(line)) failHost(HostFailureKind::Other);
}

void PrinterDevice::printPendingLine(std::string& lineBuffer) {
    std::string_view rest = lineBuffer;
    while (!rest.empty()) {
        const std::size_t feed = rest.find(FormFeed);
        printLine(fromCp932(rest.substr(0, feed)));
        if (feed == std::string_view::npos) break;
        endDocument();
        rest.remove_prefix(feed + 1);
    }
    lineBuffer.clear();
}

void PrinterDevice::printImage(const QImage& image) {
    if (!target_) return;
    if (!page().printImage(image)) failHost(HostFailureKind::Other);
}

void PrinterDevice::endDocument() {
    if (!page_) return;
    page_.reset();
    if (target_ && !target_->endDocument()) failHost(HostFailureKind::Other);
}

std::unique_ptr<QIODevice> PrinterDevice::openPrinterFile() {
    auto file = std::make_unique<PrinterFile>(*this);
    file->open(QIODevice::WriteOnly);
    return file;
}

void PrinterStream::write(std::string_view bytes) {
    if (closed_) return;
    for (const char c : bytes) {
        if (c == '\n') {
            if (!pending_.empty() && pending_.back() == '\r') pending_.pop_back();
            const std::string line = std::move(pending_);
            pending_.clear();
            printer_.printLine(fromCp932(line));
        } else if (c == FormFeed) {
            const std::string line = std::move(pending_);
            pending_.clear();
            if (!line.empty()) printer_.printLine(fromCp932(line));
            printer_.endDocument();
        } else {
            pending_ += c;
            // A line without end goes to the paper in pieces rather than
            // piling up in memory.
            if (pending_.size() >= PrinterDevice::LongestPendingLine) {
                const std::string line = std::move(pending_);
                pending_.clear();
                printer_.printLine(fromCp932(line));
            }
        }
    }
}

void PrinterStream::close() {
    if (closed_) return;
    closed_ = true;
    const std::string line = std::move(pending_);
    pending_.clear();
    if (!line.empty()) printer_.printLine(fromCp932(line));
    printer_.endDocument();
}

} // namespace korvelin
