#pragma once
// "TrayNotes": the hidden window that owns the tray icon and the tray timer. Every tick advances the
// icon's animation; the first tick of each minute checks the schedule. With the icon still, the tray
// ticks once a minute, carried by the host window's once-a-second tick.
#include "platform/Services.h"
#include <QDateTime>
#include <QIcon>
#include <QTimer>
#include <QWidget>
#include <memory>

class Program;

class frmTray : public QWidget {
    Q_OBJECT
public:
    explicit frmTray(Program& program);
    ~frmTray() override; // Form_Terminate

    void Form_Load();

    std::unique_ptr<cSysTray> Tray;
    QTimer tmrTray;

    // The pictures, drawn once: img7 (blank page) to img1 (full page) make one animation cycle.
    QIcon img1, img2, img3, img4, img5, img6, img7;
    QIcon imgClock2;

    // The picture the tray shows for this animation frame (1 to 7), with or without the alarm.
    const QIcon& AnimationPicture(int frame, bool alarm) const;
    // The animation was switched on or off: the next tick comes at once.
    void AnimationChanged();
    // The host window's once-a-second tick: while the icon stands still, it brings the tray's next tick
    // when that is due (a new minute, a clock that jumped, the animation or the alarm started).
    void EverySecond();
    // The picture while the animation is off.
    const QIcon& StillPicture(bool alarm) const { return alarm ? imgClock2 : img1; }

public slots:
    void tmrTray_Timer();
    void Tray_MouseDown(int button);
    void Tray_MouseDblClick();

protected:
    void closeEvent(QCloseEvent* event) override; // Form_Unload

private:
    const QIcon& Page(int n) const;
    void PopUpTrayMenu();
    void CheckSchedule(const QDateTime& now, bool cameBack);
    bool IconMoves() const; // the animation or the alarm sequence: a tick four times a second
    int NextTickMs(const QDateTime& now) const;
    void StartTicking();
    void ScheduleNextTick(const QDateTime& now);
    qint64 SecondsSinceLastTick(const QDateTime& now) const;
    bool TickDue(const QDateTime& now, qint64 step) const;
    void Unload();

    Program& P;
    QDateTime m_lastTick;      // the clock at the previous tick; a long gap means the machine was asleep
    QTimer m_menuDelay;        // holds back the left-click menu until a double click is ruled out
    bool m_resting = false;    // the icon stands still: the host window's tick brings the next tick
    bool m_showsAlarm = false; // the icon shows the alarm's picture, which the next tick puts back
    bool m_unloaded = false;
};
