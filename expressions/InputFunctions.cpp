// INKEY$ and INPUT$: text from the key buffer, a file or the serial port.
// INPUT$ counts bytes of the CP932 form, so a full-width key counts two.

#include "expressions/BuiltinFunctions.h"
#include "expressions/FunctionArguments.h"
#include "expressions/SerialWait.h"
#include "values/CheckedNumbers.h"
#include "values/Cp932.h"

#include <algorithm>

namespace korvelin {

namespace {

constexpr std::int32_t MaxInputBytes = 16 * 1024 * 1024;

// Lets window events run until `ready` holds or an event is pending (a
// trap, a break, or the end of the run). Each pass blocks in the event
// loop, so a program waiting for keys uses no CPU.
template <class Ready> void waitUntil(Interpreter& in, Ready ready) {
    in.host.processEvents();
    while (!ready() && in.events.pendingEvent == NoEvent)
        in.host.waitForEvents();
}

// Never waits for a window event: "" when no key is waiting. A host
// whose keys do not come as window events (batch mode) is asked for one.
Value inkey(Interpreter& in) {
    noArgument(in);
    std::u16string& keys = in.keyboard.keyBuffer;
    if (keys.empty()) in.host.keysWanted(keys, 1);
    if (keys.empty()) return Value::bytes({});
    Value key = Value::text(std::u16string_view(keys).substr(0, 1));
    keys.erase(0, 1);
    return key;
}

// A wait that ended early is made up with blanks.
std::string fromKeyboard(Interpreter& in, std::size_t count) {
    std::u16string& keys = in.keyboard.keyBuffer;
    waitUntil(in, [&] { return cp932::encode(keys).size() >= count; });
    std::string bytes = cp932::encode(keys);
    if (bytes.size() < count) bytes.resize(count, ' ');
    // A double-byte key cut in two leaves its second byte for the next read.
    keys = cp932::decode(std::string_view(bytes).substr(count));
    bytes.resize(count);
    return bytes;
}

std::string fromSerialPort(Interpreter& in, FileEntry& port, std::size_t count) {
    std::string& received = port.inputBuffer;
    waitForSerialInput(in, port, count);
    if (received.size() < count) received.resize(count, ' ');
    std::string bytes = received.substr(0, count);
    received.erase(0, count);
    return bytes;
}

// The unread rest of the line INPUT # left comes first, then bytes of the
// file as they are, line ends included.
std::string fromDiskFile(FileEntry& file, std::size_t count) {
    // An entry left open by an earlier run has no file behind it any more.
    if (!file.device) failHost(HostFailureKind::Other);
    std::string bytes = file.inputBuffer.substr(0, count);
    const std::size_t fromBuffer = bytes.size();
    if (bytes.size() < count) {
        file.device->read(bytes, count - bytes.size());
        // A read that cannot be met takes nothing: what was read waits in
        // the buffer, so a program that traps error 55 can still read it.
        if (bytes.size() < count) {
            file.inputBuffer = std::move(bytes);
            raise(ErrInputPastEnd);
        }
    }
    file.inputBuffer.erase(0, fromBuffer);
    return bytes;
}

// INPUT$(n) from the keyboard, INPUT$(n, #f) from file f.
Value inputText(Interpreter& in) {
    openList(in);
    const std::int32_t n = wholeOf(evaluateExpression(in));
    if (n <= 0) raise(ErrIllegalCall);
    // A string that long cannot be held (out of memory, as the host says).
    if (n > MaxInputBytes) failHost(HostFailureKind::Other);
    const auto count = static_cast<std::size_t>(n);
    checkStringBytes(count);
    if (!in.lexer.isSymbol(u',')) {
        closeList(in);
        return Value::bytes(fromKeyboard(in, count));
    }
    in.lexer.nextToken();
    in.expectSymbol(u'#');
    in.lexer.nextToken();
    FileEntry& file = in.files.openEntry(wholeOf(evaluateExpression(in)));
    closeList(in);
    if (file.isSerialPort()) return Value::bytes(fromSerialPort(in, file, count));
    return Value::bytes(fromDiskFile(file, count));
}

} // namespace

void registerInputFunctions(BuiltinTable& table) {
    table[KwInkeyS] = inkey;
    table[KwInputS] = inputText;
}

} // namespace korvelin
