#pragma once
// On a desktop without a system tray a "/QL" start would leave a program that nobody can see, reach or
// end. When no tray shows up within a few seconds of the start, the user is told once and gets the
// manager; while there is no tray, closing the manager ends the program (CheckShutdown).
#include <QObject>
#include <QTimer>

class Program;
class frmTray;

class TrayWatch : public QObject {
    Q_OBJECT
public:
    static constexpr int TickMs = 500;
    static constexpr int GraceTicks = 10; // five seconds: a panel starting with the session has time to come up

    // Lives as long as the tray window.
    TrayWatch(Program& program, frmTray& tray);
    void Tick();

private:
    Program& P;
    QTimer m_timer;
    int m_ticks = 0;
    bool m_told = false;
    bool m_trayFound = false;
};
