#include "core/ProgramFolder.h"

#include "core/SettingsFile.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace mdlCommonFunc {

QString WithSeparator(const QString& folder) {
    const QString native = QDir::toNativeSeparators(folder);
    return native.endsWith(QDir::separator()) ? native : native + QDir::separator();
}

namespace {

// A portable copy carries its settings or its notes.
bool IsPortableFolder(const QString& folder) {
    const QDir dir(folder);
    return QFileInfo(dir.filePath(SettingsFileName)).isFile() ||
           QFileInfo(dir.filePath(QStringLiteral("Notes"))).isDir();
}

} // namespace

QString ResolveProgramFolder(const QString& executableFolder, bool create) {
    const QFileInfo exe(executableFolder);
    if (exe.isDir() && IsPortableFolder(executableFolder)) return WithSeparator(exe.absoluteFilePath());
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (create) QDir().mkpath(data);
    return WithSeparator(data);
}

} // namespace mdlCommonFunc
