#include "notes/NoteFrame.h"

namespace NoteFrame {

namespace {

// One one-pixel ring: top and left edges in one colour, bottom and right in the other.
void Ring(QPainter& p, const QRect& r, const QColor& topLeft, const QColor& bottomRight) {
    p.fillRect(QRect(r.left(), r.top(), r.width(), 1), topLeft);
    p.fillRect(QRect(r.left(), r.top(), 1, r.height()), topLeft);
    p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), bottomRight);
    p.fillRect(QRect(r.right(), r.top(), 1, r.height()), bottomRight);
}

} // namespace

Effect FromBorderStyle(int32_t borderStyle) {
    if (borderStyle <= 0) return Flat;
    if (borderStyle >= 4) return Bump;
    return static_cast<Effect>(borderStyle);
}

void DrawEffect(QPainter& p, const QRect& rect, Effect effect, const QPalette& pal) {
    if (rect.width() < 2 || rect.height() < 2) return;
    const QColor light = pal.color(QPalette::Light);
    const QColor midlight = pal.color(QPalette::Midlight);
    const QColor dark = pal.color(QPalette::Dark);
    const QColor shadow = pal.color(QPalette::Shadow);
    const QRect outer = rect;
    const QRect inner = rect.adjusted(1, 1, -1, -1);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    switch (effect) {
    case Flat: // a plain black line, as a text box draws its single border
        Ring(p, outer, pal.color(QPalette::WindowText), pal.color(QPalette::WindowText));
        break;
    case Raised:
        Ring(p, outer, light, shadow);
        Ring(p, inner, midlight, dark);
        break;
    case Sunken:
        Ring(p, outer, dark, light);
        Ring(p, inner, shadow, midlight);
        break;
    case Etched:
        Ring(p, outer, dark, light);
        Ring(p, inner, light, dark);
        break;
    case Bump:
        Ring(p, outer, light, dark);
        Ring(p, inner, dark, light);
        break;
    }
    p.restore();
}

} // namespace NoteFrame
