#include "platform/PlatformChoice.h"

#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace Platform {

namespace {

bool ConnectsTo(const QByteArray& path, bool abstract) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const int offset = abstract ? 1 : 0; // an abstract name starts with a zero byte
    if (path.size() + offset >= static_cast<qsizetype>(sizeof(address.sun_path))) return false;
    std::memcpy(address.sun_path + offset, path.constData(), static_cast<size_t>(path.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + offset + path.size());
    const bool connected = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), length) == 0;
    ::close(fd);
    return connected;
}

bool IsWaylandSession(const Session& session) {
    return !session.WaylandDisplay.isEmpty() || session.SessionType == "wayland";
}

} // namespace

std::optional<QByteArray> ChoosePlatform(const Session& session) {
    if (session.QtPlatform) return std::nullopt; // the user's choice stands, even an empty one
    if (IsWaylandSession(session) && session.XServerReachable) return QByteArray("xcb");
    return std::nullopt;
}

bool XServerReachable(const QByteArray& display) {
    QByteArray host = display.left(display.indexOf(':'));
    if (display.indexOf(':') < 0) return false;
    if (!host.isEmpty() && host != "unix") return true; // over the network: no cheap way to ask
    QByteArray number = display.mid(display.indexOf(':') + 1);
    if (number.contains('.')) number = number.left(number.indexOf('.'));
    bool ok = false;
    number.toUInt(&ok);
    if (!ok) return false;
    const QByteArray socket = "/tmp/.X11-unix/X" + number;
    return ConnectsTo(socket, false) || ConnectsTo(socket, true);
}

void ChooseBeforeStart() {
    Session session;
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) session.QtPlatform = qgetenv("QT_QPA_PLATFORM");
    session.WaylandDisplay = qgetenv("WAYLAND_DISPLAY");
    session.SessionType = qgetenv("XDG_SESSION_TYPE");
    // Only a Wayland session asks; elsewhere the X server would accept a connection for nothing.
    if (!session.QtPlatform && IsWaylandSession(session))
        session.XServerReachable = XServerReachable(qgetenv("DISPLAY"));
    if (const std::optional<QByteArray> platform = ChoosePlatform(session)) qputenv("QT_QPA_PLATFORM", *platform);
}

} // namespace Platform
