#include "app/CommandLineInfo.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace korvelin {

namespace {

constexpr int StatusInformation = 0;
constexpr int StatusNoDisplay = 2;

constexpr const char* usageText =
    "usage: korvelin [--classic] [FILE.BAS [ARGS...]]\n"
    "       korvelin --batch [--settings FILE] [--screenshot FILE.png] [--desktop WxH]\n"
    "                        [--sound FILE.wav] [--printer FILE.pdf] [--classic] FILE.BAS [ARGS...]\n"
    "       korvelin --help | --version\n"
    "\n"
    "Without arguments Korvelin opens the editor. With FILE.BAS it runs that\n"
    "program in the execution window, the editor hidden, and ends with it;\n"
    "ARGS, joined by blanks, are the program's COMMAND$. --classic runs it in\n"
    "the classic-dialect mode.\n"
    "\n"
    "--batch runs FILE.BAS without any window or display: the console's text\n"
    "goes to stdout (UTF-8), message boxes to stderr, and stdin is the keyboard.\n"
    "  --settings FILE       read this settings file instead of KORVELIN.INI\n"
    "                        (batch mode never writes a settings file)\n"
    "  --screenshot FILE.png save the window area of the display page after the run\n"
    "  --desktop WxH         the desktop size in pixels (default 1024x768)\n"
    "  --sound FILE.wav      record what PLAY and BEEP sound (else silent)\n"
    "  --printer FILE.pdf    print the run's printed documents into a PDF file\n"
    "                        (else they are dropped)\n"
    "  --classic             the classic-dialect mode\n"
    "Exit status of --batch: 0 the program ended, 1 an error ended it,\n"
    "2 wrong arguments or an unreadable file, 3 it stopped at STOP.\n"
    "\n"
    "--help     print this text\n"
    "--version  print the version\n";

bool environmentSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

} // namespace

std::optional<int> answerInformationRequest(int argc, char* argv[]) {
    if (argc < 2) return std::nullopt;
    if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        std::fputs(usageText, stdout);
        return StatusInformation;
    }
    if (std::strcmp(argv[1], "--version") == 0) {
        std::printf("korvelin %s\n", KORVELIN_VERSION);
        return StatusInformation;
    }
    return std::nullopt;
}

bool displayAvailable() {
    return environmentSet("QT_QPA_PLATFORM") || environmentSet("DISPLAY") ||
           environmentSet("WAYLAND_DISPLAY");
}

int reportNoDisplay() {
    std::fputs("korvelin: no display to open the windows on (DISPLAY and WAYLAND_DISPLAY are not set); "
               "use korvelin --batch FILE.BAS to run a program without windows\n",
               stderr);
    return StatusNoDisplay;
}

} // namespace korvelin
