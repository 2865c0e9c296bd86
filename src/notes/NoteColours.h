#pragma once
// Note colours are 0x00BBGGRR, or 0x80000000 + n for system colour n, which is kept as it is and only
// turned into a colour when drawn, so a note follows the desktop's colour scheme.
#include <QColor>
#include <QPalette>
#include <cstdint>

namespace NoteColours {
QColor ResolveColour(uint32_t colour, const QPalette& palette);
} // namespace NoteColours
