#include "core/ProgramFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace mdlCommonFunc {

QString WithSeparator(const QString& folder) {
    const QString native = QDir::toNativeSeparators(folder);
    return native.endsWith(QDir::separator()) ? native : native + QDir::separator();
}

QString ResolveProgramFolder(const QString& executableFolder) {
    const QFileInfo exe(executableFolder);
    if (exe.isDir() && exe.isWritable()) return WithSeparator(exe.absoluteFilePath());
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(data);
    return WithSeparator(data);
}

} // namespace mdlCommonFunc
