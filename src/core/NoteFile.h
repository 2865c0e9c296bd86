#pragma once
// The note file: the 20 fields of a NoteRecord one after the other, little-endian, strings length-prefixed.
#include "core/mdlStructures.h"
#include <QString>

namespace NoteFile {

// A new note as the editor saves it untouched: enabled, "MS Sans Serif" 8 in the button-text colour on
// pale yellow, flat, left-aligned, no sounds and no picture.
NoteRecord NewNoteRecord(const QString& text, int32_t showFrom, int32_t showUntil);

// How far a head read goes: Version and Enabled, or on up to ShowUntil. Fields past it are not read,
// so damage further on does not fail a head read.
enum class Head { Enabled, Dates };

// Every read overwrites the fields it reads. On failure the reason ("missing", "damaged: ...") is given
// and the record holds what was read before the damage.
bool ReadNote(const QString& path, NoteRecord& record, QString* error = nullptr);
bool ReadNoteHead(const QString& path, NoteRecord& record, Head head, QString* error = nullptr);

// The bytes of a record in file order; a whole note write is these bytes over the start of the old file.
QByteArray NoteBytes(const NoteRecord& record);

// Writes the whole record, Version 3.0, from byte 0. Bytes of a longer old file beyond the new last field
// are kept, as readers stop after field 20.
bool WriteNote(const QString& path, const NoteRecord& record, QString* error = nullptr);

// Ticking or clearing a note in the manager: Version 3.0 and Enabled over the first 10 bytes. A missing
// file fails rather than being created.
bool WriteEnabled(const QString& path, int16_t enabled, QString* error = nullptr);

} // namespace NoteFile
