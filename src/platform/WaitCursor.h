#pragma once
// The hourglass for as long as the object lives, and the arrow over anything that waits for the user.
#include <QCursor>
#include <QGuiApplication>

class WaitCursor {
public:
    // Under an hourglass already up (ShowNotes around each note window's load) this one adds nothing: every
    // change of the pointer is sent to every window the program has, so nesting them costs a request per
    // window each time, and with 31 notes on screen that ran to a thousand.
    WaitCursor() : m_set(!Waiting()) {
        if (m_set) QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~WaitCursor() {
        if (m_set) QGuiApplication::restoreOverrideCursor();
    }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    static bool Waiting() {
        const QCursor* shown = QGuiApplication::overrideCursor();
        return shown && shown->shape() == Qt::WaitCursor;
    }
    bool m_set;
};

// The arrow for as long as a dialog waits for the user, whatever hourglass the work around it put up.
class UserCursor {
public:
    UserCursor() { QGuiApplication::setOverrideCursor(Qt::ArrowCursor); }
    ~UserCursor() { QGuiApplication::restoreOverrideCursor(); }
    UserCursor(const UserCursor&) = delete;
    UserCursor& operator=(const UserCursor&) = delete;
};
