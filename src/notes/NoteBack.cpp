#include "notes/NoteBack.h"

#include "notes/NoteColours.h"
#include <QMouseEvent>
#include <QPainter>

NoteBack::NoteBack(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void NoteBack::SetBackColour(uint32_t colour) {
    m_backColour = colour;
    update();
}

void NoteBack::SetPlacement(int32_t imageAlign) {
    m_placement = imageAlign == Centre ? Centre : imageAlign == Stretched ? Stretched : Tiled;
    update();
}

void NoteBack::SetPicture(const QImage& picture) {
    m_picture = picture.isNull() ? QPixmap() : QPixmap::fromImage(picture);
    update();
}

void NoteBack::SetNotice(const QString& text) {
    m_notice = text;
    update();
}

void NoteBack::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), NoteColours::ResolveColour(m_backColour));
    if (!m_picture.isNull()) DrawPicture(p);
    if (!m_notice.isEmpty()) {
        p.setPen(palette().color(QPalette::WindowText));
        p.drawText(rect().adjusted(4, 4, -4, -4), Qt::AlignCenter | Qt::TextWordWrap, m_notice);
    }
    p.setPen(QPen(Qt::black, 0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void NoteBack::DrawPicture(QPainter& p) const {
    const QSize own = m_picture.deviceIndependentSize().toSize();
    const QPoint centred((width() - own.width()) / 2, (height() - own.height()) / 2);
    switch (m_placement) {
    case Stretched:
        p.drawPixmap(rect(), m_picture);
        break;
    case Centre:
        p.drawPixmap(QRect(centred, own), m_picture);
        break;
    case Tiled: {
        // The tiles are laid out from one tile in the centre.
        const auto wrap = [](int offset, int size) { return ((-offset) % size + size) % size; };
        const QPoint start(wrap(centred.x(), own.width()), wrap(centred.y(), own.height()));
        p.drawTiledPixmap(rect(), m_picture, start);
        break;
    }
    }
}

void NoteBack::mousePressEvent(QMouseEvent* event) {
    event->accept();
    emit mousePressed(event->button(), event->globalPosition(), event->position());
}

void NoteBack::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    emit mouseMoved(event->buttons(), event->globalPosition());
}
