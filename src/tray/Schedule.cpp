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
    const int monthDays = mdlMonths::DaysInMonth(static_cast<int16_t>(now.date().month()),
                                                 static_cast<int16_t>(now.date().year()));
    next.NextDay = static_cast<int16_t>(dayCarry == 0 ? day : (day + 1 > monthDays ? 1 : day + 1));
    return next;
}

void ComputeNextShow(Program& P) { P.NextShow = NextShowAfter(P.Settings, P.S.Clock.Now()); }

} // namespace mdlCommonFunc
