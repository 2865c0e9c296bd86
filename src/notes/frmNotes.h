#pragma once
// A note on the desktop: a borderless window with the note's text over its background, and seven image
// buttons that stay invisible until hovered. Positions and sizes are kept in twips.
#include "core/mdlStructures.h"
#include "notes/ImageButton.h"
#include "notes/NoteBack.h"
#include "notes/NoteText.h"
#include <QRect>
#include <QString>
#include <QWidget>
#include <cstdint>

class Program;

class frmNotes : public QWidget {
    Q_OBJECT
public:
    explicit frmNotes(Program& program);
    ~frmNotes() override; // Form_Terminate

    void Form_Load();
    void PlaceNote(int32_t Left, int32_t Top, int32_t Width, int32_t Height);
    void ArrangeControls();
    // The note's text, font, colours, alignment, border effect and background picture.
    void ApplyNote(const NoteRecord& note);
    // Hides the navigation buttons for good (cascaded and scattered windows).
    void HideNavButtons();
    // The editor's note window: no caption or paging buttons (the sound button stays), and the text
    // takes typing.
    void BeginEditMode();
    // Shows the window, gives the text the focus and puts the caret on the first line.
    void ShowNote();

    // The parts of a note one at a time, as the editor changes them.
    void SetNoteFont(const QString& name, int16_t size, bool bold, bool italic, bool strikethru, bool underline);
    void SetBackColour(uint32_t colour);
    void SetBorderStyle(int32_t borderStyle); // 0 flat, 1 raised, 2 sunken, 3 etched, 4 and up bump
    void SetImageAlign(int32_t imageAlign);   // 0 tiled, 1 centre, 2 stretched
    // Loads the background picture; an empty path, or a file that cannot be decoded, leaves none.
    void SetPicture(const QString& imagePath);

    // The text as stored in a note: line breaks as CR LF.
    QString NoteTextValue() const { return txtNote->NoteTextValue(); }

    // Position and size in twips.
    int32_t LeftTwips() const;
    int32_t TopTwips() const;
    int32_t WidthTwips() const;
    int32_t HeightTwips() const;
    // A control's rectangle in twips, relative to the window.
    QRect TwipsGeometry(const QWidget* control) const;

    // The editor sits to the right of its note window; its size centres the pair on the screen when the
    // editor's note window loads. The editor sets these before Form_Load if its own size differs.
    static constexpr int32_t DefaultEditorWidth = 6480;  // twips
    static constexpr int32_t DefaultEditorHeight = 5160; // twips
    int32_t EditorWidth = DefaultEditorWidth;
    int32_t EditorHeight = DefaultEditorHeight;

    // Controls, by name.
    NoteBack* imgBack;
    NoteText* txtNote;
    ImageButton* cmdCtl;
    ImageButton* cmdM;
    ImageButton* cmdMR;
    ImageButton* cmdC;
    ImageButton* cmdSound;
    ImageButton* cmdLast;
    ImageButton* cmdNext;

    // Hidden per-window fields, read and written by name.
    QString lblFileNamePath = QStringLiteral("FileNamePath");
    QString lblIndex = QStringLiteral("IndexNumber");
    QString lblMode = QStringLiteral("Mode");
    QString lblAct = QStringLiteral("Activation Sound");
    QString lblDAct = QStringLiteral("de-Activation Sound");
    QString lblPlay = QStringLiteral("Play Sound Button");

    // Per-window state.
    int32_t DragStartX = 0; // twips, relative to imgBack
    int32_t DragStartY = 0;
    bool TopButtonsShown = false;
    bool IsMaximised = false;
    bool SoundButtonShown = false;
    bool NavButtonsShown = false;

public slots:
    void ShowTopButtons();
    void ShowNavButtons();
    void cmdC_Click();
    void cmdCtl_Click();
    void cmdM_Click();
    void cmdMR_Click();
    void cmdSound_MouseMove();
    void cmdNext_Click();
    void cmdLast_Click();
    void cmdSound_Click();
    void imgBack_MouseDown(Qt::MouseButton button, QPointF globalPos, QPointF localPos);
    void imgBack_MouseMove(Qt::MouseButtons buttons, QPointF globalPos);
    void txtNote_MouseMove();
    void txtNote_MouseDown(Qt::MouseButton button, QPoint globalPos);
    void txtNote_Change();

protected:
    void closeEvent(QCloseEvent* event) override; // Form_Unload
    void resizeEvent(QResizeEvent* event) override;

private:
    void BuildControls();
    void ConnectHandlers();
    // The layout table for a width and height in twips, with the text box lowered by textDrop twips.
    void LayOut(int32_t width, int32_t height, int32_t textDrop);
    void SetTextTwips(const QRect& twips);
    void SetTwipsGeometry(QWidget* control, const QRect& twips) const;
    int ToPixelsX(int32_t twips) const;
    int ToPixelsY(int32_t twips) const;
    NoteFrame::Effect TextEffect() const { return txtNote->Effect(); }

    // Stepping through the shown notes.
    void StepTo(bool forward);
    NoteRecord ReadForStep(const QString& path);
    int32_t OwnIndex() const; // the number in lblIndex, 0 when there is none
    void SetOpen(int32_t index, bool open);

    Program& P;
    QRect m_textTwips;  // txtNote's rectangle in twips: kept exactly, so the 270-twip moves never drift
    QSize m_laidOutFor; // the window size in twips the controls were last laid out for
};
