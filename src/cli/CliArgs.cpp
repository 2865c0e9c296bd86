#include "cli/CliArgs.h"

#include <QDate>
#include <vector>

namespace Cli {

namespace {

// Which options each command takes; --program-folder and --help go with every command.
struct CommandInfo {
    const char* Name;
    int FileCount;
    QStringList Options;
};

const std::vector<CommandInfo>& Commands() {
    static const std::vector<CommandInfo> commands = {
        {"list", 0, {}},     {"show", 1, {}},    {"new", 0, {"--text", "--from", "--until"}},
        {"enable", 1, {}},   {"disable", 1, {}}, {"due", 0, {"--date", "--enabled-only"}},
        {"settings", 0, {}},
    };
    return commands;
}

const CommandInfo* FindCommand(const QString& name) {
    for (const CommandInfo& info : Commands())
        if (name == QLatin1String(info.Name)) return &info;
    return nullptr;
}

bool TakesValue(const QString& option) {
    return option != QLatin1String("--enabled-only");
}

const QStringList KnownOptions = {"--program-folder", "--text", "--from", "--until", "--date", "--enabled-only"};

struct Option {
    QString Name;
    QString Value;
};

// Splits the line into options (with their values) and plain words. "--" ends the options, so a file
// whose name starts with a dash can still be named.
QString Split(const QStringList& arguments, std::vector<Option>& options, QStringList& words, Arguments& args) {
    bool optionsEnded = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments.at(i);
        if (optionsEnded || !arg.startsWith(u'-') || arg == QLatin1String("-")) {
            words.append(arg);
            continue;
        }
        if (arg == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            args.Help = true;
            continue;
        }
        if (arg == QLatin1String("--version")) {
            args.Version = true;
            continue;
        }
        const qsizetype equals = arg.indexOf(u'=');
        Option option{equals < 0 ? arg : arg.left(equals), QString()};
        if (!KnownOptions.contains(option.Name)) return QStringLiteral("unknown option %1").arg(option.Name);
        if (!TakesValue(option.Name)) {
            if (equals >= 0) return QStringLiteral("%1 takes no value").arg(option.Name);
        } else if (equals >= 0) {
            option.Value = arg.mid(equals + 1);
        } else if (i + 1 < arguments.size()) {
            option.Value = arguments.at(++i);
        } else {
            return QStringLiteral("%1 needs a value").arg(option.Name);
        }
        for (const Option& earlier : options)
            if (earlier.Name == option.Name) return QStringLiteral("%1 given twice").arg(option.Name);
        options.push_back(option);
    }
    return {};
}

QString Apply(const Option& option, Arguments& args) {
    if (option.Name == QLatin1String("--program-folder")) {
        if (option.Value.isEmpty()) return QStringLiteral("--program-folder needs a folder");
        args.ProgramFolder = option.Value;
    } else if (option.Name == QLatin1String("--text")) {
        args.Text = option.Value;
    } else if (option.Name == QLatin1String("--enabled-only")) {
        args.EnabledOnly = true;
    } else {
        const std::optional<int32_t> date = ParseDate(option.Value);
        if (!date) return QStringLiteral("%1 wants a real date as YYYYMMDD, not \"%2\"").arg(option.Name, option.Value);
        if (option.Name == QLatin1String("--from")) args.From = date;
        if (option.Name == QLatin1String("--until")) args.Until = date;
        if (option.Name == QLatin1String("--date")) args.Date = date;
    }
    return {};
}

} // namespace

std::optional<int32_t> ParseDate(const QString& text) {
    if (text.size() != 8) return std::nullopt;
    for (QChar ch : text)
        if (ch < u'0' || ch > u'9') return std::nullopt;
    const int number = text.toInt();
    const QDate date(number / 10000, number / 100 % 100, number % 100);
    if (!date.isValid()) return std::nullopt;
    return number;
}

ParseResult ParseArguments(const QStringList& arguments) {
    ParseResult result;
    Arguments& args = result.Args;
    std::vector<Option> options;
    QStringList words;
    result.Error = Split(arguments, options, words, args);
    if (!result.Error.isEmpty() || args.Version) return result;
    if (args.Help) {
        if (!words.isEmpty() && FindCommand(words.first())) args.Command = words.first();
        return result;
    }

    if (words.isEmpty()) {
        result.Error = QStringLiteral("no command given");
        return result;
    }
    args.Command = words.takeFirst();
    const CommandInfo* info = FindCommand(args.Command);
    if (!info) {
        result.Error = QStringLiteral("unknown command \"%1\"").arg(args.Command);
        return result;
    }
    if (words.size() != info->FileCount) {
        result.Error = info->FileCount == 1 ? QStringLiteral("%1 needs exactly one FILE").arg(args.Command)
                                            : QStringLiteral("%1 takes no FILE").arg(args.Command);
        return result;
    }
    if (info->FileCount == 1) args.File = words.first();
    for (const Option& option : options) {
        if (option.Name != QLatin1String("--program-folder") && !info->Options.contains(option.Name)) {
            result.Error = QStringLiteral("%1 is not an option of %2").arg(option.Name, args.Command);
            return result;
        }
        result.Error = Apply(option, args);
        if (!result.Error.isEmpty()) return result;
    }
    return result;
}

QString UsageText() {
    return QStringLiteral(
        "Usage: pvl3 [--program-folder DIR] COMMAND [OPTIONS]\n"
        "\n"
        "Reads and writes the notes of Pinvale 3 without opening a window.\n"
        "\n"
        "Commands:\n"
        "  list                     every note file: [x] when enabled, else [ ], then its dates, text and path\n"
        "  show FILE                the note's fields as one JSON object\n"
        "  new [--text T] [--from YYYYMMDD] [--until YYYYMMDD]\n"
        "                           writes a new note into the notes folder and prints its path; the dates\n"
        "                           default to today. Line breaks in a note are CR LF (as Pinvale 3 writes\n"
        "                           them); the text is stored as given, as UTF-8 when Windows-1252 cannot\n"
        "                           hold it.\n"
        "  enable FILE              ticks the note, as the manager's check box does\n"
        "  disable FILE             clears the note's tick\n"
        "  due [--date YYYYMMDD] [--enabled-only]\n"
        "                           the paths of the notes due on the date (default today); with\n"
        "                           --enabled-only only the enabled ones\n"
        "  settings                 the settings as one JSON object\n"
        "\n"
        "Options:\n"
        "  --program-folder DIR     the folder holding PVL3.dat (default: the one Pinvale 3 uses)\n"
        "  -h, --help               this text; after a command, that command's usage\n"
        "  --version                the version\n"
        "\n"
        "Exit status: 0 done; 1 a file is missing, damaged or cannot be written; 2 a usage error.\n");
}

} // namespace Cli
