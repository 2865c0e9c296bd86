// The settings reader on any bytes: no read past the end, and a file that reads writes back to bytes that
// read as the same settings.
#include "FuzzFile.h"
#include "core/SettingsFile.h"
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static FuzzFile file;
    SettingsRecord read;
    QString error;
    if (!mdlCommonFunc::ReadSettingsFile(file.Write(data, size), read, &error)) {
        if (error.isEmpty()) abort(); // a failure always says why
        return 0;
    }
    const QByteArray again = mdlCommonFunc::SettingsBytes(read);
    SettingsRecord reread;
    if (!mdlCommonFunc::ReadSettingsFile(
            file.Write(reinterpret_cast<const uint8_t*>(again.constData()), size_t(again.size())), reread))
        abort();
    if (mdlCommonFunc::SettingsBytes(reread) != again) abort();
    return 0;
}
