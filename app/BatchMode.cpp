#include "app/BatchMode.h"

#include "app/BatchHost.h"
#include "app/Startup.h"
#include "devices/PdfPrintTarget.h"
#include "devices/ProgramFile.h"
#include "devices/WavRecorder.h"
#include "interpreter/Interpreter.h"
#include "platform/Settings.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>

#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <string>

namespace korvelin {

namespace {

constexpr int StatusEnded = 0;
constexpr int StatusError = 1;
constexpr int StatusUsage = 2;
constexpr int StatusBreak = 3;

struct BatchOptions {
    QString programPath;
    QString settingsPath;
    QString screenshotPath;
    QString soundPath;   // PLAY and BEEP rendered into a WAV file
    QString printerPath; // printed documents into one PDF file
    QSize desktop{DefaultDesktopWidth, DefaultDesktopHeight};
    std::u16string commandTail;
    bool classicDialect = false;
};

int usage(const char* problem) {
    std::fprintf(
        stderr,
        "korvelin: %s\nusage: korvelin --batch [--settings FILE] [--screenshot FILE.png] [--desktop WxH]\n"
        "                      [--sound FILE.wav] [--printer FILE.pdf] [--classic] FILE.BAS [ARGS...]\n",
        problem);
    return StatusUsage;
}

std::optional<QSize> parseSize(const char* text) {
    int w = 0, h = 0;
    char extra = 0;
    if (std::sscanf(text, "%dx%d%c", &w, &h, &extra) != 2 || w < 8 || h < 16 || w > 16384 || h > 16384)
        return std::nullopt;
    return QSize(w, h);
}

// Returns an exit status when the arguments are wrong.
std::optional<int> parseArguments(int argc, char* argv[], BatchOptions& options) {
    int i = 2;
    for (; i < argc && std::strncmp(argv[i], "--", 2) == 0; ++i) {
        const std::string option = argv[i];
        if (option == "--") {
            ++i;
            break;
        }
        if (option == "--classic") {
            options.classicDialect = true;
            continue;
        }
        if (i + 1 >= argc) return usage(("missing value after " + option).c_str());
        if (option == "--settings") {
            options.settingsPath = QString::fromLocal8Bit(argv[++i]);
        } else if (option == "--screenshot") {
            options.screenshotPath = QString::fromLocal8Bit(argv[++i]);
        } else if (option == "--sound") {
            options.soundPath = QString::fromLocal8Bit(argv[++i]);
        } else if (option == "--printer") {
            options.printerPath = QString::fromLocal8Bit(argv[++i]);
        } else if (option == "--desktop") {
            const std::optional<QSize> size = parseSize(argv[++i]);
            if (!size) return usage("--desktop wants WIDTHxHEIGHT in pixels");
            options.desktop = *size;
        } else {
            return usage(("unknown option " + option).c_str());
        }
    }
    if (i >= argc) return usage("no program file");
    options.programPath = QString::fromLocal8Bit(argv[i++]);
    QString tail;
    for (; i < argc; ++i) {
        if (!tail.isEmpty()) tail += QLatin1Char(' ');
        tail += QString::fromLocal8Bit(argv[i]);
    }
    options.commandTail = tail.toStdU16String();
    return std::nullopt;
}

// stderr carries the program's message boxes only; Qt's own notes about
// the environment (no XDG_RUNTIME_DIR and the like) would garble it.
void dropQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtFatalMsg) std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

bool loadProgram(const QString& path, std::u16string& text) {
    const std::optional<ProgramFileText> file = readProgramFile(path);
    if (!file) return false;
    text = withCrLf(file->text);
    return true;
}

} // namespace

bool isBatchCommandLine(int argc, char* argv[]) {
    return argc > 1 && std::strcmp(argv[1], "--batch") == 0;
}

int runBatch(int argc, char* argv[]) {
    BatchOptions options;
    if (const std::optional<int> status = parseArguments(argc, argv, options)) return *status;

    // Qt sees none of the program's arguments.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(dropQtMessages);
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);

    BatchHost host(stdin, stdout, stderr);
    // The windows' settings file (or the named one), read and never written.
    if (options.settingsPath.isEmpty()) {
        host.settings.load(applicationDirectory());
    } else if (!host.settings.loadFile(options.settingsPath)) {
        std::fprintf(stderr, "korvelin: cannot read %s\n", options.settingsPath.toLocal8Bit().constData());
        return StatusUsage;
    }
    if (!loadProgram(options.programPath, host.program)) {
        std::fprintf(stderr, "korvelin: cannot read %s\n", options.programPath.toLocal8Bit().constData());
        return StatusUsage;
    }
    host.loadFile = [](const std::u16string& path, std::u16string& text) {
        return loadProgram(QString::fromStdU16String(path), text);
    };

    // Without the options nothing sounds and printed output is dropped.
    std::unique_ptr<WavRecorder> sound;
    if (!options.soundPath.isEmpty()) {
        sound = std::make_unique<WavRecorder>(options.soundPath);
        if (!sound->isOpen()) {
            std::fprintf(stderr, "korvelin: cannot write %s\n", options.soundPath.toLocal8Bit().constData());
            return StatusUsage;
        }
    }
    std::unique_ptr<PdfPrintTarget> printer;
    if (!options.printerPath.isEmpty()) printer = std::make_unique<PdfPrintTarget>(options.printerPath);

    Interpreter in(host);
    host.attach(in);
    in.voices.setOutput(sound.get());
    in.printer.setTarget(printer.get());
    in.startMode = StartMode::CommandLine;
    in.commandTail = options.commandTail;
    in.classicDialect = options.classicDialect || host.settings.classicDialect;
    in.printer.setFont(applyPrinterFont(host.settings.printerFont));
    in.currentProgramPath = options.programPath.toStdU16String();
    in.screen.setDesktopSize(options.desktop);
    // Drives from the settings file; the current directory starts as the
    // working directory the program was run from.
    applyDriveSettings(host.settings, in.paths);
    applySerialSettings(host.settings, in.files.serial);
    in.paths.setAppDirectory(applicationDirectory());
    in.paths.setProgramFolder(QDir::currentPath());

    in.prepareProgram(PrepareMode::Full);
    if (!host.errorReported) in.runLoop(in.statements.firstStatement);
    host.flush();

    int status = host.errorReported ? StatusError : host.stoppedAtBreak ? StatusBreak : StatusEnded;
    // The application ends: so does the document still open.
    try {
        in.printer.endDocument();
    } catch (const HostFailure&) {
    }
    in.printer.setTarget(nullptr);
    if (printer && !printer->finish()) {
        std::fprintf(stderr, "korvelin: cannot write %s\n", options.printerPath.toLocal8Bit().constData());
        status = StatusUsage;
    }
    if (!options.screenshotPath.isEmpty() && !in.screen.windowImage().save(options.screenshotPath, "PNG")) {
        std::fprintf(stderr, "korvelin: cannot write %s\n", options.screenshotPath.toLocal8Bit().constData());
        status = StatusUsage;
    }
    return status;
}

} // namespace korvelin
