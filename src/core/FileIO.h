#pragma once
// Whole-file reads and atomic whole-file writes: the complete content goes to a temporary file beside the
// target and is renamed over it, so a failed write leaves the old file byte for byte as it was.
#include <QByteArray>
#include <QString>

class QDateTime;
struct stat;

namespace FileIO {

// Fails, leaving the old file as it was, when any byte cannot be written (a full disk included), when the
// old file is read-only by its mode or not a regular file. The new file keeps the old one's permissions,
// and its owner when root writes it.
bool WriteWhole(const QString& path, const QByteArray& bytes, QString* error = nullptr);

// Why the existing file `old` (stat of `target`) must not be replaced, or empty when it may: a FIFO or
// device is never replaced, nor a file this user may not write by its mode (root may write what its
// owner left writable).
QString ReplaceRefusal(const QByteArray& target, const struct stat& old);

// Removes the temporaries of writes that died (killed, power cut) from a folder the program writes to.
void RemoveStaleTemporaries(const QString& folder, const QDateTime& now);

// A regular file's bytes, read without ever waiting on a FIFO or device; on failure the reason is
// "missing", "not a regular file" or "cannot read: ...".
bool ReadWhole(const QString& path, QByteArray& bytes, QString* error = nullptr);

} // namespace FileIO
