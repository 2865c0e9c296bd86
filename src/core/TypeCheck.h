#pragma once
#include <QString>
#include <cstdint>

namespace TypeCheck {

// Only blanks (spaces) are trimmed, as the program's text routines do; tabs and line breaks stay.
QString TrimBlanks(const QString& text);

bool IsPictureFile(const QString& path); // existing file ending in a lower-case picture extension
bool IsWaveFile(const QString& path);    // existing file ending in ".wav"
// Widths count characters: a character outside the Basic Multilingual Plane (an emoji) is one, and a cut
// never splits it in two.
QString PadToLength(const QString& text, int16_t width, const QString& fill);
qsizetype CharCount(const QString& text);
QString LeftChars(const QString& text, qsizetype count);
QString MidChars(const QString& text, qsizetype from); // everything after the first `from` characters
bool IsWholeNumber(const QString& value);              // a number with no fractional part: "12", "-3", "12.0", "1e2"

} // namespace TypeCheck
