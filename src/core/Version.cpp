#include "core/Version.h"

namespace mdlCommonFunc {

QString ProgramVersion() {
    return QStringLiteral(PVL3_VERSION);
}

} // namespace mdlCommonFunc
