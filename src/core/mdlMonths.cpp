#include "core/mdlMonths.h"

#include <array>

namespace mdlMonths {

QString GetMonthName(int16_t month) {
    static const std::array<const char*, 12> names = {"January",   "February", "March",    "April",
                                                      "May",       "June",     "July",     "August",
                                                      "September", "October",  "November", "December"};
    if (month < 1 || month > 12) return QStringLiteral("InvalidMonth");
    return QString::fromLatin1(names[static_cast<size_t>(month - 1)]);
}

int16_t DaysInMonth(int16_t month, int16_t year) {
    switch (month) {
    case 2:
        return year % 4 == 0 ? 29 : 28; // no century rule: 1900 and 2100 count as leap years
    case 4:
    case 6:
    case 9:
    case 11:
        return 30;
    case 1:
    case 3:
    case 5:
    case 7:
    case 8:
    case 10:
    case 12:
        return 31;
    default:
        return 0;
    }
}

} // namespace mdlMonths
