#include "tray/TrayIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QtMath>

namespace TrayIcons {

namespace {

constexpr int Size = 32;

// Each picture is drawn at several sizes so that it stays crisp on high-DPI panels.
template <typename Draw> QIcon Render(Draw draw) {
    QIcon icon;
    for (int scale : {1, 2, 3, 4}) {
        QPixmap pixmap(Size * scale, Size * scale);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(scale, scale);
        draw(painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
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

} // namespace

QIcon PageFrame(int frame) {
    const int lines = qBound(0, 7 - frame, 6); // frame 7: blank; frame 1: six lines, full
    return Render([lines](QPainter& p) { DrawPage(p, lines); });
}

QIcon ClockFrame() {
    return Render([](QPainter& p) {
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
    });
}

} // namespace TrayIcons
