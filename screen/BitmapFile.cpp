#include "screen/BitmapFile.h"

#include "values/HostFailure.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QSaveFile>

#include <cstdlib>
#include <cstring>

namespace korvelin {

namespace {

constexpr int FileHeaderSize = 14;
constexpr int InfoHeaderSize = 40;
constexpr std::int32_t PixelsPerMetre = 3780; // 96 dots per inch
// No picture file of a program comes near this; larger files are not read into memory.
constexpr qint64 MaxPictureFileBytes = qint64{256} << 20;

void put16(QByteArray& out, int at, std::uint16_t v) {
    out[at] = static_cast<char>(v & 0xFF);
    out[at + 1] = static_cast<char>(v >> 8);
}

void put32(QByteArray& out, int at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

std::uint32_t get32(const QByteArray& in, int at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = v << 8 | static_cast<unsigned char>(in[at + i]);
    return v;
}

std::uint16_t get16(const QByteArray& in, int at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(in[at]) |
                                      static_cast<unsigned char>(in[at + 1]) << 8);
}

// An uncompressed bitmap whose pixel rows reach past the end of the file
// would be read with made-up rows; such a file is refused instead.
bool bitmapComplete(const QByteArray& bytes) {
    if (bytes.size() < FileHeaderSize + 12) return false;
    const std::uint32_t offset = get32(bytes, 10);
    const std::uint32_t headerSize = get32(bytes, FileHeaderSize);
    std::int64_t width = 0, height = 0;
    int bits = 0;
    std::uint32_t compression = 0;
    if (headerSize == 12) { // OS/2 core header
        width = get16(bytes, FileHeaderSize + 4);
        height = get16(bytes, FileHeaderSize + 6);
        bits = get16(bytes, FileHeaderSize + 10);
    } else {
        if (bytes.size() < FileHeaderSize + InfoHeaderSize) return false;
        width = static_cast<std::int32_t>(get32(bytes, FileHeaderSize + 4));
        height = static_cast<std::int32_t>(get32(bytes, FileHeaderSize + 8));
        bits = get16(bytes, FileHeaderSize + 14);
        compression = get32(bytes, FileHeaderSize + 16);
    }
    if (width <= 0 || height == 0 || bits <= 0) return false;
    if (compression != 0 && compression != 3) return true; // run-length data: its reader checks it
    const std::int64_t stride = (width * bits + 31) / 32 * 4;
    return static_cast<std::int64_t>(offset) + stride * std::llabs(height) <= bytes.size();
}

} // namespace

QByteArray encodeBitmap(const QImage& image) {
    const int width = image.width(), height = image.height();
    const int stride = (width * 3 + 3) / 4 * 4;
    const int dataSize = stride * height;
    QByteArray out(FileHeaderSize + InfoHeaderSize + dataSize, '\0');
    out[0] = 'B';
    out[1] = 'M';
    put32(out, 2, static_cast<std::uint32_t>(out.size()));
    put32(out, 10, FileHeaderSize + InfoHeaderSize);
    put32(out, 14, InfoHeaderSize);
    put32(out, 18, static_cast<std::uint32_t>(width));
    put32(out, 22, static_cast<std::uint32_t>(height)); // positive: rows bottom-up
    put16(out, 26, 1);                                  // planes
    put16(out, 28, 24);                                 // bits per pixel
    put32(out, 34, static_cast<std::uint32_t>(dataSize));
    put32(out, 38, PixelsPerMetre);
    put32(out, 42, PixelsPerMetre);
    char* data = out.data() + FileHeaderSize + InfoHeaderSize;
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(image.constScanLine(height - 1 - y));
        char* to = data + static_cast<std::ptrdiff_t>(y) * stride;
        for (int x = 0; x < width; ++x) {
            to[3 * x] = static_cast<char>(row[x] & 0xFF);             // blue
            to[3 * x + 1] = static_cast<char>((row[x] >> 8) & 0xFF);  // green
            to[3 * x + 2] = static_cast<char>((row[x] >> 16) & 0xFF); // red
        }
    }
    return out;
}

void writeBitmapFile(const QString& path, const QImage& image) {
    const QFileInfo info(path);
    if (info.isDir()) failHost(HostFailureKind::BadFileName);
    if (!info.dir().exists()) failHost(HostFailureKind::FileNotFound);
    const QByteArray bytes = encodeBitmap(image);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        failHost(file.error() == QFileDevice::PermissionsError ? HostFailureKind::PermissionDenied
                                                               : HostFailureKind::BadFileName);
    }
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        failHost(HostFailureKind::DiskFull);
    }
    if (!file.commit()) failHost(HostFailureKind::DiskFull);
}

QImage readPictureFile(const QString& path, std::int64_t maxPixels) {
    const QFileInfo info(path);
    if (!info.exists()) failHost(HostFailureKind::FileNotFound);
    if (info.isDir()) failHost(HostFailureKind::BadFileName);
    if (info.size() > MaxPictureFileBytes) failHost(HostFailureKind::Other);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) failHost(HostFailureKind::PermissionDenied);
    QByteArray bytes = file.readAll();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QByteArray format = reader.format();
    if (format != "bmp" && format != "gif" && format != "jpeg" && format != "ico")
        failHost(HostFailureKind::Other);
    if (format == "bmp" && !bitmapComplete(bytes)) failHost(HostFailureKind::Other);
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty() ||
        static_cast<std::int64_t>(size.width()) * size.height() > maxPixels)
        failHost(HostFailureKind::Other);
    QImage image = reader.read();
    if (image.isNull() || image.size() != size) failHost(HostFailureKind::Other);
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace korvelin
