#include "editor/EditFlow.h"

#include "app/Program.h"
#include "core/NoteFile.h"
#include "editor/frmEditor.h"
#include "notes/frmNotes.h"
#include <QDir>
#include <QPushButton>
#include <QShortcut>
#include <algorithm>

namespace mdlEdit {

namespace {

constexpr int32_t EditorGap = 120; // twips between the note window and the editor

int32_t Today(Program& P) {
    const QDate today = P.S.Clock.Now().date();
    return today.year() * 10000 + today.month() * 100 + today.day();
}

// The edit's two windows, loaded but not shown. The note window centres itself and the editor as a pair,
// so it is told the editor's size before it loads.
frmEditor& LoadWindows(Program& P, bool apply) {
    P.EditorOpen = true;
    P.EditNoteLoading = true;
    P.EditNote = new frmNotes(P);
    P.EditorWindow = new frmEditor(P);
    frmEditor& editor = *P.EditorWindow;
    const QSize size = editor.sizeHint();
    editor.resize(size);
    P.EditNote->EditorWidth = size.width() * P.S.Screen.TwipsPerPixelX();
    P.EditNote->EditorHeight = size.height() * P.S.Screen.TwipsPerPixelY();
    P.EditNote->Form_Load();
    editor.Form_Load();
    if (apply) editor.cmkOK->setText(QStringLiteral("&Apply"));
    // The keyboard starts in the note window, where Enter is a new line: Escape and the OK button's
    // letter end the edit from there as from the editor.
    QObject::connect(new QShortcut(QKeySequence(Qt::Key_Escape), P.EditNote), &QShortcut::activated, editor.cmdCancel,
                     &QPushButton::click);
    QObject::connect(new QShortcut(QKeySequence::mnemonic(editor.cmkOK->text()), P.EditNote), &QShortcut::activated,
                     editor.cmkOK, &QPushButton::click);
    return editor;
}

// The note in both windows: the note window shows it and takes the typing, the editor's controls show
// every other field.
void ShowNote(Program& P, frmEditor& editor, const NoteRecord& note, const QString& path) {
    P.EditRecord = note;
    frmNotes& window = *P.EditNote;
    window.BeginEditMode();
    window.lblFileNamePath = path;
    window.lblIndex.clear();
    window.lblAct = note.LoadSound;
    window.lblDAct = note.CloseSound;
    window.lblPlay = note.ButtonSound;
    window.lblMode = QStringLiteral("Edit");
    NoteRecord look = note;
    look.ImagePath.clear(); // the editor's picture box loads it, once for both windows
    window.ApplyNote(look);
    editor.EditPath = path;
    editor.ShowRecord(note);
}

// Moves a window (by its frame) as little as needed to lie wholly inside area, in pixels.
void KeepInside(QWidget& window, const QRect& area) {
    const QRect frame = window.frameGeometry();
    const int x = std::max(area.left(), std::min(frame.x(), area.right() + 1 - frame.width()));
    const int y = std::max(area.top(), std::min(frame.y(), area.bottom() + 1 - frame.height()));
    if (x != frame.x() || y != frame.y()) window.move(x, y);
}

// The editor to the right of its note window, top edges level, kept wholly on the screen.
void ShowWindows(Program& P, frmEditor& editor) {
    frmNotes& window = *P.EditNote;
    window.show();
    const int32_t tx = std::max(1, P.S.Screen.TwipsPerPixelX());
    const int32_t ty = std::max(1, P.S.Screen.TwipsPerPixelY());
    const QRect twips = P.S.Screen.WorkAreaTwips();
    const QRect area(twips.x() / tx, twips.y() / ty, twips.width() / tx, twips.height() / ty);
    editor.move((window.LeftTwips() + window.WidthTwips() + EditorGap) / tx, window.TopTwips() / ty);
    KeepInside(editor, area);
    editor.show();
    KeepInside(editor, area); // again, now that the window manager's frame counts
    // The text is what the user types first.
    window.activateWindow();
    window.raise();
    window.txtNote->setFocus();
    window.txtNote->CaretToStart();
}

} // namespace

void StartNewEdit(Program& P) {
    if (P.Ending() || P.EditorOpen) return;
    frmEditor& editor = LoadWindows(P, false);
    const int32_t today = Today(P);
    ShowNote(P, editor, NoteFile::NewNoteRecord(QString(), today, today), QString());
    ShowWindows(P, editor);
}

void StartExistingEdit(Program& P, const QString& path, bool apply) {
    if (P.Ending() || P.EditorOpen || path.isEmpty()) return;
    // Read before anything opens: a note that cannot be read opens no editor.
    NoteRecord note;
    QString error;
    if (!NoteFile::ReadNote(path, note, &error)) {
        P.S.Questions.Message(QStringLiteral("Pinvale: EditNotes"),
                              QStringLiteral("The note \"%1\" cannot be edited: it could not be read (%2).")
                                  .arg(QDir::toNativeSeparators(path), error));
        return;
    }
    frmEditor& editor = LoadWindows(P, apply);
    ShowNote(P, editor, note, path);
    ShowWindows(P, editor);
}

} // namespace mdlEdit
