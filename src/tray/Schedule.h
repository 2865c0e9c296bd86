#pragma once
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
