#pragma once
#include <QString>

namespace mdlCommonFunc {
// The release, as the build names it ("3.0.12").
QString ProgramVersion();
} // namespace mdlCommonFunc
