#include "platform/QtSysTray.h"

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

void QtSysTray::Activated(QSystemTrayIcon::ActivationReason reason) {
    switch (reason) {
    case QSystemTrayIcon::Trigger:
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
