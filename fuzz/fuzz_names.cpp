// File names as bytes: any byte string decodes to a name that encodes back to exactly those bytes, and
// Qt's own file classes are trusted with the name only when it is plain UTF-8.
#include "core/NativeFile.h"
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString name = NativeFile::DecodeName(bytes);
    if (NativeFile::EncodeName(name) != bytes) abort();
    if (NativeFile::QtCanName(name) != (QString::fromUtf8(bytes).toUtf8() == bytes)) abort();
    return 0;
}
