#pragma once
// Settings files in the private-profile form: "[Section]" headers and
// "Key=Value" lines, sections and keys compared without regard to case,
// the text in CP932. Lines this program does not understand (comments,
// sections of other tools) are kept as they are when the file is written.

#include <QString>
#include <QStringList>

#include <vector>

namespace korvelin {

class IniFile {
  public:
    // The longest value a reader gets back, as with the system's profile calls.
    static constexpr int valueLimit = 255;

    // Reads the file; false when it does not exist or cannot be read (the
    // contents are then empty).
    bool load(const QString& path);
    void parse(const QByteArray& bytes);
    // The value, or "" when the section or the key is missing.
    QString value(const QString& section, const QString& key) const;
    // Adds the section and the key when they are missing.
    void setValue(const QString& section, const QString& key, const QString& value);
    QByteArray serialize() const;
    bool save(const QString& path) const;

  private:
    struct Line {
        QString text; // the line as it stands (for sections and other lines)
        QString key;  // non-empty for "Key=Value" lines
        QString value;
    };
    struct Section {
        QString name; // empty for lines before the first header
        std::vector<Line> lines;
    };
    Section* findSection(const QString& name);
    const Section* findSection(const QString& name) const;

    std::vector<Section> sections_;
};

// Where "KORVELIN.INI" lives: in the program's folder when that folder can
// be written, else in $XDG_CONFIG_HOME/korvelin/ (created when needed).
// A file that already exists in the program's folder is always read there.
QString iniFileForReading(const QString& appDirectory);
QString iniFileForWriting(const QString& appDirectory);

} // namespace korvelin
