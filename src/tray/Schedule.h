#pragma once
// When TrayNotes shows the notes: the five times of day and the interval ("every so many hours and
// minutes"), whose next time is kept as hour, minute and day of the month in NextShow.
#include "core/mdlStructures.h"
#include <QDateTime>

struct NextShowTime;
class Program;

namespace mdlCommonFunc {
// The next time of the interval schedule from the given moment: hour, minute and day of the month, or
// all -1 when the interval is off.
NextShowTime NextShowAfter(const SettingsRecord& settings, const QDateTime& now);
// Sets NextShow from the clock.
void ComputeNextShow(Program& P);
} // namespace mdlCommonFunc

namespace Schedule {
// The hour of day (0 to 23) of a time of day given as 1 to 12 with AM (0) or PM (1).
int HourOfDay(const AtTime& time);
// An enabled time of day that falls on this minute.
bool AtTimeDue(const AtTime& time, const QDateTime& now);
// The interval schedule is on and its next time is this minute.
bool IntervalDue(const SettingsRecord& settings, const NextShowTime& next, const QDateTime& now);
// True when the next interval time fell into a minute that the program never saw: after the minute of
// lastSeen and before the minute of now (the machine slept, or the clock jumped forward).
bool IntervalMissed(const NextShowTime& next, const QDateTime& lastSeen, const QDateTime& now);
// True when the next interval time is further from now than one interval: the clock was set back (by
// hand, or at the end of daylight-saving time) past the moment it was computed at.
bool IntervalTooFar(const SettingsRecord& settings, const NextShowTime& next, const QDateTime& now);
// The time the wall clock shows, as a plain date and time: daylight-saving changes move it by an hour
// within a second, which the schedule must see as the jump it is.
QDateTime Wall(const QDateTime& t);
} // namespace Schedule
