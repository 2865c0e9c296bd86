#pragma once
#include "platform/Services.h"
#include <QElapsedTimer>
#include <QMenu>
#include <QSystemTrayIcon>

// Qt shows the icon through StatusNotifierItem exactly when a host has registered with the watcher.
bool StatusNotifierHostPresent();

// The tray icon control over QSystemTrayIcon. Where the desktop has no tray the icon is simply absent.
class QtSysTray : public cSysTray {
    Q_OBJECT
public:
    explicit QtSysTray(QObject* parent);
    void setIntray(bool inTray) override;
    void setTrayicon(const QIcon& icon) override;
    void setTraytip(const QString& tip) override;
    bool Available() const override;
    void setHostMenu(QMenu* menu) override;

    // What the icon reports. A StatusNotifierItem host reports no double click, only two activations.
    void Activated(QSystemTrayIcon::ActivationReason reason);

private:
    QSystemTrayIcon m_icon;
    QElapsedTimer m_lastTrigger; // a left click that may be the first of a double click
    QMenu m_hostMenu;            // the tray menu's own actions, handed to a StatusNotifierItem host
    qint64 m_iconKey = 0;
};
