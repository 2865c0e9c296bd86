#include "platform/FrameStyle.h"

#include <QPainter>
#include <QStyleOption>

void FrameStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                               const QWidget* widget) const {
    if (element != PE_FrameGroupBox) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    // A shadow line with a light line just inside it, as frames have long looked.
    const QRect outer = option->rect.adjusted(0, 0, -2, -2);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setBrush(Qt::NoBrush);
    painter->setPen(option->palette.color(QPalette::Mid));
    painter->drawRect(outer);
    painter->setPen(option->palette.color(QPalette::Light));
    painter->drawRect(outer.translated(1, 1));
    painter->restore();
}
