#pragma once
// The settings kept in "KORVELIN.INI": the serial-port record and the
// printer font. They are held as the texts the file stores; the serial and
// printer parts interpret them. Read once at start-up, written back at
// shut-down, keeping every other section of the file as it was.

#include "platform/IniFile.h"
#include "platform/WindowSettings.h"

#include <QString>

#include <array>

namespace korvelin {

struct SerialSettings {
    QString Speed; // one of the nine speed texts, "" when the file has none
    QString Param; // the settings text ("COM1:N81N"), "" when the file has none
    // Keys "Device1".."Device4": the host devices of COM1..COM4, "" when
    // the file names none. Read only; the file keeps them.
    std::array<QString, 4> devices;
};

struct PrinterFontSettings {
    QString PrinterFontName = QStringLiteral("ＭＳ 明朝");
    QString PrinterFontSize = QStringLiteral("12");
    QString PrinterFontVertical = QStringLiteral("False");
    QString PrinterFontBold = QStringLiteral("False");
    QString PrinterFontItalic = QStringLiteral("False");
};

class Settings {
  public:
    // Each value is read as the profile calls read it into a 50-character buffer.
    static constexpr int readLimit = 49;

    void read(const IniFile& file);
    void write(IniFile& file) const;

    // Reads the file beside the program (or in the user's configuration
    // folder) and keeps it, so that writing back keeps what we do not know.
    void load(const QString& appDirectory);
    // Reads the named file instead; false when it cannot be read.
    bool loadFile(const QString& path);
    bool save(const QString& appDirectory);

    SerialSettings serial;
    PrinterFontSettings printerFont;
    // Section "DRIVES", keys "A".."Z": the host folder behind each drive
    // letter ("" when the file names none). Read only; the file keeps them.
    std::array<QString, 26> drives;
    // The classic-dialect mode, section "OPTIONS" key "Classic" ("1" on);
    // the key is written only once the mode has been on.
    bool classicDialect = false;
    // Window places, zoom and the recent files, in sections of their own.
    WindowSettings windows;

  private:
    IniFile file_;
};

// The speeds the serial port offers, in their settings-file form.
const QStringList& serialSpeedTexts();

} // namespace korvelin
