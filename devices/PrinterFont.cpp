#include "devices/PrinterFont.h"

#include "screen/ScreenState.h"

#include <algorithm>

namespace korvelin {

namespace {

constexpr double DefaultPointSize = 12;
constexpr double LargestPointSize = 500;

// The leading number of the text, as VAL reads one; 0 when there is none.
double leadingNumber(const QString& text) {
    const QString trimmed = text.trimmed();
    qsizetype end = 0;
    while (end < trimmed.size() && (trimmed[end].isDigit() || trimmed[end] == QLatin1Char('.')))
        ++end;
    bool ok = false;
    const double value = trimmed.left(end).toDouble(&ok);
    return ok ? value : 0;
}

} // namespace

bool settingIsTrue(const QString& text) {
    return text.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0;
}

PrinterFont applyPrinterFont(const PrinterFontSettings& settings) {
    PrinterFont font;
    font.name = settingIsTrue(settings.PrinterFontVertical) ? QLatin1Char('@') + settings.PrinterFontName
                                                            : settings.PrinterFontName;
    // A size the printer cannot use (none, 0, a word) falls back to the default.
    const double size = leadingNumber(settings.PrinterFontSize);
    font.pointSize = size >= 1 ? std::min(size, LargestPointSize) : DefaultPointSize;
    font.bold = settingIsTrue(settings.PrinterFontBold);
    font.italic = settingIsTrue(settings.PrinterFontItalic);
    return font;
}

QFont PrinterFont::qfont() const {
    installFontSubstitutions();
    QFont font(vertical() ? name.mid(1) : name);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

} // namespace korvelin
