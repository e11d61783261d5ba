#pragma once
// The interpreter's file numbers: entries 1..9 are the program's files,
// entry 0 holds the pending line of output written without a file number
// (LPRINT, LFILES). Behind an open entry stands a disk file, the serial
// port or a printer device, each seen through one QIODevice (QFile,
// QSerialPort ...), so the readers of EOF, LOC, LOF and INPUT$ need not
// know which.

#include "values/HostFailure.h"
#include "values/InterpreterError.h"

#include <QIODevice>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace korvelin {

// One field of a random file's record, bound to a variable by FIELD.
struct FieldBinding {
    std::int16_t width = 0;
    std::int16_t start = 0;     // 1-based byte position in the record
    std::int32_t variable = -1; // ValuePool slot of the bound variable
};

struct FileEntry {
    // Empty while the entry is free; otherwise the name it was opened
    // under, upper-cased and resolved ("COM1:N81..." for the serial port).
    std::u16string name;
    std::u16string mode;     // "INPUT", "OUTPUT", "APPEND" or "RANDOM"
    std::string lineBuffer;  // CP932 bytes: pending output line, or the record buffer
    std::string inputBuffer; // CP932 bytes read from the device and not consumed yet
    std::int16_t column = 0;
    std::int16_t recordLength = 0;
    std::vector<FieldBinding> fields;
    std::unique_ptr<QIODevice> device;

    bool isOpen() const { return !name.empty(); }
    bool isSerialPort() const { return name.starts_with(u"COM"); }
    bool isRandom() const { return mode == u"RANDOM"; }
};

class FileTable {
  public:
    static constexpr int EntryCount = 10;

    // Any entry 0..9; another number fails as an out-of-range host error.
    FileEntry& entry(std::int32_t number) {
        if (number < 0 || number >= EntryCount) failHost(HostFailureKind::Other);
        return entries_[static_cast<std::size_t>(number)];
    }
    // The check of the statements that read or write a program file: the
    // number must be 1..9 (error 52) and open (error 60).
    FileEntry& openEntry(std::int32_t number) {
        if (number < 1 || number >= EntryCount) raise(ErrBadFileNumber);
        FileEntry& e = entries_[static_cast<std::size_t>(number)];
        if (!e.isOpen()) raise(ErrFileNotOpen);
        return e;
    }

  private:
    std::array<FileEntry, EntryCount> entries_;
};

} // namespace korvelin
