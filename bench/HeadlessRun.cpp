// Runs a program file on a windowless interpreter and reports how long the
// run took and how it ended. A measuring tool for the engine's speed until
// the batch mode of the application takes over.
//
//   korvelin_headless FILE.BAS [repeat]

#include "interpreter/Interpreter.h"
#include "platform/HeadlessHost.h"
#include "values/Cp932.h"

#include <QDir>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

using namespace korvelin;

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILE.BAS [repeat]\n", argv[0]);
        return 2;
    }
    std::ifstream file(argv[1], std::ios::binary);
    if (!file) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 2;
    }
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::u16string text;
    for (char16_t c : cp932::decode(bytes)) {
        if (c == u'\r') continue;
        if (c == u'\n')
            text += u"\r\n";
        else
            text += c;
    }
    const int repeat = argc > 2 ? std::atoi(argv[2]) : 1;
    HeadlessHost host;
    host.program = text;
    Interpreter in(host);
    // File names count from the working directory, as in batch mode.
    in.paths.setProgramFolder(QDir::currentPath());
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < repeat; ++i) {
        in.prepareProgram(PrepareMode::Full);
        in.runLoop(in.statements.firstStatement);
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%.3f s\n", seconds);
    for (const std::u16string& box : host.errorBoxes) {
        std::string line;
        for (char16_t c : box)
            line += c < 0x80 ? static_cast<char>(c == u'\r' ? ' ' : c) : '?';
        std::printf("stopped: %s\n", line.c_str());
    }
    return 0;
}
