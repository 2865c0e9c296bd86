#include "platform/Modules.h"

#include <QCoreApplication>
#include <QLibrary>

namespace Modules {

QStringList Folders(const QString& here) {
    QStringList folders{here, here + QStringLiteral("/../" PVL3_LIB_SUBDIR)};
    const QString build = QStringLiteral(PVL3_BUILD_DIR);
    if (here == build || here.startsWith(build + u'/')) folders << build;
    return folders;
}

QFunctionPointer Resolve(const QString& name, const char* symbol) {
    for (const QString& folder : Folders(QCoreApplication::applicationDirPath())) {
        QLibrary module(folder + u'/' + name);
        if (const QFunctionPointer entry = module.resolve(symbol)) return entry;
    }
    return nullptr;
}

} // namespace Modules
