#include "manager/NumberBox.h"

#include "core/TypeCheck.h"
#include <QLocale>
#include <cmath>

namespace NumberBox {

namespace {
// The digits of a number as far as they go, blanks left out: sign, digits, point, digits, exponent.
QString NumberPrefix(const QString& text) {
    QString out;
    bool digits = false;
    enum { Sign, Whole, Fraction, ExpSign, Exponent } state = Sign;
    for (const QChar ch : text) {
        if (ch == u' ') continue;
        const bool digit = ch >= u'0' && ch <= u'9';
        digits = digits || (digit && state != ExpSign && state != Exponent);
        if (state == Sign && (ch == u'+' || ch == u'-')) {
            state = Whole;
        } else if ((state == Sign || state == Whole) && digit) {
            state = Whole;
        } else if ((state == Sign || state == Whole) && ch == u'.') {
            state = Fraction;
        } else if (state == Fraction && digit) {
        } else if ((state == Whole || state == Fraction) && (ch == u'e' || ch == u'E') && digits) {
            state = ExpSign;
        } else if (state == ExpSign && (ch == u'+' || ch == u'-' || digit)) {
            state = Exponent;
        } else if (state == Exponent && digit) {
        } else {
            break;
        }
        out += ch;
    }
    return out;
}
} // namespace

double LeadingNumber(const QString& text) {
    QString prefix = NumberPrefix(text);
    // A dangling sign, point or exponent mark reads as if it were not there.
    while (!prefix.isEmpty() && !prefix.back().isDigit()) prefix.chop(1);
    if (prefix.isEmpty()) return 0.0;
    bool ok = false;
    const double value = QLocale::c().toDouble(prefix, &ok);
    if (ok && std::isfinite(value)) return value;
    return prefix.startsWith(u'-') ? -1e300 : 1e300; // too large for a double: beyond every bound
}

double WholeValue(const QString& text) {
    return std::floor(LeadingNumber(text));
}

int RoundHalfEven(double value) {
    const double lower = std::floor(value);
    const double rest = value - lower;
    double rounded = rest < 0.5 ? lower : lower + 1;
    if (rest == 0.5) rounded = std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1;
    return static_cast<int>(rounded);
}

QString Corrected(const QString& text, const Bounds& bounds) {
    QString out = text;
    if (!TypeCheck::IsWholeNumber(out)) out = QString::number(LeadingNumber(out), 'g', 15);
    if (WholeValue(out) > bounds.Upper) out = bounds.UpperText;
    if (WholeValue(out) < bounds.Lower) out = bounds.LowerText;
    return out;
}

} // namespace NumberBox
