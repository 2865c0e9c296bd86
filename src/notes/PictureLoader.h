#pragma once
// Background pictures of every format a note accepts: .bmp .dib .gif .jpg .ico .cur (Qt's readers), .wmf
// (libwmf) and .emf (libemf2svg), the last two through the pvl3_pictures module opened with the first of
// them. The content decides the format, never the extension. A file that is missing, damaged or absurdly
// large gives a null image, and so does a metafile when the module is missing; nothing here throws or stops
// the program.
#include <QImage>
#include <QString>

namespace PictureLoader {

// Larger pictures are refused rather than decoded: a note is a few hundred pixels wide, and an 8192 x 8192
// picture already takes 256 MB.
constexpr int MaxPictureSide = 8192;
// Larger files are not even read.
constexpr qint64 MaxPictureFileBytes = 64 * 1024 * 1024;

QImage LoadPicture(const QString& path);

// The module the metafile decoders are opened from, for a test of a missing or broken one. The next
// metafile looks it up afresh.
void UseDecoderModule(const QString& name);

} // namespace PictureLoader
