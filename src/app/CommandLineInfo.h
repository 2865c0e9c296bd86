#pragma once
// "pinvale3 --help" and "pinvale3 --version" answer on the terminal before any window or file is touched.
#include <QString>
#include <QStringList>
#include <optional>

namespace mdlBoot {
// The text to print, when the arguments (without the program's name) are exactly one of --help, -h or
// --version; otherwise nothing, and the program starts as the command line says.
std::optional<QString> InfoText(const QStringList& arguments);
std::optional<QString> InfoText(int argc, char* argv[]);
} // namespace mdlBoot
