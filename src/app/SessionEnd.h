#pragma once
// The desktop session ending (log-off, shut-down), a termination signal (TERM, HUP, INT) or a lost display
// end the program as its own windows would: each window unloads as when the user closes it (the manager's
// unload saves the settings), the running marker goes back to 0, and the process exits 0. Otherwise the
// next start would ask about a second copy every time. The session manager's save step writes the same
// files ahead of its quit, in case it kills the program instead of asking it to quit.
#include <QObject>

class Program;
class QSocketNotifier;

class SessionEnd : public QObject {
    Q_OBJECT
public:
    // Watches for all of these from now on, for the life of the object; one at a time.
    explicit SessionEnd(Program& program);
    ~SessionEnd() override;

private:
    void SignalArrived();
    Program& P;
    int m_pipe[2] = {-1, -1};
    QSocketNotifier* m_notifier = nullptr;
};

namespace mdlBoot {
// What the windows' unloads would write (the settings while the manager is open, the marker 0), without
// closing anything: the session manager's save step, which a cancelled log-off may outlive, and the last
// act after the display is gone.
void CommitForSessionEnd(Program& P);
// Closes every window as the user would, no question asked; whatever is still loaded after that goes
// too, then the marker is cleared and the program ends.
void EndAsByWindows(Program& P);
} // namespace mdlBoot
