#pragma once
// Note colours are 0x00BBGGRR, or 0x80000000 + n for system colour n, which is kept as it is and only
// turned into a colour when drawn, so a note follows the desktop's colour scheme.
#include <QColor>
#include <cstdint>

namespace NoteColours {
// A system colour is taken from the desktop's palette, never from a window's own: a note window's palette
// holds the colours of the note it showed before.
QColor ResolveColour(uint32_t colour);
} // namespace NoteColours
