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
    if (P.Ending() || !P.TrayWindow) return;
    // A tray host may still come (or come back) later: then the icon embeds and the tray keeps the
    // program alive again.
    const bool available = P.TrayWindow->Tray->Available();
    if (m_ticks < GraceTicks) {
        ++m_ticks;
        if (available)
            m_ticks = GraceTicks; // seen once: from now on only follow it
        else if (m_ticks < GraceTicks)
            return;
    }
    P.TrayUnreachable = !available;
    if (available || m_told) return;
    m_told = true;
    TrayNotes::ShowManager(P);
    P.S.Questions.Message(QStringLiteral("Pinvale 3"),
                          QStringLiteral("This desktop has no system tray, so TrayNotes has no icon for you to click. "
                                         "Pinvale 3 has opened ManageNotes instead. Your notes are still shown at "
                                         "their times while ManageNotes is open; closing ManageNotes ends Pinvale 3."));
}
