#pragma once
// A note on the desktop: a borderless window with the note's text over its background, and seven image
// buttons that stay invisible until hovered. Positions and sizes are kept in twips.
#include "core/mdlStructures.h"
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
    // Shows the window, gives the text the focus and puts the caret on the first line.
    void ShowNote();

    // Hidden per-window fields, read and written by name.
    QString lblFileNamePath = QStringLiteral("FileNamePath");
    QString lblIndex = QStringLiteral("IndexNumber");
    QString lblMode = QStringLiteral("Mode");
    QString lblAct = QStringLiteral("Activation Sound");
    QString lblDAct = QStringLiteral("de-Activation Sound");
    QString lblPlay = QStringLiteral("Play Sound Button");

private:
    Program& P;
};
