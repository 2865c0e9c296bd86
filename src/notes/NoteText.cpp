#include "notes/NoteText.h"

#include "notes/NoteColours.h"
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextBlock>

NoteText::NoteText(QWidget* parent) : QTextEdit(parent) {
    setAcceptRichText(false);
    setReadOnly(true);
    setLineWrapMode(QTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // A plain text box: a long note scrolls by wheel and keys. A bar would lie, opaque, under the
    // invisible Next button, which would take its clicks.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabChangesFocus(false);
    // The frame is drawn here (event()); the plain box only reserves its room.
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(NoteFrame::FrameWidth);
    setAutoFillBackground(false);
    viewport()->setAutoFillBackground(false);
    viewport()->setMouseTracking(true);
    document()->setDocumentMargin(2);
    ApplyTextColour();
}

QString NoteText::ToDisplay(const QString& stored) {
    // CR LF is a paragraph break; a lone LF or CR (never written by the program) shows as a line break.
    QString shown;
    shown.reserve(stored.size());
    for (qsizetype i = 0; i < stored.size(); ++i) {
        const QChar c = stored.at(i);
        if (c == u'\r' && i + 1 < stored.size() && stored.at(i + 1) == u'\n') {
            shown += QChar::ParagraphSeparator;
            ++i;
        } else if (c == u'\r' || c == u'\n') {
            shown += QChar::LineSeparator;
        } else {
            shown += c;
        }
    }
    return shown;
}

QString NoteText::ToStored(const QString& display) {
    QString stored;
    stored.reserve(display.size() + 16);
    for (const QChar c : display) {
        if (c == QChar::ParagraphSeparator)
            stored += QStringLiteral("\r\n");
        else if (c == QChar::LineSeparator)
            stored += u'\n';
        else
            stored += c;
    }
    return stored;
}

void NoteText::SetNoteText(const QString& text) {
    // Paragraph by paragraph, since insertText would turn the line separators into paragraphs too.
    // One change for the whole text, as setting a text box's text is one change, and nothing to undo.
    const QString shown = ToDisplay(text);
    {
        const QSignalBlocker quiet(this);
        QTextDocument* doc = document();
        doc->setUndoRedoEnabled(false);
        doc->clear();
        QTextCursor cursor(doc);
        const QStringList paragraphs = shown.split(QChar::ParagraphSeparator);
        for (qsizetype i = 0; i < paragraphs.size(); ++i) {
            if (i > 0) cursor.insertBlock();
            cursor.insertText(paragraphs.at(i));
        }
        doc->setUndoRedoEnabled(true);
    }
    emit textChanged();
}

QString NoteText::NoteTextValue() const {
    // toRawText keeps no-break spaces and the two separators, which toPlainText would change.
    return ToStored(document()->toRawText());
}

QString NoteText::SelectedNoteText() const {
    return ToStored(textCursor().selectedText());
}

void NoteText::SetTextColour(uint32_t colour) {
    m_textColour = colour;
    ApplyTextColour();
}

void NoteText::ApplyTextColour() {
    QPalette pal = palette();
    const QColor colour = NoteColours::ResolveColour(m_textColour);
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        pal.setColor(group, QPalette::Text, colour);
    setPalette(pal);
}

void NoteText::changeEvent(QEvent* event) {
    QTextEdit::changeEvent(event);
    // A system colour follows a change of the desktop's colour scheme.
    if (event->type() == QEvent::ApplicationPaletteChange && (m_textColour & 0x80000000u)) ApplyTextColour();
}

void NoteText::SetTextAlign(int32_t textAlign) {
    const Qt::Alignment alignment = textAlign == 2 ? Qt::AlignHCenter : textAlign == 3 ? Qt::AlignRight : Qt::AlignLeft;
    QTextOption option = document()->defaultTextOption();
    option.setAlignment(alignment);
    document()->setDefaultTextOption(option);
}

Qt::Alignment NoteText::TextAlignment() const {
    return document()->defaultTextOption().alignment();
}

void NoteText::SetEffect(NoteFrame::Effect effect) {
    m_effect = effect;
    update();
}

void NoteText::CaretToStart() {
    moveCursor(QTextCursor::Start);
    verticalScrollBar()->setValue(0);
}

bool NoteText::event(QEvent* event) {
    if (event->type() == QEvent::Paint) {
        PaintFrame();
        return true;
    }
    return QTextEdit::event(event);
}

void NoteText::PaintFrame() {
    QPainter p(this);
    NoteFrame::DrawEffect(p, rect(), m_effect, palette());
}

void NoteText::mousePressEvent(QMouseEvent* event) {
    // Reported before the box handles the press, so a click does not clear the selection first.
    emit mousePressed(event->button(), event->globalPosition().toPoint());
    QTextEdit::mousePressEvent(event);
}

void NoteText::mouseMoveEvent(QMouseEvent* event) {
    emit mouseMoved();
    QTextEdit::mouseMoveEvent(event);
}

void NoteText::contextMenuEvent(QContextMenuEvent* event) {
    event->accept(); // the window pops up the program's own menus on the press
}

void NoteText::keyPressEvent(QKeyEvent* event) {
    // Enter always starts a new paragraph (stored as CR LF), with or without Shift.
    if (!isReadOnly() && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        textCursor().insertBlock();
        ensureCursorVisible();
        event->accept();
        return;
    }
    QTextEdit::keyPressEvent(event);
}
