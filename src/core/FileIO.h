#pragma once
// Whole-file reads and atomic whole-file writes: the complete content goes to a temporary file beside the
// target and is renamed over it, so a failed write leaves the old file byte for byte as it was.
#include <QByteArray>
#include <QString>

class QDateTime;

namespace FileIO {

// Fails, leaving the old file as it was, when any byte cannot be written (a full disk included) or when the
// old file is read-only by its mode. The new file keeps the old one's permissions.
bool WriteWhole(const QString& path, const QByteArray& bytes, QString* error = nullptr);

// Removes the temporaries of writes that died (killed, power cut) from a folder the program writes to.
void RemoveStaleTemporaries(const QString& folder, const QDateTime& now);

// A regular file's bytes, read without ever waiting on a FIFO or device; on failure the reason is
// "missing", "not a regular file" or "cannot read: ...".
bool ReadWhole(const QString& path, QByteArray& bytes, QString* error = nullptr);

} // namespace FileIO
