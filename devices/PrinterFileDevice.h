#pragma once
// A printer file (OPEN "PRN:", "LPT1:" ...) as the file table sees it: what
// the program writes is printed line by line, and CLOSE ends the document.

#include "devices/FileDevice.h"
#include "devices/PrinterDevice.h"

namespace korvelin {

class PrinterFileDevice : public FileDevice {
  public:
    explicit PrinterFileDevice(PrinterDevice& printer) : stream_(printer) {}
    ~PrinterFileDevice() override { stream_.close(); }
    void write(std::string_view bytes) override { stream_.write(bytes); }
    void close() override { stream_.close(); }

  private:
    PrinterStream stream_;
};

} // namespace korvelin
