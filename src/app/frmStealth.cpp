#include "app/frmStealth.h"

#include "app/CheckShutdown.h"
#include "app/Program.h"
#include "app/SaveSettingsOrTell.h"
#include "core/NotesFolder.h"
#include "core/SettingsFile.h"
#include "editor/EditFlow.h"
#include "manager/frmAbout.h"
#include "manager/frmManager.h"
#include "notes/frmNotes.h"
#include "tray/TrayNotes.h"
#include "tray/frmTray.h"
#include <QClipboard>
#include <QCloseEvent>
#include <QFile>
#include <QGuiApplication>

frmStealth::frmStealth(Program& program) : P(program) {
    setWindowTitle(QStringLiteral("Stealth Box"));
    setAttribute(Qt::WA_DeleteOnClose);
    tmrMaster.setInterval(1000);
    connect(&tmrMaster, &QTimer::timeout, this, &frmStealth::tmrMaster_Timer);
    BuildMenus();
}

frmStealth::~frmStealth() {
    if (!P.Ending()) mdlCommonFunc::ClearTrayLock(P.ProgramFolder);
}

void frmStealth::BuildMenus() {
    mnuPaste = mnuEdit.addAction(QStringLiteral("Paste Text"));
    mnuEdit.addSeparator();
    mnuCpySel = mnuEdit.addAction(QStringLiteral("Copy Selected Text"));
    mnuCpyAll = mnuEdit.addAction(QStringLiteral("Copy All Text"));

    mnuCpySelN = mnuNorm.addAction(QStringLiteral("Copy Selected Text"));
    mnuCpyAllN = mnuNorm.addAction(QStringLiteral("Copy All Text"));

    mnuNewL = mnuList.addAction(QStringLiteral("New Note. . ."));
    mnuEditL = mnuList.addAction(QStringLiteral("Edit Selected Note. . ."));
    mnuDel = mnuList.addAction(QStringLiteral("Delete Selected Note"));
    mnuList.addSeparator();
    mnuAboutL = mnuList.addAction(QStringLiteral("About. . ."));

    mnuShowT = mnuTray.addAction(QStringLiteral("ShowNotes"));
    mnuTray.addSeparator();
    mnuManage = mnuTray.addAction(QStringLiteral("ManageNotes. . ."));
    mnuNew = mnuTray.addAction(QStringLiteral("New Note. . ."));
    mnuTray.addSeparator();
    mnuAbout = mnuTray.addAction(QStringLiteral("About. . ."));
    mnuTray.addSeparator();
    mnuTonSys = mnuTray.addAction(QStringLiteral("Load TrayNotes on Sytem Boot"));
    mnuTonSys->setCheckable(true);
    mnuShow = mnuTray.addAction(QStringLiteral("Launch ShowNotes on TrayNotes Load"));
    mnuShow->setCheckable(true);
    mnuTray.addSeparator();
    mnuClose = mnuTray.addAction(QStringLiteral("Close TrayNotes"));

    connect(mnuPaste, &QAction::triggered, this, &frmStealth::mnuPaste_Click);
    connect(mnuCpySel, &QAction::triggered, this, &frmStealth::mnuCpySel_Click);
    connect(mnuCpySelN, &QAction::triggered, this, &frmStealth::mnuCpySel_Click);
    connect(mnuCpyAll, &QAction::triggered, this, &frmStealth::mnuCpyAll_Click);
    connect(mnuCpyAllN, &QAction::triggered, this, &frmStealth::mnuCpyAll_Click);
    connect(mnuNewL, &QAction::triggered, this, &frmStealth::mnuNewL_Click);
    connect(mnuNew, &QAction::triggered, this, &frmStealth::mnuNew_Click);
    connect(mnuEditL, &QAction::triggered, this, &frmStealth::mnuEditL_Click);
    connect(mnuDel, &QAction::triggered, this, &frmStealth::mnuDel_Click);
    connect(mnuAboutL, &QAction::triggered, this, &frmStealth::mnuAbout_Click);
    connect(mnuAbout, &QAction::triggered, this, &frmStealth::mnuAbout_Click);
    connect(mnuShowT, &QAction::triggered, this, &frmStealth::mnuShowT_Click);
    connect(mnuManage, &QAction::triggered, this, &frmStealth::mnuManage_Click);
    connect(mnuTonSys, &QAction::triggered, this, &frmStealth::mnuTonSys_Click);
    connect(mnuShow, &QAction::triggered, this, &frmStealth::mnuShow_Click);
    connect(mnuClose, &QAction::triggered, this, &frmStealth::mnuClose_Click);
}

void frmStealth::Form_Load() {
    flbNotes.SetPattern(QStringLiteral("*.nte"));
    flbNotes.SetPath(P.Settings.NotesFolder);
    P.ListPos = 0;
    mnuTonSys->setChecked(P.Settings.TrayOnSystemStart == 1);
    mnuShow->setChecked(P.Settings.ShowOnTrayStart == 1);
    tmrMaster.start();
}

// The tray's minute check rides on this tick while its icon stands still: one wake-up a second in all.
void frmStealth::tmrMaster_Timer() {
    if (P.Ending()) return;
    if (P.TrayWindow) P.TrayWindow->EverySecond();
    mdlCommonFunc::CheckShutdown(P);
}

void frmStealth::mnuPaste_Click() {
    // Only the editor's note window takes pasted text, at its caret, replacing its selection.
    if (!P.EditNote) return;
    NoteText* text = P.EditNote->txtNote;
    if (text->canPaste()) text->paste();
}

namespace {
// Notes keep the CR LF of their files; other programs here expect LF alone.
void CopyText(QString text) {
    QGuiApplication::clipboard()->setText(text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}
} // namespace

void frmStealth::mnuCpySel_Click() {
    CopyText(P.CopySelText);
}

void frmStealth::mnuCpyAll_Click() {
    CopyText(P.CopyAllText);
}

void frmStealth::closeEvent(QCloseEvent* event) {
    tmrMaster.stop();
    if (!P.Ending()) mdlCommonFunc::ClearTrayLock(P.ProgramFolder);
    event->accept();
}

// The list menu and the tray menu ----------------------------------------------------------------------

// The new note's list line is chosen by the editor on its own; ListPos stays as it is.
void frmStealth::mnuNewL_Click() {
    mdlEdit::StartNewEdit(P);
}

void frmStealth::mnuNew_Click() {
    mdlEdit::StartNewEdit(P);
}

void frmStealth::mnuEditL_Click() {
    const QString path = P.ManagerWindow ? P.ManagerWindow->SelectedFile() : QString();
    if (path.isEmpty()) return; // no line selected: no note to edit
    mdlEdit::StartExistingEdit(P, path, false);
}

void frmStealth::mnuDel_Click() {
    // No question, whatever PromptDeleteNote says; only with a line selected. A file already gone is
    // reported, and the refill shows the folder as it is.
    const QString path = P.ManagerWindow ? P.ManagerWindow->SelectedFile() : QString();
    if (path.isEmpty()) return;
    mdlCommonFunc::DeleteNoteOrTell(P, path);
    mdlCommonFunc::FillNoteList(P);
}

void frmStealth::mnuAbout_Click() {
    frmAbout::ShowModal(P);
}

// No alarm: the user asked for the notes.
void frmStealth::mnuShowT_Click() {
    TrayNotes::ShowTrayNotes(P);
}

void frmStealth::mnuManage_Click() {
    TrayNotes::ShowManager(P);
}

LaunchQuestion LaunchQuestion::ShowOnTray() {
    return {QStringLiteral("Do you want to disable ShowNotes when TrayNotes loads?"),
            QStringLiteral("Disabling ShowNotes on TrayNotes load will prevent your notes from being shown the instant "
                           "TrayNotes is loaded. If you don't want to see your notes as soon as TrayNotes loads say "
                           "'YES' here.")};
}

LaunchQuestion LaunchQuestion::TrayOnBoot() {
    return {QStringLiteral("Do you want to disable TrayNotes at boot time?"),
            QStringLiteral("Disabling TrayNotes on system boot will stop 'PVL3: Quick Launch' from loading, because "
                           "TrayNotes won't appear in the system tray. If you don't want the quick launch to work you "
                           "should say 'YES' here.")};
}

void frmStealth::mnuTonSys_Click() {
    ToggleLaunchOption(mnuTonSys, P.Settings.TrayOnSystemStart, P.Settings.PromptNoTrayOnBoot,
                       LaunchQuestion::TrayOnBoot(), P.ManagerWindow ? P.ManagerWindow->chkOnSys : nullptr);
}

void frmStealth::mnuShow_Click() {
    ToggleLaunchOption(mnuShow, P.Settings.ShowOnTrayStart, P.Settings.PromptNoShowOnTray, LaunchQuestion::ShowOnTray(),
                       P.ManagerWindow ? P.ManagerWindow->chkOnProg : nullptr);
}

// The item's check mark follows the setting. Qt has already flipped the mark when the item was chosen, so
// the setting (not the mark) says which way the user goes. With the manager open the item asks nothing:
// it sets the manager's box, whose handler asks and may turn everything back on.
void frmStealth::ToggleLaunchOption(QAction* item, uint8_t& setting, uint8_t prompt, const LaunchQuestion& question,
                                    QCheckBox* managerBox) {
    const bool turningOff = setting == 1;
    const bool managerOpen = P.ManagerOpen && managerBox;
    const bool ask = turningOff && prompt == 1 && !managerOpen;
    if (!ask || P.S.Questions.AskYesNo(question.Title, question.Text)) setting = turningOff ? 0 : 1;
    item->setChecked(setting == 1);
    if (managerOpen) managerBox->setChecked(setting == 1);
    item->setChecked(setting == 1);       // the box's handler may have put the option back on
    mdlCommonFunc::SaveSettingsOrTell(P); // after the answer, so the file holds what the user chose
}

void frmStealth::mnuClose_Click() {
    if (!P.TrayWindow) return;
    P.TrayWindow->Tray->setIntray(false);
    P.TrayWindow->close(); // unloads TrayNotes; with nothing else open the program ends here
    if (P.ManagerOpen && P.ManagerWindow) P.ManagerWindow->ShowTrayFace();
}
