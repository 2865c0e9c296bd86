#include "manager/ManagerPictures.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <QStyleOption>

namespace ManagerPictures {

namespace {

const QColor NoteYellow(255, 242, 150);
const QColor NoteEdge(150, 130, 40);
const QColor Ink(40, 40, 40);

void Note(QPainter& p, const QRectF& r) {
    p.setPen(QPen(NoteEdge, 1));
    p.setBrush(NoteYellow);
    p.drawRect(r);
    p.setPen(QPen(QColor(120, 110, 70), 1));
    for (qreal y = r.top() + r.height() * 0.3; y < r.bottom() - 3; y += r.height() * 0.2)
        p.drawLine(QPointF(r.left() + 3, y), QPointF(r.right() - 3, y));
}

void Folder(QPainter& p, const QRectF& r) {
    p.setPen(QPen(QColor(150, 110, 20), 1));
    p.setBrush(QColor(240, 200, 90));
    QPainterPath path;
    path.moveTo(r.left(), r.top() + r.height() * 0.2);
    path.lineTo(r.left() + r.width() * 0.4, r.top() + r.height() * 0.2);
    path.lineTo(r.left() + r.width() * 0.5, r.top() + r.height() * 0.35);
    path.lineTo(r.right(), r.top() + r.height() * 0.35);
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.closeSubpath();
    p.drawPath(path);
}

void Arrow(QPainter& p, QPointF from, QPointF to, const QColor& colour) {
    p.setPen(QPen(colour, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(from, to);
    const QPointF d = (to - from) / std::max(1.0, std::hypot(to.x() - from.x(), to.y() - from.y()));
    const QPointF n(-d.y(), d.x());
    p.drawLine(to, to - d * 4 + n * 3);
    p.drawLine(to, to - d * 4 - n * 3);
}

void DrawGo(QPainter& p, QSizeF s) {
    p.setPen(QPen(QColor(20, 100, 20), 1));
    p.setBrush(QColor(60, 170, 60));
    p.drawPolygon(QPolygonF({QPointF(s.width() * 0.25, s.height() * 0.15), QPointF(s.width() * 0.85, s.height() * 0.5),
                             QPointF(s.width() * 0.25, s.height() * 0.85)}));
}

void DrawStop(QPainter& p, QSizeF s) {
    p.setPen(QPen(QColor(120, 20, 20), 1));
    p.setBrush(QColor(200, 50, 50));
    p.drawRect(QRectF(s.width() * 0.2, s.height() * 0.2, s.width() * 0.6, s.height() * 0.6));
}

void DrawPreview(QPainter& p, QSizeF s, int arrangement) {
    p.fillRect(QRectF(QPointF(0, 0), s), QColor(58, 110, 165)); // a desktop
    const QSizeF note(s.width() * 0.3, s.height() * 0.36);
    if (arrangement == 0) {
        for (int i = 2; i >= 0; --i) Note(p, QRectF(QPointF(s.width() * 0.35 + i * 2, s.height() * 0.3 + i * 2), note));
    } else if (arrangement == 1) {
        for (int i = 0; i < 4; ++i) Note(p, QRectF(QPointF(6 + i * s.width() * 0.1, 5 + i * s.height() * 0.12), note));
    } else {
        const QPointF spots[] = {{0.05, 0.1}, {0.6, 0.05}, {0.3, 0.55}, {0.68, 0.58}, {0.12, 0.6}};
        for (const QPointF& at : spots) Note(p, QRectF(QPointF(at.x() * s.width(), at.y() * s.height()), note));
    }
}

void DrawPlay(QPainter& p, QSizeF s) {
    p.setPen(Qt::NoPen);
    p.setBrush(Ink);
    p.drawRect(QRectF(s.width() * 0.15, s.height() * 0.38, s.width() * 0.2, s.height() * 0.24));
    p.drawPolygon(
        QPolygonF({QPointF(s.width() * 0.35, s.height() * 0.38), QPointF(s.width() * 0.6, s.height() * 0.15),
                   QPointF(s.width() * 0.6, s.height() * 0.85), QPointF(s.width() * 0.35, s.height() * 0.62)}));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Ink, 1.5));
    p.drawArc(QRectF(s.width() * 0.5, s.height() * 0.3, s.width() * 0.3, s.height() * 0.4), -50 * 16, 100 * 16);
}

void DrawBrowse(QPainter& p, QSizeF s, bool file) {
    Folder(p, QRectF(1, 2, s.width() - 2, s.height() - 4));
    if (!file) return;
    p.setPen(Qt::NoPen);
    p.setBrush(Ink);
    for (int i = 0; i < 3; ++i) p.drawEllipse(QPointF(s.width() * (0.3 + i * 0.2), s.height() * 0.7), 1.3, 1.3);
}

void DrawUp(QPainter& p, QSizeF s) {
    Folder(p, QRectF(1, 4, s.width() - 2, s.height() - 6));
    Arrow(p, QPointF(s.width() * 0.5, s.height() * 0.85), QPointF(s.width() * 0.5, s.height() * 0.35),
          QColor(20, 80, 20));
}

void DrawNewFolder(QPainter& p, QSizeF s) {
    Folder(p, QRectF(1, 4, s.width() - 5, s.height() - 6));
    p.setPen(QPen(QColor(200, 120, 0), 2));
    const QPointF c(s.width() * 0.78, s.height() * 0.25);
    p.drawLine(c - QPointF(4, 0), c + QPointF(4, 0));
    p.drawLine(c - QPointF(0, 4), c + QPointF(0, 4));
}

void DrawAbout(QPainter& p, QSizeF s) {
    p.fillRect(QRectF(QPointF(0, 0), s), QColor(58, 110, 165));
    Note(p, QRectF(s.width() * 0.15, s.height() * 0.2, s.width() * 0.7, s.height() * 0.7));
    p.setPen(QPen(QColor(120, 20, 20), 1));
    p.setBrush(QColor(210, 40, 40)); // the pin
    p.drawEllipse(QPointF(s.width() * 0.5, s.height() * 0.22), s.width() * 0.07, s.width() * 0.07);
}

void Draw(QPainter& p, Picture picture, QSizeF s) {
    switch (picture) {
    case Picture::Go:
        return DrawGo(p, s);
    case Picture::Stop:
        return DrawStop(p, s);
    case Picture::Stack:
        return DrawPreview(p, s, 0);
    case Picture::Cascade:
        return DrawPreview(p, s, 1);
    case Picture::Scatter:
        return DrawPreview(p, s, 2);
    case Picture::PlaySound:
        return DrawPlay(p, s);
    case Picture::BrowseFile:
        return DrawBrowse(p, s, true);
    case Picture::BrowseFolder:
        return DrawBrowse(p, s, false);
    case Picture::FolderUp:
        return DrawUp(p, s);
    case Picture::NewFolder:
        return DrawNewFolder(p, s);
    case Picture::About:
        return DrawAbout(p, s);
    }
}

} // namespace

QSize LogicalSize(Picture picture) {
    switch (picture) {
    case Picture::Stack:
    case Picture::Cascade:
    case Picture::Scatter:
        return {120, 90};
    case Picture::About:
        return {96, 96};
    case Picture::Go:
    case Picture::Stop:
        return {24, 24};
    default:
        return {20, 20};
    }
}

QPixmap Pixmap(Picture picture, qreal devicePixelRatio) {
    const QSize size = LogicalSize(picture);
    QPixmap pixmap(size * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    Draw(p, picture, QSizeF(size));
    return pixmap;
}

namespace {

// Draws the picture when a button paints it, at the density asked for, and keeps nothing: most of these
// buttons sit on pages not shown yet, and each density drawn ahead would only sit on the heap.
class PictureEngine : public QIconEngine {
public:
    explicit PictureEngine(Picture picture) : m_picture(picture) {}

    QIconEngine* clone() const override { return new PictureEngine(m_picture); }
    QString key() const override { return QStringLiteral("PinvaleManagerPicture"); }
    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        return LogicalSize(m_picture).scaled(size, Qt::KeepAspectRatio).boundedTo(size);
    }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        return {LogicalSize(m_picture), LogicalSize(m_picture) * 2};
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return scaledPixmap(size, mode, state, 1.0);
    }
    // At the picture's own size (a larger request gets it centred by the caller), in the mode's look.
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override {
        QPixmap picture = Pixmap(m_picture, scale);
        const QSize fit = actualSize(size, mode, state);
        if (fit != LogicalSize(m_picture)) {
            picture = picture.scaled(fit * scale, Qt::KeepAspectRatio, Qt::SmoothTransformation);
            picture.setDevicePixelRatio(scale);
        }
        if (mode == QIcon::Normal) return picture;
        QStyleOption option;
        option.palette = QApplication::palette();
        return QApplication::style()->generatedIconPixmap(mode, picture, &option);
    }
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        const QPixmap picture = scaledPixmap(rect.size(), mode, state, painter->device()->devicePixelRatioF());
        const QSize logical = picture.deviceIndependentSize().toSize();
        painter->drawPixmap(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, logical, rect), picture);
    }

private:
    Picture m_picture;
};

} // namespace

QIcon Icon(Picture picture) {
    return QIcon(new PictureEngine(picture));
}

} // namespace ManagerPictures
