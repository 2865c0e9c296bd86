#include "notes/PictureLoader.h"

#include <QImageReader>

namespace PictureLoader {

QImage LoadPicture(const QString& path) {
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    return reader.read();
}

} // namespace PictureLoader
