#include "notes/NoteGlyphs.h"

#include <QPainter>
#include <QPainterPath>

namespace NoteGlyphs {

namespace {

// Shapes are laid out on a 16 x 16 grid; the painter is scaled to the target rectangle.
constexpr qreal Grid = 16.0;

void DrawAbout(QPainter& p, const QPalette& pal) {
    p.setPen(Qt::NoPen);
    p.setBrush(pal.color(QPalette::Highlight));
    p.drawEllipse(QRectF(1, 1, 14, 14));
    p.setBrush(pal.color(QPalette::HighlightedText));
    p.drawEllipse(QRectF(6.8, 3.2, 2.4, 2.4));
    p.drawRect(QRectF(6.9, 6.8, 2.2, 6.2));
}

void DrawMinimise(QPainter& p) {
    p.drawRect(QRectF(3, 11, 9, 2));
}

void DrawMaximise(QPainter& p, const QColor& ink) {
    p.drawRect(QRectF(2.5, 2.5, 11, 2)); // the window's caption bar
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(ink, 1.0));
    p.drawRect(QRectF(3, 3, 10, 10));
}

void DrawRestore(QPainter& p, const QColor& ink) {
    p.drawRect(QRectF(5, 2, 9, 1.6));
    p.drawRect(QRectF(2, 6, 9, 1.6));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(ink, 1.0));
    p.drawPolyline(
        QPolygonF({QPointF(5.5, 5.5), QPointF(5.5, 2.5), QPointF(13.5, 2.5), QPointF(13.5, 9.5), QPointF(11, 9.5)}));
    p.drawRect(QRectF(2.5, 6.5, 8, 7));
}

void DrawClose(QPainter& p, const QColor& ink) {
    p.setPen(QPen(ink, 2.0, Qt::SolidLine, Qt::SquareCap));
    p.drawLine(QPointF(4, 4), QPointF(12, 12));
    p.drawLine(QPointF(12, 4), QPointF(4, 12));
}

void DrawPlaySound(QPainter& p) {
    // A quaver: head, stem and flag.
    p.save();
    p.translate(6, 12);
    p.rotate(-20);
    p.drawEllipse(QRectF(-2.8, -2, 5.6, 4));
    p.restore();
    p.drawRect(QRectF(7.6, 2.5, 1.4, 9.5));
    QPainterPath flag;
    flag.moveTo(8.8, 2.5);
    flag.cubicTo(10.5, 4.5, 13.5, 5.0, 12.5, 9.0);
    flag.cubicTo(12.2, 6.8, 10.5, 6.0, 8.8, 5.6);
    flag.closeSubpath();
    p.drawPath(flag);
}

void DrawArrow(QPainter& p, bool pointsRight) {
    const QPolygonF right({QPointF(5, 3), QPointF(12, 8), QPointF(5, 13)});
    const QPolygonF left({QPointF(11, 3), QPointF(4, 8), QPointF(11, 13)});
    p.drawPolygon(pointsRight ? right : left);
}

} // namespace

void DrawGlyph(QPainter& p, const QRectF& rect, NoteGlyph glyph, const QPalette& pal) {
    const QColor ink = pal.color(QPalette::ButtonText);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.translate(rect.topLeft());
    p.scale(rect.width() / Grid, rect.height() / Grid);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    switch (glyph) {
    case NoteGlyph::About:
        DrawAbout(p, pal);
        break;
    case NoteGlyph::Minimise:
        DrawMinimise(p);
        break;
    case NoteGlyph::Maximise:
        DrawMaximise(p, ink);
        break;
    case NoteGlyph::Restore:
        DrawRestore(p, ink);
        break;
    case NoteGlyph::Close:
        DrawClose(p, ink);
        break;
    case NoteGlyph::PlaySound:
        DrawPlaySound(p);
        break;
    case NoteGlyph::Previous:
        DrawArrow(p, false);
        break;
    case NoteGlyph::Next:
        DrawArrow(p, true);
        break;
    }
    p.restore();
}

QPixmap GlyphPixmap(NoteGlyph glyph, QSize logicalSize, qreal dpr, const QPalette& pal) {
    if (logicalSize.isEmpty()) return {};
    QPixmap pixmap(logicalSize * dpr);
    pixmap.setDevicePixelRatio(dpr);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    DrawGlyph(p, QRectF(QPointF(0, 0), QSizeF(logicalSize)), glyph, pal);
    return pixmap;
}

} // namespace NoteGlyphs
