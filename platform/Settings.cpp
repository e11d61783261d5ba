#include "platform/Settings.h"

namespace korvelin {

namespace {

const QString serialSection = QStringLiteral("RS232C");
const QString printerSection = QStringLiteral("PRINTER_FONT");
const QString optionsSection = QStringLiteral("OPTIONS");
const QString classicKey = QStringLiteral("Classic");
const QString defaultSpeed = QStringLiteral("9600");
const QString defaultParam = QStringLiteral("COM1:N81N");

QString readValue(const IniFile& file, const QString& section, const QString& key, const QString& fallback) {
    const QString value = file.value(section, key).left(Settings::readLimit);
    return value.isEmpty() ? fallback : value;
}

} // namespace

const QStringList& serialSpeedTexts() {
    static const QStringList speeds = {
        QStringLiteral("1200"),  QStringLiteral("2400"),  QStringLiteral("4800"),
        QStringLiteral("9600"),  QStringLiteral("14400"), QStringLiteral("19200"),
        QStringLiteral("28800"), QStringLiteral("38400"), QStringLiteral("56000"),
    };
    return speeds;
}

void Settings::read(const IniFile& file) {
    serial.Speed = readValue(file, serialSection, QStringLiteral("Speed"), {});
    serial.Param = readValue(file, serialSection, QStringLiteral("Param"), {});
    for (int port = 0; port < 4; ++port)
        serial.devices[static_cast<std::size_t>(port)] =
            file.value(serialSection, QStringLiteral("Device%1").arg(port + 1)).trimmed();
    const PrinterFontSettings defaults;
    printerFont.PrinterFontName =
        readValue(file, printerSection, QStringLiteral("FontName"), defaults.PrinterFontName);
    printerFont.PrinterFontSize =
        readValue(file, printerSection, QStringLiteral("FontSize"), defaults.PrinterFontSize);
    printerFont.PrinterFontVertical =
        readValue(file, printerSection, QStringLiteral("FontTate"), defaults.PrinterFontVertical);
    printerFont.PrinterFontBold =
        readValue(file, printerSection, QStringLiteral("FontBold"), defaults.PrinterFontBold);
    printerFont.PrinterFontItalic =
        readValue(file, printerSection, QStringLiteral("FontItalic"), defaults.PrinterFontItalic);
    for (int letter = 0; letter < 26; ++letter)
        drives[static_cast<std::size_t>(letter)] =
            file.value(QStringLiteral("DRIVES"), QString(QChar(u'A' + letter))).trimmed();
    classicDialect = readValue(file, optionsSection, classicKey, {}) == QStringLiteral("1");
    windows.read(file);
}

void Settings::write(IniFile& file) const {
    // The speed is always written as one of the nine texts; a file that had
    // none (or a strange one) gets the serial port's default.
    const QString speed = serialSpeedTexts().contains(serial.Speed) ? serial.Speed : defaultSpeed;
    file.setValue(serialSection, QStringLiteral("Speed"), speed);
    file.setValue(serialSection, QStringLiteral("Param"),
                  serial.Param.isEmpty() ? defaultParam : serial.Param);
    file.setValue(printerSection, QStringLiteral("FontName"), printerFont.PrinterFontName);
    file.setValue(printerSection, QStringLiteral("FontSize"), printerFont.PrinterFontSize);
    file.setValue(printerSection, QStringLiteral("FontTate"), printerFont.PrinterFontVertical);
    file.setValue(printerSection, QStringLiteral("FontBold"), printerFont.PrinterFontBold);
    file.setValue(printerSection, QStringLiteral("FontItalic"), printerFont.PrinterFontItalic);
    // Files of users who never turned the mode on stay as they were.
    if (classicDialect || !file.value(optionsSection, classicKey).isEmpty())
        file.setValue(optionsSection, classicKey, classicDialect ? QStringLiteral("1") : QStringLiteral("0"));
    windows.write(file);
}

void Settings::load(const QString& appDirectory) {
    file_.load(iniFileForReading(appDirectory));
    read(file_);
}

bool Settings::loadFile(const QString& path) {
    const bool loaded = file_.load(path);
    read(file_);
    return loaded;
}

bool Settings::save(const QString& appDirectory) {
    write(file_);
    return file_.save(iniFileForWriting(appDirectory));
}

} // namespace korvelin
