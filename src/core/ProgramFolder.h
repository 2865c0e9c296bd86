#pragma once
#include <QString>

namespace mdlCommonFunc {
// Portable use is opt-in: the executable's folder is the program folder only when it already holds
// "PVL3.dat" or a "Notes" folder; otherwise the per-user data folder. A writable build or bin folder
// alone never is, so an `rm -rf build` or a user-level install cannot take the notes with it.
// The result ends in the separator, and exists when `create` (a reader makes nothing).
QString ResolveProgramFolder(const QString& executableFolder, bool create = true);
// Appends the separator when missing.
QString WithSeparator(const QString& folder);
} // namespace mdlCommonFunc
