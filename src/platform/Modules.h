#pragma once
// The program's own modules (pvl3_sound, pvl3_pictures): libraries it opens on first need, so that a start
// that never plays a sound or shows a metafile does not load the libraries under them.
#include <QFunctionPointer>
#include <QString>

namespace Modules {

// The entry point <symbol> of the module <name>, looked for beside the program (a build or a portable
// copy), in the installed library folder, then in the build. Null when no folder holds a module that loads
// and has it. A module found stays loaded for the program's life.
QFunctionPointer Resolve(const QString& name, const char* symbol);

} // namespace Modules
