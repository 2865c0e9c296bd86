#pragma once
// The program's shared data. Program (app/Program.h) adds the windows and services to it; tests of the
// core can build this part alone.
#include "core/mdlStructures.h"
#include <QLockFile>
#include <QString>
#include <memory>
#include <vector>

struct NextShowTime {
    int16_t NextHour = -1;
    int16_t NextMinute = -1;
    int16_t NextDay = -1;
};

struct Globals {
    QString ProgramFolder; // ends in the separator
    // Beside the running marker while this copy holds it; the lock goes when the process does.
    std::unique_ptr<QLockFile> RunningLock;
    SettingsRecord Settings;

    NoteRecord EditRecord; // the note in the editor
    NoteRecord ShowRecord; // the note last read for a note window

    // Numbered from 1 in the program's logic: entry i is ShownNotes[i - 1]. Only ever appended to.
    std::vector<ShownNote> ShownNotes;
    int32_t OpenNoteCount = 0;
    int32_t CascadeStep = 0;
    int32_t CascadeColumn = 0;

    bool ManagerOpen = false;
    bool TrayActive = false;
    bool EditorOpen = false;
    bool EditNoteLoading = false;
    int16_t ListPos = 0;

    QString CopyAllText;
    QString CopySelText;

    // Tray animation and schedule.
    uint8_t IconFrame = 0;
    bool AlarmShowing = false;
    int16_t AlarmTicks = 0;
    int16_t LastMinute = 0;
    NextShowTime NextShow;

    int32_t ShownCount() const { return static_cast<int32_t>(ShownNotes.size()); }
    ShownNote& Shown(int32_t index) { return ShownNotes.at(static_cast<size_t>(index - 1)); }
};

namespace mdlCommonFunc {
// Sets OpenNoteCount to the number of ShownNotes entries that a window shows.
void CountOpenNotes(Globals& g);
} // namespace mdlCommonFunc
