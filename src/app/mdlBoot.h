#pragma once
#include <QString>

class Program;
class frmTray;

namespace mdlBoot {
// The program's start: settings, the running marker, then the windows the command line asks for.
// False when nothing was loaded and the program is to end.
bool Main(Program& P, const QString& commandLine);

// Loads the tray window and puts its icon into the tray.
frmTray& LoadTray(Program& P);
} // namespace mdlBoot
