// The editor's picture and sound groups, their file choosers, and OK, which writes the note file.
#include "app/Program.h"
#include "app/frmStealth.h"
#include "core/NoteFile.h"
#include "core/NotesFolder.h"
#include "core/TypeCheck.h"
#include "editor/frmEditor.h"
#include "manager/frmManager.h"
#include "notes/NoteBack.h"
#include "notes/PictureLoader.h"
#include "notes/frmNotes.h"
#include "platform/WaitCursor.h"
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace {

const QString EditorTitle = QStringLiteral("Pinvale: EditNotes");

const QString PictureFilter =
    QStringLiteral("All Picture Files |*.bmp; *.dib; *.gif; *.jpg; *.wmf; *.emf; *.ico; *.cur|"
                   "Bitmaps (*.bmp; *.dib) |*.bmp; *.dib|"
                   "GIF Images (*.gif) |*.gif|"
                   "JPEG Images (*.jpg) |*.jpg|"
                   "Metafiles (*.wmf; *.emf) |*.wmf; *.emf|"
                   "Icons (*.ico; *.cur) |*.ico; *.cur|");
const QString WaveFilter = QStringLiteral("WAVE file (*.wav) |*.wav|");

QString* NoteLabel(frmNotes& note, int index) {
    return index == 0 ? &note.lblAct : index == 1 ? &note.lblDAct : &note.lblPlay;
}

} // namespace

void frmEditor::chkImages_Click() {
    const bool on = chkImages->isChecked();
    for (QWidget* control : std::initializer_list<QWidget*>{lblImage, txtImg, cmdBrowse, lblAL, cboImgAl, imgImage})
        control->setEnabled(on);
}

void frmEditor::txtImg_Change() {
    const WaitCursor wait;
    const QString path = txtImg->text();
    const QImage picture = TypeCheck::IsPictureFile(path) ? PictureLoader::LoadPicture(path) : QImage();
    ShowPicture(picture);
    // This window asks nothing while the user types: a picture file that cannot be decoded is said in
    // the preview itself.
    imgImage->SetNotice(TypeCheck::IsPictureFile(path) && picture.isNull()
                            ? QStringLiteral("This picture cannot be shown: it is damaged or not a picture.")
                            : QString());
    if (!picture.isNull()) P.EditRecord.ImagePath = path;
}

void frmEditor::ShowPicture(const QImage& picture) {
    imgImage->SetPicture(picture);
    if (P.EditNote) P.EditNote->imgBack->SetPicture(picture);
}

void frmEditor::cmdBrowse_Click() {
    txtImg->setText(
        P.S.Choosers.OpenFile(QStringLiteral("Choose a Background Image. . ."), PictureFilter, P.ProgramFolder));
}

void frmEditor::SoundCheck(SoundRow& row) {
    const bool on = row.Check->isChecked();
    row.Play->setEnabled(on);
    row.Path->setEnabled(on);
    row.Browse->setEnabled(on);
    row.Play->setEnabled(TypeCheck::IsWaveFile(row.Path->text()));
}

void frmEditor::SoundPath(SoundRow& row) {
    const QString path = row.Path->text();
    row.Play->setEnabled(TypeCheck::IsWaveFile(path));
    if (!row.Play->isEnabled()) return; // the record keeps the last path that named a wave file
    if (P.EditNote) *NoteLabel(*P.EditNote, row.LabelIndex) = path;
    P.EditRecord.*row.Field = path;
}

void frmEditor::BrowseSound(SoundRow& row) {
    row.Path->setText(P.S.Choosers.OpenFile(row.Title, WaveFilter, P.ProgramFolder));
}

void frmEditor::chkAct_Click() {
    SoundCheck(m_sounds[0]);
}
void frmEditor::chkDeAct_Click() {
    SoundCheck(m_sounds[1]);
}
void frmEditor::chkPlay_Click() {
    SoundCheck(m_sounds[2]);
}
void frmEditor::txtSoundA_Change() {
    SoundPath(m_sounds[0]);
}
void frmEditor::txtSoundD_Change() {
    SoundPath(m_sounds[1]);
}
void frmEditor::txtSound_Change() {
    SoundPath(m_sounds[2]);
}
void frmEditor::cmdBrowsSA_Click() {
    BrowseSound(m_sounds[0]);
}
void frmEditor::cmdBrowsSD_Click() {
    BrowseSound(m_sounds[1]);
}
void frmEditor::cmdBrowsS_Click() {
    BrowseSound(m_sounds[2]);
}
void frmEditor::cmdPlayA_Click() {
    mdlSound::PlayWave(P.S.Sound, txtSoundA->text());
}
void frmEditor::cmdPlayD_Click() {
    mdlSound::PlayWave(P.S.Sound, txtSoundD->text());
}
void frmEditor::cmdPlay_Click() {
    mdlSound::PlayWave(P.S.Sound, txtSound->text());
}

// An unchecked box is how the user takes a picture or a sound off a note.
void frmEditor::ClearUncheckedPaths() {
    if (!chkImages->isChecked()) P.EditRecord.ImagePath.clear();
    for (const SoundRow& row : m_sounds)
        if (!row.Check->isChecked()) (P.EditRecord.*row.Field).clear();
}

void frmEditor::cmkOK_Click() {
    if (P.Settings.PromptApplyEdit == 1 &&
        !P.S.Questions.AskYesNo(QStringLiteral("Apply the changes to the Note?"),
                                QStringLiteral("If you are satisfied with your changes click 'YES'.")))
        return;
    const NoteRecord editing = P.EditRecord;
    P.EditRecord.Version = 3.0;
    P.EditRecord.ShowFrom = FromDateNumber();
    P.EditRecord.ShowUntil = UntilDateNumber();
    ClearUncheckedPaths();
    if (!SaveNote()) {
        // The edit stays open, so nothing typed is lost, and a box ticked again still has its path.
        P.EditRecord = editing;
        return;
    }
    P.EditorOpen = false;
    P.Stealth().flbNotes.Refresh();
    close();
    if (P.ManagerOpen) mdlCommonFunc::FillNoteList(P);
}

// A new note gets a name from its text that no note has; an edited one goes back to its own file.
bool frmEditor::SaveNote() {
    QString error;
    QString path = EditPath;
    if (EditPath.isEmpty() ? mdlCommonFunc::WriteNewNote(P.Settings.NotesFolder, P.EditRecord, path, &error)
                           : NoteFile::WriteNote(path, P.EditRecord, &error))
        return true;
    P.S.Questions.Message(EditorTitle, QStringLiteral("The note could not be saved to \"%1\" (%2).\n\nThe note file "
                                                      "is unchanged and the editor stays open: make the file or "
                                                      "its folder writable and press OK again, or Cancel.")
                                           .arg(QDir::toNativeSeparators(path), error));
    return false;
}
