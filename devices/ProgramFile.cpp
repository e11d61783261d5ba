#include "devices/ProgramFile.h"

#include "values/Cp932.h"
#include "values/WholeFileWrite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace korvelin {

namespace {

const QByteArray utf8Bom("\xEF\xBB\xBF");

// UTF-8 of Japanese text has characters of three bytes or more. Without
// one, Shift-JIS is the likelier reading: pairs of half-width katakana
// ("ﾃｽ" is C3 BD) form valid two-byte UTF-8 too.
bool hasLongUtf8Lead(QByteArrayView bytes) {
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0xE0 && b <= 0xF4) return true;
    }
    return false;
}

std::optional<QString> decodeUtf8(QByteArrayView bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError()) return std::nullopt;
    return text;
}

// Lines ended by CR LF, LF or CR become lines ended by "\n"; a last line
// without an end gets one, as reading line by line gives it.
QString normalizeLines(const QString& text) {
    QString out;
    out.reserve(text.size() + 1);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\r')) {
            if (i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')) ++i;
            out += QLatin1Char('\n');
        } else {
            out += c;
        }
    }
    if (!out.isEmpty() && !out.endsWith(QLatin1Char('\n'))) out += QLatin1Char('\n');
    return out;
}

} // namespace

ProgramFileText decodeProgramFile(const QByteArray& file) {
    // A text file ends at Ctrl+Z, as line-by-line reading of old files does.
    const qsizetype end = file.indexOf('\x1A');
    const QByteArrayView bytes = end < 0 ? QByteArrayView(file) : QByteArrayView(file).first(end);
    if (bytes.startsWith(utf8Bom)) {
        if (auto text = decodeUtf8(bytes.sliced(utf8Bom.size())))
            return {normalizeLines(*text), ProgramEncoding::Utf8WithBom};
    } else if (hasLongUtf8Lead(bytes)) {
        if (auto text = decodeUtf8(bytes)) return {normalizeLines(*text), ProgramEncoding::Utf8};
    }
    const std::u16string text =
        cp932::decode(std::string_view(bytes.data(), static_cast<std::size_t>(bytes.size())));
    return {normalizeLines(QString::fromStdU16String(text)), ProgramEncoding::Cp932};
}

QByteArray encodeProgramFile(const QString& text, ProgramEncoding encoding) {
    QString body = text;
    body.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    if (!body.endsWith(QStringLiteral("\r\n"))) body += QStringLiteral("\r\n");
    switch (encoding) {
    case ProgramEncoding::Utf8: return body.toUtf8();
    case ProgramEncoding::Utf8WithBom: return utf8Bom + body.toUtf8();
    case ProgramEncoding::Cp932: break;
    }
    const std::string bytes = cp932::encode(body.toStdU16String());
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::optional<ProgramFileText> readProgramFile(const QString& path) {
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) return std::nullopt;
    return decodeProgramFile(bytes);
}

// Every write and the final flush are checked (a full disk must not leave
// an empty program behind a reported success), and the old file stays
// until the new one is complete.
bool writeProgramFile(const QString& path, const QString& text, ProgramEncoding encoding) {
    const QByteArray bytes = encodeProgramFile(text, encoding);
    return writeWholeFile(QFile::encodeName(path).toStdString(),
                          std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

bool cp932Holds(const QString& text) {
    const std::u16string original = text.toStdU16String();
    return cp932::decode(cp932::encode(original)) == original;
}

QString programNameOf(const QString& path) {
    return QFileInfo(path).fileName().toUpper();
}

QString directoryOf(const QString& path) {
    QString directory = QFileInfo(path).absolutePath();
    if (!directory.endsWith(QLatin1Char('/'))) directory += QLatin1Char('/');
    return directory;
}

QString withBasExtension(const QString& path) {
    if (path.endsWith(QStringLiteral(".BAS"), Qt::CaseInsensitive)) return path;
    return path + QStringLiteral(".BAS");
}

QString withExtensionWhenMissing(const QString& path) {
    if (QFileInfo(path).fileName().contains(QLatin1Char('.'))) return path;
    return path + QStringLiteral(".BAS");
}

QString upperCasedFileName(const QString& path) {
    const QFileInfo info(path);
    const QString name = info.fileName();
    return path.left(path.size() - name.size()) + name.toUpper();
}

QString findExistingFile(const QString& path) {
    const QFileInfo info(path);
    if (info.exists()) return path;
    const QDir directory = info.absoluteDir();
    const QString name = info.fileName();
    for (const QString& entry : directory.entryList(QDir::Files | QDir::Hidden | QDir::System))
        if (entry.compare(name, Qt::CaseInsensitive) == 0) return directory.filePath(entry);
    return path;
}

int documentPosition(const QString& text, int crlfOffset) {
    // An offset between CR and LF, or just past a line's last character,
    // stays at the end of that line.
    int position = 0;
    int offset = 0;
    while (position < text.size()) {
        const int step = text[position] == QLatin1Char('\n') ? 2 : 1;
        if (offset + step > crlfOffset) break;
        offset += step;
        ++position;
    }
    return position;
}

int crlfOffset(const QString& text, int documentPosition) {
    int offset = 0;
    for (int i = 0; i < documentPosition && i < text.size(); ++i)
        offset += text[i] == QLatin1Char('\n') ? 2 : 1;
    return offset;
}

std::u16string withCrLf(const QString& text) {
    std::u16string out;
    out.reserve(static_cast<std::size_t>(text.size()) +
                static_cast<std::size_t>(text.count(QLatin1Char('\n'))));
    for (QChar c : text) {
        if (c == QLatin1Char('\n')) out += u'\r';
        out += c.unicode();
    }
    return out;
}

} // namespace korvelin
