#pragma once
// The program's own modules (pvl3_sound, pvl3_pictures): libraries it opens on first need, so that a start
// that never plays a sound or shows a metafile does not load the libraries under them.
#include <QFunctionPointer>
#include <QString>
#include <QStringList>

namespace Modules {

// The entry point <symbol> of the module <name>, looked for in Folders(). Null when no folder holds a
// module that loads and has it. A module found stays loaded for the program's life.
QFunctionPointer Resolve(const QString& name, const char* symbol);

// Where a program in the folder `here` looks for modules: beside itself (a build or a portable copy), in
// the installed library folder, and, only when it runs from inside its build folder (its tests), the
// build folder itself. An installed program never looks into a build folder, which may be gone, or in
// /tmp, where anyone could put a library.
QStringList Folders(const QString& here);

} // namespace Modules
