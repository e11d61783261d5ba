#include "screen/KanjiGlyph.h"

#include "screen/ScreenState.h"
#include "values/Cp932.h"
#include "values/InterpreterError.h"
#include "values/ShiftJisText.h"
#include "values/WidthTables.h"

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>

#include <algorithm>

namespace korvelin {

KanjiCharacter kanjiCharacter(std::uint16_t code) {
    const int high = code >> 8, low = code & 0xFF;
    KanjiCharacter c;
    if (high == 0) {
        c.text = cp932::decode(std::string(1, static_cast<char>(low)));
        c.baseWidth = 8;
        return c;
    }
    if (high == 1) {
        const std::u16string half = cp932::decode(std::string(1, static_cast<char>(low)));
        const auto at = std::find(HalfWidthTable.begin(), HalfWidthTable.end(), half.empty() ? 0 : half[0]);
        if (half.size() != 1 || at == HalfWidthTable.end()) raise(ErrIllegalCall);
        c.text.assign(1, FullWidthTable[static_cast<std::size_t>(at - HalfWidthTable.begin())]);
        c.baseWidth = 8;
        c.baseHeight = 8;
        return c;
    }
    std::string bytes;
    if (sjis::characterBytes(sjis::jisToShiftJis(high, low), bytes) && bytes.size() == 2) {
        const std::u16string text = cp932::decode(bytes);
        // Codes CP932 leaves unassigned come back as private-use characters: nothing to draw.
        if (text.size() == 1 && !(text[0] >= 0xE000 && text[0] <= 0xF8FF)) c.text = text;
    }
    return c;
}

QImage renderKanji(const KanjiCharacter& character, const QString& fontName, double xscale, double yscale,
                   const QRect& area, std::uint32_t foreground, std::uint32_t background) {
    QImage image(area.size(), QImage::Format_RGB32);
    image.fill(background);
    // Glyphs need the font database of a GUI application.
    if (character.text.empty() || character.text == u" " ||
        !qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return image;
    installFontSubstitutions();
    QFont font(fontName);
    font.setPixelSize(character.baseHeight);
    font.setStyleStrategy(QFont::NoAntialias); // exact palette colours, as on the console
    font.setWeight(QFont::Light);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.translate(-area.left(), -area.top());
    painter.scale(xscale, yscale);
    painter.setPen(QColor::fromRgb(foreground));
    painter.setFont(font);
    painter.drawText(QPointF(0, QFontMetrics(font).ascent()), QString::fromStdU16String(character.text));
    return image;
}

} // namespace korvelin
