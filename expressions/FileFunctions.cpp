// EOF, LOC and LOF: what is left, where the program is and how long the
// file is, for a disk file or the serial port behind a file number.

#include "expressions/BuiltinFunctions.h"
#include "expressions/FunctionArguments.h"

namespace korvelin {

namespace {

// Numbers 0..9 only (error 21 otherwise); a free entry, or one whose file
// an earlier run left behind, fails as the host would (error 21 too).
FileEntry& queriedEntry(Interpreter& in) {
    FileEntry& e = in.files.entry(wholeOf(singleArgument(in)));
    if (!e.isOpen() || !e.device) failHost(HostFailureKind::Other);
    return e;
}

// Characters the port has received and the program has not read yet.
std::int64_t waitingCount(const FileEntry& port) {
    return port.device->bytesWaiting() + static_cast<std::int64_t>(port.inputBuffer.size());
}

Value longResult(std::int64_t v) {
    if (v < 0 || v > 2147483647) failHost(HostFailureKind::Other);
    return Value::longInt(static_cast<std::int32_t>(v));
}

// A disk file is at its end when nothing is left to read, neither in the
// file nor in what INPUT # left of the current line, so a loop on NOT EOF
// reads every item of the last line.
Value endOfFile(Interpreter& in) {
    FileEntry& e = queriedEntry(in);
    const bool atEnd = e.isSerialPort() ? waitingCount(e) == 0 : in.files.atEndOfData(e);
    return Value::integer(atEnd ? -1 : 0);
}

// Random files: the position of the last byte read or written; sequential
// files: whole 128-byte blocks passed, counting what has been written.
Value location(Interpreter& in) {
    const FileEntry& e = queriedEntry(in);
    if (e.isSerialPort()) return longResult(waitingCount(e));
    if (e.isRandom()) return longResult(e.device->position());
    return longResult(e.device->position() / 128);
}

// The length reaches the host first, so it includes every line written so far.
Value fileLength(Interpreter& in) {
    const FileEntry& e = queriedEntry(in);
    return longResult(e.isSerialPort() ? waitingCount(e) : e.device->length());
}

} // namespace

void registerFileFunctions(BuiltinTable& table) {
    table[KwEof] = endOfFile;
    table[KwLoc] = location;
    table[KwLof] = fileLength;
}

} // namespace korvelin
