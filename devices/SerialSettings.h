#pragma once
// The one record of serial-port settings the whole application shares:
// changed by the settings dialog and by the letters of an OPEN "COM..."
// name, kept in the settings file as "Speed" and "Param".

#include <QString>

#include <array>
#include <string>
#include <string_view>

namespace korvelin {

struct SerialPortSettings {
    int portIndex = 0;   // COM1..COM4
    int speedIndex = 3;  // into serialSpeeds(): 9600
    int parity = 0;      // 0 none, 1 even, 2 odd
    int dataBits = 1;    // 0 seven, 1 eight
    int stopBits = 0;    // 0 one, 1 one and a half, 2 two
    int flowControl = 0; // bit 0 XON/XOFF, bit 1 RTS/CTS
    // Shown and kept by the dialog only; they change nothing sent or received.
    bool sendCrToCrLf = false;
    bool receiveCrToCrLf = true;
    bool ignoreReceivedLf = true;
    // The host device behind COM1..COM4 (settings keys "Device1".."Device4").
    std::array<QString, 4> devices{QStringLiteral("/dev/ttyS0"), QStringLiteral("/dev/ttyS1"),
                                   QStringLiteral("/dev/ttyS2"), QStringLiteral("/dev/ttyS3")};

    // The letters of a settings text ("COM1:E71X"), by position from the
    // "C": 4 the port digit, 6 parity, 7 data bits, 8 stop bits, 9 flow
    // control. A missing position or a letter not known leaves that setting.
    void applySettingsText(std::u16string_view text);
    // "COM", the port number, ":" and the four letters ("COM1:N81N").
    std::u16string settingsText() const;
    // A speed text of the list sets the speed; any other text gives 9600.
    void applySpeedText(const QString& text);
    QString speedText() const;
    int bitsPerSecond() const;
    // What the port is opened with: speed, parity, data and stop bits ("9600,N,8,1").
    QString portSettingsString() const;
};

// The speeds the port offers, in their settings-file form.
const std::array<const char*, 9>& serialSpeeds();

} // namespace korvelin
