// The libFuzzer target: one input is a program file, optionally followed
// by "\n@@STDIN\n" and the lines batch mode reads from stdin. It runs
// through the program-file reader, preparation and the run loop of a batch
// host, as `korvelin --batch` would, with output thrown away. A run is
// ended after a fixed number of statements, as the end button would.

#include "app/BatchHost.h"
#include "devices/ProgramFile.h"
#include "interpreter/Interpreter.h"

#include <QGuiApplication>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace korvelin {
namespace {

constexpr long StatementBudget = 20000;

// Ends the run after StatementBudget statements (each one lets window
// events through once) and during every wait for input that cannot come.
class FuzzHost : public BatchHost {
  public:
    using BatchHost::BatchHost;
    Interpreter* in = nullptr;
    long passes = 0;
    void processEvents() override {
        if (++passes > StatementBudget && in) in->events.pendingEvent = EventEndRequest;
    }
};

void dropQtMessages(QtMsgType, const QMessageLogContext&, const QString&) {}

} // namespace
} // namespace korvelin

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    (void)argc;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(korvelin::dropQtMessages);
    static int qtArgc = 1;
    static QGuiApplication app(qtArgc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace korvelin;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    constexpr std::string_view separator = "\n@@STDIN\n";
    const std::size_t split = input.find(separator);
    const std::string_view programBytes = input.substr(0, split);
    std::string stdinBytes =
        split == std::string_view::npos ? std::string() : std::string(input.substr(split + separator.size()));

    std::FILE* keyboard = stdinBytes.empty() ? std::fopen("/dev/null", "r")
                                             : fmemopen(stdinBytes.data(), stdinBytes.size(), "r");
    std::FILE* sink = std::fopen("/dev/null", "w");
    {
        FuzzHost host(keyboard, sink, sink);
        const ProgramFileText text =
            decodeProgramFile(QByteArray(programBytes.data(), static_cast<qsizetype>(programBytes.size())));
        host.program = withCrLf(text.text);
        host.loadFile = [](const std::u16string&, std::u16string&) { return false; };
        Interpreter in(host);
        host.attach(in);
        host.in = &in;
        in.startMode = StartMode::CommandLine;
        in.prepareProgram(PrepareMode::Full);
        if (!host.errorReported) in.runLoop(in.statements.firstStatement);
    }
    if (keyboard) std::fclose(keyboard);
    std::fclose(sink);
    return 0;
}
