#include "cli/CliSettings.h"

#include "core/ProgramFolder.h"
#include <QFileInfo>

namespace Cli {

QString ProgramFolderFor(const std::optional<QString>& given, const QString& executableFolder, bool create) {
    if (!given) return mdlCommonFunc::ResolveProgramFolder(executableFolder, create);
    const QFileInfo folder(*given);
    return folder.isDir() ? mdlCommonFunc::WithSeparator(folder.absoluteFilePath()) : QString();
}

LoadedSettings ReadSettingsQuietly(const QString& programFolder) {
    LoadedSettings loaded;
    loaded.Path = programFolder + mdlCommonFunc::SettingsFileName;
    loaded.Source = mdlCommonFunc::ReadSettings(programFolder, loaded.Settings, &loaded.Error);
    return loaded;
}

} // namespace Cli
