#pragma once
// The interpreter's file numbers: entries 1..9 are the program's files,
// entry 0 holds the pending line of output written without a file number
// (LPRINT, LFILES). Behind an open entry stands a disk file, the serial
// port or a printer device, each seen through one FileDevice, so the
// readers of EOF, LOC, LOF and INPUT$ need not know which.
//
// The printer and the serial port plug in through DeviceOpeners: their
// owners give the table a function that opens the device for a name.

#include "devices/DosPath.h"
#include "devices/FileDevice.h"
#include "devices/SerialPortDevice.h"
#include "devices/SerialSettings.h"
#include "values/HostFailure.h"
#include "values/InterpreterError.h"

#include <array>
#include <cstdint>
#include <functional>
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
    std::unique_ptr<FileDevice> device;
    QString hostPath; // disk files: the host file, to tell a second writer

    bool isOpen() const { return !name.empty(); }
    // "COM", a colon or a port digit and a colon: a disk name that merely
    // begins with COM ("COMMON\X.TXT") is no port.
    bool isSerialPort() const {
        return name.size() >= 4 && name.starts_with(u"COM") &&
               (name[3] == u':' || (name.size() >= 5 && name[4] == u':'));
    }
    bool isRandom() const { return mode == u"RANDOM"; }
    bool isWriting() const { return mode == u"OUTPUT" || mode == u"APPEND"; }
};

// How an OPEN of "PRN:"/"LPTn:" or "COMn:" reaches its device. The printer
// opener receives the device name without its colon ("PRN", "LPT1");
// without one the device name is opened as an ordinary file in the current
// directory, as a host without printer devices would. The serial port is
// the host device the settings name for the port (SerialPortDevice); a
// serial opener given here stands in for it (the entry's name, already
// rewritten to "COMn:...", and the entry it serves).
struct DeviceOpeners {
    std::function<std::unique_ptr<FileDevice>(const std::u16string& device, FileMode mode)> printer;
    std::function<std::unique_ptr<FileDevice>(const std::u16string& name, FileEntry& entry)> serial;
    // LFILES (and LPRINT) hand each finished line here.
    std::function<void(const std::string& line)> printLine;
};

class FileTable {
  public:
    static constexpr int EntryCount = 10;

    FileTable() = default;
    ~FileTable();
    FileTable(const FileTable&) = delete;
    FileTable& operator=(const FileTable&) = delete;

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

    // --- OPEN and CLOSE ---
    // Opens `name` (upper-cased, not yet resolved) on entry `number` (1..9,
    // free). Disk names are looked up through `paths`.
    void open(std::int32_t number, const std::u16string& name, FileMode mode, const DosPaths& paths);
    // Closing one entry: a pending partial line is written, the device
    // closed, the entry freed. A free entry is left alone.
    void close(std::int32_t number);
    // Entries 1..9 in ascending order; every one is closed even when an
    // earlier one fails, and the first failure is thrown afterwards.
    void closeAll();
    // Data written so far reaches the host; the files stay open (a break).
    void flushAll();

    // --- sequential output ---
    // PRINT #/WRITE # text for the pending line. `column` counts it (and
    // stops at 32767); a pending line that grows beyond any sensible length
    // goes ahead to a disk file, which ends up holding the same bytes.
    void appendPending(FileEntry& e, std::string_view bytes);
    static constexpr std::size_t MaxPendingBytes = 64 * 1024;
    // PRINT #/WRITE # ended a line: lineBuffer and CR LF go to the device.
    void writeLine(FileEntry& e);
    // A serial port takes pending text at once, without a line end.
    void sendPending(FileEntry& e);

    // --- sequential input ---
    // INPUT # needs more text: the next line and CR LF become inputBuffer
    // (error 55 when the file is at its end).
    void fetchLine(FileEntry& e);
    // LINE INPUT #: the unread rest of the current line, or the next line.
    std::string fetchWholeLine(FileEntry& e);
    // Nothing left to read: neither in the file nor in the unread rest of
    // the current line (blanks and line ends do not count as data).
    bool atEndOfData(FileEntry& e);

    // Whether a file number has the serial port (only one can at a time).
    bool hasSerialPort() const;
    // Whether a file number has this host file (an absolute path) open.
    bool holdsHostFile(const QString& absolutePath) const;

    DeviceOpeners openers;
    // The settings the port opens with; OPEN "COMn:..." letters change them.
    SerialPortSettings serial;
    // Data arrived on the serial port (the COM trap's source); text sent to
    // a port that carries nothing was dropped (the beep).
    SerialPortHooks serialHooks;
    // An OPEN whose port did not open (the file number counts as open all
    // the same): the warning, given the port's name from the list ("COM1").
    std::function<void(const std::u16string& portName)> serialOpenFailed;

  private:
    std::array<FileEntry, EntryCount> entries_;
};

// The mode word of OPEN as FileMode.
FileMode fileModeOf(std::u16string_view modeWord);

} // namespace korvelin
