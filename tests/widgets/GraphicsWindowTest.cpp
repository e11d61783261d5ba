// Drawing in the execution window: the window repaints what changed once
// per event pass, not once per drawing, and shows the page it was drawn on.

#include "screen/widgets/ExecutionScreen.h"
#include "support/EditorHarness.h"

#include <QEvent>
#include <gtest/gtest.h>

namespace korvelin::testing {
namespace {

class PaintCounter : public QObject {
  public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
    int paints = 0;
};

TEST(GraphicsWindow, AHundredThousandPointsAreFewRepaints) {
    EditorHarness h;
    auto& window = dynamic_cast<ExecutionScreen&>(h.session->screen);
    PaintCounter counter;
    window.installEventFilter(&counter);
    h.type(QStringLiteral("10 CLS 2: FOR I=1 TO 100000: PSET (I MOD 600,(I\\600) MOD 380),I MOD 7+1: NEXT\n"
                          "20 LINE (10,10)-(100,50),2,BF: SCREEN 0,0,1,1: LINE (0,0)-(639,399),4,BF\n"));
    h.run();
    EXPECT_TRUE(h.dialogs.messages.empty());
    EXPECT_GT(counter.paints, 0);
    EXPECT_LT(counter.paints, 1000);
    // Page 1 was drawn on but never shown: the window shows page 0.
    const QImage shown = window.grab().toImage();
    EXPECT_EQ(shown.pixel(50, 30) & 0xFFFFFFu, 0xFF0000u);
    EXPECT_EQ(shown.pixel(5, 5) & 0xFFFFFFu, h.in().screen.page(0).pixel(5, 5) & 0xFFFFFFu);
}

} // namespace
} // namespace korvelin::testing
