#pragma once
// The manager's number boxes: what a typed text reads as, and how it is corrected when the box is left.
#include <QString>

namespace NumberBox {

// The number the leading characters spell: blanks are skipped wherever they stand, reading stops at the
// first character that cannot continue a number, and no number at all is 0 ("12abc" 12, "- 3" -3).
double LeadingNumber(const QString& text);

// The leading number rounded down ("7.9" 7, "-0.5" -1).
double WholeValue(const QString& text);

// Rounded to the nearest whole number, halves to the even neighbour (7.5 gives 8, 6.5 gives 6).
int RoundHalfEven(double value);

struct Bounds {
    double Upper;
    QString UpperText;
    double Lower;
    QString LowerText;
};

// The text as the box shows it after leaving: a text that is not a whole number becomes its leading
// number, then the upper bound and then the lower bound replace a value beyond them.
QString Corrected(const QString& text, const Bounds& bounds);

} // namespace NumberBox
