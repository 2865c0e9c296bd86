#include "tray/TrayIcons.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QtMath>
#include <functional>

namespace TrayIcons {

namespace {

constexpr int Size = 32;

using Drawing = std::function<void(QPainter&)>;

// Draws its picture when a size is asked for, at that size, and keeps nothing: the tray shows one picture
// at one size, and the other frames and densities would only sit on the heap. Drawn in the 32 x 32 design
// grid, scaled, so the picture stays crisp at any density.
class DrawnIconEngine : public QIconEngine {
public:
    explicit DrawnIconEngine(Drawing draw) : m_draw(std::move(draw)) {}

    QIconEngine* clone() const override { return new DrawnIconEngine(m_draw); }
    QString key() const override { return QStringLiteral("PinvaleDrawnIcon"); }

    // Square, like the design: a wide or tall request gets the largest square that fits.
    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        const int side = qMin(size.width(), size.height());
        return {side, side};
    }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        return {{Size, Size}, {Size * 2, Size * 2}, {Size * 3, Size * 3}, {Size * 4, Size * 4}};
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Draw(actualSize(size, mode, state), 1.0);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override {
        return Draw(actualSize(size, mode, state), scale);
    }
    // Through a pixmap of the device's pixels, so that the tray shows exactly what pixmap() gives.
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        const qreal scale = painter->device()->devicePixelRatioF();
        const QSize side = actualSize(rect.size(), mode, state);
        QPixmap picture = Draw(side * scale, scale);
        picture.setDevicePixelRatio(scale);
        painter->drawPixmap(QRect(rect.topLeft(), side), picture);
    }

private:
    // size in device pixels; scale only labels the pixmap.
    QPixmap Draw(const QSize& size, qreal scale) const {
        if (size.isEmpty()) return {};
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(qreal(size.width()) / Size, qreal(size.height()) / Size);
        m_draw(painter);
        painter.end();
        pixmap.setDevicePixelRatio(scale);
        return pixmap;
    }

    Drawing m_draw;
};

QIcon Drawn(Drawing draw) {
    return QIcon(new DrawnIconEngine(std::move(draw)));
}

// A dark outline keeps the page readable on light panels, the pale paper on dark ones.
const QColor Outline(40, 40, 40);
const QColor Paper(255, 244, 140);
const QColor Ink(30, 60, 170);

void DrawPage(QPainter& p, int writtenLines) {
    QPainterPath page;
    page.moveTo(5.5, 2.5);
    page.lineTo(21.5, 2.5);
    page.lineTo(26.5, 7.5);
    page.lineTo(26.5, 29.5);
    page.lineTo(5.5, 29.5);
    page.closeSubpath();
    p.setPen(QPen(Outline, 1.5, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Paper);
    p.drawPath(page);
    // The turned-down corner.
    p.setBrush(QColor(220, 200, 90));
    p.drawPolygon(QPolygonF({QPointF(21.5, 2.5), QPointF(21.5, 7.5), QPointF(26.5, 7.5)}));
    p.setPen(QPen(Ink, 2, Qt::SolidLine, Qt::FlatCap));
    for (int line = 0; line < writtenLines; ++line) {
        const qreal y = 8 + line * 3.5;
        const qreal right = line == 0 ? 19 : (line == writtenLines - 1 && writtenLines < 6 ? 17 : 23);
        p.drawLine(QPointF(9, y), QPointF(right, y));
    }
}

void DrawClock(QPainter& p) {
    p.setPen(QPen(Outline, 2));
    p.setBrush(QColor(255, 255, 255));
    p.drawEllipse(QRectF(3, 3, 26, 26));
    p.setPen(QPen(QColor(200, 30, 30), 1.5));
    for (int hour = 0; hour < 12; ++hour) {
        const qreal a = hour * M_PI / 6;
        p.drawLine(QPointF(16 + 9.5 * qSin(a), 16 - 9.5 * qCos(a)), QPointF(16 + 12 * qSin(a), 16 - 12 * qCos(a)));
    }
    p.setPen(QPen(QColor(20, 20, 20), 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(16, 16), QPointF(16, 8));
    p.drawLine(QPointF(16, 16), QPointF(22, 16));
    p.setBrush(QColor(200, 30, 30));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(16, 16), 1.8, 1.8);
}

} // namespace

QIcon PageFrame(int frame) {
    const int lines = qBound(0, 7 - frame, 6); // frame 7: blank; frame 1: six lines, full
    return Drawn([lines](QPainter& p) { DrawPage(p, lines); });
}

QIcon ClockFrame() {
    return Drawn(DrawClock);
}

} // namespace TrayIcons
