#pragma once
class Program;

namespace mdlCommonFunc {
// Writes the settings file; when that fails the user is told where and why. False on failure.
bool SaveSettingsOrTell(Program& P);
} // namespace mdlCommonFunc
