#include "app/Program.h"

#include "app/frmStealth.h"
#include "editor/frmEditor.h"
#include "manager/frmAbout.h"
#include "manager/frmChooseDir.h"
#include "manager/frmManager.h"
#include "notes/frmNotes.h"
#include "tray/frmTray.h"
#include <QApplication>

Program::Program(Services services, QString programFolder) : S(services) {
    ProgramFolder = std::move(programFolder);
}

Program::~Program() {
    // Windows still loaded go without their unload handlers, as at any end of the program.
    m_ending = true;
    delete ChooseDirWindow.data();
    delete AboutWindow.data();
    delete ManagerWindow.data();
    delete TrayWindow.data();
    delete StealthWindow.data();
    delete EditorWindow.data();
    // Note windows are not held here; those still open must not outlive the state they point to.
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* note = qobject_cast<frmNotes*>(window)) delete note;
}

frmStealth& Program::Stealth() {
    if (!StealthWindow) {
        StealthWindow = new frmStealth(*this);
        StealthWindow->Form_Load();
    }
    return *StealthWindow;
}

void Program::EndProgram() {
    m_ending = true;
    S.ProcessEnd.EndNow();
}
