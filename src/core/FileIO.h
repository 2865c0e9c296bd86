#pragma once
// Whole-file reads and atomic whole-file writes: the complete content goes to a temporary file beside the
// target and is renamed over it, so a failed write leaves the old file byte for byte as it was.
#include <QByteArray>
#include <QString>

class QFile;

namespace FileIO {

// Opens a regular file for reading without ever waiting on a FIFO or device; on failure the reason is
// "missing", "not a regular file" or "cannot read: ...".
bool OpenForReading(QFile& file, QString* error);

bool WriteWhole(const QString& path, const QByteArray& bytes, QString* error = nullptr);

// False when the file cannot be opened.
bool ReadWhole(const QString& path, QByteArray& bytes, QString* error = nullptr);

} // namespace FileIO
