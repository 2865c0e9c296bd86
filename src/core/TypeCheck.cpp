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

QString PadToLength(const QString& text, int16_t width, const QString& fill) {
    if (width < 0) width = 0;
    if (text.size() > width) return text.left(width);
    const QString piece = fill.isEmpty() ? QStringLiteral(" ") : fill;
    QString out = text;
    while (out.size() < width) out += piece;
    return out.left(width);
}

bool IsWholeNumber(const QString& value) {
    bool ok = false;
    // The program reads numbers the same way whatever the machine's language: point for decimals.
    const double number = QLocale::c().toDouble(value.trimmed(), &ok);
    return ok && std::isfinite(number) && std::floor(number) == number;
}

} // namespace TypeCheck
