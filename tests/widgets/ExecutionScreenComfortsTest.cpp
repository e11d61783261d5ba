// The execution window's break keys and its zoom.

#include "screen/widgets/ExecutionScreen.h"
#include "support/EditorHarness.h"

#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace korvelin::testing {
namespace {

ExecutionScreen& windowOf(EditorHarness& h) {
    return dynamic_cast<ExecutionScreen&>(h.session->screen);
}

// Plays `during` once the program has run a little, then ends a run that
// is still going after five seconds.
void runWhile(EditorHarness& h, const std::function<void()>& during) {
    QTimer timer;
    QElapsedTimer clock;
    bool played = false;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (clock.elapsed() > 5000) h.editor().menu_halt_Click();
        if (!played && clock.elapsed() > 30) {
            played = true;
            during();
        }
    });
    clock.start();
    timer.start(5);
    h.run();
}

TEST(ExecutionScreenComforts, CtrlBreakAndPauseBreakWhileEveryOtherKeyGoesToTheProgram) {
    const std::vector<QKeyCombination> breaks = {Qt::CTRL | Qt::Key_Pause, QKeyCombination(Qt::Key_Pause),
                                                 Qt::CTRL | Qt::Key_Cancel};
    for (const QKeyCombination key : breaks) {
        EditorHarness h;
        ExecutionScreen& w = windowOf(h);
        h.type(QStringLiteral("10 GOTO 10\n"));
        runWhile(h, [&] {
            // The editor's keys are the program's here: F5, Shift+F5, Ctrl+S.
            QTest::keyClick(&w, Qt::Key_F5);
            QTest::keyClick(&w, Qt::Key_F5, Qt::ShiftModifier);
            QTest::keyClick(&w, Qt::Key_S, Qt::ControlModifier);
            QTest::keyClick(&w, Qt::Key_A);
            QKeyEvent press(QEvent::KeyPress, key.key(), key.keyboardModifiers());
            QApplication::sendEvent(&w, &press);
        });
        EXPECT_EQ(h.control().runState(), RunState::Break);
        // F5's function-key text (empty here), then Ctrl+S's and A's characters.
        EXPECT_EQ(h.in().keyboard.keyBuffer.size(), 2u);
        EXPECT_EQ(h.in().keyboard.keyBuffer.back(), u'a');
    }
}

TEST(ExecutionScreenComforts, ZoomRepeatsPagePixelsAndMiceStillReadPagePixels) {
    EditorHarness h;
    ExecutionScreen& w = windowOf(h);
    h.editor().findChild<QAction*>(QStringLiteral("screenzoom_2"))->trigger();
    EXPECT_EQ(w.zoom(), 2);
    EXPECT_EQ(w.size(), QSize(1280, 800));
    EXPECT_EQ(h.session->settings.windows.screenZoom, 2);
    h.type(QStringLiteral("10 PRINT \"Z\"\n20 GOTO 20\n"));
    runWhile(h, [&] {
        QTest::mouseMove(&w, QPoint(201, 101));
        QTest::mouseClick(&w, Qt::LeftButton, Qt::NoModifier, QPoint(201, 101));
        h.editor().menu_halt_Click();
    });
    EXPECT_EQ(h.in().keyboard.mouseX, 100.5f);
    EXPECT_EQ(h.in().keyboard.mouseY, 51); // 50.5, rounded as the program reads it
    EXPECT_EQ(h.in().keyboard.buttonDownX[1], 100.5f);
    // What the window shows: every page pixel as a 2 x 2 block.
    const QImage shown = w.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage& page = h.in().screen.page(0);
    ASSERT_EQ(shown.size(), QSize(1280, 800));
    int lit = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 8; ++x) {
            const QRgb p = page.pixel(x, y);
            lit += p != 0xFF000000;
            for (int dy = 0; dy < 2; ++dy)
                for (int dx = 0; dx < 2; ++dx)
                    ASSERT_EQ(shown.pixel(2 * x + dx, 2 * y + dy), p) << x << "," << y;
        }
    EXPECT_GT(lit, 10); // the "Z" is there
    // A size dragged by the user still snaps to whole cells of the page.
    w.resize(1000, 600);
    EXPECT_EQ(w.size(), QSize(1008, 608));
    EXPECT_EQ(h.in().screen.textColumns, 63);
    w.setZoom(1);
    EXPECT_EQ(w.size(), QSize(504, 304));
}

} // namespace
} // namespace korvelin::testing
