#pragma once
// What pvl3 prints: results on standard output, problems on standard error, both UTF-8.
#include <QString>

namespace Cli {

void Out(const QString& text);     // as is
void OutLine(const QString& line); // with a line feed
void Err(const QString& text);     // as is
void ErrLine(const QString& line); // "pvl3: " + line + line feed

// The one line of a failure that ends the command with exit code 1; returns 1.
int Fail(const QString& file, const QString& what);
void Warn(const QString& file, const QString& what);

} // namespace Cli
