// The note window's paging through the shown notes, its sounds, edit mode, text menus and unloading.
#include "app/CheckShutdown.h"
#include "app/Program.h"
#include "app/frmStealth.h"
#include "core/NoteFile.h"
#include "notes/frmNotes.h"
#include "platform/WaitCursor.h"
#include <QCloseEvent>

namespace {

const QString SingleMode = QStringLiteral("Single");
const QString EditMode = QStringLiteral("Edit");

} // namespace

void frmNotes::ShowNavButtons() {
    if (P.Ending()) return;
    NavButtonsShown = true;
    if (lblMode != SingleMode || P.ShownCount() <= 1) return;
    cmdNext->ShowGlyph(NoteGlyph::Next, true, TextEffect());
    cmdLast->ShowGlyph(NoteGlyph::Previous, true, TextEffect());
    cmdNext->setToolTip(QStringLiteral("Next Note"));
    cmdLast->setToolTip(QStringLiteral("Previous Note"));
}

void frmNotes::cmdNext_Click() {
    StepTo(true);
}

void frmNotes::cmdLast_Click() {
    StepTo(false);
}

int32_t frmNotes::OwnIndex() const {
    bool ok = false;
    const int32_t index = lblIndex.trimmed().toInt(&ok);
    return ok ? index : 0;
}

void frmNotes::SetOpen(int32_t index, bool open) {
    if (index >= 1 && index <= P.ShownCount()) P.Shown(index).IsOpen = open;
}

void frmNotes::StepTo(bool forward) {
    if (P.Ending()) return;
    const int32_t count = P.ShownCount();
    if (lblMode != SingleMode || count < 2) return;
    const WaitCursor wait;
    if (!lblDAct.isEmpty()) mdlSound::PlayWave(P.S.Sound, lblDAct);

    // The list wraps at both ends; an entry another window shows is not skipped.
    const int32_t i = OwnIndex();
    int32_t j = forward ? i + 1 : i - 1;
    if (j > count) j = 1;
    if (j < 1) j = count;
    SetOpen(i, false);
    SetOpen(j, true);

    const QString path = P.Shown(j).FilePath;
    P.ShowRecord = ReadForStep(path);
    ApplyNote(P.ShowRecord);
    lblFileNamePath = path;
    lblIndex = QStringLiteral(" ") + QString::number(j);
    lblAct = P.ShowRecord.LoadSound;
    lblDAct = P.ShowRecord.CloseSound;
    lblPlay = P.ShowRecord.ButtonSound;
    lblMode = SingleMode;

    txtNote->setFocus();
    txtNote->CaretToStart();
    if (!lblAct.isEmpty()) mdlSound::PlayWave(P.S.Sound, lblAct);
}

// A note whose file has gone or is damaged shows what could still be read, over the look of a new note.
// Nothing is written: the file stays as it is.
NoteRecord frmNotes::ReadForStep(const QString& path) {
    NoteRecord note;
    note.BackColour = 0x0080FFFFu;
    note.FontColour = SystemColourFlag + 0x12; // button text
    NoteFile::ReadNote(path, note);
    return note;
}

void frmNotes::cmdSound_Click() {
    if (P.Ending()) return;
    // Without a button sound the invisible button plays nothing.
    if (!lblPlay.isEmpty()) mdlSound::PlayWave(P.S.Sound, lblPlay);
}

void frmNotes::txtNote_Change() {
    if (P.Ending()) return;
    if (lblMode == EditMode) P.EditRecord.Text = NoteTextValue();
}

void frmNotes::txtNote_MouseDown(Qt::MouseButton button, QPoint globalPos) {
    if (P.Ending()) return;
    P.CopyAllText = NoteTextValue();
    P.CopySelText = txtNote->SelectedNoteText();
    if (button != Qt::RightButton) return;
    frmStealth& host = P.Stealth();
    QMenu& menu = lblMode == EditMode ? host.mnuEdit : host.mnuNorm;
    menu.popup(globalPos);
}

void frmNotes::closeEvent(QCloseEvent* event) {
    // The edit's note window goes with its editor. Closed on its own by the desktop (its own buttons
    // never show), it stays, so that nothing typed is lost and the editor keeps its live note.
    if (lblMode == EditMode && event->spontaneous() && P.EditorOpen && !P.Ending()) {
        event->ignore();
        return;
    }
    event->accept();
    if (P.Ending()) return;
    if (!lblDAct.isEmpty()) mdlSound::PlayWave(P.S.Sound, lblDAct);
    // Closed any other way than by its Close button, the entry still counts as open here; the host
    // window's once-a-second check ends the program if nothing else remains.
    mdlCommonFunc::CheckShutdown(P);
    if (lblMode != EditMode) SetOpen(OwnIndex(), false);
}
