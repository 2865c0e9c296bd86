#include "platform/QtSysTray.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QGuiApplication>
#include <QStyleHints>

bool StatusNotifierHostPresent() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    const QString watcher = QStringLiteral("org.kde.StatusNotifierWatcher");
    if (!bus.isConnected() || !bus.interface()->isServiceRegistered(watcher)) return false;
    QDBusInterface host(watcher, QStringLiteral("/StatusNotifierWatcher"), watcher, bus);
    return host.property("IsStatusNotifierHostRegistered").toBool();
}

QtSysTray::QtSysTray(QObject* parent) : cSysTray(parent) {
    connect(&m_icon, &QSystemTrayIcon::activated, this, &QtSysTray::Activated);
}

void QtSysTray::setIntray(bool inTray) {
    m_icon.setVisible(inTray);
}

void QtSysTray::setTrayicon(const QIcon& icon) {
    // The tray timer assigns the picture on every tick; only a new picture is handed to the panel.
    if (icon.cacheKey() == m_iconKey) return;
    m_iconKey = icon.cacheKey();
    m_icon.setIcon(icon);
}

void QtSysTray::setTraytip(const QString& tip) {
    m_icon.setToolTip(tip);
}

// An XEmbed tray reports the right click, and a context menu there would pop up beside the program's own;
// so the menu goes to the icon only when a StatusNotifierItem host shows it. Its actions are the tray
// menu's own, so a choice runs the same handler and a tick shows in both.
void QtSysTray::setHostMenu(QMenu* menu) {
    if (!menu || !StatusNotifierHostPresent()) return;
    m_hostMenu.clear();
    m_hostMenu.addActions(menu->actions());
    m_icon.setContextMenu(&m_hostMenu);
}

void QtSysTray::Activated(QSystemTrayIcon::ActivationReason reason) {
    const bool second = reason == QSystemTrayIcon::Trigger && m_lastTrigger.isValid() &&
                        m_lastTrigger.elapsed() <= QGuiApplication::styleHints()->mouseDoubleClickInterval();
    m_lastTrigger.invalidate();
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        if (second) {
            emit MouseDblClick();
            break;
        }
        m_lastTrigger.start();
        emit MouseDown(1);
        break;
    case QSystemTrayIcon::Context:
        emit MouseDown(2);
        break;
    case QSystemTrayIcon::DoubleClick:
        emit MouseDblClick();
        break;
    default:
        break;
    }
}

bool QtSysTray::Available() const {
    return QSystemTrayIcon::isSystemTrayAvailable();
}
