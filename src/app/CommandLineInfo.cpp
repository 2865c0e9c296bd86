#include "app/CommandLineInfo.h"

#include "core/Version.h"

namespace mdlBoot {

std::optional<QString> InfoText(const QStringList& arguments) {
    if (arguments.size() != 1) return std::nullopt;
    const QString& arg = arguments.first();
    if (arg == QLatin1String("--version")) return QStringLiteral("Pinvale 3 %1\n").arg(mdlCommonFunc::ProgramVersion());
    if (arg != QLatin1String("--help") && arg != QLatin1String("-h")) return std::nullopt;
    return QStringLiteral(
        "Usage: pinvale3 [/QL]\n"
        "\n"
        "Sticky notes on the desktop, shown again from the system tray when they are due.\n"
        "\n"
        "  (nothing)    opens ManageNotes and puts TrayNotes into the system tray\n"
        "  /QL          TrayNotes only, as at log-in; ends at once when \"Enable TrayNotes Startup on\n"
        "               System Launch\" is off\n"
        "  --help       this text\n"
        "  --version    the version\n"
        "\n"
        "Any other command line loads nothing. The notes from a terminal: pvl3 --help. More: man pinvale3.\n");
}

std::optional<QString> InfoText(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i) arguments.append(QString::fromLocal8Bit(argv[i]));
    return InfoText(arguments);
}

} // namespace mdlBoot
