#pragma once
// A file of the host's file system behind a file number. Reads and writes
// go through a buffer of our own, so a program that writes a line per
// statement costs a system call per 64 KiB, and a line is found with one
// scan of the buffer. Every failure of the host surfaces as HostFailure,
// the moment the host reports it (a write that does not reach the disk is
// never taken for done).

#include "devices/FileDevice.h"

#include <QString>

namespace korvelin {

class DiskFile : public FileDevice {
  public:
    // Opens (and for writing modes creates) the file; throws when the host
    // refuses. INPUT needs an existing file, OUTPUT empties it, APPEND
    // writes at its end, RANDOM reads and writes anywhere.
    DiskFile(const QString& hostPath, FileMode mode);
    ~DiskFile() override;
    DiskFile(const DiskFile&) = delete;
    DiskFile& operator=(const DiskFile&) = delete;

    void write(std::string_view bytes) override;
    void flush() override;
    void close() override;
    bool readLine(std::string& line) override;
    std::size_t read(std::string& out, std::size_t count) override;
    bool atEnd() override;
    std::int64_t position() override;
    std::int64_t length() override;
    void readAt(std::int64_t offset, char* data, std::size_t count) override;
    void writeAt(std::int64_t offset, std::string_view bytes) override;

    static constexpr std::size_t BufferSize = 64 * 1024;
    // A "line" of a file without line ends is handed over in pieces of this
    // size, so reading never holds a whole file.
    static constexpr std::size_t MaxLineBytes = 1024 * 1024;

  private:
    // Reads the next block into the read buffer; false at the end of the file.
    bool refill();
    void writeAll(const char* data, std::size_t size);
    // A file whose last name was removed (its folder deleted, or the file
    // itself) keeps taking writes on this host that nobody will ever read.
    void checkStillNamed();

    int fd_ = -1;
    FileMode mode_;
    std::string readBuffer_;
    std::size_t readPos_ = 0;
    std::string writeBuffer_;
    std::int64_t hostPosition_ = 0; // where the host's file offset stands
    std::int64_t lastRecordByte_ = 0;
};

} // namespace korvelin
