// Pinvale 3: builds the real services and one Program, then hands over to Main.
#include "app/CommandLineInfo.h"
#include "app/Program.h"
#include "app/SessionEnd.h"
#include "app/mdlBoot.h"
#include "core/ProgramFolder.h"
#include "platform/FrameStyle.h"
#include "platform/PlatformChoice.h"
#include "platform/QtServices.h"
#include <QApplication>
#include <QIcon>
#include <QStandardPaths>
#include <cstdio>

namespace {

// The icon the program installs into the hicolor theme, read from there by name: a look-up through the
// icon themes would first parse every installed theme's index, some ms and 200 KB at every start. Each
// picture is read when a window first asks for it; before the program is installed there is none.
QIcon ProgramIcon() {
    QIcon icon;
    const QString name = QStringLiteral("icons/hicolor/%1x%1/apps/org.pinvale.Pinvale3.png");
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString file = QStandardPaths::locate(QStandardPaths::GenericDataLocation, name.arg(size));
        if (!file.isEmpty()) icon.addFile(file, QSize(size, size));
    }
    return icon;
}

} // namespace

int main(int argc, char* argv[]) {
    // Answered without a display, so that it works from any terminal.
    if (const std::optional<QString> info = mdlBoot::InfoText(argc, argv)) {
        std::fputs(info->toLocal8Bit().constData(), stdout);
        return 0;
    }
    Platform::ChooseBeforeStart();
    // Qt's own word for this points at a damaged installation, and then it aborts.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        std::fputs("pinvale3: there is no display to show the notes on (DISPLAY and WAYLAND_DISPLAY are unset).\n",
                   stderr);
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setStyle(new FrameStyle); // the application owns it
    QApplication::setApplicationName(QStringLiteral("Pinvale 3"));
    QApplication::setOrganizationName(QStringLiteral("Pinvale"));
    QApplication::setDesktopFileName(QStringLiteral("org.pinvale.Pinvale3")); // the launcher, for task bars
    QApplication::setWindowIcon(ProgramIcon());
    QApplication::setQuitOnLastWindowClosed(false); // the tray keeps the program alive; CheckShutdown ends it

    QtQuestions questions;
    QtChoosers choosers;
    QtSoundPlayer sound;
    QtClock clock;
    QtScreen screen;
    QtRandom random;
    QtProcessEnd processEnd;
    QtTrayFactory trayFactory;
    Program program(Services{questions, choosers, sound, clock, screen, random, processEnd, trayFactory},
                    mdlCommonFunc::ResolveProgramFolder(QCoreApplication::applicationDirPath()));

    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    if (!mdlBoot::Main(program, arguments.join(u' '))) return 0;
    // From here on this copy runs and owns the marker; before, an end leaves the marker as it is.
    const SessionEnd sessionEnd(program);
    return QApplication::exec();
}
