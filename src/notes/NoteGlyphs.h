#pragma once
// The eight pictures of a note window's buttons, drawn as shapes so they stay sharp at any size and on
// high-density screens.
#include <QPalette>
#include <QPixmap>
#include <QSize>

enum class NoteGlyph { About, Minimise, Maximise, Restore, Close, PlaySound, Previous, Next };

namespace NoteGlyphs {

// Draws the glyph over rect (transparent around the shape) in the palette's button-text colour.
void DrawGlyph(QPainter& painter, const QRectF& rect, NoteGlyph glyph, const QPalette& palette);

// The glyph rendered for a logical size at the given device pixel ratio.
QPixmap GlyphPixmap(NoteGlyph glyph, QSize logicalSize, qreal devicePixelRatio, const QPalette& palette);

} // namespace NoteGlyphs
