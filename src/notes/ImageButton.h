#pragma once
// A note window's button: a transparent area that takes clicks and mouse moves even while it draws
// nothing, and on demand shows a glyph, optionally framed by a single-line border with a 3-D effect.
#include "notes/NoteFrame.h"
#include "notes/NoteGlyphs.h"
#include <QWidget>
#include <optional>

class ImageButton : public QWidget {
    Q_OBJECT
public:
    explicit ImageButton(QWidget* parent);

    // framed: border and effect around the glyph; unframed: the glyph alone.
    void ShowGlyph(NoteGlyph glyph, bool framed, NoteFrame::Effect effect);
    // Border none, effect flat, picture none: the button is invisible but still answers the mouse.
    void ClearGlyph();

    std::optional<NoteGlyph> Glyph() const { return m_glyph; }
    bool Framed() const { return m_glyph && m_framed; }
    NoteFrame::Effect Effect() const { return m_effect; }

signals:
    void clicked();
    void mouseMoved();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    std::optional<NoteGlyph> m_glyph;
    bool m_framed = false;
    NoteFrame::Effect m_effect = NoteFrame::Flat;
    bool m_pressed = false;
};
