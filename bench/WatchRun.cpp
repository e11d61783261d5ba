// Runs a program in the execution window as the interactive editor does,
// with a number of watch expressions set that never fire, and prints the
// wall time of the run. bench/watch-run compares 0 and 3 watches.
//
//   korvelin_watch_run FILE.BAS WATCHES

#include "app/EditorSession.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>

#include <cstdio>

using namespace korvelin;

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s FILE.BAS WATCHES\n", argv[0]);
        return 2;
    }
    const int watchCount = std::atoi(argv[2]);
    EditorSession session(QDir::tempPath() + QStringLiteral("/"));
    session.start({});
    session.editor.openProgram(QString::fromLocal8Bit(argv[1]));
    // Expressions that read the loop's variables and never break the run.
    const char16_t* expressions[] = {u"T<0", u"I>1E9", u"T*0"};
    for (int i = 0; i < watchCount && i < 3; ++i) {
        session.debugTools.watchWindow.watches.add(expressions[i],
                                                   i == 2 ? WatchBreakOnChange : WatchBreakOnTrue);
        session.debugTools.watchWindow.List1->addItem(QString::fromStdU16String(expressions[i]));
    }
    QElapsedTimer timer;
    timer.start();
    session.control.StartRun();
    std::printf("%.3f\n", static_cast<double>(timer.nsecsElapsed()) / 1e9);
    return 0;
}
