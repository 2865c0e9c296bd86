#pragma once
// File names as the file system's bytes, and opens that cannot hang.
//
// Qt turns a file name into text as UTF-8 and drops any name that is not valid UTF-8 from its folder
// listings. Here such a name keeps every byte: valid UTF-8 is decoded as usual and each byte that is not
// becomes the lone surrogate U+DC00 + byte, which no real text holds, so encoding gives the bytes back.
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace NativeFile {

QString DecodeName(const QByteArray& bytes);
QByteArray EncodeName(const QString& name);

// True when Qt's own file classes reach the file under this name (every name but one with raw bytes).
bool QtCanName(const QString& path);

enum class Kind { Missing, Regular, Folder, Other };
// Follows links, never opens: a FIFO or device is told apart without waiting on it.
Kind KindOf(const QString& path);

// Reads a regular file's first maxBytes bytes (all of a smaller file). A note takes one open and two reads
// (the second meets the end); a read that gives nothing or fills the first buffer is followed by a status
// call, which tells a folder, a FIFO or a device from a file. The open itself does not wait (a FIFO swapped
// in after a check would otherwise block it), nor does a read (the file is open without waiting). On failure
// the reason is "missing", "not a regular file" or "cannot read: ...".
bool ReadRegular(const QString& path, QByteArray& bytes, qint64 maxBytes, QString* error);

// While one of these is alive, each file is read from disk once and read again from memory: a start shows
// the notes and then lists them, and both read every note. A write, rename or removal through this
// program, or the event loop going to wait (a message on screen, the user's next step), ends the sharing,
// so a read never answers with bytes older than the program's own last change or the last wait.
class SharedReads {
public:
    // A caller that reads each file only once wants the folder held open, not the bytes kept.
    enum class Keep { Bytes, FolderOnly };
    explicit SharedReads(Keep keep = Keep::Bytes);
    ~SharedReads();
    SharedReads(const SharedReads&) = delete;
    SharedReads& operator=(const SharedReads&) = delete;
    static void Forget(); // after a change to any file: what was read may be out of date
    // Reads these files of one folder into the sharing before anything asks for them, on every core the
    // machine has: a start reads every note of the folder, and the disk's answers come back in parallel.
    // Without a sharing, or for a few files, it does nothing. A folder is read ahead once in a sharing: the
    // names are its listing, or the part of it that the caller goes on to read.
    static void ReadAhead(const QString& folder, const QStringList& names);

private:
    bool m_owner = false; // an inner one leaves the sharing to the outer
};

// FileIO::WriteWhole for any name: a name Qt cannot spell is written under a temporary name beside it and
// renamed into place by its bytes, keeping the old file's mode; a file its mode makes read-only is refused.
bool WriteWhole(const QString& path, const QByteArray& bytes, QString* error = nullptr);

bool Remove(const QString& path);
// Creates an empty file where none is, atomically: 0, or the errno (EEXIST when the name is taken).
int CreateExclusive(const QString& path);
// Renames within one folder; replaces the target.
bool Rename(const QString& from, const QString& to);

// A file-name wildcard, case folded: * stands for any run of characters, ? for any one, the rest for
// themselves.
bool WildcardMatch(QStringView pattern, QStringView name);

// The names of the regular files (or links to them) in a folder that match a wildcard pattern, in no
// particular order, hidden ones only when asked for. Empty when the folder cannot be read.
enum class Hidden { Skipped, Listed };
QStringList ListFiles(const QString& folder, const QString& pattern, Hidden hidden = Hidden::Skipped);

} // namespace NativeFile
