#pragma once
// The single characters PUT ... KANJI draws as pictures.
//
// A code &Hhhll names: with hh = 00 the single-byte character ll (8 x 16
// pixels); with hh = 01 the full-width twin of the half-width character
// ll, drawn 8 x 8; otherwise the JIS code row hh, cell ll, converted to
// Shift-JIS by the standard rule (the one KNJ$ uses), 16 x 16.

#include <QImage>
#include <QRect>
#include <QString>

#include <cstdint>
#include <string>

namespace korvelin {

struct KanjiCharacter {
    std::u16string text; // empty: a code that names no character (only the background is drawn)
    int baseWidth = 16;
    int baseHeight = 16;
};

// The character of a 16-bit code. Throws error 5 for an hh = 01 code
// whose ll is no half-width character.
KanjiCharacter kanjiCharacter(std::uint16_t code);

// The glyph scaled by (xscale, yscale) in the colour `foreground` on
// `background`, as a picture of `area` (a rectangle of the whole scaled
// cell, which starts at (0, 0)); only that part is made, however large the
// scaled cell is.
QImage renderKanji(const KanjiCharacter& character, const QString& fontName, double xscale, double yscale,
                   const QRect& area, std::uint32_t foreground, std::uint32_t background);

} // namespace korvelin
