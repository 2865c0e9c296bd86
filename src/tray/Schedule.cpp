#include "tray/Schedule.h"

#include "app/Program.h"
#include "core/mdlMonths.h"

namespace mdlCommonFunc {

NextShowTime NextShowAfter(const SettingsRecord& s, const QDateTime& now) {
    NextShowTime next;
    if (s.EveryEnabled != 1) return next;
    const int minute = now.time().minute() + s.EveryMinutes;
    const int minuteCarry = minute > 59 ? 1 : 0;
    next.NextMinute = static_cast<int16_t>(minute - 60 * minuteCarry);
    const int hour = now.time().hour() + s.EveryHours + minuteCarry;
    const int dayCarry = hour > 23 ? 1 : 0;
    next.NextHour = static_cast<int16_t>(hour - 24 * dayCarry);
    const int day = now.date().day();
    const int monthDays =
        mdlMonths::DaysInMonth(static_cast<int16_t>(now.date().month()), static_cast<int16_t>(now.date().year()));
    next.NextDay = static_cast<int16_t>(dayCarry == 0 ? day : (day + 1 > monthDays ? 1 : day + 1));
    return next;
}

void ComputeNextShow(Program& P) {
    P.NextShow = NextShowAfter(P.Settings, P.S.Clock.Now());
}

} // namespace mdlCommonFunc

namespace Schedule {

int HourOfDay(const AtTime& time) {
    int hour = time.Hour;
    if (time.AmPm == 0 && hour == 12) hour = 0;
    if (time.AmPm == 1 && hour != 12) hour += 12;
    return hour;
}

bool AtTimeDue(const AtTime& time, const QDateTime& now) {
    return time.Enabled == 1 && now.time().hour() == HourOfDay(time) && now.time().minute() == time.Minute;
}

bool IntervalDue(const SettingsRecord& settings, const NextShowTime& next, const QDateTime& now) {
    return now.time().hour() == next.NextHour && now.time().minute() == next.NextMinute &&
           now.date().day() == next.NextDay && settings.EveryEnabled == 1;
}

QDateTime Wall(const QDateTime& t) {
    return QDateTime(t.date(), t.time(), Qt::UTC);
}

namespace {
QDateTime MinuteOf(const QDateTime& t) {
    return QDateTime(t.date(), QTime(t.time().hour(), t.time().minute()), Qt::UTC);
}
} // namespace

bool IntervalMissed(const NextShowTime& next, const QDateTime& lastSeen, const QDateTime& now) {
    const QTime at(next.NextHour, next.NextMinute);
    if (!at.isValid() || next.NextDay < 1 || next.NextDay > 31) return false;
    const QDateTime from = MinuteOf(lastSeen);
    const QDateTime to = MinuteOf(now);
    if (from >= to) return false;
    // Every day of the month comes round within 62 days; a longer absence certainly passed it.
    if (from.daysTo(to) > 62) return true;
    for (QDate day = from.date(); day <= to.date(); day = day.addDays(1)) {
        if (day.day() != next.NextDay) continue;
        const QDateTime due(day, at, Qt::UTC);
        if (due > from && due < to) return true;
    }
    return false;
}

bool IntervalTooFar(const SettingsRecord& settings, const NextShowTime& next, const QDateTime& now) {
    const QTime at(next.NextHour, next.NextMinute);
    if (settings.EveryEnabled != 1 || !at.isValid()) return false;
    const QDateTime from = MinuteOf(now);
    const qint64 interval = (settings.EveryHours * 60 + settings.EveryMinutes) * 60;
    for (QDate day = from.date(); day <= from.date().addDays(62); day = day.addDays(1)) {
        const QDateTime due(day, at, Qt::UTC);
        if (day.day() == next.NextDay && due >= from) return from.secsTo(due) > interval;
    }
    return true;
}

} // namespace Schedule
