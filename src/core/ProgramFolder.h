#pragma once
#include <QString>

namespace mdlCommonFunc {
// The folder of the executable when it is writable (a portable install), else the per-user data folder.
// The result ends in the separator and exists.
QString ResolveProgramFolder(const QString& executableFolder);
// Appends the separator when missing.
QString WithSeparator(const QString& folder);
} // namespace mdlCommonFunc
