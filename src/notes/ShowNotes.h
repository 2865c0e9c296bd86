#pragma once
#include <cstdint>

class Program;

namespace mdlCommonFunc {
// Picks the due notes (Which: 0 the manager's selected note, 1 today's, 2 all; OnlyEnabled -1: only notes
// whose Enabled is 1) and opens note windows for them as the arrangement setting says.
void ShowNotes(Program& P, int16_t OnlyEnabled, int16_t Which);
} // namespace mdlCommonFunc
