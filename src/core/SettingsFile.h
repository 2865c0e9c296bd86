#pragma once
// "PVL3.dat", the settings file, and "TrayLock.dat", the one-byte running marker, both in the program's
// folder. Storage half of mdlCommonFunc.
#include "core/mdlStructures.h"
#include <QByteArray>
#include <QString>

namespace mdlCommonFunc {

inline const QString SettingsFileName = QStringLiteral("PVL3.dat");
inline const QString TrayLockFileName = QStringLiteral("TrayLock.dat");

// The built-in defaults for a program folder (which ends in the separator). Touches no file.
SettingsRecord DefaultSettings(const QString& programFolder);

QByteArray SettingsBytes(const SettingsRecord& settings);
bool ReadSettingsFile(const QString& path, SettingsRecord& settings, QString* error = nullptr);

enum class SettingsSource { File, Defaults, DamagedFile };

// Reads "PVL3.dat", or falls back to the defaults: then PlayAlarm is 0 without an "Alarm.wav" and the
// "Notes" folder is created. A damaged file is left alone on disk until the settings are next saved.
// The same without touching the disk: the "Notes" folder is not created.
SettingsSource ReadSettings(const QString& programFolder, SettingsRecord& settings, QString* error = nullptr);
SettingsSource LoadSettings(const QString& programFolder, SettingsRecord& settings, QString* error = nullptr);
bool SaveSettings(const QString& programFolder, const SettingsRecord& settings, QString* error = nullptr);

bool TrayLockIsSet(const QString& programFolder);
bool SetTrayLock(const QString& programFolder, QString* error = nullptr);
bool ClearTrayLock(const QString& programFolder);

} // namespace mdlCommonFunc
