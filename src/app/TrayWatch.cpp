#include "app/TrayWatch.h"

#include "app/Program.h"
#include "tray/TrayNotes.h"
#include "tray/frmTray.h"

TrayWatch::TrayWatch(Program& program, frmTray& tray) : QObject(&tray), P(program) {
    m_timer.setInterval(TickMs);
    connect(&m_timer, &QTimer::timeout, this, &TrayWatch::Tick);
    m_timer.start();
}

void TrayWatch::Tick() {
    if (m_trayFound || P.Ending() || !P.TrayWindow) return;
    // Once a tray has been seen, a panel that restarts later must not make the program end behind the
    // user's back; a tray that comes late embeds the icon and the tray keeps the program alive again.
    if (P.TrayWindow->Tray->Available()) {
        m_trayFound = true;
        m_timer.stop();
        P.TrayUnreachable = false;
        return;
    }
    if (++m_ticks < GraceTicks) return;
    P.TrayUnreachable = true;
    if (m_told) return;
    m_told = true;
    TrayNotes::ShowManager(P);
    P.S.Questions.Message(QStringLiteral("Pinvale 3"),
                          QStringLiteral("This desktop has no system tray, so TrayNotes has no icon for you to click. "
                                         "Pinvale 3 has opened ManageNotes instead. Your notes are still shown at "
                                         "their times while ManageNotes is open; closing ManageNotes ends Pinvale 3."));
}
