#pragma once
// Picture files of BSAVE and BLOAD. BSAVE always writes a Windows bitmap
// (24 bits per pixel, bottom-up, BITMAPINFOHEADER), whatever the name's
// extension; BLOAD reads Windows bitmaps and the other picture formats
// programs of this dialect used (GIF, JPEG, icons). Failures are thrown as
// HostFailure: a missing file is FileNotFound, a picture that cannot be
// read whole (truncated, not a picture, too large) is Other.

#include <QByteArray>
#include <QImage>
#include <QString>

#include <cstdint>

namespace korvelin {

// The bytes of a 24-bit Windows bitmap of an RGB32 image.
QByteArray encodeBitmap(const QImage& image);

// Writes the bitmap to a temporary file beside `path` and renames it, so
// that a failed write leaves an older file as it was.
void writeBitmapFile(const QString& path, const QImage& image);

// The picture in a file, as RGB32, at most `maxPixels` pixels; nothing is
// decoded when the file's header already says it is too large.
QImage readPictureFile(const QString& path, std::int64_t maxPixels);

} // namespace korvelin
