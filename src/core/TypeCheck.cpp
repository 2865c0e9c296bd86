#include "core/TypeCheck.h"

#include <QFileInfo>
#include <QLocale>
#include <QStringList>
#include <cmath>

namespace TypeCheck {

QString TrimBlanks(const QString& text) {
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && text.at(start) == u' ') ++start;
    while (end > start && text.at(end - 1) == u' ') --end;
    return text.mid(start, end - start);
}

namespace {
bool EndsWithOneOf(const QString& path, const QStringList& endings) {
    if (!QFileInfo(path).isFile()) return false;
    return endings.contains(TrimBlanks(path).right(4));
}
} // namespace

bool IsPictureFile(const QString& path) {
    static const QStringList endings = {".bmp", ".dib", ".gif", ".jpg", ".wmf", ".emf", ".ico", ".cur"};
    return EndsWithOneOf(path, endings);
}

bool IsWaveFile(const QString& path) {
    return EndsWithOneOf(path, {QStringLiteral(".wav")});
}

namespace {
// The UTF-16 position after the first `count` characters (or the end).
qsizetype UnitsFor(const QString& text, qsizetype count) {
    qsizetype at = 0;
    for (; count > 0 && at < text.size(); --count) {
        const bool pair = text.at(at).isHighSurrogate() && at + 1 < text.size() && text.at(at + 1).isLowSurrogate();
        at += pair ? 2 : 1;
    }
    return at;
}
} // namespace

qsizetype CharCount(const QString& text) {
    qsizetype pairs = 0;
    for (qsizetype at = 0; at + 1 < text.size(); ++at)
        if (text.at(at).isHighSurrogate() && text.at(at + 1).isLowSurrogate()) ++pairs, ++at;
    return text.size() - pairs;
}

QString LeftChars(const QString& text, qsizetype count) {
    return text.left(UnitsFor(text, count));
}

QString MidChars(const QString& text, qsizetype from) {
    return text.mid(UnitsFor(text, from));
}

QString PadToLength(const QString& text, int16_t width, const QString& fill) {
    if (width < 0) width = 0;
    // A long text (a note's whole text, for a list line) is counted only as far as the width.
    const qsizetype units = UnitsFor(text, width);
    if (units < text.size()) return text.left(units);
    const qsizetype length = CharCount(text);
    if (length >= width) return text;
    const QString piece = fill.isEmpty() ? QStringLiteral(" ") : fill;
    QString out = text;
    if (piece.size() == 1 && !piece.at(0).isSurrogate()) { // one unit a character: padded in one step
        out.resize(text.size() + (width - length), piece.at(0));
        return out;
    }
    for (qsizetype have = length; have < width; have += CharCount(piece)) out += piece;
    return LeftChars(out, width);
}

bool IsWholeNumber(const QString& value) {
    bool ok = false;
    // The program reads numbers the same way whatever the machine's language: point for decimals, and no
    // thousands separators ("1,000" would be kept in a box while only its 1 is stored).
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    const double number = c.toDouble(value.trimmed(), &ok);
    return ok && std::isfinite(number) && std::floor(number) == number;
}

} // namespace TypeCheck
