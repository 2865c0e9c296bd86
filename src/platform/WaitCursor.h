#pragma once
// The hourglass for as long as the object lives, and the arrow over anything that waits for the user.
#include <QCursor>
#include <QGuiApplication>

class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// The arrow for as long as a dialog waits for the user, whatever hourglass the work around it put up.
class UserCursor {
public:
    UserCursor() { QGuiApplication::setOverrideCursor(Qt::ArrowCursor); }
    ~UserCursor() { QGuiApplication::restoreOverrideCursor(); }
    UserCursor(const UserCursor&) = delete;
    UserCursor& operator=(const UserCursor&) = delete;
};
