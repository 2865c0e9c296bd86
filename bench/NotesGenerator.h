#pragma once
// Realistic notes folders for the benchmarks: short and multi-line texts, dates around a given day, a few
// disabled notes, a few with a background picture, and a few damaged files.
#include <QString>

namespace Bench {

struct FolderMix {
    int Count = 1000;
    int DueDay = 20260615;      // most notes are due around this day
    QString PicturePath;        // a picture for one note in ten; none when empty
    int DamagedPerThousand = 5; // cut short inside their text
};

// Writes Count notes into folder (created when missing); the same mix and names for the same arguments.
void WriteNotesFolder(const QString& folder, const FolderMix& mix);

} // namespace Bench
