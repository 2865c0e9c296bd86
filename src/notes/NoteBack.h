#pragma once
// The background of a note window: its colour, its picture (tiled, centred or stretched), a single-line
// border along the edges, and the handle by which the window is dragged.
#include <QImage>
#include <QPixmap>
#include <QWidget>
#include <cstdint>

class NoteBack : public QWidget {
    Q_OBJECT
public:
    enum Placement : int16_t { Tiled = 0, Centre = 1, Stretched = 2 };

    explicit NoteBack(QWidget* parent);

    void SetBackColour(uint32_t colour); // 0x00BBGGRR or a system colour
    uint32_t BackColour() const { return m_backColour; }
    // Any value other than 1 and 2 tiles.
    void SetPlacement(int32_t imageAlign);
    Placement PicturePlacement() const { return m_placement; }
    // A null image removes the picture.
    void SetPicture(const QImage& picture);
    bool HasPicture() const { return !m_picture.isNull(); }
    // Words drawn over the background, such as why a picture is missing; empty for none.
    void SetNotice(const QString& text);
    QString Notice() const { return m_notice; }
    QSize PictureSize() const { return m_picture.size(); }

signals:
    void mousePressed(Qt::MouseButton button, QPointF globalPos, QPointF localPos);
    void mouseMoved(Qt::MouseButtons buttons, QPointF globalPos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void DrawPicture(QPainter& painter) const;

    uint32_t m_backColour = 0x00FFFFFFu;
    Placement m_placement = Tiled;
    QPixmap m_picture;
    QString m_notice;
};
