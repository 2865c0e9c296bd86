#include "notes/PictureLoader.h"

#include "core/NativeFile.h"
#include "pictures/PictureModule.h"
#include "platform/Modules.h"
#include <QBuffer>
#include <QImageReader>

#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace PictureLoader {

namespace {

// ---- Sniffing: the content decides, the extension does not count. ----

bool IsEmf(const QByteArray& data) {
    return data.size() >= EmfMinHeaderBytes && LeU32(data, 0) == EmfHeaderType && data.mid(40, 4) == " EMF";
}

bool IsWmf(const QByteArray& data) {
    if (data.size() >= 4 && LeU32(data, 0) == WmfPlaceableKey) return true;
    // A bare header: type 1 (memory) or 2 (disk), header size 9 words, version 1.0 or 3.0.
    if (data.size() < 18) return false;
    const quint16 type = LeU16(data, 0);
    const quint16 version = LeU16(data, 4);
    return (type == 1 || type == 2) && LeU16(data, 2) == 9 && (version == 0x0100 || version == 0x0300);
}

// ---- Raster formats through Qt's readers. ----

// Qt decodes an uncompressed BMP that ends early into an image whose missing rows are uninitialised
// memory; such a file is refused instead.
bool BmpPixelsAreWhole(const QByteArray& data) {
    if (data.size() < 26 || !data.startsWith("BM")) return true; // not a BMP: nothing to check
    const quint32 headerSize = LeU32(data, 14);
    qint64 width = 0;
    qint64 height = 0;
    qint64 bitsPerPixel = 0;
    if (headerSize == 12) { // OS/2 core header: no compression
        width = LeU16(data, 18);
        height = LeU16(data, 20);
        bitsPerPixel = LeU16(data, 24);
    } else {
        if (data.size() < 34) return false;
        const quint32 compression = LeU32(data, 30);
        if (compression != 0 && compression != 3 && compression != 6) return true; // RLE, JPEG, PNG: no fixed size
        width = LeI32(data, 18);
        height = std::abs(static_cast<qint64>(LeI32(data, 22)));
        bitsPerPixel = LeU16(data, 28);
    }
    const qint64 rowBytes = (width * bitsPerPixel + 31) / 32 * 4;
    return data.size() >= static_cast<qint64>(LeU32(data, 10)) + rowBytes * height;
}

QImage LoadRaster(const QByteArray& data) {
    if (!BmpPixelsAreWhole(data)) return {};
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    // The declared size is known before any pixel is allocated.
    const QSize declared = reader.size();
    if (declared.isValid() && !IsSaneSize(declared)) return {};
    QImage image = reader.read();
    if (image.isNull() || !IsSaneSize(image.size())) return {};
    return image;
}

// ---- WMF and EMF through the picture module, opened with the first metafile. ----

std::mutex g_decoderLock;
QString g_decoderModule = QString::fromLatin1(DecoderModule);
DecodeMetafile g_decode = nullptr;
bool g_decoderTried = false;

DecodeMetafile Decoder() {
    const std::lock_guard lock(g_decoderLock);
    if (!g_decoderTried) {
        g_decoderTried = true;
        g_decode = reinterpret_cast<DecodeMetafile>(Modules::Resolve(g_decoderModule, DecoderEntry));
        if (!g_decode)
            std::fprintf(stderr,
                         "pinvale3: the picture module %s could not be loaded; .wmf and .emf pictures are not shown\n",
                         qPrintable(g_decoderModule));
    }
    return g_decode;
}

QImage LoadMetafile(const QByteArray& data, Metafile kind) {
    const DecodeMetafile decode = Decoder();
    QImage image;
    if (!decode || !decode(data, kind, image) || !IsSaneSize(image.size())) return {};
    return image;
}

QByteArray ReadWholeFile(const QString& path) {
    // Only plain files: a folder, a device or a pipe named as a picture would give nothing or never end.
    QByteArray data;
    if (!NativeFile::ReadRegular(path, data, MaxPictureFileBytes + 1, nullptr)) return {};
    return data.size() > MaxPictureFileBytes ? QByteArray() : data;
}

} // namespace

QImage LoadPicture(const QString& path) {
    if (path.isEmpty()) return {};
    const QByteArray data = ReadWholeFile(path);
    if (data.isEmpty()) return {};
    if (IsEmf(data)) return LoadMetafile(data, Metafile::Emf);
    if (IsWmf(data)) return LoadMetafile(data, Metafile::Wmf);
    return LoadRaster(data);
}

void UseDecoderModule(const QString& name) {
    const std::lock_guard lock(g_decoderLock);
    g_decoderModule = name;
    g_decode = nullptr;
    g_decoderTried = false;
}

} // namespace PictureLoader
