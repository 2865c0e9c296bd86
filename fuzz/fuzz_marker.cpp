// The running marker on any bytes: set exactly when its first byte is above 0, and reading it writes
// nothing.
#include "core/SettingsFile.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // In memory where there is a memory file system: a write per input is the whole cost of a run.
    static const QTemporaryDir dir(
        (QFileInfo(QStringLiteral("/dev/shm")).isDir() ? QStringLiteral("/dev/shm") : QDir::tempPath()) +
        QStringLiteral("/pvl3-fuzz-marker-XXXXXX"));
    static const QString folder = dir.path() + u'/';
    const QString marker = folder + mdlCommonFunc::TrayLockFileName;
    QFile file(marker);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) abort();
    file.write(reinterpret_cast<const char*>(data), qint64(size));
    file.close();
    const bool expected = size > 0 && data[0] > 0;
    if (mdlCommonFunc::TrayLockIsSet(folder) != expected) abort();
    if (QFileInfo(marker).size() != qint64(size)) abort();
    return 0;
}
