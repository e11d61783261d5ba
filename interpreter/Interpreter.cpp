#include "interpreter/Interpreter.h"

#include "devices/PrinterFileDevice.h"
#include "values/Cp932.h"
#include "values/HostFailure.h"

namespace korvelin {

Interpreter::Interpreter(RunHost& runHost) : host(runHost), lexer(words), variables(words) {
    keywords.loadBuiltin();
    registerStatements(handlers_);
    events.eventTarget.fill(-1);
    events.eventLevel.fill(NoHandlerLevel);
    // Data on the serial port raises the COM trap (event 23) when it is on
    // and its handler is not running; text for a port that is not open
    // beeps; a port that does not open is a warning, not an error.
    files.serialHooks.dataArrived = [this] { events.raiseTrap(EventCom, control.controlTop); };
    files.serialHooks.beep = [this] { voices.beep(); };
    files.serialOpenFailed = [this](const std::u16string& portName) {
        host.showWarningBox(portName + u": 接続に失敗しました。");
    };
    // Printer files and LFILES print through the printer.
    files.openers.printer = [this](const std::u16string&, FileMode) {
        return std::make_unique<PrinterFileDevice>(printer);
    };
    files.openers.printLine = [this](const std::string& line) {
        printer.printLine(QString::fromStdU16String(cp932::decode(line)));
    };
}

int Interpreter::lookUpReservedWord(int wordId) {
    int& cached = words.reservedIndex(wordId);
    if (cached == -2) {
        const std::u16string& word = words.text(wordId);
        if (word.empty() || word[0] < u'A' || word[0] > u'Z')
            cached = -3;
        else
            cached = keywords.findReservedWord(word);
    }
    // Names must begin with a letter A..Z; anything else is error 21.
    if (cached == -3) failHost(HostFailureKind::Other);
    return cached;
}

const ScanText* Interpreter::functionBodyText(const Value& body) {
    const std::string& bytes = body.byteForm();
    auto found = functionBodies_.find(bytes);
    if (found != functionBodies_.end()) return found->second.get();
    auto text = std::make_unique<ScanText>(cp932::decode(bytes));
    const ScanText* result = text.get();
    functionBodies_.emplace(bytes, std::move(text));
    return result;
}

} // namespace korvelin
