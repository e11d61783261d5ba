// The drawing statements through whole programs: what they read, where
// they draw, what they leave in the last point, and how they fail.

#include "screen/KanjiGlyph.h"
#include "screen/ScreenState.h"
#include "support/RunProgram.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <chrono>

namespace korvelin::testing {
namespace {

constexpr ColorRef Black = 0x000000, White = 0xFFFFFF, LightBlue = 0xFF0000, LightRed = 0x0000FF,
                   LightGreen = 0x00FF00, Yellow = 0x00FFFF;

ColorRef at(ProgramRun& r, int x, int y, int page = 0) {
    return colorOfPixel(r.in->screen.page(page).pixel(x, y));
}

std::string errorText(ProgramRun& r) {
    const std::u16string e = r.lastError();
    return std::string(e.begin(), e.end());
}

TEST(GraphicsStatements, StepAndTheLastPoint) {
    ProgramRun r(u"10 PSET (10,10): PSET STEP(5,0),2\n"
                 u"20 X0=POINT(0): Y0=POINT(1)\n"
                 u"30 LINE -(40,15),4\n"
                 u"40 PSET (100,100): LINE (30,30)-STEP(5,5),6: X1=POINT(0): Y1=POINT(1)\n"
                 u"50 PRESET (31,31): PSET (200.4,50.5),1: X2=POINT(0): Y2=POINT(1)");
    ASSERT_FALSE(r.failed()) << errorText(r);
    EXPECT_EQ(at(r, 10, 10), White);
    EXPECT_EQ(r.num(u"X0!"), 15);
    EXPECT_EQ(r.num(u"Y0!"), 10);
    EXPECT_EQ(at(r, 40, 15), LightGreen); // from the last point (15,10) to (40,15)
    EXPECT_EQ(at(r, 16, 10), LightGreen);
    EXPECT_EQ(at(r, 35, 35), Yellow); // STEP of the second point counts from the first
    EXPECT_EQ(at(r, 30, 30), Yellow);
    EXPECT_EQ(at(r, 31, 31), Black); // PRESET draws the background
    EXPECT_EQ(r.num(u"X1!"), 35);
    EXPECT_EQ(r.num(u"Y1!"), 35);
    EXPECT_FLOAT_EQ(static_cast<float>(r.num(u"X2!")), 200.4f); // x keeps its fraction
    EXPECT_EQ(r.num(u"Y2!"), 50);                               // y rounds half to even
    EXPECT_EQ(at(r, 200, 50), LightBlue);
}

TEST(GraphicsStatements, LineBoxesStylesAndDefaults) {
    ProgramRun r(u"10 COLOR ,,,3\n"
                 u"20 LINE (0,0)-(10,10),,B\n"
                 u"30 LINE (20,0)-(29,9),2,BF\n"
                 u"40 LINE (40,0)-(49,9),2,BF,4\n"
                 u"50 LINE (60,0)-(70,0),1,,&HFF00\n"
                 u"60 VIEW (0,0)-(5,5): WINDOW (0,0)-(1,1): DRAW \"U10\"\n"
                 u"70 PSET (80,80)");
    ASSERT_FALSE(r.failed()) << errorText(r);
    const ColorRef magenta = 0xFF00FF;
    EXPECT_EQ(at(r, 0, 0), magenta); // graphicsColor 3
    EXPECT_EQ(at(r, 10, 10), magenta);
    EXPECT_EQ(at(r, 5, 5), Black);
    EXPECT_EQ(at(r, 25, 5), LightRed);
    EXPECT_EQ(at(r, 40, 0), LightRed);
    EXPECT_EQ(at(r, 45, 5), LightGreen);
    EXPECT_EQ(at(r, 65, 0), LightBlue);
    EXPECT_EQ(at(r, 80, 80), magenta); // VIEW and WINDOW changed nothing
}

TEST(GraphicsStatements, CirclesAndPaint) {
    ProgramRun r(u"10 CIRCLE (100,100),0.5,2\n"
                 u"20 CIRCLE (200,100),50,2,,,,F,5\n"
                 u"30 CIRCLE (300,100),40,1,,,0.5\n"
                 u"40 CIRCLE (400,100),20,1,,,2\n"
                 u"50 LINE (500,50)-(560,90),7,B: PAINT (510,60),6,7\n"
                 u"60 LINE (0,200)-(50,250),3,B: PAINT (10,210),3\n"
                 u"70 LINE (700,300)-(760,340),7,B: PAINT (710,310)");
    ASSERT_FALSE(r.failed()) << errorText(r);
    EXPECT_EQ(at(r, 100, 100), LightRed);
    EXPECT_EQ(at(r, 101, 100), Black);
    EXPECT_EQ(at(r, 150, 100), LightRed);  // rim in colour 2
    EXPECT_EQ(at(r, 200, 100), 0xFFFF00u); // inside in colour 5
    EXPECT_EQ(at(r, 340, 100), LightBlue); // twice as wide as high
    EXPECT_EQ(at(r, 300, 80), LightBlue);
    EXPECT_EQ(at(r, 300, 79), Black);
    EXPECT_EQ(at(r, 410, 100), LightBlue); // aspect 2: half as wide as high
    EXPECT_EQ(at(r, 400, 80), LightBlue);
    EXPECT_EQ(at(r, 530, 70), Yellow);
    EXPECT_EQ(at(r, 561, 70), Black);
    EXPECT_EQ(at(r, 25, 225), 0xFF00FFu); // border defaults to the fill colour
    EXPECT_EQ(at(r, 55, 225), Black);
    EXPECT_EQ(at(r, 730, 320), White); // graphicsColor, up to graphicsColor
    EXPECT_EQ(at(r, 761, 320), Black);
}

TEST(GraphicsStatements, BadInputGivesErrorsAndKeepsTheLastPoint) {
    struct Case {
        std::u16string_view statement;
        int error;
    };
    for (const Case c :
         {Case{u"PSET 10,10", 1}, Case{u"PSET (10,10", 1}, Case{u"PSET (10,10) 5", 1},
          Case{u"PSET (10,10),16", 21}, Case{u"PSET (10,40000)", 21}, Case{u"PSET (1E20,1)", 21},
          Case{u"LINE (0,0)(5,5)", 1}, Case{u"LINE (0,0)-(5,5),2,Q", 1}, Case{u"LINE (0,0)-(5,5),2,,", 1},
          Case{u"CIRCLE (50,50),-5", 5}, Case{u"CIRCLE (50,50),5,,,,-1", 5},
          Case{u"CIRCLE (50,50),5,2,,,,G", 1}, Case{u"CIRCLE (50,50),5,2,7", 5},
          Case{u"CIRCLE (50,50),5,2,0,-6.3", 5}, Case{u"CIRCLE (50,50),1E30", 21},
          Case{u"PAINT (10,10) 3", 1}, Case{u"PAINT (10,10),99", 21}, Case{u"POINT (1,2,3)", 1}}) {
        std::u16string program = u"10 PSET (7,8): ON ERROR GOTO 100\n20 ";
        program += c.statement;
        program += u"\n30 END\n100 E=ERR: X=POINT(0): Y=POINT(1): RESUME 30";
        ProgramRun r(program);
        EXPECT_EQ(r.num(u"E!"), c.error) << std::string(c.statement.begin(), c.statement.end());
        EXPECT_EQ(r.num(u"X!"), 7);
        EXPECT_EQ(r.num(u"Y!"), 8);
    }
    // Extra tokens are found by the end check, after the statement has drawn.
    ProgramRun extra(
        u"10 ON ERROR GOTO 100: LINE (0,0)-(5,5),2,B,3\n20 END\n100 E=ERR: X=POINT(0): RESUME 20");
    EXPECT_EQ(extra.num(u"E!"), 1);
    EXPECT_EQ(extra.num(u"X!"), 5);
}

TEST(GraphicsStatements, CoordinatesFarOffThePageDrawOnlyWhatShows) {
    const auto start = std::chrono::steady_clock::now();
    ProgramRun r(u"5 PAINT (600,600),3,2\n"
                 u"10 LINE (-1E9,-30000)-(1E9,30000),2\n"
                 u"20 CIRCLE (1E9,300),1E9,4: CIRCLE (50,50),1E9,1,,,0: CIRCLE (800,300),100,2,,,1E30\n"
                 u"30 LINE (-2E9,10)-(2E9,12),6,BF: PSET (-1E9,-1)");
    ASSERT_FALSE(r.failed()) << errorText(r);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_EQ(at(r, 500, 0), LightRed);
    EXPECT_EQ(at(r, 600, 600), 0xFF00FFu);
    EXPECT_EQ(at(r, 1023, 11), Yellow);
    EXPECT_EQ(at(r, 700, 50), LightBlue); // the flat ellipse: a line through row 50
    EXPECT_EQ(at(r, 800, 250), LightRed); // the thin one: a line down column 800
    EXPECT_EQ(at(r, 801, 250), 0xFF00FFu);
}

TEST(GraphicsStatements, PagesAndTheWindowsChangedRectangle) {
    ProgramRun r(u"10 SCREEN 0,0,1,1: PSET (5,5),2\n"
                 u"20 SCREEN 0,0,0,1: PSET (6,6),4\n"
                 u"30 ON ERROR GOTO 100: SCREEN 0,0,0,33\n"
                 u"40 END\n"
                 u"100 E=ERR: RESUME NEXT");
    ScreenState& s = r.in->screen;
    EXPECT_EQ(r.num(u"E!"), 5);
    EXPECT_EQ(at(r, 5, 5, 1), LightRed);
    EXPECT_EQ(at(r, 5, 5, 0), Black);
    EXPECT_EQ(at(r, 6, 6, 0), LightGreen);
    EXPECT_EQ(s.activePage, 0);
    EXPECT_EQ(s.displayPage, 0);
    ProgramRun shown(u"10 SCREEN 0,0,0,17: PSET (1,1)");
    EXPECT_EQ(shown.in->screen.displayPage, 1);
    EXPECT_EQ(shown.in->screen.activePage, 0);
    // Drawing on the displayed page marks only what changed; on a hidden page nothing.
    ScreenState& t = shown.in->screen;
    shown.run(u"10 SCREEN 0,0,1,17");
    EXPECT_EQ(t.takeDisplayChanges(), t.page(1).rect()); // SCREEN repaints the whole window
    shown.run(u"10 LINE (10,20)-(30,25),2,BF: PSET (700,9)");
    EXPECT_EQ(t.takeDisplayChanges(), QRect(QPoint(10, 9), QPoint(700, 25)));
    shown.run(u"10 SCREEN 0,0,0,17");
    t.takeDisplayChanges();
    shown.run(u"10 PSET (3,3): LINE (0,0)-(100,100)");
    EXPECT_TRUE(t.takeDisplayChanges().isEmpty());
}

TEST(GraphicsStatements, PaletteAndColourModes) {
    ProgramRun r(u"10 COLOR =(1,4): PSET (0,0),1: A=POINT(0,0)\n"
                 u"20 COLOR =(2,8): PSET (1,0),2: B=POINT(1,0)\n"
                 u"30 COLOR ,,,,1: COLOR =(1,&HF00): PSET (2,0),1: C=POINT(2,0)\n"
                 u"40 COLOR =(3,&H5A3): PSET (3,0),3: D=POINT(3,0)\n"
                 u"50 ON ERROR GOTO 100: COLOR =(16,1)\n"
                 u"60 COLOR =(1,2: END\n"
                 u"100 E=E*100+ERR: RESUME NEXT");
    EXPECT_EQ(r.num(u"A!"), 0x00FF00);
    EXPECT_EQ(r.num(u"B!"), 0x00FF00); // a component above 255 is 255
    EXPECT_EQ(r.num(u"C!"), 0x00FF00);
    EXPECT_EQ(r.num(u"D!"), 0x3355AA); // 17 n per component, 0x00BBGGRR
    EXPECT_EQ(r.num(u"E!"), 501);
}

TEST(GraphicsStatements, ColourModePicturesComeFromTheApplicationFolderOnly) {
    // Without RAINBOW.DIB the pages are cleared and nothing fails.
    ProgramRun plain(u"10 PSET (5,5),7: COLOR ,,,,1: A=POINT(5,5): COLOR ,,,,2");
    ASSERT_FALSE(plain.failed()) << errorText(plain);
    EXPECT_EQ(plain.num(u"A!"), 0);
    // With one, it is the background of modes 1 and 2 but not of mode 0.
    const QString path = QDir::temp().filePath(QStringLiteral("korvelin-rainbow-test.bmp"));
    QImage picture(4, 3, QImage::Format_RGB32);
    picture.fill(0xFF112233u);
    ASSERT_TRUE(picture.save(path, "BMP"));
    ProgramRun r;
    r.in->screen.backgroundPicturePath = path;
    r.run(u"10 COLOR ,,,,1: A=POINT(3,2): B=POINT(4,2): COLOR ,,,,0: C=POINT(3,2)");
    EXPECT_EQ(r.num(u"A!"), 0x332211);
    EXPECT_EQ(r.num(u"B!"), 0);
    EXPECT_EQ(r.num(u"C!"), 0);
    QFile::remove(path);
}

TEST(GraphicsStatements, RollScrollsTheWholePage) {
    ProgramRun r(u"10 COLOR ,1: LINE (0,100)-(1023,100),2: ROLL 16\n"
                 u"20 A=POINT(10,84): B=POINT(10,760): ROLL 16,,Y: C=POINT(10,760)\n"
                 u"30 ROLL -8,-4,N: D=POINT(14,76)\n"
                 u"40 ON ERROR GOTO 100: ROLL 1,1,Q\n50 END\n100 E=ERR: RESUME NEXT");
    EXPECT_EQ(r.num(u"A!"), LightRed);
    EXPECT_EQ(r.num(u"B!"), 0);
    EXPECT_EQ(r.num(u"C!"), LightBlue);
    EXPECT_EQ(r.num(u"D!"), LightRed);
    EXPECT_EQ(r.num(u"E!"), 1);
}

TEST(ImageStatements, GetPutEveryOperationAndScaling) {
    ProgramRun r(u"10 LINE (0,0)-(9,19),2,BF: PSET (1,1),4: GET (0,0)-(9,19),A\n"
                 u"20 W=A(0): H=A(1)\n"
                 u"30 LINE (100,0)-(200,40),1,BF\n"
                 u"40 PUT (100,0),A,PSET: PUT (120,0),A,OR: PUT (140,0),A,AND: PUT (160,0),A,XOR\n"
                 u"50 PUT (180,0),A,PRESET\n"
                 u"60 PUT (300,0),A,PSET,,,2,3\n"
                 u"70 PUT (400,0),A,XOR: PUT (400,0),A,XOR");
    ASSERT_FALSE(r.failed()) << errorText(r);
    EXPECT_EQ(r.num(u"W!"), 10);
    EXPECT_EQ(r.num(u"H!"), 20);
    EXPECT_EQ(at(r, 109, 19), LightRed);
    EXPECT_EQ(at(r, 101, 1), LightGreen);
    EXPECT_EQ(at(r, 110, 0), LightBlue);
    EXPECT_EQ(at(r, 125, 5), LightRed | LightBlue);
    EXPECT_EQ(at(r, 145, 5), LightRed & LightBlue);
    EXPECT_EQ(at(r, 165, 5), LightRed ^ LightBlue);
    EXPECT_EQ(at(r, 185, 5), 0xFFFF00u);  // inverted light red
    EXPECT_EQ(at(r, 302, 3), LightGreen); // (1,1) doubled across, tripled down
    EXPECT_EQ(at(r, 303, 5), LightGreen);
    EXPECT_EQ(at(r, 303, 6), LightRed);
    EXPECT_EQ(at(r, 319, 59), LightRed);
    EXPECT_EQ(at(r, 320, 59), Black);
    EXPECT_EQ(at(r, 319, 60), Black);
    EXPECT_EQ(at(r, 405, 5), Black); // XOR twice restores
}

TEST(ImageStatements, ArraysCornersAndSizesAreResolvedSafely) {
    // A bare name is the array, not the scalar of the same name, and
    // corners given bottom-right first name the same rectangle.
    ProgramRun r(u"10 A=77: B=88: DIM A(5)\n"
                 u"20 PSET (12,13),2: GET (14,15)-(10,10),A\n"
                 u"30 PUT (50,50),A,PSET\n"
                 u"40 A(0)=3000: A(1)=2: PUT (100,50),A,PSET\n"
                 u"50 PUT (200,200),NEVER,PSET");
    ASSERT_FALSE(r.failed()) << errorText(r);
    EXPECT_EQ(r.num(u"A!"), 77);
    EXPECT_EQ(r.num(u"B!"), 88);
    EXPECT_EQ(r.num(u"A!", {0}), 3000);
    EXPECT_EQ(at(r, 52, 53), LightRed);
    // A size larger than the picture reads no further than the picture.
    EXPECT_EQ(at(r, 104, 50), Black);
    r.in->screen.page(0).fill(0xFF00FF00u);
    r.run(u"10 LINE (0,0)-(4,4),1,BF: GET (0,0)-(4,4),A: A(0)=3000: A(1)=3000: PUT (100,50),A,PSET");
    EXPECT_EQ(at(r, 104, 54), LightBlue);
    EXPECT_EQ(at(r, 105, 54), LightGreen);
    EXPECT_EQ(at(r, 104, 55), LightGreen);

    struct Case {
        std::u16string_view program;
        int error;
    };
    for (const Case c :
         {Case{u"DIM A(0): GET (0,0)-(5,5),A", 9}, Case{u"GET (0,0)-(40000,1),A", 21},
          Case{u"GET (0,0)-(5000,5000),A", 21}, Case{u"GET (0,0)(5,5),A", 1},
          Case{u"GET (0,0)-(5,5),A: PUT (0,0),A", 1}, Case{u"GET (0,0)-(5,5),A: PUT (0,0),A,PAINT", 1},
          Case{u"GET (0,0)-(5,5),A: PUT (0,0),A,PSET,16", 21},
          Case{u"GET (0,0)-(5,5),A: PUT (0,0),A,PSET,,,-1", 5},
          Case{u"GET (0,0)-(5,5),A: PUT (0,0),KANJI(1,PSET", 1}}) {
        std::u16string program = u"10 ON ERROR GOTO 100: ";
        program += c.program;
        program += u"\n20 END\n100 E=ERR: RESUME 20";
        ProgramRun bad(program);
        EXPECT_EQ(bad.num(u"E!"), c.error) << std::string(c.program.begin(), c.program.end());
    }
    // At most 100 buffers, one per array.
    QString many = QStringLiteral("5 ON ERROR GOTO 3000\n");
    for (int i = 0; i <= 100; ++i)
        many += QStringLiteral("%1 GET (0,0)-(1,1),Q%2%3\n")
                    .arg(10 + 10 * i)
                    .arg(QChar(u'A' + i / 26))
                    .arg(QChar(u'A' + i % 26));
    many += QStringLiteral("2000 END\n3000 E=ERR: N=ERL: RESUME 2000");
    ProgramRun full(many.toStdU16String());
    EXPECT_EQ(full.num(u"E!"), 21);
    EXPECT_EQ(full.num(u"N!"), 1010);
    // Buffers end with the run.
    ProgramRun twice(u"10 GET (0,0)-(1,1),A");
    EXPECT_EQ(twice.in->screen.images.imageBufferCount(), 1);
    twice.run(u"10 PUT (0,0),A,PSET");
    EXPECT_EQ(twice.in->screen.images.imageBufferCount(), 0);
}

TEST(ImageStatements, KanjiGlyphsAndTheirCodes) {
    ProgramRun r(u"10 PUT (0,0),KANJI(&H2422),PSET,7,1\n"
                 u"20 PUT (40,0),KANJI(&H41),PSET,7,1\n"
                 u"30 PUT (80,0),KANJI(&H141),PSET,7,1\n"
                 u"40 PUT (120,0),KANJI(&H3021),PSET,6,0,2,3\n"
                 u"50 ON ERROR GOTO 100: PUT (0,100),KANJI(&H1FF),PSET\n60 END\n100 E=ERR: RESUME NEXT");
    ASSERT_EQ(r.num(u"E!"), 5);
    auto colour = [&](int x0, int y0, int w, int h, ColorRef c) {
        int n = 0;
        for (int y = y0; y < y0 + h; ++y)
            for (int x = x0; x < x0 + w; ++x)
                n += at(r, x, y) == c;
        return n;
    };
    // A full-width glyph fills a 16 x 16 cell, a half-width one 8 x 16, the
    // full-width twin of "A" 8 x 8; nothing outside.
    EXPECT_GT(colour(0, 0, 16, 16, White), 10);
    EXPECT_EQ(colour(0, 0, 16, 16, White) + colour(0, 0, 16, 16, LightBlue), 256);
    EXPECT_EQ(at(r, 16, 0), Black);
    EXPECT_EQ(colour(40, 0, 8, 16, White) + colour(40, 0, 8, 16, LightBlue), 128);
    EXPECT_GT(colour(40, 0, 8, 16, White), 5);
    EXPECT_EQ(at(r, 48, 0), Black);
    EXPECT_EQ(colour(80, 0, 8, 8, White) + colour(80, 0, 8, 8, LightBlue), 64);
    EXPECT_EQ(at(r, 80, 8), Black);
    EXPECT_GT(colour(120, 0, 32, 48, Yellow), 40);
    EXPECT_EQ(colour(120, 0, 32, 48, Yellow) + colour(120, 0, 32, 48, Black), 32 * 48);
    EXPECT_EQ(r.in->screen.kanjiFontName, u"ＭＳ 明朝");

    // Every kanji row converts by the standard rule, the one KNJ$ uses:
    // row &H60 is lead byte &HE0, not a half-width katakana.
    ProgramRun knj(u"10 A$=KNJ$(\"6021\"): B$=KNJ$(\"7421\"): C$=KNJ$(\"3021\")");
    EXPECT_EQ(kanjiCharacter(0x6021).text, knj.str(u"A$"));
    EXPECT_EQ(kanjiCharacter(0x7421).text, knj.str(u"B$"));
    EXPECT_EQ(kanjiCharacter(0x3021).text, knj.str(u"C$"));
    EXPECT_EQ(kanjiCharacter(0x3021).text, u"亜");
    EXPECT_EQ(kanjiCharacter(0x6021).text, cp932::decode("\xE0\x9F"));
    EXPECT_EQ(kanjiCharacter(0x0141).text, u"Ａ");
    EXPECT_EQ(kanjiCharacter(0x01B1).text, u"ア");
    EXPECT_TRUE(kanjiCharacter(0x2F21).text.empty()); // an empty row draws only the background
}

} // namespace
} // namespace korvelin::testing
