#pragma once
// The program's style: the platform's own, except that a frame around a group of controls is drawn as an
// etched rectangle instead of from the base style's picture. Loading that picture makes Qt load every
// image decoder it has (and the SVG module with them) at start, for one frame.
#include <QProxyStyle>

class FrameStyle : public QProxyStyle {
public:
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
};
