#pragma once
// The images of the menus and the toolbar, looked up by key: the key is a
// menu caption ("開始(&G)"), with ".D" for the disabled look, ".A" for
// automatic numbering switched on. Each image comes from the desktop's icon
// theme when it has a fitting one, else it is drawn here, so the program
// looks complete on a bare system.

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace korvelin {

class ImageList {
  public:
    static constexpr int imageSize = 16;

    // The image of a key; a ".D" key gives the greyed form of its base image.
    QPixmap image(const QString& key) const;
    // An icon whose normal form is `key` and whose disabled form is `key`.D,
    // for menu items and buttons that Qt greys out by themselves.
    QIcon icon(const QString& key) const;
    // Whether an image is drawn for this key (every menu caption has one).
    bool hasImage(const QString& key) const;
};

} // namespace korvelin
