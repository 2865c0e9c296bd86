#include "cli/CliSettings.h"

#include "core/ProgramFolder.h"
#include <QFileInfo>

namespace Cli {

QString ProgramFolderFor(const std::optional<QString>& given, const QString& executableFolder) {
    if (!given) return mdlCommonFunc::ResolveProgramFolder(executableFolder);
    const QFileInfo folder(*given);
    return folder.isDir() ? mdlCommonFunc::WithSeparator(folder.absoluteFilePath()) : QString();
}

LoadedSettings ReadSettingsQuietly(const QString& programFolder) {
    using mdlCommonFunc::SettingsSource;
    LoadedSettings loaded;
    loaded.Path = programFolder + mdlCommonFunc::SettingsFileName;
    if (QFileInfo::exists(loaded.Path)) {
        if (mdlCommonFunc::ReadSettingsFile(loaded.Path, loaded.Settings, &loaded.Error)) {
            loaded.Source = SettingsSource::File;
            return loaded;
        }
        loaded.Source = SettingsSource::DamagedFile;
    }
    // The defaults as LoadSettings gives them, without creating the "Notes" folder.
    loaded.Settings = mdlCommonFunc::DefaultSettings(programFolder);
    if (!QFileInfo::exists(programFolder + QStringLiteral("Alarm.wav"))) loaded.Settings.PlayAlarm = 0;
    return loaded;
}

} // namespace Cli
