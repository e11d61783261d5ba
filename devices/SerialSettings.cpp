#include "devices/SerialSettings.h"

namespace korvelin {

const std::array<const char*, 9>& serialSpeeds() {
    static const std::array<const char*, 9> speeds{"1200",  "2400",  "4800",  "9600", "14400",
                                                   "19200", "28800", "38400", "56000"};
    return speeds;
}

void SerialPortSettings::applySettingsText(std::u16string_view text) {
    auto at = [&](std::size_t position) -> char16_t {
        return position <= text.size() ? text[position - 1] : u'\0';
    };
    const char16_t port = at(4);
    if (port >= u'1' && port <= u'4') portIndex = port - u'1';
    switch (at(6)) {
    case u'N': parity = 0; break;
    case u'E': parity = 1; break;
    case u'O': parity = 2; break;
    default: break;
    }
    switch (at(7)) {
    case u'7': dataBits = 0; break;
    case u'8': dataBits = 1; break;
    default: break;
    }
    switch (at(8)) {
    case u'1': stopBits = 0; break;
    case u'2': stopBits = 1; break;
    case u'3': stopBits = 2; break;
    default: break;
    }
    switch (at(9)) {
    case u'N': flowControl = 0; break;
    case u'X': flowControl = 1; break;
    case u'S': flowControl = 2; break;
    case u'D': flowControl = 3; break;
    default: break;
    }
}

std::u16string SerialPortSettings::settingsText() const {
    std::u16string text = u"COM";
    text += static_cast<char16_t>(u'1' + portIndex);
    text += u':';
    text += u"NEO"[parity];
    text += dataBits == 0 ? u'7' : u'8';
    text += static_cast<char16_t>(u'1' + stopBits);
    text += u"NXSD"[flowControl];
    return text;
}

void SerialPortSettings::applySpeedText(const QString& text) {
    speedIndex = 3;
    for (std::size_t i = 0; i < serialSpeeds().size(); ++i)
        if (text == QLatin1String(serialSpeeds()[i])) speedIndex = static_cast<int>(i);
}

QString SerialPortSettings::speedText() const {
    return QLatin1String(serialSpeeds()[static_cast<std::size_t>(speedIndex)]);
}

int SerialPortSettings::bitsPerSecond() const {
    return speedText().toInt();
}

QString SerialPortSettings::portSettingsString() const {
    static const char* const parities[] = {"N", "E", "O"};
    static const char* const stops[] = {"1", "1.5", "2"};
    return speedText() + QLatin1Char(',') + QLatin1String(parities[parity]) + QLatin1Char(',') +
           QLatin1Char(dataBits == 0 ? '7' : '8') + QLatin1Char(',') + QLatin1String(stops[stopBits]);
}

} // namespace korvelin
