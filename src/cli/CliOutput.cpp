#include "cli/CliOutput.h"

#include "core/NativeFile.h"

#include <cstdio>

namespace Cli {

namespace {
void Write(FILE* stream, const QString& text) {
    // UTF-8, but a path with bytes that are not UTF-8 prints them as they are, ready to be passed back.
    const QByteArray bytes = NativeFile::EncodeName(text);
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
}
} // namespace

void Out(const QString& text) {
    Write(stdout, text);
}

void OutLine(const QString& line) {
    Write(stdout, line);
    std::fputc('\n', stdout); // not appended to the line: a list writes thousands of them
}

void Err(const QString& text) {
    std::fflush(stdout);
    Write(stderr, text);
}

void ErrLine(const QString& line) {
    std::fflush(stdout); // keeps the two streams in order on a shared terminal
    Write(stderr, QStringLiteral("pvl3: ") + line + u'\n');
}

int Fail(const QString& file, const QString& what) {
    ErrLine(file + QStringLiteral(": ") + what);
    return 1;
}

void Warn(const QString& file, const QString& what) {
    ErrLine(QStringLiteral("warning: ") + file + ": " + what);
}

} // namespace Cli
