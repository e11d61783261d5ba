// What a new user tripped over in the execution window: old output coming
// back in a later run, and the INPUT line editor looking unlike the console.

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

// Runs the program; `whileRunning` is called every few milliseconds until
// it returns true (or the run is ended after five seconds).
void runWith(EditorHarness& h, const std::function<bool()>& whileRunning) {
    QTimer timer;
    QElapsedTimer clock;
    bool done = false;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (clock.elapsed() > 5000) h.editor().menu_halt_Click();
        if (!done) done = whileRunning();
    });
    clock.start();
    timer.start(3);
    h.run();
    EXPECT_TRUE(done);
}

// Whether a rectangle of an image holds only the given colour.
bool onlyColour(const QImage& image, const QRect& area, QRgb colour) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) != colour) return false;
    return true;
}

TEST(ExecutionScreenFaults, OutputHiddenByASmallWindowDoesNotComeBackInALaterRun) {
    EditorHarness h;
    ExecutionScreen& w = windowOf(h);
    h.type(QStringLiteral("10 CLS:FOR I=1 TO 24:PRINT \"OLD\";I:NEXT\n"));
    h.run();
    w.resize(300, 150); // snaps to 304 x 144: nine rows
    ASSERT_EQ(w.size(), QSize(304, 144));
    h.type(QStringLiteral("10 CLS:PRINT \"NEW\"\n"));
    h.run();
    w.resize(640, 400);
    h.type(QStringLiteral("10 PRINT \"C\"\n"));
    h.run();
    const QImage shown = h.in().screen.windowImage();
    ASSERT_EQ(shown.size(), QSize(640, 400));
    // "NEW" and "C" on the first two rows, nothing below them.
    EXPECT_FALSE(onlyColour(shown, QRect(0, 0, 24, 16), 0xFF000000));
    EXPECT_FALSE(onlyColour(shown, QRect(0, 16, 8, 16), 0xFF000000));
    EXPECT_TRUE(onlyColour(shown, QRect(0, 32, 640, 368), 0xFF000000));
}

TEST(ExecutionScreenFaults, TheInputLineLooksLikeTheConsoleInItsFontCellsAndColours) {
    EditorHarness h;
    ExecutionScreen& w = windowOf(h);
    h.type(QStringLiteral("10 COLOR 6,1: PRINT \"AB\";: INPUT A$\n"));
    QImage typed;
    runWith(h, [&] {
        if (!w.Text2->isVisible()) return false;
        QTest::keyClicks(w.Text2, QStringLiteral("AB"));
        w.Text2->insert(QStringLiteral("漢")); // as an input method commits it
        typed = w.grab(w.Text2->geometry()).toImage().convertToFormat(QImage::Format_RGB32);
        QTest::keyClick(w.Text2, Qt::Key_Return);
        return true;
    });
    EXPECT_EQ(h.in().keyboard.keyBuffer, u""); // the line went to INPUT, not the key buffer
    ScreenState& s = h.in().screen;
    const QRgb yellow = pixelOf(s.ColorValue(6));
    const QRgb blue = pixelOf(s.ColorValue(1));
    ASSERT_EQ(typed.height(), 16);
    // The console's own drawing of the same text, cell for cell.
    QImage& page = s.page(1);
    page.fill(blue);
    s.drawGlyphs(1, 0, 0, u"AB漢", s.ColorValue(6));
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x)
            ASSERT_EQ(typed.pixel(x, y), page.pixel(x, y)) << x << "," << y;
    // Past the text and the caret (in the text colour when focused): the
    // page shows through, as beside anything the console writes.
    for (int y = 0; y < 16; ++y)
        EXPECT_TRUE(typed.pixel(32, y) == yellow || typed.pixel(32, y) == 0xFF000000);
    EXPECT_TRUE(onlyColour(typed, QRect(34, 0, typed.width() - 34, 16), 0xFF000000));
}

} // namespace
} // namespace korvelin::testing
