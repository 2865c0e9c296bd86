#include "notes/PictureLoader.h"

#include "core/NativeFile.h"
#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>
#include <QtEndian>

#include <cstdlib>
#include <emf2svg.h>
#include <libwmf/api.h>
#include <libwmf/gd.h>

namespace PictureLoader {

namespace {

// Metafiles have no pixels of their own; they are drawn at the size Windows gives them on a 96-dpi screen.
constexpr double ScreenDpi = 96.0;
constexpr double HundredthsMmPerInch = 2540.0;

bool IsSaneSize(QSize size) {
    return size.width() > 0 && size.height() > 0 && size.width() <= MaxPictureSide && size.height() <= MaxPictureSide;
}

// Little-endian fields; callers check the length first.
quint16 LeU16(const QByteArray& data, qsizetype at) {
    return qFromLittleEndian<quint16>(data.constData() + at);
}
qint16 LeI16(const QByteArray& data, qsizetype at) {
    return qFromLittleEndian<qint16>(data.constData() + at);
}
quint32 LeU32(const QByteArray& data, qsizetype at) {
    return qFromLittleEndian<quint32>(data.constData() + at);
}
qint32 LeI32(const QByteArray& data, qsizetype at) {
    return qFromLittleEndian<qint32>(data.constData() + at);
}

// ---- Sniffing: the content decides, the extension does not count. ----

constexpr quint32 EmfHeaderType = 1;
constexpr quint32 EmfEofType = 14;
constexpr qsizetype EmfMinHeaderBytes = 88;

bool IsEmf(const QByteArray& data) {
    return data.size() >= EmfMinHeaderBytes && LeU32(data, 0) == EmfHeaderType && data.mid(40, 4) == " EMF";
}

constexpr quint32 WmfPlaceableKey = 0x9AC6CDD7u;
constexpr qsizetype WmfPlaceableBytes = 22;

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

// ---- WMF through libwmf's gd layer. ----

struct WmfSession {
    wmfAPI* api = nullptr;
    WmfSession() = default;
    WmfSession(const WmfSession&) = delete;
    WmfSession& operator=(const WmfSession&) = delete;
    ~WmfSession() {
        if (api) wmf_api_destroy(api);
    }
};

int AppendToByteArray(void* context, char* buffer, int length) {
    if (length > 0) static_cast<QByteArray*>(context)->append(buffer, length);
    return length;
}

// A placeable header gives the picture's size in its own units per inch. Windows rounds it to the nearest
// pixel where libwmf truncates, which would lose a pixel row and column of most pictures.
QSize WmfPlaceableSize(const QByteArray& data) {
    if (data.size() < WmfPlaceableBytes || LeU32(data, 0) != WmfPlaceableKey) return {};
    const int width = LeI16(data, 10) - LeI16(data, 6);
    const int height = LeI16(data, 12) - LeI16(data, 8);
    const int unitsPerInch = LeU16(data, 14);
    if (width <= 0 || height <= 0 || unitsPerInch == 0) return {};
    return {qMax(1, qRound(width * ScreenDpi / unitsPerInch)), qMax(1, qRound(height * ScreenDpi / unitsPerInch))};
}

QSize WmfSize(wmfAPI* api, const QByteArray& data) {
    const QSize placeable = WmfPlaceableSize(data);
    if (placeable.isValid()) return placeable;
    unsigned int width = 0;
    unsigned int height = 0;
    if (wmf_display_size(api, &width, &height, ScreenDpi, ScreenDpi) != wmf_E_None) return {};
    const auto clamp = [](unsigned int side) { return static_cast<int>(qMin<unsigned>(side, MaxPictureSide + 1)); };
    return {clamp(width), clamp(height)};
}

// The gd layer paints on white and hands the picture back as a PNG through the sink.
QImage PlayWmf(wmfAPI* api, wmfD_Rect bounds, QSize size) {
    QByteArray png;
    wmf_gd_t* device = WMF_GD_GetData(api);
    device->type = wmf_gd_png;
    device->flags |= WMF_GD_OUTPUT_MEMORY | WMF_GD_OWN_BUFFER;
    device->sink.context = &png;
    device->sink.function = AppendToByteArray;
    device->bbox = bounds;
    device->width = static_cast<unsigned>(size.width());
    device->height = static_cast<unsigned>(size.height());
    if (wmf_play(api, 0, &bounds) != wmf_E_None) return {};
    QImage image = QImage::fromData(png, "PNG");
    return image.size() == size ? image : QImage();
}

QImage LoadWmf(QByteArray data) {
    wmfAPI_Options options{};
    options.function = wmf_gd_function;
    const unsigned long flags = WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
    WmfSession session;
    if (wmf_api_create(&session.api, flags, &options) != wmf_E_None || !session.api) return {};
    if (!(WMF_GD_GetData(session.api)->flags & WMF_GD_SUPPORTS_PNG)) return {};
    // The library reads straight from our copy, which outlives the session.
    if (wmf_mem_open(session.api, reinterpret_cast<unsigned char*>(data.data()), data.size()) != wmf_E_None) return {};
    wmfD_Rect bounds{};
    if (wmf_scan(session.api, 0, &bounds) != wmf_E_None) return {};
    const QSize size = WmfSize(session.api, data);
    if (!IsSaneSize(size)) return {};
    return PlayWmf(session.api, bounds, size);
}

// ---- EMF through libemf2svg into SVG, drawn by Qt's SVG renderer. ----

// The library trusts the record sizes it walks, so the chain is checked first: a header record, then
// records of whole 4-byte words that stay inside the file, up to an end-of-file record.
bool EmfRecordsAreWhole(const QByteArray& data) {
    qsizetype at = 0;
    while (at <= data.size() - 8) {
        const quint32 type = LeU32(data, at);
        const quint32 size = LeU32(data, at + 4);
        if (size < 8 || size % 4 != 0 || size > static_cast<quint64>(data.size() - at)) return false;
        if ((at == 0) != (type == EmfHeaderType)) return false;
        if (at == 0 && size < EmfMinHeaderBytes) return false;
        if (type == EmfEofType) return true;
        at += size;
    }
    return false;
}

// The picture frame is kept in hundredths of a millimetre; an empty or inverted frame gives an invalid size.
QSize EmfFrameSize(const QByteArray& data) {
    const qint64 width = static_cast<qint64>(LeI32(data, 32)) - LeI32(data, 24);
    const qint64 height = static_cast<qint64>(LeI32(data, 36)) - LeI32(data, 28);
    if (width <= 0 || height <= 0) return {};
    const auto toPixels = [](qint64 hundredthsMm) {
        return static_cast<int>(
            qMin<qint64>(qRound64(hundredthsMm * ScreenDpi / HundredthsMmPerInch), MaxPictureSide + 1));
    };
    return {qMax(1, toPixels(width)), qMax(1, toPixels(height))};
}

QByteArray EmfToSvg(const QByteArray& data) {
    // Zero padding behind the data: the converter peeks at one record header past the last one.
    QByteArray padded = data;
    padded.append(QByteArray(16, '\0'));
    generatorOptions options{};
    options.svgDelimiter = true;
    char* out = nullptr;
    size_t outLength = 0;
    const int ok = emf2svg(padded.data(), static_cast<size_t>(data.size()), &out, &outLength, &options);
    QByteArray svg = out ? QByteArray(out, static_cast<qsizetype>(outLength)) : QByteArray();
    std::free(out);
    return ok ? svg : QByteArray();
}

QImage RenderSvg(const QByteArray& svg, QSize size) {
    QSvgRenderer renderer(svg);
    if (!renderer.isValid()) return {};
    if (!size.isValid()) size = renderer.defaultSize();
    if (!IsSaneSize(size)) return {};
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) return {};
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    return image;
}

QImage LoadEmf(const QByteArray& data) {
    if (!EmfRecordsAreWhole(data)) return {};
    const QSize size = EmfFrameSize(data);
    if (size.isValid() && !IsSaneSize(size)) return {};
    const QByteArray svg = EmfToSvg(data);
    if (svg.isEmpty()) return {};
    return RenderSvg(svg, size);
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
    if (IsEmf(data)) return LoadEmf(data);
    if (IsWmf(data)) return LoadWmf(data);
    return LoadRaster(data);
}

} // namespace PictureLoader
