#pragma once
// The tray icon on an X11 desktop whose tray docks a window of the program (the XEmbed kind), drawn by the
// program itself. Each picture goes to the X server once and is shown again by name, so an animated icon
// costs two small requests a frame and nothing to wait for: Qt's own icon repaints through its
// shared-memory backing store, which waits for the server's answer before every frame, and so wakes the
// program three more times a frame.
#include "platform/Services.h"
#include <QAbstractNativeEventFilter>
#include <QIcon>
#include <QTimer>
#include <memory>
#include <vector>

class XEmbedTray : public cSysTray, public QAbstractNativeEventFilter {
    Q_OBJECT
public:
    // Null unless the program runs on X11 with XRender and a server that takes little-endian pictures;
    // the caller then uses Qt's tray icon.
    static std::unique_ptr<cSysTray> Create(QObject* parent);
    ~XEmbedTray() override;

    void setIntray(bool inTray) override;
    void setTrayicon(const QIcon& icon) override;
    void setTraytip(const QString& tip) override;
    bool Available() const override;
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

    struct Server; // the connection and what was asked of it once, in X's own types

private:
    struct Frame {
        qint64 Key = 0;
        uint32_t Pixmap = 0;
        uint32_t Picture = 0;
    };

    XEmbedTray(QObject* parent, std::unique_ptr<Server> server);
    void CreateWindow();
    void DestroyWindow();
    uint32_t TrayWindow() const;
    void Dock();
    void Draw();
    const Frame& FrameFor(const QIcon& icon);
    void FreeFrames();
    bool WindowEvent(uint8_t type, const void* event);
    void Press(uint8_t button, uint32_t time);

    std::unique_ptr<Server> m_x;
    uint32_t m_window = 0;
    uint32_t m_windowPicture = 0;
    int m_width = 0;
    int m_height = 0;
    QIcon m_icon;
    QString m_tip;
    std::vector<Frame> m_frames; // the pictures already on the server, at the window's size
    QTimer m_tipDelay;
    uint32_t m_lastLeftPress = 0;
    bool m_leftPressed = false; // a second left press within the double-click time is a double click
};
