#pragma once
// The printer as the interpreter sees it: printed lines go into a
// document that stays open until a form feed, the CLOSE of a printer file,
// the editor's print command or the end of the application ends it; only
// then does the host send it to the paper. LPRINT and LFILES print through
// here, PRN: and LPT1:..LPT9: files write to openPrinterFile()'s device,
// and COPY prints the execution window's image.
//
// Without a target everything printed is dropped (batch mode without
// --printer). A target that cannot open a document fails the statement
// as a host failure.

#include "devices/PrintTarget.h"
#include "devices/PrinterFont.h"

#include <QString>

#include <memory>
#include <string>
#include <string_view>

class QIODevice;
class QImage;

namespace korvelin {

class PrinterPage;
class PrinterDevice;

// The bytes a program writes to a printer file (PRN:, LPT1: ...): CP932
// text whose lines (CR LF or LF) are printed; a form feed ends the
// document, and closing the stream prints the unfinished line and ends
// the document. The file table's device for such a file wraps one.
class PrinterStream {
  public:
    explicit PrinterStream(PrinterDevice& printer) : printer_(printer) {}
    void write(std::string_view bytes);
    // Called once at CLOSE; later calls do nothing.
    void close();
    bool closed() const { return closed_; }

  private:
    PrinterDevice& printer_;
    std::string pending_;
    bool closed_ = false;
};

class PrinterDevice {
  public:
    // A pending line this long is printed as it stands (LPRINT ...; in a
    // loop, a printer file written without line ends).
    static constexpr std::size_t LongestPendingLine = 65536;

    PrinterDevice();
    ~PrinterDevice();
    PrinterDevice(const PrinterDevice&) = delete;
    PrinterDevice& operator=(const PrinterDevice&) = delete;

    void setTarget(PrintTarget* target);
    PrintTarget* target() const { return target_; }
    // The applied printer font; it takes effect with the next document.
    void setFont(const PrinterFont& font) { font_ = font; }
    const PrinterFont& font() const { return font_; }

    // LPRINT's end of line: the pending CP932 bytes are printed line by
    // line, each form feed ending the document; the buffer is emptied.
    void printPendingLine(std::string& lineBuffer);
    // One printed line (LFILES, the editor's listing, printer files).
    void printLine(const QString& line);
    // The execution window's image, alone on a page.
    void printImage(const QImage& image);
    // Sends the open document to the printer; nothing when none is open.
    void endDocument();
    bool documentOpen() const { return page_ != nullptr; }

    // A write-only QIODevice over a PrinterStream, for a printer file.
    std::unique_ptr<QIODevice> openPrinterFile();

  private:
    // The page of the open document; opens one when needed.
    PrinterPage& page();

    PrintTarget* target_ = nullptr;
    PrinterFont font_;
    std::unique_ptr<PrinterPage> page_;
};

} // namespace korvelin
