// The usage of each command on its own ("pvl3 new --help"), and the version.
#include "cli/CliArgs.h"

#include "core/Version.h"

namespace Cli {

namespace {

struct CommandUsage {
    const char* Name;
    const char* Text;
};

const CommandUsage Usages[] = {
    {"list", "Usage: pvl3 [--program-folder DIR] list\n"
             "\n"
             "Every note file of the notes folder, in the manager's order, one line each: [x] when the note\n"
             "is enabled, else [ ], then its dates, its text and its path.\n"},
    {"show", "Usage: pvl3 [--program-folder DIR] show FILE\n"
             "\n"
             "The note's 20 fields as one JSON object.\n"},
    {"new", "Usage: pvl3 [--program-folder DIR] new [--text T] [--from YYYYMMDD] [--until YYYYMMDD]\n"
            "\n"
            "Writes a new note into the notes folder, named after its text as Pinvale 3 names it, and prints\n"
            "its path. The dates default to today. Line breaks in a note are CR LF; the text is stored as\n"
            "given.\n"},
    {"enable", "Usage: pvl3 [--program-folder DIR] enable FILE\n"
               "\n"
               "Ticks the note, as the manager's check box does.\n"},
    {"disable", "Usage: pvl3 [--program-folder DIR] disable FILE\n"
                "\n"
                "Clears the note's tick, as the manager's check box does.\n"},
    {"due", "Usage: pvl3 [--program-folder DIR] due [--date YYYYMMDD] [--enabled-only]\n"
            "\n"
            "The paths of the notes due on the date (default today); with --enabled-only only the enabled\n"
            "ones.\n"},
    {"settings", "Usage: pvl3 [--program-folder DIR] settings\n"
                 "\n"
                 "The settings of Pinvale 3 as one JSON object.\n"},
};

} // namespace

QString CommandHelp(const QString& command) {
    for (const CommandUsage& usage : Usages)
        if (command == QLatin1String(usage.Name))
            return QString::fromLatin1(usage.Text) +
                   QStringLiteral("\n--program-folder DIR: the folder holding PVL3.dat (default: the one Pinvale 3 "
                                  "uses).\nExit status: 0 done; 1 a file problem; 2 a usage error.\n");
    return {};
}

QString VersionText() {
    return QStringLiteral("pvl3 (Pinvale 3) %1\n").arg(mdlCommonFunc::ProgramVersion());
}

} // namespace Cli
