#pragma once
// The execution screen's model: two desktop-sized pages, the text grid laid
// over them, the cursor, the colours and the palette, and the console
// primitives that PRINT, INPUT and the screen statements draw through.
//
// There is no window here. The execution window is a view of the display
// page: every drawing goes to the active page only, and a drawing on the
// page that is displayed is recorded as a changed rectangle the window
// repaints from. The window keeps a pen position of its own (the INPUT line
// editor is placed at it), updated exactly when drawing on the window would
// have moved it.

#include "screen/ImageTable.h"
#include "values/Value.h"

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class QFont;
class QRawFont;

namespace korvelin {

// A colour as the palette, POINT and the drawing statements hold it: 0x00BBGGRR.
using ColorRef = std::uint32_t;

inline constexpr int CellWidth = 8;   // one half-width character
inline constexpr int CellHeight = 16; // one row of the 16-pixel layout; glyph height in both
inline constexpr int ZoneColumns = 14;
inline constexpr int MaxInputVariables = 21;
// The desktop the pages take when nobody says otherwise (tests, batch mode).
inline constexpr int DefaultDesktopWidth = 1024;
inline constexpr int DefaultDesktopHeight = 768;

// Receives the console's text as it is drawn (batch mode writes it to
// stdout). Wrapping, INPUT's line end and every ConsoleNewLine arrive as
// line ends; the cursor movements of LOCATE and the like do not.
class ConsoleTranscript {
  public:
    virtual ~ConsoleTranscript() = default;
    virtual void consoleText(std::u16string_view text) = 0;
    virtual void consoleLineEnd() = 0;
};

struct PenPosition {
    int x = 0;
    int y = 0;
};

// What a console INPUT left for the line editor: the variables to fill and
// the items of the line being parsed.
struct InputRequest {
    bool lineInput = false; // LINE INPUT: the whole line into one variable
    int count = 0;
    std::array<int, MaxInputVariables> nameIds{};
    std::array<std::int32_t, MaxInputVariables> variableSlots{};
};

// The byte length of a text in its Shift-JIS form: columns on the screen.
int columnWidth(std::u16string_view text);
int columnWidth(char16_t c);
// RGB32 pixel of a palette colour, and back.
std::uint32_t pixelOf(ColorRef color);
ColorRef colorOfPixel(std::uint32_t pixel);

// Maps the Japanese font names programs use to the installed IPA fonts. Safe to call more than once.
void installFontSubstitutions();

class ScreenState {
  public:
    ScreenState();
    ~ScreenState();
    ScreenState(const ScreenState&) = delete;
    ScreenState& operator=(const ScreenState&) = delete;

    // --- fields (names and start-up values of the screen model) ---
    std::int16_t activePage = 0;
    std::int16_t displayPage = 0;
    double textColumns = 80;
    std::int16_t pageHeightUnits = 25;
    std::int16_t rowHeight = 16;
    std::int16_t glyphOffsetY = 0;
    std::int16_t consoleTop = 0;
    std::int16_t consoleLines = 25;
    int cursorColumn = 0;
    int cursorRow = 0;
    std::int16_t textColor = 7;
    std::int16_t graphicsColor = 7;
    std::int16_t backgroundColor = 0;
    std::int16_t colorMode = 0;
    std::array<std::array<ColorRef, 3>, 16> paletteTable{};
    Value lastPointX = Value::integer(0);
    Value lastPointY = Value::integer(0);
    float maxColumn = 0;
    std::int16_t maxRow = 0;

    // The window's client area as WIDTH last set it (resizing by hand is
    // the window's business).
    int clientWidth = 640;
    int clientHeight = 400;

    InputRequest inputRequest;
    ConsoleTranscript* transcript = nullptr;

    // The image buffers of GET/PUT/BLOAD/BSAVE.
    ImageTable images;
    // The font of PUT ... KANJI, which is the printer font's name setting.
    std::u16string kanjiFontName = u"ＭＳ 明朝";
    // The background picture of colour modes 1 and 2 ("RAINBOW.DIB" in the
    // application's folder); empty when there is none.
    QString backgroundPicturePath;

    // Before every run: the console window covers the screen again and the
    // image buffers are gone. The cursor, colours, pages and text geometry
    // keep what the last run left.
    void resetForRun() {
        consoleTop = 0;
        consoleLines = static_cast<std::int16_t>(pageHeightUnits * CellHeight / rowHeight);
        images.clear();
    }

    // --- desktop and pages ---
    // Sets the desktop size: maxColumn, maxRow and the size of pages made
    // or cleared from now on.
    void setDesktopSize(QSize size);
    QSize desktopSize() const { return desktop_; }
    // A page, made (black, desktop-sized) when first used.
    QImage& page(int n);
    PenPosition& pagePen(int n) { return pens_[static_cast<std::size_t>(n & 1)]; }
    PenPosition windowPen;
    bool activeIsDisplayed() const { return activePage == displayPage; }

    // --- the console primitives ---
    void PositionCursor();
    // PRINT's clamp before PositionCursor: the cursor stays on the desktop.
    void clampCursorToDesktop();
    void ConsoleWrite(std::u16string_view text);
    void ConsoleNewLine();
    void ScrollConsole(int dy, int dx, int top, int bottom, ColorRef color);
    void FillBox(int x1, int y1, int x2, int y2, ColorRef color);
    // The display page changed as a whole: the window repaints all of it.
    void RepaintWindow();
    ColorRef ColorValue(int n) const {
        return paletteTable[static_cast<std::size_t>(n & 15)][static_cast<std::size_t>(colorMode)];
    }

    // PRINT's "," on the console: the pen moves to the next 14-column zone
    // (no wrapping); nothing moves when the pen is off the page.
    void moveToNextZone();
    // INPUT's prompt and echo: drawn at the pen without background or
    // wrapping; the cursor column stays where it is.
    void drawPlainText(std::u16string_view text);
    // A line end on the surfaces' pens, as after the INPUT echo.
    void penLineEnd();

    // The palette of the current colour mode, rebuilt from the standard
    // console colours (entries 8..15 of modes 0 and 1 keep what they held).
    void buildPalette();
    // The foreground colour of both pages and the window.
    void setSurfaceTextColor(ColorRef color);
    ColorRef surfaceTextColor(int n) const { return surfaceTextColor_[static_cast<std::size_t>(n & 1)]; }
    // Erases a page to one colour at the desktop size (CLS 2, colour modes).
    void clearPage(int n, ColorRef color);
    // A colour mode's pictures: both pages erased to black with the
    // background picture of the mode on them (modes 1 and 2), and the
    // window repainted. A missing or unreadable picture leaves them black.
    void applyColorModePictures();
    // Records a drawing on a page: when it is the display page, the window
    // repaints the rectangle at its next event pass. Cheap enough for every PSET.
    void pageChanged(int pageNumber, const QRect& rect) {
        if (pageNumber != displayPage || rect.isEmpty()) return;
        ++displayVersion_;
        if (changedLeft_ > changedRight_) {
            changedLeft_ = rect.left();
            changedTop_ = rect.top();
            changedRight_ = rect.right();
            changedBottom_ = rect.bottom();
            return;
        }
        changedLeft_ = std::min(changedLeft_, rect.left());
        changedTop_ = std::min(changedTop_, rect.top());
        changedRight_ = std::max(changedRight_, rect.right());
        changedBottom_ = std::max(changedBottom_, rect.bottom());
    }

    // --- what the window must repaint ---
    QRect takeDisplayChanges();
    std::uint64_t displayVersion() const { return displayVersion_; }
    // The part of the display page the window shows (for screenshots).
    QImage windowImage();

    // Draws text on a page at a pen position with the screen font,
    // transparent background; the pen is not moved.
    void drawGlyphs(int pageNumber, int x, int y, std::u16string_view text, ColorRef color);

  private:
    void writePiece(std::u16string_view text, std::size_t transcribeFrom);
    void passHiddenRow(std::u16string_view text, std::size_t transcribeFrom);
    const QFont* font();

    QSize desktop_;
    std::array<QImage, 2> pages_;
    std::array<PenPosition, 2> pens_{};
    std::array<ColorRef, 2> surfaceTextColor_{};
    // The display page's changed rectangle, inclusive; empty while left > right.
    int changedLeft_ = 0, changedTop_ = 0, changedRight_ = -1, changedBottom_ = -1;
    std::uint64_t displayVersion_ = 0;
    std::unique_ptr<QFont> font_;
    std::unique_ptr<QRawFont> rawFont_;
    int fontAscent_ = 14;
    bool fontTried_ = false;
};

} // namespace korvelin
