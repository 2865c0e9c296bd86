#pragma once
#include "core/mdlGlobal.h"
#include <cstdint>

class Program;

namespace mdlCommonFunc {

// Picks the due notes (Which: 0 the manager's selected note, 1 today's, 2 all; OnlyEnabled -1: only notes
// whose Enabled is 1, 0: all; any other value of either selects nothing), appends them to ShownNotes and
// opens note windows for them as the arrangement setting says: one window to page through, a cascade, or
// scattered. Never more than 31 note windows are open at once.
void ShowNotes(Program& P, int16_t OnlyEnabled, int16_t Which);

// Where the next note window goes, in twips. Advances CascadeStep (and CascadeColumn for a cascade that
// ran off the screen); a scatter draws two random numbers.
struct NotePlace {
    int32_t Left = 0;
    int32_t Top = 0;
};
NotePlace NextNotePlace(Program& P);

} // namespace mdlCommonFunc
