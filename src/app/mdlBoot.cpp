#include "app/mdlBoot.h"

#include "app/Program.h"
#include "app/TrayWatch.h"
#include "app/frmStealth.h"
#include "core/FileIO.h"
#include "core/NativeFile.h"
#include "core/RunningMarker.h"
#include "core/SettingsFile.h"
#include "core/TypeCheck.h"
#include "manager/frmManager.h"
#include "platform/WaitCursor.h"
#include "tray/Schedule.h"
#include "tray/frmTray.h"
#include <optional>

namespace mdlBoot {

namespace {

void LoadSettingsOrTell(Program& P) {
    QString error;
    if (mdlCommonFunc::LoadSettings(P.ProgramFolder, P.Settings, &error) != mdlCommonFunc::SettingsSource::DamagedFile)
        return;
    P.S.Questions.Message(QStringLiteral("Pinvale 3"),
                          QStringLiteral("The settings file \"%1\" is damaged (%2). Pinvale 3 is using its default "
                                         "settings; they replace the damaged file when you close ManageNotes.")
                              .arg(P.ProgramFolder + mdlCommonFunc::SettingsFileName, error));
}

// False when the user declines to load a second copy.
bool ClaimRunningMarker(Program& P) {
    using mdlCommonFunc::MarkerClaim;
    P.RunningLock = std::make_unique<QLockFile>(P.ProgramFolder + mdlCommonFunc::RunningLockFileName);
    QString error;
    const MarkerClaim claim = mdlCommonFunc::ClaimRunningMarker(P.ProgramFolder, *P.RunningLock, &error);
    if (claim == MarkerClaim::Claimed && !error.isEmpty())
        P.S.Questions.Message(QStringLiteral("Pinvale 3"),
                              QStringLiteral("\"%1\" could not be written (%2). Pinvale 3 runs, but a second copy "
                                             "started now would not know of this one.")
                                  .arg(P.ProgramFolder + mdlCommonFunc::TrayLockFileName, error));
    if (claim != MarkerClaim::Taken) return true;
    if (P.Settings.PromptMultiCopies != 1) return true;
    return P.S.Questions.AskYesNo(
        QStringLiteral("Do you want to load multiple copies of PVL3?"),
        QStringLiteral("Pinvale 3 already seems to be running, and if so you should click 'NO' to prevent double "
                       "loading. If you want to run multiple copies of this program (not recommended), or if Windows "
                       "or PVL3 exited abnormally, you should click 'YES'."));
}

} // namespace

frmTray& LoadTray(Program& P) {
    P.TrayWindow = new frmTray(P);
    P.TrayWindow->Form_Load();
    P.TrayWindow->Tray->setHostMenu(&P.Stealth().mnuTray);
    P.TrayWindow->Tray->setIntray(true);
    return *P.TrayWindow;
}

namespace {
frmTray& LoadTrayAtStart(Program& P) {
    frmTray& tray = LoadTray(P);
    new TrayWatch(P, tray); // owned by the tray window
    return tray;
}
} // namespace

bool Main(Program& P, const QString& commandLine) {
    std::optional<WaitCursor> hourglass(std::in_place);
    // The notes shown at start and the manager's list read the same files: each is read from disk once.
    NativeFile::SharedReads oneRead;
    P.S.Random.Seed(static_cast<uint32_t>(P.S.Clock.Now().toMSecsSinceEpoch()));
    LoadSettingsOrTell(P);
    // Writes that died (a crash, a power cut) leave their temporaries behind.
    for (const QString& folder : {P.ProgramFolder, P.Settings.NotesFolder})
        FileIO::RemoveStaleTemporaries(folder, P.S.Clock.Now());
    if (!ClaimRunningMarker(P)) {
        P.EndProgram();
        return false;
    }
    if (TypeCheck::TrimBlanks(commandLine).isEmpty()) {
        LoadTrayAtStart(P);
        mdlCommonFunc::LoadManager(P);
        P.Stealth();
        mdlCommonFunc::ComputeNextShow(P);
        // The work is done: the manager comes up with the arrow. Made while the hourglass was up, its window
        // would load the theme's animated hourglass (megabytes) for a pointer no one sees.
        hourglass.reset();
        P.ManagerWindow->show();
        return true;
    }
    if (commandLine.contains(QStringLiteral("/QL"))) {
        if (P.Settings.TrayOnSystemStart != 1) {
            mdlCommonFunc::ReleaseRunningMarker(P.ProgramFolder, P.RunningLock.get());
            P.EndProgram();
            return false;
        }
        LoadTrayAtStart(P);
        P.Stealth();
        mdlCommonFunc::ComputeNextShow(P);
        return true;
    }
    return false; // an unknown command line loads nothing; the marker stays as it is
}

} // namespace mdlBoot
