#pragma once
// The commands of pvl3. Each returns the process's exit code: 0 done, 1 a file problem (one line on
// standard error naming the file).
#include "cli/CliArgs.h"
#include "core/mdlStructures.h"

namespace Cli {

int RunCommand(const Arguments& args, const QString& executableFolder);

} // namespace Cli
