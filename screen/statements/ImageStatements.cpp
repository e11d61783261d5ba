// Graphic GET and PUT (with KANJI), BSAVE and BLOAD: pictures kept in the
// image buffers of screen/ImageTable.h, each owned by an array whose
// elements 0 and 1 hold the picture's width and height.

#include "screen/statements/ImageStatements.h"
#include "expressions/Evaluator.h"
#include "interpreter/statements/Statements.h"
#include "screen/BitmapFile.h"
#include "screen/KanjiGlyph.h"
#include "screen/Raster.h"
#include "screen/statements/GraphicsArguments.h"
#include "values/InterpreterError.h"
#include "values/ValueOps.h"

#include <cmath>

namespace korvelin {

namespace {

// The array a statement names. A bare name is the array of that name,
// never the scalar: GET (0,0)-(9,9),A keeps its size in A(0) and A(1).
struct ImageArray {
    std::int32_t owner = -1; // the slot of element 0; -1 when there is no such array
};

ImageArray readImageArray(Interpreter& in, bool create) {
    VariableStore& store = in.variables;
    const int nameId = in.parseVariableTarget();
    if (store.subscriptRegister[0] >= 0) {
        in.lookupTarget(nameId);
    } else if (store.arrayEntry(nameId) < 0) {
        if (!create) return {};
        store.subscriptRegister = {0, -1, -1, -1, -1};
        in.lookupTarget(nameId);
    }
    const VariableEntry& entry = store.variableTable[static_cast<std::size_t>(store.arrayEntry(nameId))];
    std::int64_t elements = 1;
    for (std::int32_t bound : entry.bound)
        if (bound >= 0) elements *= bound + 1;
    // Elements 0 and 1 must both exist.
    if (elements < 2) raise(ErrSubscript);
    if (entry.base + 1 >= VariableSpace) raise(ErrOverflow);
    return {entry.base};
}

// The size a program keeps in elements 0 and 1, within the picture held:
// a larger size never reads beyond it.
QSize storedSize(Interpreter& in, const ImageBuffer& buffer, std::int32_t owner) {
    const int width = toIntegerRounded(in.variables[owner]);
    const int height = toIntegerRounded(in.variables[owner + 1]);
    return QSize(std::min(width, buffer.picture.width()), std::min(height, buffer.picture.height()));
}

void storeSize(Interpreter& in, std::int32_t owner, QSize size) {
    in.variables[owner] = Value::integer(static_cast<std::int16_t>(size.width()));
    in.variables[owner + 1] = Value::integer(static_cast<std::int16_t>(size.height()));
}

std::int16_t checked16(std::int64_t v) {
    if (v < -32768 || v > 32767) failHost(HostFailureKind::Other);
    return static_cast<std::int16_t>(v);
}

// "(" x "," y ")" without STEP, as whole pixels.
struct PixelPoint {
    std::int64_t x;
    std::int64_t y;
};

PixelPoint readPixelPoint(Interpreter& in) {
    if (in.lexer.isWord(KwStepWord)) raise(ErrSyntax);
    const GraphicsPoint p = readPoint(in, {});
    return {pixelColumn(p.x), p.y};
}

// The keyword current: skips it and an "@" after it.
void skipToGraphicForm(Lexer& lexer) {
    lexer.nextToken();
    if (lexer.isSymbol(u'@')) lexer.nextToken();
}

raster::RasterOp readRasterOp(Interpreter& in) {
    Lexer& lexer = in.lexer;
    in.expectSymbol(u',');
    lexer.nextToken();
    raster::RasterOp op;
    if (lexer.isWord(KwPset))
        op = raster::RasterOp::Copy;
    else if (lexer.isWord(KwPreset))
        op = raster::RasterOp::InvertedCopy;
    else if (lexer.isWord(KwOr))
        op = raster::RasterOp::Or;
    else if (lexer.isWord(KwAnd))
        op = raster::RasterOp::And;
    else if (lexer.isWord(KwXor))
        op = raster::RasterOp::Xor;
    else
        raise(ErrSyntax);
    lexer.nextToken();
    return op;
}

// A scaled size in whole pixels; sizes are 16-bit and scales not negative.
int scaledSize(int size, float scale) {
    if (std::isnan(scale) || scale < 0) raise(ErrIllegalCall);
    const double scaled = std::floor(size * static_cast<double>(scale));
    return checked16(scaled > 32767 ? 32768 : static_cast<std::int64_t>(scaled));
}

struct PutOptions {
    raster::RasterOp op;
    std::int16_t foreground;
    std::int16_t background;
    float xscale;
    float yscale;
};

PutOptions readPutOptions(Interpreter& in) {
    ScreenState& s = in.screen;
    PutOptions o;
    o.op = readRasterOp(in);
    o.foreground = colorArgument(in, s.graphicsColor);
    o.background = colorArgument(in, s.backgroundColor);
    o.xscale = in.optionalSingle(1);
    o.yscale = in.optionalSingle(1);
    // Every PUT keeps its font name (the printer font's setting).
    s.kanjiFontName = in.optionalString(Value::text(u"ＭＳ 明朝")).unicodeText();
    return o;
}

void putPicture(ScreenState& s, PixelPoint at, const QImage& picture, const PutOptions& o) {
    QImage& page = s.page(s.activePage);
    QRect changed;
    if (o.xscale == 1 && o.yscale == 1) {
        changed = raster::blit(page, at.x, at.y, picture, o.op);
    } else {
        const int width = scaledSize(picture.width(), o.xscale);
        const int height = scaledSize(picture.height(), o.yscale);
        changed = raster::stretchBlit(page, at.x, at.y, width, height, picture, o.op);
    }
    if (!changed.isEmpty()) s.pageChanged(s.activePage, changed);
}

void putKanji(ScreenState& s, PixelPoint at, std::int32_t code, const PutOptions& o) {
    const KanjiCharacter character = kanjiCharacter(static_cast<std::uint16_t>(code & 0xFFFF));
    if (std::isnan(o.xscale) || std::isnan(o.yscale) || o.xscale < 0 || o.yscale < 0) raise(ErrIllegalCall);
    const int width =
        checked16(toLongRounded(Value::dbl(character.baseWidth * static_cast<double>(o.xscale))));
    const int height =
        checked16(toLongRounded(Value::dbl(character.baseHeight * static_cast<double>(o.yscale))));
    QImage& page = s.page(s.activePage);
    // Only the part of the cell that lands on the page is drawn.
    const std::int64_t left = std::max<std::int64_t>(at.x, 0), top = std::max<std::int64_t>(at.y, 0);
    const std::int64_t right = std::min<std::int64_t>(at.x + width, page.width());
    const std::int64_t bottom = std::min<std::int64_t>(at.y + height, page.height());
    if (left >= right || top >= bottom) return;
    const QRect area(static_cast<int>(left - at.x), static_cast<int>(top - at.y),
                     static_cast<int>(right - left), static_cast<int>(bottom - top));
    const QImage glyph =
        renderKanji(character, QString::fromStdU16String(s.kanjiFontName), o.xscale, o.yscale, area,
                    colorPixel(s, o.foreground), colorPixel(s, o.background));
    const QRect changed = raster::blit(page, left, top, glyph, o.op);
    if (!changed.isEmpty()) s.pageChanged(s.activePage, changed);
}

// BSAVE and BLOAD: the file name (".BMP" added when it has no "."), ",", the array.
struct FileAndArray {
    QString path;
    ImageArray array;
};

FileAndArray readFileAndArray(Interpreter& in, bool create) {
    Lexer& lexer = in.lexer;
    lexer.nextToken();
    const Value name = evaluateExpression(in);
    if (!name.isString()) failHost(HostFailureKind::TypeMismatch);
    std::u16string text = name.unicodeText();
    if (text.find(u'.') == std::u16string::npos) text += u".BMP";
    in.expectSymbol(u',');
    lexer.nextToken();
    FileAndArray r;
    r.array = readImageArray(in, create);
    // As every disk statement: the drive and its current directory.
    r.path = in.paths.hostPath(in.paths.resolve(text));
    return r;
}

void executeBsave(Interpreter& in, StatementArgs& args) {
    ScreenState& s = in.screen;
    in.currentStatement = u"BSAVE";
    const FileAndArray target = readFileAndArray(in, false);
    const ImageBuffer* buffer = target.array.owner >= 0 ? s.images.find(target.array.owner) : nullptr;
    if (!buffer) raise(ErrSyntax);
    const QSize size = storedSize(in, *buffer, target.array.owner);
    if (size.isEmpty()) raise(ErrIllegalCall);
    writeBitmapFile(target.path, size == buffer->picture.size()
                                     ? buffer->picture
                                     : buffer->picture.copy(QRect(QPoint(0, 0), size)));
    in.watchCheck();
    in.checkStatementEnd(args);
}

void executeBload(Interpreter& in, StatementArgs& args) {
    ScreenState& s = in.screen;
    in.currentStatement = u"BLOAD";
    const FileAndArray source = readFileAndArray(in, true);
    // The whole picture is read before the buffer or the array changes.
    QImage picture = readPictureFile(source.path, MaxImagePixels);
    if (picture.width() > 32767 || picture.height() > 32767) failHost(HostFailureKind::Other);
    ImageBuffer* buffer = s.images.find(source.array.owner);
    s.images.checkRoom(buffer, picture.width(), picture.height());
    if (!buffer) buffer = &s.images.findOrCreate(source.array.owner);
    buffer->picture = std::move(picture);
    storeSize(in, source.array.owner, buffer->picture.size());
    in.watchCheck();
    in.checkStatementEnd(args);
}

} // namespace

void executeImageGet(Interpreter& in, StatementArgs& args) {
    skipToGraphicForm(in.lexer);
    Lexer& lexer = in.lexer;
    ScreenState& s = in.screen;
    in.currentStatement = u"GET";
    PixelPoint a = readPixelPoint(in);
    in.expectSymbol(u'-');
    lexer.nextToken();
    PixelPoint b = readPixelPoint(in);
    in.expectSymbol(u',');
    lexer.nextToken();
    const ImageArray array = readImageArray(in, true);
    // Corners given in any order name the same rectangle.
    if (a.x > b.x) std::swap(a.x, b.x);
    if (a.y > b.y) std::swap(a.y, b.y);
    const int width = checked16(b.x - a.x + 1), height = checked16(b.y - a.y + 1);
    ImageBuffer* buffer = s.images.find(array.owner);
    s.images.checkRoom(buffer, width, height);
    QImage picture = raster::copyRect(s.page(s.activePage), a.x, a.y, width, height);
    if (!buffer) buffer = &s.images.findOrCreate(array.owner);
    buffer->picture = std::move(picture);
    storeSize(in, array.owner, buffer->picture.size());
    in.watchCheck();
    in.checkStatementEnd(args);
}

void executeImagePut(Interpreter& in, StatementArgs& args) {
    skipToGraphicForm(in.lexer);
    Lexer& lexer = in.lexer;
    ScreenState& s = in.screen;
    in.currentStatement = u"PUT";
    const PixelPoint at = readPixelPoint(in);
    in.expectSymbol(u',');
    lexer.nextToken();
    if (lexer.isWord(KwKanji)) {
        lexer.nextToken();
        in.expectSymbol(u'(');
        lexer.nextToken();
        std::int32_t code = toLongRounded(evaluateExpression(in));
        in.expectSymbol(u')');
        lexer.nextToken();
        const PutOptions o = readPutOptions(in);
        if (code < 0) code += 0x10000; // &H8140 reads as a negative Integer
        putKanji(s, at, code, o);
    } else {
        const ImageArray array = readImageArray(in, false);
        const PutOptions o = readPutOptions(in);
        // An array that never received a picture draws nothing.
        const ImageBuffer* buffer = array.owner >= 0 ? s.images.find(array.owner) : nullptr;
        if (buffer) {
            const QSize size = storedSize(in, *buffer, array.owner);
            if (!size.isEmpty())
                putPicture(s, at,
                           size == buffer->picture.size() ? buffer->picture
                                                          : buffer->picture.copy(QRect(QPoint(0, 0), size)),
                           o);
        }
    }
    in.checkStatementEnd(args);
}

void registerImageStatements(std::array<StatementHandler, KeywordCount>& table) {
    table[KwBsave] = executeBsave;
    table[KwBload] = executeBload;
}

} // namespace korvelin
