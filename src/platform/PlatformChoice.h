#pragma once
// Which windowing platform the program asks Qt for, decided before the application object exists.
// A note window must land where the program puts it; a Wayland compositor does not let a client place
// its windows, X11 does. So in a Wayland session with an X server at hand (XWayland) the program runs on
// X11, unless the user chose a platform.
#include <QByteArray>
#include <QString>
#include <optional>

namespace Platform {

struct Session {
    std::optional<QByteArray> QtPlatform; // QT_QPA_PLATFORM, when set
    QByteArray WaylandDisplay;            // WAYLAND_DISPLAY
    QByteArray SessionType;               // XDG_SESSION_TYPE
    bool XServerReachable = false;        // DISPLAY names an X server that accepts a connection
};

// The platform to ask for ("xcb"), or nothing to leave Qt's own choice (native).
std::optional<QByteArray> ChoosePlatform(const Session& session);

// True when a local X server listens for DISPLAY (":0", ":1.0", "unix:0"); a remote one is taken on trust.
bool XServerReachable(const QByteArray& display);

// Reads the environment, decides, and sets QT_QPA_PLATFORM when the decision says so.
void ChooseBeforeStart();

} // namespace Platform
