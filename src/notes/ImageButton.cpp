#include "notes/ImageButton.h"

#include <QMouseEvent>
#include <QPainter>

ImageButton::ImageButton(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true); // hovering is what shows the buttons
    setAttribute(Qt::WA_NoSystemBackground);
}

void ImageButton::ShowGlyph(NoteGlyph glyph, bool framed, NoteFrame::Effect effect) {
    m_glyph = glyph;
    m_framed = framed;
    m_effect = framed ? effect : NoteFrame::Flat;
    update();
}

void ImageButton::ClearGlyph() {
    m_glyph.reset();
    m_framed = false;
    m_effect = NoteFrame::Flat;
    update();
}

void ImageButton::paintEvent(QPaintEvent*) {
    if (!m_glyph) return;
    QPainter p(this);
    QRect face = rect();
    if (m_framed) {
        face = rect().adjusted(NoteFrame::FrameWidth, NoteFrame::FrameWidth, -NoteFrame::FrameWidth,
                               -NoteFrame::FrameWidth);
        p.fillRect(rect(), palette().color(QPalette::Button));
    }
    // Rendered at the screen's pixel density, so the glyph is sharp rather than scaled up.
    const QPixmap glyph = NoteGlyphs::GlyphPixmap(*m_glyph, face.size(), devicePixelRatioF(), palette());
    p.drawPixmap(face.topLeft(), glyph);
    if (m_framed) NoteFrame::DrawEffect(p, rect(), m_effect, palette());
}

void ImageButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) m_pressed = true;
    event->accept();
}

void ImageButton::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    event->accept();
    if (click) emit clicked();
}

// The second click of a double click is no click: a double click on Next steps once.
void ImageButton::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
}

void ImageButton::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    emit mouseMoved();
}
