// Runs a program in the execution window as `korvelin FILE.BAS` does and
// counts how often the window repaints while it runs: the frame rate a
// user sees.
//
//   korvelin_frames FILE.BAS      prints "frames N seconds S per-second F"

#include "app/Startup.h"
#include "screen/widgets/ExecutionScreen.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>

#include <cstdio>

namespace {

class PaintCounter : public QObject {
  public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && qobject_cast<korvelin::ExecutionScreen*>(watched)) {
            if (!clock.isValid()) clock.start();
            ++frames;
            lastMs = clock.elapsed();
        }
        return false;
    }
    QElapsedTimer clock;
    long frames = 0;
    qint64 lastMs = 0;
};

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILE.BAS\n", argv[0]);
        return 2;
    }
    QApplication app(argc, argv);
    PaintCounter counter;
    app.installEventFilter(&counter);
    const int status = korvelin::runEditorApplication(app, app.arguments().mid(1));
    const double seconds = static_cast<double>(counter.lastMs) / 1000.0;
    std::printf("frames %ld seconds %.3f per-second %.1f\n", counter.frames, seconds,
                seconds > 0 ? static_cast<double>(counter.frames) / seconds : 0.0);
    return status;
}
