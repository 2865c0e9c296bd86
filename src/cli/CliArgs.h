#pragma once
// The command line of pvl3: one command, its file or options, and --program-folder anywhere.
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace Cli {

struct Arguments {
    QString Command; // "list", "show", "new", "enable", "disable", "due", "settings"; empty with Help
    QString File;    // show, enable, disable
    std::optional<QString> ProgramFolder;
    std::optional<QString> Text;  // new
    std::optional<int32_t> From;  // new
    std::optional<int32_t> Until; // new
    std::optional<int32_t> Date;  // due
    bool EnabledOnly = false;     // due
    bool Help = false;            // Command names the command asked about, or is empty
    bool Version = false;
};

struct ParseResult {
    Arguments Args;
    QString Error; // empty when the command line is usable
};

// The arguments without the program's own name.
ParseResult ParseArguments(const QStringList& arguments);

// "YYYYMMDD" forming a real calendar date -> year * 10000 + month * 100 + day.
std::optional<int32_t> ParseDate(const QString& text);

QString UsageText();
// "pvl3 COMMAND --help": the command's own usage; empty for an unknown command.
QString CommandHelp(const QString& command);
QString VersionText();

} // namespace Cli
