#pragma once
// Where pvl3 finds the program's folder and its settings. Reading never creates a file or folder;
// only "new" goes through LoadSettings, which makes the "Notes" folder on a first run like Pinvale 3.
#include "core/SettingsFile.h"
#include <QString>
#include <optional>

namespace Cli {

// The folder given with --program-folder (which must exist), or the one Pinvale 3 itself uses.
// Empty when the given folder does not exist.
QString ProgramFolderFor(const std::optional<QString>& given, const QString& executableFolder, bool create);

struct LoadedSettings {
    SettingsRecord Settings;
    mdlCommonFunc::SettingsSource Source = mdlCommonFunc::SettingsSource::Defaults;
    QString Path;  // of "PVL3.dat"
    QString Error; // why the file could not be used, for DamagedFile
};

// The settings file's values, or the defaults Pinvale 3 would start with when there is no usable file.
LoadedSettings ReadSettingsQuietly(const QString& programFolder);

} // namespace Cli
