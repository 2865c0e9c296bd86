#include "core/SettingsFile.h"

#include "core/FileIO.h"
#include "core/NativeFile.h"
#include "core/mdlBin.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace mdlBin;

namespace mdlCommonFunc {

SettingsRecord DefaultSettings(const QString& programFolder) {
    SettingsRecord s; // the member initialisers are the defaults
    s.AlarmSound = programFolder + QStringLiteral("Alarm.wav");
    s.NotesFolder = programFolder + QStringLiteral("Notes") + QDir::separator();
    return s;
}

QByteArray SettingsBytes(const SettingsRecord& s) {
    BinWriter out;
    WriteBinString(s.AlarmSound, out);
    for (uint8_t flag :
         {s.PlayAlarm, s.AnimateIcon, s.ShowOnTrayStart, s.TrayOnSystemStart, s.EveryHours, s.EveryMinutes})
        out.WriteByte(flag);
    for (const AtTime& t : s.AtTimes) {
        out.WriteByte(t.AmPm);
        out.WriteByte(t.Hour);
        out.WriteByte(t.Minute);
        out.WriteByte(t.Enabled);
    }
    out.WriteByte(s.EveryEnabled);
    out.WriteByte(s.Arrangement);
    out.WriteByte(s.TrayOnlyEnabled);
    WriteBinString(s.NotesFolder, out);
    out.WriteInt16(s.NoteHeight);
    out.WriteInt16(s.NoteWidth);
    for (uint8_t flag : {s.TrayWhich, s.PromptApplyEdit, s.PromptCloseNote, s.PromptNoShowOnTray, s.PromptNoTrayOnBoot,
                         s.PromptMultiCopies, s.PromptDeleteNote})
        out.WriteByte(flag);
    return out.Bytes();
}

bool ReadSettingsFile(const QString& path, SettingsRecord& s, QString* error) {
    QByteArray bytes;
    if (!FileIO::ReadWhole(path, bytes, error)) return false;
    BinReader in(bytes);
    s.AlarmSound = ReadBinString(in);
    for (uint8_t* flag :
         {&s.PlayAlarm, &s.AnimateIcon, &s.ShowOnTrayStart, &s.TrayOnSystemStart, &s.EveryHours, &s.EveryMinutes})
        *flag = in.ReadByte();
    for (AtTime& t : s.AtTimes) {
        t.AmPm = in.ReadByte();
        t.Hour = in.ReadByte();
        t.Minute = in.ReadByte();
        t.Enabled = in.ReadByte();
    }
    s.EveryEnabled = in.ReadByte();
    s.Arrangement = in.ReadByte();
    s.TrayOnlyEnabled = in.ReadByte();
    s.NotesFolder = ReadBinString(in);
    s.NoteHeight = in.ReadInt16();
    s.NoteWidth = in.ReadInt16();
    for (uint8_t* flag : {&s.TrayWhich, &s.PromptApplyEdit, &s.PromptCloseNote, &s.PromptNoShowOnTray,
                          &s.PromptNoTrayOnBoot, &s.PromptMultiCopies, &s.PromptDeleteNote})
        *flag = in.ReadByte();
    if (!in.Ok() && error) *error = in.Error();
    return in.Ok();
}

SettingsSource ReadSettings(const QString& programFolder, SettingsRecord& settings, QString* error) {
    const QString path = programFolder + SettingsFileName;
    SettingsSource source = SettingsSource::Defaults;
    if (QFileInfo::exists(path)) {
        SettingsRecord read;
        if (ReadSettingsFile(path, read, error)) {
            settings = read;
            return SettingsSource::File;
        }
        source = SettingsSource::DamagedFile;
    }
    settings = DefaultSettings(programFolder);
    if (!QFileInfo::exists(programFolder + QStringLiteral("Alarm.wav"))) settings.PlayAlarm = 0;
    return source;
}

SettingsSource LoadSettings(const QString& programFolder, SettingsRecord& settings, QString* error) {
    const SettingsSource source = ReadSettings(programFolder, settings, error);
    if (source != SettingsSource::File) QDir(programFolder).mkpath(QStringLiteral("Notes"));
    return source;
}

bool SaveSettings(const QString& programFolder, const SettingsRecord& settings, QString* error) {
    return FileIO::WriteWhole(programFolder + SettingsFileName, SettingsBytes(settings), error);
}

bool TrayLockIsSet(const QString& programFolder) {
    const QString path = programFolder + TrayLockFileName;
    // Opened as every other copy opens it, an absent marker is made, empty. An absent or empty marker, or
    // something that is not a file, counts as 0.
    if (NativeFile::KindOf(path) == NativeFile::Kind::Missing) {
        FileIO::WriteWhole(path, QByteArray());
        return false;
    }
    QByteArray byte;
    if (!NativeFile::ReadRegular(path, byte, 1, nullptr)) return false;
    return !byte.isEmpty() && static_cast<uint8_t>(byte.at(0)) > 0;
}

bool SetTrayLock(const QString& programFolder, QString* error) {
    return FileIO::WriteWhole(programFolder + TrayLockFileName, QByteArray(1, '\1'), error);
}

bool ClearTrayLock(const QString& programFolder) {
    return FileIO::WriteWhole(programFolder + TrayLockFileName, QByteArray(1, '\0'));
}

} // namespace mdlCommonFunc
