#pragma once
// The note's text box: transparent over the background, word-wrapping, read-only unless a note is being
// edited, with its own single-line border and 3-D effect. Note texts keep line breaks as CR LF; the box
// shows each as a line break and gives text back with CR LF again.
#include "notes/NoteFrame.h"
#include <QTextEdit>
#include <cstdint>

class NoteText : public QTextEdit {
    Q_OBJECT
public:
    explicit NoteText(QWidget* parent);

    void SetNoteText(const QString& text);
    QString NoteTextValue() const;
    QString SelectedNoteText() const;

    void SetTextColour(uint32_t colour); // 0x00BBGGRR or a system colour
    uint32_t TextColour() const { return m_textColour; }
    void SetTextAlign(int32_t textAlign); // 1 left, 2 centre, 3 right; anything else left
    Qt::Alignment TextAlignment() const;
    void SetEffect(NoteFrame::Effect effect);
    NoteFrame::Effect Effect() const { return m_effect; }

    // Back to the first line, caret at the very start.
    void CaretToStart();

    // Line breaks of stored text to the box's and back.
    static QString ToDisplay(const QString& stored);
    static QString ToStored(const QString& display);

signals:
    void mousePressed(Qt::MouseButton button, QPoint globalPos);
    void mouseMoved();

protected:
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void PaintFrame();
    void ApplyTextColour();

    uint32_t m_textColour = 0;
    NoteFrame::Effect m_effect = NoteFrame::Flat;
};
