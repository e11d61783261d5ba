#include "platform/IniFile.h"

#include "values/Cp932.h"
#include "values/WholeFileWrite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace korvelin {

namespace {

const QString iniName = QStringLiteral("KORVELIN.INI");

QString decode(const QByteArray& bytes) {
    const std::u16string text = cp932::decode(std::string_view(bytes.constData(), bytes.size()));
    return QString::fromStdU16String(text);
}

QByteArray encode(const QString& text) {
    const std::string bytes = cp932::encode(text.toStdU16String());
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString configDirectory() {
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty()) base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/korvelin/");
}

bool directoryWritable(const QString& directory) {
    const QFileInfo info(directory);
    return info.isDir() && info.isWritable();
}

} // namespace

bool IniFile::load(const QString& path) {
    sections_.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    parse(file.readAll());
    return true;
}

void IniFile::parse(const QByteArray& bytes) {
    sections_.clear();
    sections_.push_back(Section{});
    const QString text = decode(bytes);
    for (QString line : text.split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(QLatin1Char('[')) && trimmed.contains(QLatin1Char(']'))) {
            const QString name = trimmed.mid(1, trimmed.indexOf(QLatin1Char(']')) - 1).trimmed();
            sections_.push_back(Section{name, {}});
            continue;
        }
        Line entry{line, {}, {}};
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals > 0 && !trimmed.startsWith(QLatin1Char(';'))) {
            entry.key = line.left(equals).trimmed();
            entry.value = line.mid(equals + 1).trimmed();
            // A value in quotes is read without them, as the profile calls do.
            if (entry.value.size() >= 2 && entry.value.startsWith(QLatin1Char('"')) &&
                entry.value.endsWith(QLatin1Char('"')))
                entry.value = entry.value.mid(1, entry.value.size() - 2);
        }
        sections_.back().lines.push_back(entry);
    }
    // The split leaves one empty line behind a final line end.
    Section& last = sections_.back();
    if (!last.lines.empty() && last.lines.back().text.isEmpty() && last.lines.back().key.isEmpty())
        last.lines.pop_back();
}

IniFile::Section* IniFile::findSection(const QString& name) {
    for (Section& s : sections_)
        if (!s.name.isEmpty() && sameName(s.name, name)) return &s;
    return nullptr;
}

const IniFile::Section* IniFile::findSection(const QString& name) const {
    return const_cast<IniFile*>(this)->findSection(name);
}

QString IniFile::value(const QString& section, const QString& key) const {
    const Section* s = findSection(section);
    if (!s) return {};
    for (const Line& line : s->lines)
        if (!line.key.isEmpty() && sameName(line.key, key)) return line.value.left(valueLimit);
    return {};
}

void IniFile::setValue(const QString& section, const QString& key, const QString& value) {
    Section* s = findSection(section);
    if (!s) {
        if (sections_.empty()) sections_.push_back(Section{});
        sections_.push_back(Section{section, {}});
        s = &sections_.back();
    }
    for (Line& line : s->lines) {
        if (!line.key.isEmpty() && sameName(line.key, key)) {
            line.value = value;
            line.text.clear(); // rebuilt when written
            return;
        }
    }
    // New keys go behind the last key of the section, before trailing blank lines.
    auto at = s->lines.end();
    while (at != s->lines.begin() && std::prev(at)->key.isEmpty() && std::prev(at)->text.trimmed().isEmpty())
        --at;
    s->lines.insert(at, Line{{}, key, value});
}

QByteArray IniFile::serialize() const {
    QString text;
    for (const Section& s : sections_) {
        if (!s.name.isEmpty()) text += QLatin1Char('[') + s.name + QStringLiteral("]\r\n");
        for (const Line& line : s.lines) {
            if (!line.key.isEmpty() && line.text.isEmpty())
                text += line.key + QLatin1Char('=') + line.value;
            else
                text += line.text;
            text += QStringLiteral("\r\n");
        }
    }
    return encode(text);
}

bool IniFile::save(const QString& path) const {
    QDir().mkpath(QFileInfo(path).absolutePath());
    const QByteArray bytes = serialize();
    return writeWholeFile(QFile::encodeName(path).toStdString(),
                          std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

QString iniFileForReading(const QString& appDirectory) {
    const QString beside = appDirectory + iniName;
    if (QFileInfo::exists(beside) || directoryWritable(appDirectory)) return beside;
    return configDirectory() + iniName;
}

QString iniFileForWriting(const QString& appDirectory) {
    const QString beside = appDirectory + iniName;
    if (directoryWritable(appDirectory)) return beside;
    return configDirectory() + iniName;
}

} // namespace korvelin
