#include "app/SaveSettingsOrTell.h"

#include "app/Program.h"
#include "core/SettingsFile.h"

namespace mdlCommonFunc {

bool SaveSettingsOrTell(Program& P) {
    QString error;
    if (SaveSettings(P.ProgramFolder, P.Settings, &error)) return true;
    P.S.Questions.Message(QStringLiteral("Pinvale 3"),
                          QStringLiteral("Your settings could not be saved to \"%1\" (%2).")
                              .arg(P.ProgramFolder + SettingsFileName, error));
    return false;
}

} // namespace mdlCommonFunc
