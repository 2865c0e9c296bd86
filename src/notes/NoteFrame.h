#pragma once
// The single-line border and the five 3-D effects of a note's text box and of its image buttons.
#include <QPainter>
#include <QPalette>
#include <QRect>
#include <cstdint>

namespace NoteFrame {

enum Effect : int16_t { Flat = 0, Raised = 1, Sunken = 2, Etched = 3, Bump = 4 };

// Every effect is this many pixels deep, so changing it never moves the text.
constexpr int FrameWidth = 2;

// A note's BorderStyle as an effect: anything from 4 up is a bump (the editor hands in 6 for it).
Effect FromBorderStyle(int32_t borderStyle);

// Draws the frame just inside rect: a dark line for Flat, two-tone bevels for the others.
void DrawEffect(QPainter& painter, const QRect& rect, Effect effect, const QPalette& palette);

} // namespace NoteFrame
