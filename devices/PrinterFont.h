#pragma once
// The printer font as the settings record gives it, applied: the name
// gets an at-sign in front for vertical writing (the host's name for a
// font's vertical variant), the size is the number of its text.

#include "platform/Settings.h"

#include <QFont>
#include <QString>

namespace korvelin {

struct PrinterFont {
    QString name = QStringLiteral("ＭＳ 明朝"); // with "@" in front when vertical
    double pointSize = 12;
    bool bold = false;
    bool italic = false;

    bool vertical() const { return name.startsWith(QLatin1Char('@')); }
    // The font to draw with (the family without the at-sign; the Japanese
    // names map to the IPA fonts).
    QFont qfont() const;
};

// "True"/"False" as the settings file stores them; anything but "True" is false.
bool settingIsTrue(const QString& text);
// The printer font that the settings record describes.
PrinterFont applyPrinterFont(const PrinterFontSettings& settings);

} // namespace korvelin
