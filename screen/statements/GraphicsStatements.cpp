// PSET, PRESET, the POINT statement, LINE, CIRCLE and PAINT: drawing on
// the active page with the rules of screen/Raster.h. A drawing on the
// display page is recorded as a changed rectangle; the window repaints it
// at its next event pass.

#include "expressions/Evaluator.h"
#include "interpreter/statements/Statements.h"
#include "screen/Raster.h"
#include "screen/statements/ConsoleInput.h"
#include "screen/statements/GraphicsArguments.h"
#include "values/InterpreterError.h"
#include "values/ValueOps.h"

#include <cmath>

namespace korvelin {

namespace {

constexpr double TwoPi = 6.283185307179586;

void drawn(ScreenState& s, const QRect& changed) {
    if (!changed.isEmpty()) s.pageChanged(s.activePage, changed);
}

// PSET, PRESET and POINT [STEP] (x, y) [, c].
void executePointStatement(Interpreter& in, StatementArgs& args) {
    Lexer& lexer = in.lexer;
    ScreenState& s = in.screen;
    const int keyword = lexer.wordId;
    lexer.nextToken();
    const GraphicsPoint p = readPoint(in, lastPoint(s));
    if (!lexer.atStatementEnd() && !lexer.isSymbol(u',')) raise(ErrSyntax);
    if (keyword == KwPoint) {
        in.optionalInteger(0); // read and not used
    } else {
        const std::int16_t color = colorArgument(in, keyword == KwPset ? s.graphicsColor : s.backgroundColor);
        drawn(s, raster::plot(s.page(s.activePage), pixelColumn(p.x), p.y, colorPixel(s, color)));
    }
    setLastPoint(s, p);
    in.checkStatementEnd(args);
}

void drawLineStatement(Interpreter& in) {
    Lexer& lexer = in.lexer;
    ScreenState& s = in.screen;
    in.currentStatement = u"LINE";
    GraphicsPoint from = lastPoint(s);
    if (!lexer.isSymbol(u'-')) from = readPoint(in, from);
    in.expectSymbol(u'-');
    lexer.nextToken();
    const GraphicsPoint to = readPoint(in, from);
    const std::int16_t color = colorArgument(in, s.graphicsColor);
    const std::int64_t x1 = pixelColumn(from.x), x2 = pixelColumn(to.x);
    QImage& page = s.page(s.activePage);
    const raster::Pixel pixel = colorPixel(s, color);
    if (lexer.atStatementEnd()) {
        drawn(s, raster::line(page, x1, from.y, x2, to.y, pixel));
    } else {
        in.expectSymbol(u',');
        lexer.nextToken();
        if (isPlainWord(in, u"B")) {
            lexer.nextToken();
            drawn(s, raster::box(page, x1, from.y, x2, to.y, pixel));
        } else if (isPlainWord(in, u"BF")) {
            lexer.nextToken();
            const std::int16_t fill = colorArgument(in, color);
            drawn(s, raster::filledBox(page, x1, from.y, x2, to.y, pixel, colorPixel(s, fill)));
        } else if (lexer.isSymbol(u',')) {
            // A line style: read and not used.
            lexer.nextToken();
            evaluateExpression(in);
            drawn(s, raster::line(page, x1, from.y, x2, to.y, pixel));
        } else {
            raise(ErrSyntax);
        }
    }
    setLastPoint(s, to);
}

// LINE INPUT is the console's; every other LINE draws.
void executeLine(Interpreter& in, StatementArgs& args) {
    in.lexer.nextToken();
    if (in.lexer.isWord(KwInput)) {
        executeLineInput(in, args);
        return;
    }
    drawLineStatement(in);
    in.checkStatementEnd(args);
}

// An angle of CIRCLE: radians from -2 pi to 2 pi (an illegal call beyond
// them), its sign telling whether a radius line is drawn.
double arcAngle(float angle) {
    if (!std::isfinite(angle) || std::fabs(angle) > static_cast<float>(TwoPi)) raise(ErrIllegalCall);
    double a = std::fmod(std::fabs(static_cast<double>(angle)), TwoPi);
    if (a < 0) a += TwoPi;
    return a;
}

// A radius in whole pixels (the overflow failure beyond 32 bits).
std::int64_t radiusPixels(double r) {
    return toLongRounded(Value::dbl(r));
}

void executeCircle(Interpreter& in, StatementArgs& args) {
    Lexer& lexer = in.lexer;
    ScreenState& s = in.screen;
    in.currentStatement = u"CIRCLE";
    lexer.nextToken();
    const bool step = lexer.isWord(KwStepWord);
    if (step) lexer.nextToken();
    // The punctuation around the centre and before the radius is skipped unchecked.
    lexer.nextToken();
    const double cx = evaluateExpression(in).toDouble();
    lexer.nextToken();
    const double cy = evaluateExpression(in).toDouble();
    lexer.nextToken();
    lexer.nextToken();
    const double r = evaluateExpression(in).toDouble();
    GraphicsPoint centre{checkedSingle(cx), toIntegerRounded(Value::dbl(cy))};
    if (step) {
        const GraphicsPoint last = lastPoint(s);
        centre = {checkedSingle(last.x + cx), toIntegerRounded(Value::dbl(last.y + cy))};
    }
    const std::int16_t color = colorArgument(in, s.graphicsColor);
    const float start = in.optionalSingle(0);
    const float end = in.optionalSingle(0);
    const float aspect = in.optionalSingle(1);
    bool filled = false;
    std::int16_t fillColor = color;
    if (!lexer.atStatementEnd()) {
        lexer.nextToken();
        if (!isPlainWord(in, u"F")) raise(ErrSyntax);
        lexer.nextToken();
        fillColor = colorArgument(in, color);
        filled = true;
    }
    if (!std::isfinite(r) || r < 0 || !std::isfinite(aspect) || aspect < 0) raise(ErrIllegalCall);

    QImage& page = s.page(s.activePage);
    const raster::Pixel outline = colorPixel(s, color), fill = colorPixel(s, fillColor);
    const std::int64_t x = pixelColumn(centre.x);
    if (r < 1) {
        drawn(s, raster::plot(page, x, centre.y, outline));
    } else {
        // The aspect is the vertical radius over the horizontal one; r is
        // the longer of the two.
        raster::Ellipse shape{x, centre.y, radiusPixels(r), radiusPixels(r)};
        if (aspect < 1)
            shape.ry = radiusPixels(r * aspect);
        else
            shape.rx = radiusPixels(r / aspect);
        raster::ArcAngles angles{arcAngle(start), arcAngle(end), start < 0, end < 0};
        if (filled && start == 0 && end == 0)
            drawn(s, raster::ellipse(page, shape, outline, &fill));
        else
            drawn(s, raster::arc(page, shape, angles, outline, filled ? &fill : nullptr));
    }
    setLastPoint(s, centre);
    in.checkStatementEnd(args);
}

void executePaint(Interpreter& in, StatementArgs& args) {
    Lexer& lexer = in.lexer;
    ScreenState& s = in.screen;
    in.currentStatement = u"PAINT";
    lexer.nextToken();
    const GraphicsPoint p = readPoint(in, lastPoint(s));
    if (!lexer.atStatementEnd() && !lexer.isSymbol(u',')) raise(ErrSyntax);
    const std::int16_t fill = colorArgument(in, s.graphicsColor);
    const std::int16_t border = colorArgument(in, fill);
    drawn(s, raster::floodFill(s.page(s.activePage), pixelColumn(p.x), p.y, colorPixel(s, border),
                               colorPixel(s, fill)));
    setLastPoint(s, p);
    in.checkStatementEnd(args);
}

} // namespace

void registerGraphicsStatements(std::array<StatementHandler, KeywordCount>& table) {
    table[KwPset] = executePointStatement;
    table[KwPreset] = executePointStatement;
    table[KwPoint] = executePointStatement;
    table[KwLine] = executeLine;
    table[KwCircle] = executeCircle;
    table[KwPaint] = executePaint;
}

} // namespace korvelin
