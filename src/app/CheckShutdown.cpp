#include "app/CheckShutdown.h"

#include "app/Program.h"
#include "app/frmStealth.h"
#include "core/RunningMarker.h"

namespace mdlCommonFunc {

void CheckShutdown(Program& P) {
    if (P.Ending()) return;
    P.Stealth().flbNotes.Refresh();
    CountOpenNotes(P);
    // Without a tray, the tray window alone would leave a program that nobody can reach.
    const bool trayKeepsAlive = P.TrayActive && !P.TrayUnreachable;
    if (P.ManagerOpen || trayKeepsAlive || P.EditorOpen || P.OpenNoteCount != 0) return;
    ReleaseRunningMarker(P.ProgramFolder, P.RunningLock.get());
    if (P.StealthWindow) P.StealthWindow->close();
    P.EndProgram();
}

} // namespace mdlCommonFunc
