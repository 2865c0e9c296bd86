#include "app/SaveSettingsOrTell.h"

#include "app/Program.h"
#include "core/SettingsFile.h"
#include <cstdio>

namespace mdlCommonFunc {

bool SaveSettingsOrTell(Program& P) {
    QString error;
    if (SaveSettings(P.ProgramFolder, P.Settings, &error)) return true;
    const QString text = QStringLiteral("Your settings could not be saved to \"%1\" (%2).")
                             .arg(P.ProgramFolder + SettingsFileName, error);
    // At the end of the session no one is there to read a message box, and it would hold up the log-off.
    if (P.SessionEnding) {
        std::fprintf(stderr, "pinvale3: %s\n", qPrintable(text));
        return false;
    }
    P.S.Questions.Message(QStringLiteral("Pinvale 3"), text);
    return false;
}

} // namespace mdlCommonFunc
