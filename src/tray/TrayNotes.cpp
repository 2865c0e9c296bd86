#include "tray/TrayNotes.h"

#include "app/Program.h"
#include "core/mdlSound.h"
#include "manager/frmManager.h"
#include "notes/ShowNotes.h"

namespace TrayNotes {

void ShowTrayNotes(Program& P) {
    const int16_t onlyEnabled = P.Settings.TrayOnlyEnabled == 1 ? -1 : 0;
    mdlCommonFunc::ShowNotes(P, onlyEnabled, static_cast<int16_t>(P.Settings.TrayWhich + 1));
}

void AlarmAndShow(Program& P) {
    if (P.Settings.PlayAlarm == 1) mdlSound::PlayWave(P.S.Sound, P.Settings.AlarmSound);
    ShowTrayNotes(P);
    P.AlarmShowing = true;
}

void ShowManager(Program& P) {
    if (!P.ManagerOpen || !P.ManagerWindow) mdlCommonFunc::LoadManager(P);
    P.ManagerWindow->show();
    if (P.ManagerWindow->isMinimized()) P.ManagerWindow->showNormal();
    P.ManagerWindow->raise();
    P.ManagerWindow->activateWindow();
}

} // namespace TrayNotes
