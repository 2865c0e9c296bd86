#include "cli/CliCommands.h"

#include "cli/CliJson.h"
#include "cli/CliOutput.h"
#include "cli/CliSettings.h"
#include "core/FileList.h"
#include "core/NativeFile.h"
#include "core/NoteFile.h"
#include "core/NotesFolder.h"
#include <QDate>
#include <QFileInfo>

using mdlCommonFunc::SettingsSource;

namespace Cli {

namespace {

// The tool has no clock service: "today" is the real date, as in the note editor's default.
int32_t Today() {
    const QDate today = QDate::currentDate();
    return today.year() * 10000 + today.month() * 100 + today.day();
}

// The settings for the commands that only read: a damaged file is reported and the defaults used.
SettingsRecord SettingsOrDefaults(const QString& programFolder) {
    const LoadedSettings loaded = ReadSettingsQuietly(programFolder);
    if (loaded.Source == SettingsSource::DamagedFile)
        Warn(loaded.Path, loaded.Error + QStringLiteral("; using the default settings"));
    return loaded.Settings;
}

// The note files in the manager's order. False when the notes folder is not there.
bool NoteFileNames(const QString& notesFolder, QStringList& names) {
    if (!QFileInfo(notesFolder).isDir()) return false;
    FileList files;
    files.SetPattern(QStringLiteral("*.nte"));
    files.SetPath(notesFolder);
    names = files.Names();
    return true;
}

int MissingNotesFolder(const QString& folder) {
    return Fail(folder, QStringLiteral("notes folder missing"));
}

int RunList(const QString& programFolder) {
    // The folder held open: each note is opened by its name alone. Each is read once, so nothing is kept.
    const NativeFile::SharedReads reads(NativeFile::SharedReads::Keep::FolderOnly);
    const QString folder = SettingsOrDefaults(programFolder).NotesFolder;
    QStringList names;
    if (!NoteFileNames(folder, names)) return MissingNotesFolder(folder);
    for (const mdlCommonFunc::NoteListEntry& entry : mdlCommonFunc::BuildNoteList(folder, names)) {
        OutLine((entry.Checked ? QStringLiteral("[x] ") : QStringLiteral("[ ] ")) + entry.Line);
        if (entry.Damaged) Warn(mdlCommonFunc::FileFromListEntry(entry.Line), entry.Error);
    }
    return 0;
}

int RunDue(const QString& programFolder, const Arguments& args) {
    // The folder held open: each note is opened by its name alone. Each is read once, so nothing is kept.
    const NativeFile::SharedReads reads(NativeFile::SharedReads::Keep::FolderOnly);
    const QString folder = SettingsOrDefaults(programFolder).NotesFolder;
    QStringList names;
    if (!NoteFileNames(folder, names)) return MissingNotesFolder(folder);
    const int32_t date = args.Date.value_or(Today());
    for (const QString& name : names) {
        const QString path = folder + name;
        NoteRecord head;
        QString error;
        if (!NoteFile::ReadNoteHead(path, head, NoteFile::Head::Dates, &error)) {
            Warn(path, error + QStringLiteral("; skipped"));
            continue;
        }
        if (head.ShowFrom > date || date > head.ShowUntil) continue;
        if (args.EnabledOnly && head.Enabled != 1) continue;
        OutLine(path);
    }
    return 0;
}

int RunShow(const QString& file) {
    NoteRecord note;
    QString error;
    if (!NoteFile::ReadNote(file, note, &error)) return Fail(file, error);
    OutLine(NoteJson(note));
    return 0;
}

// Only a file that reads as a whole note is touched, so a mistyped path never gets 10 bytes written over it.
int RunSetEnabled(const QString& file, int16_t enabled) {
    NoteRecord note;
    QString error;
    if (!NoteFile::ReadNote(file, note, &error)) return Fail(file, error);
    if (!NoteFile::WriteEnabled(file, enabled, &error)) return Fail(file, error);
    return 0;
}

int RunNew(const QString& programFolder, const Arguments& args) {
    // Writing a note is what Pinvale 3 does after its start-up, so the settings load as there: on a
    // first run the "Notes" folder is made.
    SettingsRecord settings;
    QString error;
    if (mdlCommonFunc::LoadSettings(programFolder, settings, &error) == SettingsSource::DamagedFile)
        Warn(programFolder + mdlCommonFunc::SettingsFileName, error + QStringLiteral("; using the default settings"));
    const QString folder = settings.NotesFolder;
    if (!QFileInfo(folder).isDir()) return MissingNotesFolder(folder);

    const int32_t today = Today();
    const NoteRecord note =
        NoteFile::NewNoteRecord(args.Text.value_or(QString()), args.From.value_or(today), args.Until.value_or(today));
    if (note.ShowFrom > note.ShowUntil)
        ErrLine(QStringLiteral("warning: the first day %1 is after the last day %2; the note is never due")
                    .arg(note.ShowFrom)
                    .arg(note.ShowUntil));
    QString path;
    if (!mdlCommonFunc::WriteNewNote(folder, note, path, &error)) return Fail(path, error);
    OutLine(path);
    return 0;
}

int RunSettings(const QString& programFolder) {
    const LoadedSettings loaded = ReadSettingsQuietly(programFolder);
    if (loaded.Source == SettingsSource::DamagedFile) return Fail(loaded.Path, loaded.Error);
    OutLine(SettingsJson(loaded.Settings));
    return 0;
}

} // namespace

int RunCommand(const Arguments& args, const QString& executableFolder) {
    const QString& c = args.Command;
    // Only a new note makes the per-user folder; reading makes nothing.
    const QString programFolder = ProgramFolderFor(args.ProgramFolder, executableFolder, c == QLatin1String("new"));
    if (programFolder.isEmpty()) return Fail(args.ProgramFolder.value_or(QString()), "program folder missing");
    if (c == QLatin1String("list")) return RunList(programFolder);
    if (c == QLatin1String("due")) return RunDue(programFolder, args);
    if (c == QLatin1String("show")) return RunShow(args.File);
    if (c == QLatin1String("enable")) return RunSetEnabled(args.File, 1);
    if (c == QLatin1String("disable")) return RunSetEnabled(args.File, 0);
    if (c == QLatin1String("new")) return RunNew(programFolder, args);
    if (c == QLatin1String("settings")) return RunSettings(programFolder);
    return 2; // the parser lets no other command through
}

} // namespace Cli
