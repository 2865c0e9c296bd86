// pvl3: the notes of Pinvale 3 from the command line, without windows.
#include "cli/CliArgs.h"
#include "cli/CliCommands.h"
#include "cli/CliOutput.h"
#include "core/NativeFile.h"
#include <QCoreApplication>
#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    // The same names as Pinvale 3, so that both find the same per-user program folder.
    QCoreApplication::setApplicationName(QStringLiteral("Pinvale 3"));
    QCoreApplication::setOrganizationName(QStringLiteral("Pinvale"));

    QStringList arguments;
    // As the file system's bytes: a note whose name is not valid UTF-8 can still be named.
    for (int i = 1; i < argc; ++i) arguments.append(NativeFile::DecodeName(QByteArray(argv[i])));
    const Cli::ParseResult parsed = Cli::ParseArguments(arguments);
    if (!parsed.Error.isEmpty()) {
        Cli::ErrLine(parsed.Error);
        Cli::Err(u'\n' + Cli::UsageText());
        return 2;
    }
    if (parsed.Args.Version) {
        Cli::Out(Cli::VersionText());
        return 0;
    }
    if (parsed.Args.Help) {
        Cli::Out(parsed.Args.Command.isEmpty() ? Cli::UsageText() : Cli::CommandHelp(parsed.Args.Command));
        return 0;
    }
    const int status = Cli::RunCommand(parsed.Args, QCoreApplication::applicationDirPath());
    // An answer that never reached its reader (a full disk, a closed pipe) is a failure.
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        Cli::ErrLine(QStringLiteral("standard output: cannot write"));
        return 1;
    }
    return status;
}
