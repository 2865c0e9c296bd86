#include "tray/TrayIcons.h"

#include <QPainter>
#include <QPixmap>
#include <QtMath>

namespace TrayIcons {

namespace {

constexpr int Size = 32;

// Each picture is drawn at several sizes so that it stays crisp on high-DPI panels.
template <typename Draw> QIcon Render(Draw draw) {
    QIcon icon;
    for (int scale : {1, 2, 3}) {
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

void DrawPage(QPainter& p, int writtenLines) {
    // A dark outline keeps the page readable on light panels, the pale paper on dark ones.
    p.setPen(QPen(QColor(40, 40, 40), 1.5));
    p.setBrush(QColor(255, 250, 170));
    p.drawRect(QRectF(6.5, 2.5, 19, 27));
    p.setPen(QPen(QColor(30, 60, 160), 2));
    for (int line = 0; line < writtenLines; ++line) {
        const qreal y = 7 + line * 3.5;
        const qreal right = line == writtenLines - 1 && writtenLines < 6 ? 17 : 22;
        p.drawLine(QPointF(10, y), QPointF(right, y));
    }
}

} // namespace

QIcon PageFrame(int frame) {
    const int lines = qBound(0, 7 - frame, 6); // frame 7: blank; frame 1: six lines, full
    return Render([lines](QPainter& p) { DrawPage(p, lines); });
}

QIcon ClockFrame() {
    return Render([](QPainter& p) {
        p.setPen(QPen(QColor(40, 40, 40), 2));
        p.setBrush(QColor(255, 255, 255));
        p.drawEllipse(QRectF(3, 3, 26, 26));
        p.setPen(QPen(QColor(200, 30, 30), 1.5));
        for (int hour = 0; hour < 12; ++hour) {
            const qreal a = hour * M_PI / 6;
            p.drawLine(QPointF(16 + 10 * qSin(a), 16 - 10 * qCos(a)), QPointF(16 + 12 * qSin(a), 16 - 12 * qCos(a)));
        }
        p.setPen(QPen(QColor(20, 20, 20), 2.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(16, 16), QPointF(16, 8));
        p.drawLine(QPointF(16, 16), QPointF(22, 16));
    });
}

} // namespace TrayIcons
