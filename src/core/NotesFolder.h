#pragma once
// The notes folder: names for new notes, and the manager's list lines (40 characters of dates and text,
// then the note's full path).
#include "core/mdlStructures.h"
#include <QString>
#include <QStringList>
#include <vector>

namespace mdlCommonFunc {

constexpr int ListPrefixLength = 40;

// The path under which a new note with this text is saved: up to 8 characters of the text, made unique
// with "~0", "~1", ... after its first 6 characters.
QString NoteFileName(const QString& notesFolder, const QString& text);

// Writes a new note under the name NoteFileName gives, into `path`. The name is claimed before the note is
// written, so two new notes with the same text at the same moment (two runs of the tool, or the tool and
// the editor) get two names rather than one writing over the other.
bool WriteNewNote(const QString& notesFolder, const NoteRecord& record, QString& path, QString* error = nullptr);

// 19991217 -> "99/12/17 ". Always 9 characters, even for a number that is not a date.
QString DateText(int32_t date);

// One line of the list for a note read up to ShowUntil. Control characters show as blanks, one for one.
QString ListLine(const NoteRecord& head, const QString& path);
// The line for a note file that cannot be read: still 40 characters, then its path, so it can be deleted.
QString DamagedListLine(const QString& path);

QString FileFromListEntry(const QString& line);

struct NoteListEntry {
    QString Line;
    bool Checked = false; // the note's Enabled is exactly 1
    bool Damaged = false; // the whole note cannot be read, so no window can show it
    QString Error;        // why, when damaged
};

// The lines and check marks for the notes folder's file names, in the given order.
std::vector<NoteListEntry> BuildNoteList(const QString& notesFolder, const QStringList& fileNames);

} // namespace mdlCommonFunc
