#pragma once
class Program;

namespace mdlCommonFunc {
// Ends the program when no manager, tray, editor or note window keeps it alive.
void CheckShutdown(Program& P);
} // namespace mdlCommonFunc
