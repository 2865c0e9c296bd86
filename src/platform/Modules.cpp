#include "platform/Modules.h"

#include <QCoreApplication>
#include <QLibrary>

namespace Modules {

QFunctionPointer Resolve(const QString& name, const char* symbol) {
    const QString here = QCoreApplication::applicationDirPath();
    for (const QString& folder :
         {here, here + QStringLiteral("/../" PVL3_LIB_SUBDIR), QStringLiteral(PVL3_BUILD_DIR)}) {
        QLibrary module(folder + u'/' + name);
        if (const QFunctionPointer entry = module.resolve(symbol)) return entry;
    }
    return nullptr;
}

} // namespace Modules
