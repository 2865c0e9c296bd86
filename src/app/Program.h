#pragma once
// The program's shared state: the data every window shares (Globals), the single-instance windows, and
// the platform services. main() builds one; every test builds its own with stand-in services.
#include "core/mdlGlobal.h"
#include "platform/Services.h"
#include <QPointer>

class frmTray;
class frmManager;
class frmStealth;
class frmNotes;
class frmChooseDir;
class frmAbout;
class frmEditor;

class Program : public Globals {
public:
    explicit Program(Services services, QString programFolder);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    Services S;

    // Single-instance windows; null while not loaded. Each deletes itself when unloaded.
    QPointer<frmTray> TrayWindow;
    QPointer<frmManager> ManagerWindow;
    QPointer<frmStealth> StealthWindow;
    QPointer<frmNotes> EditNote; // the editor's note window
    QPointer<frmChooseDir> ChooseDirWindow;
    QPointer<frmAbout> AboutWindow;
    QPointer<frmEditor> EditorWindow;

    // The hidden host window, created and loaded on first use.
    frmStealth& Stealth();

    // The session or a signal is ending the program: windows close without asking or telling.
    bool SessionEnding = false;
    // The desktop has had no system tray since the start: the tray alone does not keep the program alive.
    bool TrayUnreachable = false;

    // Ends the program at once: from here on no handler does anything.
    void EndProgram();
    bool Ending() const { return m_ending; }

private:
    bool m_ending = false;
};
