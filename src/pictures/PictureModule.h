#pragma once
// What PictureLoader and the pvl3_pictures module share: the module's entry point and the header fields
// both read. The module holds the metafile decoders, so that a start that shows no .wmf or .emf picture
// does not load libwmf, libemf2svg and Qt SVG.
#include "notes/PictureLoader.h"
#include <QByteArray>
#include <QImage>
#include <QtEndian>

namespace PictureLoader {

enum class Metafile : int { Wmf = 1, Emf = 2 };

// Draws the metafile <data> of the kind given into <image>; false when it cannot be decoded.
using DecodeMetafile = bool (*)(const QByteArray& data, Metafile kind, QImage& image);
inline constexpr char DecoderModule[] = "pvl3_pictures";
inline constexpr char DecoderEntry[] = "pvl3_decode_metafile";

// The marks by which the content is told apart.
constexpr quint32 EmfHeaderType = 1;
constexpr qsizetype EmfMinHeaderBytes = 88;
constexpr quint32 WmfPlaceableKey = 0x9AC6CDD7u;

inline bool IsSaneSize(QSize size) {
    return size.width() > 0 && size.height() > 0 && size.width() <= MaxPictureSide && size.height() <= MaxPictureSide;
}

// Little-endian fields; callers check the length first.
inline quint16 LeU16(const QByteArray& data, qsizetype at) {
    return qFromLittleEndian<quint16>(data.constData() + at);
}
inline qint16 LeI16(const QByteArray& data, qsizetype at) {
    return qFromLittleEndian<qint16>(data.constData() + at);
}
inline quint32 LeU32(const QByteArray& data, qsizetype at) {
    return qFromLittleEndian<quint32>(data.constData() + at);
}
inline qint32 LeI32(const QByteArray& data, qsizetype at) {
    return qFromLittleEndian<qint32>(data.constData() + at);
}

} // namespace PictureLoader
