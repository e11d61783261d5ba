// What the console leaves on the pages, pixel by pixel.

#include "screen/ScreenState.h"
#include "support/RunProgram.h"

#include "support/GuiEnvironment.h"
#include <QGuiApplication>

#include <gtest/gtest.h>

#include <memory>

namespace korvelin::testing {
namespace {

[[maybe_unused]] ::testing::Environment* const gui = ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

constexpr ColorRef Black = 0x000000;
constexpr ColorRef White = 0xFFFFFF;
constexpr ColorRef Yellow = 0x00FFFF;    // colour 6
constexpr ColorRef LightBlue = 0xFF0000; // colour 1

ColorRef at(ScreenState& s, int page, int x, int y) {
    return colorOfPixel(s.page(page).pixel(x, y));
}

struct CellCount {
    int foreground = 0;
    int background = 0;
    int other = 0;
};

CellCount countCell(ScreenState& s, int x0, int y0, int w, int h, ColorRef fg, ColorRef bg) {
    CellCount c;
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x) {
            const ColorRef p = at(s, 0, x, y);
            if (p == fg)
                ++c.foreground;
            else if (p == bg)
                ++c.background;
            else
                ++c.other;
        }
    return c;
}

bool rowIs(ScreenState& s, int y, int x0, int x1, ColorRef color) {
    for (int x = x0; x <= x1; ++x)
        if (at(s, 0, x, y) != color) return false;
    return true;
}

TEST(ConsolePixels, CharacterFillsItsCellAndNothingElse) {
    ProgramRun r(u"10 LOCATE 3,2: COLOR 6,1: PRINT \"W\";");
    ASSERT_FALSE(r.failed()) << std::string(r.lastError().begin(), r.lastError().end());
    ScreenState& s = r.in->screen;
    const CellCount cell = countCell(s, 24, 32, 8, 16, Yellow, LightBlue);
    EXPECT_GT(cell.foreground, 10); // the glyph is there
    EXPECT_GT(cell.background, 40); // on the filled cell box
    EXPECT_EQ(cell.other, 0);       // in exact palette colours
    // Around the cell the page is untouched.
    EXPECT_TRUE(rowIs(s, 31, 16, 40, Black));
    EXPECT_TRUE(rowIs(s, 48, 16, 40, Black));
    for (int y = 32; y < 48; ++y) {
        EXPECT_EQ(at(s, 0, 23, y), Black);
        EXPECT_EQ(at(s, 0, 32, y), Black);
    }
    EXPECT_EQ(r.in->screen.cursorColumn, 4);
}

TEST(ConsolePixels, FullWidthCharacterStraddlesTheLastColumn) {
    ProgramRun r(u"10 LOCATE 79,0: PRINT \"全\";\"A\";");
    ScreenState& s = r.in->screen;
    // Left half at the end of row 0, right half in column 0 of row 1.
    const CellCount left = countCell(s, 632, 0, 8, 16, White, Black);
    const CellCount right = countCell(s, 0, 16, 8, 16, White, Black);
    EXPECT_GT(left.foreground, 5);
    EXPECT_GT(right.foreground, 5);
    // The text goes on in column 1.
    EXPECT_GT(countCell(s, 8, 16, 8, 16, White, Black).foreground, 5);
    EXPECT_EQ(s.cursorRow, 1);
    EXPECT_EQ(s.cursorColumn, 2);

    // A tail that fills the new row exactly leaves the cursor after its last
    // column, on that row; the line end then goes to the next row only.
    ProgramRun exact(u"10 LOCATE 79,3: PRINT \"漢\"+STRING$(79,\"Z\");: X=POS(0): Y=CSRLIN: PRINT: Z=CSRLIN");
    EXPECT_EQ(exact.num(u"X!"), 80);
    EXPECT_EQ(exact.num(u"Y!"), 4);
    EXPECT_EQ(exact.num(u"Z!"), 5);
}

TEST(ConsolePixels, ScrollingMovesOnlyTheConsoleBand) {
    ProgramRun r(u"10 CONSOLE 5,10: LOCATE 0,14");
    ScreenState& s = r.in->screen;
    s.FillBox(0, 2 * 16, 639, 2 * 16 + 15, Yellow);   // row 2, above the band
    s.FillBox(0, 6 * 16, 639, 6 * 16 + 15, Yellow);   // row 6, inside
    s.FillBox(0, 15 * 16, 639, 15 * 16 + 15, Yellow); // row 15, below
    s.ConsoleNewLine();
    EXPECT_EQ(s.cursorRow, 14);
    EXPECT_TRUE(rowIs(s, 2 * 16, 0, 639, Yellow));
    EXPECT_TRUE(rowIs(s, 5 * 16, 0, 639, Yellow)); // row 6 moved up to row 5
    EXPECT_TRUE(rowIs(s, 5 * 16 + 15, 0, 639, Yellow));
    EXPECT_TRUE(rowIs(s, 6 * 16, 0, 639, Black));
    EXPECT_TRUE(rowIs(s, 14 * 16 + 15, 0, 639, Black)); // the uncovered last row
    EXPECT_TRUE(rowIs(s, 15 * 16, 0, 639, Yellow));
}

TEST(ConsolePixels, ClsClearsTheConsoleWindowOrTheWholePage) {
    ProgramRun r(u"10 CONSOLE 2,5");
    ScreenState& s = r.in->screen;
    const QSize desktop = s.desktopSize();
    auto paint = [&] { s.FillBox(0, 0, desktop.width() - 1, desktop.height() - 1, Yellow); };

    paint();
    r.run(u"10 CONSOLE 2,5: CLS");
    EXPECT_TRUE(rowIs(s, 2 * 16, 0, 639, Black));
    EXPECT_TRUE(rowIs(s, 7 * 16 - 1, 0, 639, Black));
    EXPECT_TRUE(rowIs(s, 2 * 16 - 1, 0, 639, Yellow)); // above the window
    EXPECT_TRUE(rowIs(s, 7 * 16, 0, 639, Yellow));     // below it
    EXPECT_EQ(at(s, 0, 640, 3 * 16), Yellow);          // right of the text area
    EXPECT_EQ(s.cursorRow, 2);
    EXPECT_EQ(s.cursorColumn, 0);

    paint();
    r.run(u"10 COLOR ,1: CLS 2");
    EXPECT_TRUE(rowIs(s, 0, 0, desktop.width() - 1, LightBlue));
    EXPECT_TRUE(rowIs(s, desktop.height() - 1, 0, desktop.width() - 1, LightBlue));
    EXPECT_EQ(s.cursorRow, 0); // the run reset put the console window back to the top
}

TEST(ConsolePixels, TwentyPixelRowsKeepTheGapsBetweenRows) {
    ProgramRun r(u"10 WIDTH 80,20");
    ScreenState& s = r.in->screen;
    EXPECT_EQ(s.rowHeight, 20);
    EXPECT_EQ(s.glyphOffsetY, 2);
    EXPECT_EQ(s.pageHeightUnits, 25);
    EXPECT_EQ(s.consoleLines, 20);
    EXPECT_EQ(s.clientWidth, 640);
    EXPECT_EQ(s.clientHeight, 400);
    s.FillBox(0, 20, 639, 39, Yellow);
    r.run(u"10 LOCATE 0,1: COLOR 7,1: PRINT \"AB\";");
    // The cell box is 16 pixels high, 2 below the top of the 20-pixel row.
    EXPECT_TRUE(rowIs(s, 21, 0, 15, Yellow));
    EXPECT_TRUE(rowIs(s, 38, 0, 15, Yellow));
    EXPECT_EQ(countCell(s, 0, 22, 16, 16, White, LightBlue).other, 0);
    EXPECT_GT(countCell(s, 0, 22, 16, 16, White, LightBlue).foreground, 10);

    ProgramRun negative(u"10 WIDTH 80,-25");
    EXPECT_EQ(negative.in->screen.rowHeight, 20);
    EXPECT_EQ(negative.in->screen.clientHeight, 500);
    EXPECT_EQ(negative.in->screen.pageHeightUnits, 31);
    EXPECT_EQ(negative.in->screen.consoleLines, 24);
}

TEST(ConsolePixels, PointReadsTheActivePageAsRgb) {
    ProgramRun r(u"10 COLOR 6,1: LOCATE 0,0: PRINT \" \";: A=POINT(3,3): B=POINT(-1,0): C=POINT(8,0)");
    EXPECT_EQ(r.num(u"A!"), LightBlue);
    EXPECT_EQ(r.num(u"B!"), -1);
    EXPECT_EQ(r.num(u"C!"), Black);
}

TEST(ConsolePixels, HiddenPageChangesNothingVisible) {
    ProgramRun r;
    ScreenState& s = r.in->screen;
    s.takeDisplayChanges();
    const auto before = s.displayVersion();
    s.activePage = 1;
    s.PositionCursor();
    s.ConsoleWrite(u"hidden");
    EXPECT_EQ(s.displayVersion(), before);
    EXPECT_TRUE(s.takeDisplayChanges().isNull());
    EXPECT_EQ(countCell(s, 0, 0, 48, 16, White, Black).foreground, 0); // page 0 is untouched
    int drawn = 0;
    for (int x = 0; x < 48; ++x)
        for (int y = 0; y < 16; ++y)
            drawn += at(s, 1, x, y) == White;
    EXPECT_GT(drawn, 20);
}

TEST(Colors, ModesAndTheirChecks) {
    ProgramRun r(u"10 COLOR 3,4,0,5");
    ScreenState& s = r.in->screen;
    EXPECT_EQ(s.textColor, 3);
    EXPECT_EQ(s.backgroundColor, 4);
    EXPECT_EQ(s.graphicsColor, 5);
    EXPECT_EQ(s.ColorValue(1), 0xFF0000u);
    EXPECT_EQ(s.ColorValue(2), 0x0000FFu);
    EXPECT_EQ(s.ColorValue(4), 0x00FF00u);

    r.run(u"10 COLOR 8");
    EXPECT_EQ(r.errorNumber(), 5);
    r.run(u"10 COLOR 3,99");
    EXPECT_EQ(r.errorNumber(), 5);
    EXPECT_EQ(s.textColor, 3); // checked one by one

    r.host.errorBoxes.clear();
    r.run(u"10 COLOR ,,,,2: COLOR 8");
    EXPECT_FALSE(r.failed());
    EXPECT_EQ(s.colorMode, 2);
    EXPECT_EQ(s.textColor, 8);
    EXPECT_EQ(s.graphicsColor, 15);
    EXPECT_EQ(s.ColorValue(8), 0x808080u);
    EXPECT_EQ(s.ColorValue(14), 0x008080u);
    r.run(u"10 COLOR ,,,,3");
    EXPECT_EQ(r.errorNumber(), 5);
}

TEST(ScreenStatements, ArgumentsAndTheirErrors) {
    ProgramRun r(u"10 CONSOLE 5,100");
    EXPECT_EQ(r.in->screen.consoleLines, 20);
    r.run(u"10 CONSOLE -1");
    EXPECT_EQ(r.errorNumber(), 5);
    r.run(u"10 CONSOLE ,0");
    EXPECT_EQ(r.errorNumber(), 5);
    r.run(u"10 LOCATE 1,2,3");
    EXPECT_EQ(r.errorNumber(), 1);
    r.run(u"10 LOCATE ,-1");
    EXPECT_EQ(r.errorNumber(), 5);
    r.run(u"10 WIDTH 0,25");
    EXPECT_EQ(r.errorNumber(), 5);
    r.run(u"10 WIDTH 80");
    EXPECT_EQ(r.errorNumber(), 1);
    r.run(u"10 WIDTH 80,0");
    EXPECT_EQ(r.errorNumber(), 5);
    r.host.errorBoxes.clear();
    r.run(u"10 WIDTH 40,25: WIDTH LPRINT 132: COLOR @(0,0)-(10,10),7: COPY 1");
    EXPECT_FALSE(r.failed());
    EXPECT_EQ(r.in->screen.clientWidth, 320);
    EXPECT_EQ(r.in->screen.textColumns, 40);
    r.run(u"10 WIDTH 5000,25");
    EXPECT_EQ(r.errorNumber(), 21); // 8 x 5000 pixels overflow 16 bits
}

} // namespace
} // namespace korvelin::testing
