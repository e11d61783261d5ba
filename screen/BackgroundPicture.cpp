// The background picture of colour modes 1 and 2: "RAINBOW.DIB", a file
// shipped beside the executable (or in the installed share/korvelin
// folder), never one of the program's own folder.

#include "screen/BitmapFile.h"
#include "screen/Raster.h"
#include "screen/ScreenState.h"
#include "values/HostFailure.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace korvelin {

namespace {

QString findBackgroundPicture() {
    if (!QCoreApplication::instance()) return {};
    const QString folder = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    for (const QString& candidate :
         {folder + QStringLiteral("RAINBOW.DIB"),
          QDir::cleanPath(folder + QStringLiteral("../share/korvelin/RAINBOW.DIB"))})
        if (QFileInfo::exists(candidate)) return candidate;
    return {};
}

// The picture, or a null image when there is none or it cannot be read:
// the pages are cleared all the same.
QImage backgroundPicture(const QString& path) {
    if (path.isEmpty()) return {};
    try {
        return readPictureFile(path, MaxImagePixels);
    } catch (const HostFailure&) {
        return {};
    }
}

} // namespace

void ScreenState::applyColorModePictures() {
    QImage picture;
    if (colorMode != 0) {
        if (backgroundPicturePath.isEmpty()) backgroundPicturePath = findBackgroundPicture();
        picture = backgroundPicture(backgroundPicturePath);
    }
    for (int n = 0; n < 2; ++n) {
        clearPage(n, 0);
        if (!picture.isNull()) raster::blit(page(n), 0, 0, picture, raster::RasterOp::Copy);
    }
    RepaintWindow();
}

} // namespace korvelin
