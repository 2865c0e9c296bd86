#include "app/SessionEnd.h"

#include "app/CheckShutdown.h"
#include "app/Program.h"
#include "app/frmStealth.h"
#include "core/RunningMarker.h"
#include "core/SettingsFile.h"
#include "editor/frmEditor.h"
#include "manager/frmManager.h"
#include "notes/frmNotes.h"
#include "tray/frmTray.h"
#include <QApplication>
#include <QScopedValueRollback>
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace {

int g_signalPipe = -1;
Program* g_program = nullptr; // for the exit that Qt takes when the display goes away

// Only what is safe in a signal handler: one byte into the pipe; the event loop does the rest.
void OnSignal(int number) {
    const int saved = errno;
    const char byte = static_cast<char>(number);
    [[maybe_unused]] const ssize_t written = ::write(g_signalPipe, &byte, 1);
    errno = saved;
}

// Qt ends the process with exit(1) when the connection to the display breaks. No window can be closed
// any more, so the files are put right directly.
void OnExit() {
    Program* P = g_program;
    if (!P || P->Ending()) return;
    g_program = nullptr;
    mdlBoot::CommitForSessionEnd(*P);
    std::fflush(nullptr);
    ::_exit(0);
}

} // namespace

SessionEnd::SessionEnd(Program& program) : P(program) {
    if (::pipe2(m_pipe, O_CLOEXEC | O_NONBLOCK) == 0) {
        g_signalPipe = m_pipe[1];
        m_notifier = new QSocketNotifier(m_pipe[0], QSocketNotifier::Read, this);
        connect(m_notifier, &QSocketNotifier::activated, this, &SessionEnd::SignalArrived);
        struct sigaction action = {};
        action.sa_handler = OnSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        for (int number : {SIGTERM, SIGHUP, SIGINT}) sigaction(number, &action, nullptr);
    }
    // Log-off and shut-down through the session manager: first the files, then the quit it asks for.
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this] { mdlBoot::CommitForSessionEnd(P); });
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { mdlBoot::EndAsByWindows(P); });
    g_program = &P;
    static const bool registered = std::atexit(OnExit) == 0;
    Q_UNUSED(registered);
}

SessionEnd::~SessionEnd() {
    g_program = nullptr;
    if (m_pipe[0] < 0) return;
    struct sigaction action = {};
    action.sa_handler = SIG_DFL;
    for (int number : {SIGTERM, SIGHUP, SIGINT}) sigaction(number, &action, nullptr);
    g_signalPipe = -1;
    ::close(m_pipe[0]);
    ::close(m_pipe[1]);
}

void SessionEnd::SignalArrived() {
    char bytes[16];
    while (::read(m_pipe[0], bytes, sizeof bytes) > 0) {
    }
    mdlBoot::EndAsByWindows(P);
}

namespace mdlBoot {

void CommitForSessionEnd(Program& P) {
    if (P.Ending()) return;
    if (P.ManagerOpen && P.ManagerWindow) {
        const QScopedValueRollback<bool> quiet(P.SessionEnding, true); // nobody is there to answer
        P.ManagerWindow->FinishTyping();
    }
    QString error;
    if (P.ManagerOpen && !mdlCommonFunc::SaveSettings(P.ProgramFolder, P.Settings, &error))
        std::fprintf(stderr, "pinvale3: the settings could not be saved (%s)\n", qPrintable(error));
    mdlCommonFunc::ReleaseRunningMarker(P.ProgramFolder, P.RunningLock.get());
}

void EndAsByWindows(Program& P) {
    if (P.Ending() || P.SessionEnding) return;
    P.SessionEnding = true; // nobody is there to answer a question any more
    // The editor (an edit not confirmed is dropped, as on its own close), note windows, then the manager,
    // and the tray last, so that the manager's unload still finds the program running.
    if (P.EditorWindow) P.EditorWindow->close();
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* note = qobject_cast<frmNotes*>(window)) note->close();
    if (P.ManagerWindow) P.ManagerWindow->close();
    if (P.TrayWindow) {
        P.TrayWindow->Tray->setIntray(false);
        P.TrayWindow->close();
    }
    if (P.Ending()) return; // the last unload's shutdown check has ended the program
    // Something still open (a window that would not close) goes with the program all the same.
    mdlCommonFunc::ReleaseRunningMarker(P.ProgramFolder, P.RunningLock.get());
    if (P.StealthWindow) P.StealthWindow->close();
    P.EndProgram();
}

} // namespace mdlBoot
