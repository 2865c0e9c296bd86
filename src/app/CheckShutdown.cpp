#include "app/CheckShutdown.h"

#include "app/Program.h"
#include "app/frmStealth.h"
#include "core/SettingsFile.h"

namespace mdlCommonFunc {

void CheckShutdown(Program& P) {
    if (P.Ending()) return;
    P.Stealth().flbNotes.Refresh();
    CountOpenNotes(P);
    if (P.ManagerOpen || P.TrayActive || P.EditorOpen || P.OpenNoteCount != 0) return;
    ClearTrayLock(P.ProgramFolder);
    if (P.StealthWindow) P.StealthWindow->close();
    P.EndProgram();
}

} // namespace mdlCommonFunc
