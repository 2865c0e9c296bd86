#pragma once
#include <QString>
#include <cstdint>

namespace mdlMonths {
QString GetMonthName(int16_t month);              // "InvalidMonth" outside 1..12
int16_t DaysInMonth(int16_t month, int16_t year); // every fourth year is a leap year; 0 for a bad month
} // namespace mdlMonths
