#include "tray/frmTray.h"

#include "app/CheckShutdown.h"
#include "app/Program.h"
#include "app/frmStealth.h"
#include "tray/Schedule.h"
#include "tray/TrayIcons.h"
#include "tray/TrayNotes.h"
#include <QCloseEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QStyleHints>

namespace {
constexpr int AlarmLengthTicks = 21;
constexpr int TickMs = 250;
// Ticks come four times a second; a gap this long means the program did not run in between.
constexpr qint64 AsleepSeconds = 60;
} // namespace

frmTray::frmTray(Program& program) : P(program) {
    setWindowTitle(QStringLiteral("TrayNotes"));
    setAttribute(Qt::WA_DeleteOnClose);
    img1 = TrayIcons::PageFrame(1);
    img2 = TrayIcons::PageFrame(2);
    img3 = TrayIcons::PageFrame(3);
    img4 = TrayIcons::PageFrame(4);
    img5 = TrayIcons::PageFrame(5);
    img6 = TrayIcons::PageFrame(6);
    img7 = TrayIcons::PageFrame(7);
    imgClock2 = TrayIcons::ClockFrame();
    Tray = P.S.TrayFactory.CreateTray(this);
    Tray->setTraytip(QStringLiteral("PVL 3: TrayNotes"));
    Tray->setTrayicon(img1);
    connect(Tray.get(), &cSysTray::MouseDown, this, &frmTray::Tray_MouseDown);
    connect(Tray.get(), &cSysTray::MouseDblClick, this, &frmTray::Tray_MouseDblClick);
    tmrTray.setInterval(TickMs);
    connect(&tmrTray, &QTimer::timeout, this, &frmTray::tmrTray_Timer);
    m_menuDelay.setSingleShot(true);
    connect(&m_menuDelay, &QTimer::timeout, this, &frmTray::PopUpTrayMenu);
}

frmTray::~frmTray() {
    Tray->setIntray(false); // no icon may outlive its window
    if (!P.Ending()) Unload();
}

void frmTray::Form_Load() {
    P.TrayActive = true;
    // Loaded again after its interval time passed while it was off, the interval would wait a month for
    // that day and minute to come round: it starts anew from now. At the program's start nothing is set.
    if (Schedule::IntervalTooFar(P.Settings, P.NextShow, P.S.Clock.Now())) mdlCommonFunc::ComputeNextShow(P);
    if (P.Settings.ShowOnTrayStart == 1) TrayNotes::AlarmAndShow(P);
    StartTicking(); // the first tick checks the minute the tray starts in
}

void frmTray::AnimationChanged() {
    if (tmrTray.isActive() || m_resting) StartTicking();
}

// Four times a second. Coarse: the ticks fall on the quarter seconds, as the once-a-second tick falls on
// whole or half ones, so every fourth tick shares its wake-up with it.
void frmTray::StartTicking() {
    m_resting = false;
    tmrTray.setTimerType(Qt::CoarseTimer);
    tmrTray.start(TickMs);
}

// A still tray arms no timer of its own: the host window's once-a-second tick (EverySecond) brings the
// first tick of the next minute, and the interval keeps the time to it. Without that tick the tray sleeps
// on a precise timer of its own, since a coarse one may fire early, before the minute it waits for.
void frmTray::ScheduleNextTick(const QDateTime& now) {
    if (IconMoves()) return StartTicking();
    if (P.StealthWindow && P.StealthWindow->tmrMaster.isActive()) {
        tmrTray.stop();
        tmrTray.setInterval(NextTickMs(now));
        m_resting = true;
        return;
    }
    m_resting = false;
    tmrTray.setTimerType(Qt::PreciseTimer);
    tmrTray.start(NextTickMs(now));
}

void frmTray::EverySecond() {
    if (!m_resting) return;
    const QDateTime now = P.S.Clock.Now();
    if (IconMoves() || TickDue(now, SecondsSinceLastTick(now))) tmrTray_Timer();
}

qint64 frmTray::SecondsSinceLastTick(const QDateTime& now) const {
    return m_lastTick.isValid() ? Schedule::Wall(m_lastTick).secsTo(Schedule::Wall(now)) : 0;
}

// A new minute, or a clock that jumped: the tick that checks the schedule.
bool frmTray::TickDue(const QDateTime& now, qint64 step) const {
    return now.time().minute() != P.LastMinute || step >= AsleepSeconds || step < 0;
}

bool frmTray::IconMoves() const {
    return P.Settings.AnimateIcon == 1 || P.AlarmShowing || m_showsAlarm;
}

// While the icon stands still there is nothing to do between minutes: the tray sleeps until just past the
// next one instead of waking four times a second.
int frmTray::NextTickMs(const QDateTime& now) const {
    if (IconMoves()) return TickMs;
    const QTime time = now.time();
    return 60'000 - (time.second() * 1000 + time.msec()) + 20;
}

const QIcon& frmTray::Page(int n) const {
    static constexpr QIcon frmTray::*pages[] = {&frmTray::img1, &frmTray::img2, &frmTray::img3, &frmTray::img4,
                                                &frmTray::img5, &frmTray::img6, &frmTray::img7};
    return this->*pages[qBound(1, n, 7) - 1];
}

const QIcon& frmTray::AnimationPicture(int frame, bool alarm) const {
    if (alarm) return frame >= 3 && frame <= 5 ? imgClock2 : img1;
    return Page(8 - frame); // frame 1 shows img7, frame 7 img1
}

void frmTray::tmrTray_Timer() {
    const QDateTime now = P.S.Clock.Now();
    ++P.IconFrame;
    if (P.AlarmShowing) ++P.AlarmTicks;
    if (P.Settings.AnimateIcon == 1)
        Tray->setTrayicon(AnimationPicture(P.IconFrame, P.AlarmShowing));
    else
        Tray->setTrayicon(StillPicture(P.AlarmShowing));
    m_showsAlarm = P.AlarmShowing; // its last picture is put back by the next tick, not a minute later
    if (P.IconFrame >= 7) P.IconFrame = 0;
    if (P.AlarmTicks >= AlarmLengthTicks) {
        P.AlarmShowing = false;
        P.AlarmTicks = 0;
    }
    // After a sleep the minute of the hour may by chance be the one seen last; it is still a new minute.
    // Measured on the wall clock, so a daylight-saving change counts as the jump it is.
    // After the clock went back the interval is never further away than one interval. Set back inside
    // the minute, that is all: the minute's schedule has run.
    const qint64 step = SecondsSinceLastTick(now);
    if (step < 0 && Schedule::IntervalTooFar(P.Settings, P.NextShow, now)) mdlCommonFunc::ComputeNextShow(P);
    if (now.time().minute() != P.LastMinute || step >= AsleepSeconds) CheckSchedule(now, step >= AsleepSeconds);
    P.LastMinute = static_cast<int16_t>(now.time().minute());
    m_lastTick = now;
    if (tmrTray.isActive() || m_resting) ScheduleNextTick(P.S.Clock.Now());
}

void frmTray::CheckSchedule(const QDateTime& now, bool cameBack) {
    // An interval time passed while the machine slept would never match again: start the interval anew
    // from now, without showing the notes for the time that was missed.
    if (cameBack && P.Settings.EveryEnabled == 1 && Schedule::IntervalMissed(P.NextShow, m_lastTick, now))
        mdlCommonFunc::ComputeNextShow(P);
    if (Schedule::IntervalDue(P.Settings, P.NextShow, now)) {
        mdlCommonFunc::ComputeNextShow(P);
        TrayNotes::AlarmAndShow(P);
    }
    for (const AtTime& time : P.Settings.AtTimes)
        if (Schedule::AtTimeDue(time, now)) TrayNotes::AlarmAndShow(P);
}

// A menu popped up at the first click of a double click takes the second click for itself, and the
// double click never reaches the icon; so the left button's menu waits for the double-click time.
void frmTray::Tray_MouseDown(int button) {
    if (button == 2) PopUpTrayMenu();
    if (button == 1) m_menuDelay.start(QGuiApplication::styleHints()->mouseDoubleClickInterval());
}

void frmTray::Tray_MouseDblClick() {
    m_menuDelay.stop();
    TrayNotes::ShowManager(P);
}

// popup() returns at once; the menu's items act when chosen.
void frmTray::PopUpTrayMenu() {
    P.Stealth().mnuTray.popup(QCursor::pos());
}

void frmTray::closeEvent(QCloseEvent* event) {
    event->accept();
    if (!P.Ending()) Unload();
}

void frmTray::Unload() {
    tmrTray.stop();
    m_resting = false;
    if (m_unloaded) return; // closing and then deleting the window unloads it once
    m_unloaded = true;
    P.TrayActive = false;
    mdlCommonFunc::CheckShutdown(P);
}
