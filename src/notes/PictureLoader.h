#pragma once
// Background pictures of every format a note accepts: .bmp .dib .gif .jpg .ico .cur (Qt's readers, deciding
// by content), .wmf (libwmf) and .emf (libemf2svg). A file that cannot be decoded gives a null image.
#include <QImage>
#include <QString>

namespace PictureLoader {
QImage LoadPicture(const QString& path);
} // namespace PictureLoader
