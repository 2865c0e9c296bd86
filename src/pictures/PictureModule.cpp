// The metafile decoders, in a module of their own: libwmf and libemf2svg, with the libraries under them,
// are loaded with the first .wmf or .emf picture rather than at every start.
#include "pictures/PictureModule.h"
#include <QPainter>
#include <QSvgRenderer>

#include <cstdlib>
#include <emf2svg.h>
#include <libwmf/api.h>
#include <libwmf/gd.h>
#include <type_traits>

namespace PictureLoader {

namespace {

// Metafiles have no pixels of their own; they are drawn at the size Windows gives them on a 96-dpi screen.
constexpr double ScreenDpi = 96.0;
constexpr double HundredthsMmPerInch = 2540.0;

constexpr quint32 EmfEofType = 14;
constexpr qsizetype WmfPlaceableBytes = 22;

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

} // namespace

} // namespace PictureLoader

extern "C" Q_DECL_EXPORT bool pvl3_decode_metafile(const QByteArray& data, PictureLoader::Metafile kind,
                                                   QImage& image) {
    using PictureLoader::Metafile;
    image = kind == Metafile::Emf   ? PictureLoader::LoadEmf(data)
            : kind == Metafile::Wmf ? PictureLoader::LoadWmf(data)
                                    : QImage();
    return !image.isNull();
}
static_assert(std::is_same_v<decltype(&pvl3_decode_metafile), PictureLoader::DecodeMetafile>);
