#pragma once
// What stands behind an open file number: a disk file, a printer device or
// the serial port. The file table and the file statements see every device
// through this one interface; each device takes the calls that make sense
// for it and leaves the others to the defaults (nothing to read, nothing
// to position). Every call reports a host failure by throwing HostFailure.

#include "values/HostFailure.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace korvelin {

enum class FileMode { Input, Output, Append, Random };

class FileDevice {
  public:
    virtual ~FileDevice() = default;

    // --- output ---
    virtual void write(std::string_view bytes) = 0;
    // Hands everything written so far to the host (the disk, the printer
    // spooler, the port).
    virtual void flush() {}
    // The end of the device's use: flushes; a printer ends its document so
    // the pages come out. Called once, before the device is destroyed.
    virtual void close() { flush(); }

    // --- sequential input ---
    // One line without its end (CR, CR LF or LF); false when nothing is left.
    virtual bool readLine(std::string& line) {
        (void)line;
        return false;
    }
    // Up to `count` bytes appended to `out`; the number of bytes taken.
    virtual std::size_t read(std::string& out, std::size_t count) {
        (void)out;
        (void)count;
        return 0;
    }
    virtual bool atEnd() { return true; }

    // --- positions (EOF, LOC, LOF) ---
    virtual std::int64_t position() { return 0; }
    virtual std::int64_t length() { return 0; }

    // --- records (random files) ---
    // Reads exactly `count` bytes at `offset`; reading past the end fails.
    virtual void readAt(std::int64_t offset, char* data, std::size_t count) {
        (void)offset;
        (void)data;
        (void)count;
        failHost(HostFailureKind::Other);
    }
    virtual void writeAt(std::int64_t offset, std::string_view bytes) {
        (void)offset;
        (void)bytes;
        failHost(HostFailureKind::Other);
    }

    // --- serial port ---
    // Bytes received by the port and not yet taken into the entry's inputBuffer.
    virtual std::int64_t bytesWaiting() { return 0; }
    // Blocks up to `milliseconds` for received data (which the device puts
    // into the entry's inputBuffer); whether any came.
    virtual bool waitForInput(int milliseconds) {
        (void)milliseconds;
        return false;
    }
    // The device went away under the program (a serial adapter pulled out).
    virtual bool isLost() const { return false; }
};

} // namespace korvelin
