#include "core/NativeFile.h"

#include "core/FileIO.h"
#include <QAbstractEventDispatcher>
#include <QFile>
#include <QHash>
#include <QThread>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace NativeFile {

namespace {

constexpr char16_t EscapeBase = 0xDC00;

// A raw byte at i: a lone low surrogate in the escape range. The same code unit after a high surrogate
// is the second half of a character beyond U+FFFF (U+10B49A ends in DC9A), not a byte.
bool IsEscape(const QString& name, qsizetype i) {
    const char16_t unit = name.at(i).unicode();
    return unit >= EscapeBase + 0x80 && unit <= EscapeBase + 0xFF && !(i > 0 && name.at(i - 1).isHighSurrogate());
}

struct Lead {
    int Length; // of the whole sequence; 0 for a byte no sequence starts with
    uint32_t Bits;
};

Lead LeadOf(uint8_t byte) {
    if (byte >= 0xC2 && byte <= 0xDF) return {2, byte & 0x1Fu};
    if (byte >= 0xE0 && byte <= 0xEF) return {3, byte & 0x0Fu};
    if (byte >= 0xF0 && byte <= 0xF4) return {4, byte & 0x07u};
    return {0, 0};
}

// Length of the valid UTF-8 sequence starting at i, or 0.
int SequenceLength(const QByteArray& b, qsizetype i) {
    const auto at = [&](qsizetype k) { return static_cast<uint8_t>(b.at(k)); };
    if (at(i) < 0x80) return 1;
    const Lead lead = LeadOf(at(i));
    if (lead.Length == 0 || i + lead.Length > b.size()) return 0;
    uint32_t code = lead.Bits;
    for (int k = 1; k < lead.Length; ++k) {
        if ((at(i + k) & 0xC0) != 0x80) return 0;
        code = (code << 6) | (at(i + k) & 0x3F);
    }
    // Overlong forms, surrogates and code points past U+10FFFF are not valid UTF-8.
    if ((lead.Length == 3 && code < 0x800) || (lead.Length == 4 && (code < 0x10000 || code > 0x10FFFF))) return 0;
    if (code >= 0xD800 && code <= 0xDFFF) return 0;
    return lead.Length;
}

QByteArray Native(const QString& path) {
    return EncodeName(path);
}

// Reads a file named relative to an open folder (AT_FDCWD: to the working folder, so a full path).
bool ReadAt(int folder, const QByteArray& name, QByteArray& bytes, qint64 maxBytes, QString* error);

bool ReadDirect(const QString& path, QByteArray& bytes, qint64 maxBytes, QString* error) {
    return ReadAt(AT_FDCWD, Native(path), bytes, maxBytes, error);
}

int OpenFolder(const QByteArray& native) {
    return ::open(native.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

// The files read since the sharing began. A file larger than a note ever is is not kept.
constexpr qint64 SharedLimit = 64 * 1024;

struct SharedFile {
    bool Ok = false;
    QByteArray Bytes; // the whole file
    QString Error;
};

struct Shared {
    bool KeepBytes = true;
    QHash<QString, SharedFile> Files;
    QMetaObject::Connection Waiting;
    // The folder of the last file read, held open: opening its files by their names alone spares the
    // kernel walking the whole path ten thousand times.
    QString Folder;
    int FolderFd = -1;
    QString ReadAheadFolder; // its files are all here already: a second read ahead of it reads nothing

    void CloseFolder() {
        if (FolderFd >= 0) ::close(FolderFd);
        FolderFd = -1;
        Folder.clear();
    }
    bool ReadFile(const QString& path, QByteArray& bytes, qint64 maxBytes, QString* error) {
        const qsizetype slash = path.lastIndexOf(u'/');
        if (slash <= 0) return ReadDirect(path, bytes, maxBytes, error);
        const QStringView folder = QStringView(path).left(slash + 1);
        if (folder != Folder) {
            CloseFolder();
            FolderFd = OpenFolder(Native(folder.toString()));
            if (FolderFd >= 0) Folder = folder.toString();
        }
        if (FolderFd < 0) return ReadDirect(path, bytes, maxBytes, error);
        return ReadAt(FolderFd, Native(path.mid(slash + 1)), bytes, maxBytes, error);
    }
};

Shared* g_shared = nullptr; // reads happen on the main thread only

bool ReadShared(Shared& shared, const QString& path, QByteArray& bytes, qint64 maxBytes, QString* error) {
    if (!shared.KeepBytes) return shared.ReadFile(path, bytes, maxBytes, error);
    auto it = shared.Files.constFind(path);
    if (it == shared.Files.constEnd()) {
        SharedFile file;
        file.Ok = shared.ReadFile(path, file.Bytes, SharedLimit + 1, &file.Error);
        if (file.Ok && file.Bytes.size() > SharedLimit) return shared.ReadFile(path, bytes, maxBytes, error);
        it = shared.Files.insert(path, file);
    }
    if (!it->Ok) {
        if (error) *error = it->Error;
        return false;
    }
    bytes = it->Bytes.left(maxBytes);
    return true;
}

} // namespace

QString DecodeName(const QByteArray& bytes) {
    if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<uint8_t>(c) < 0x80; }))
        return QString::fromLatin1(bytes); // most names: nothing to decode
    QString out;
    out.reserve(bytes.size());
    qsizetype i = 0;
    while (i < bytes.size()) {
        const int length = SequenceLength(bytes, i);
        if (length == 0) {
            out.append(QChar(static_cast<char16_t>(EscapeBase + static_cast<uint8_t>(bytes.at(i)))));
            ++i;
            continue;
        }
        out.append(QString::fromUtf8(bytes.constData() + i, length));
        i += length;
    }
    return out;
}

QByteArray EncodeName(const QString& name) {
    // Most names: plain ASCII, the same bytes in every encoding, and no escaped byte among them.
    if (std::all_of(name.begin(), name.end(), [](QChar c) { return c.unicode() < 0x80; })) return name.toLatin1();
    if (QtCanName(name)) return QFile::encodeName(name);
    QByteArray out;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= name.size(); ++i) {
        if (i < name.size() && !IsEscape(name, i)) continue;
        out.append(name.mid(start, i - start).toUtf8());
        if (i < name.size()) out.append(static_cast<char>(name.at(i).unicode() - EscapeBase));
        start = i + 1;
    }
    return out;
}

bool QtCanName(const QString& path) {
    for (qsizetype i = 0; i < path.size(); ++i)
        if (IsEscape(path, i)) return false;
    return true;
}

Kind KindOf(const QString& path) {
    struct stat st;
    if (::stat(Native(path).constData(), &st) != 0) return Kind::Missing;
    if (S_ISREG(st.st_mode)) return Kind::Regular;
    return S_ISDIR(st.st_mode) ? Kind::Folder : Kind::Other;
}

namespace {
// Reads until the end of the file or until `size` bytes are in; false with errno set on a failed read.
bool ReadUpTo(int fd, char* into, qint64 size, qint64& got) {
    while (got < size) {
        const ssize_t n = ::read(fd, into + got, static_cast<size_t>(size - got));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) break;
        got += n;
    }
    return true;
}

bool ReadAt(int folder, const QByteArray& name, QByteArray& bytes, qint64 maxBytes, QString* error) {
    const auto fail = [&](const QString& reason) {
        if (error) *error = reason;
        return false;
    };
    const auto why = [] { return QStringLiteral("cannot read: %1").arg(QString::fromLocal8Bit(std::strerror(errno))); };
    const int fd = ::openat(folder, name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return fail(errno == ENOENT || errno == ENOTDIR ? QStringLiteral("missing") : why());
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } const closer{fd};
    // A note fits the first buffer, and a read that ends short of it has met the end of a regular file: a
    // read at the end costs the kernel less than a status call. Only a read that failed, gave nothing or
    // filled the buffer asks what was opened: a folder fails, a FIFO without a writer or a device that waits
    // gives nothing, and a device like /dev/zero never ends.
    char first[16 * 1024];
    const qint64 firstSize = std::min<qint64>(maxBytes, sizeof first);
    qint64 got = 0;
    const bool readOk = ReadUpTo(fd, first, firstSize, got);
    const int readErrno = errno;
    if (readOk && got > 0 && got < firstSize) {
        bytes = QByteArray(first, got);
        return true;
    }
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) return fail(QStringLiteral("not a regular file"));
    errno = readErrno;
    if (!readOk) return fail(why());
    bytes.resize(std::clamp<qint64>(st.st_size, got, maxBytes));
    std::memcpy(bytes.data(), first, static_cast<size_t>(got));
    if (!ReadUpTo(fd, bytes.data(), bytes.size(), got)) return fail(why());
    bytes.truncate(got); // cut short since the status call: what is there is what is read
    return true;
}
} // namespace

bool ReadRegular(const QString& path, QByteArray& bytes, qint64 maxBytes, QString* error) {
    if (g_shared) return ReadShared(*g_shared, path, bytes, maxBytes, error);
    return ReadDirect(path, bytes, maxBytes, error);
}

SharedReads::SharedReads(Keep keep) {
    if (g_shared) return; // the outer sharing goes on
    m_owner = true;
    g_shared = new Shared;
    g_shared->KeepBytes = keep == Keep::Bytes;
    if (auto* dispatcher = QAbstractEventDispatcher::instance())
        g_shared->Waiting = QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, [] { Forget(); });
}

SharedReads::~SharedReads() {
    if (!m_owner) return;
    QObject::disconnect(g_shared->Waiting);
    g_shared->CloseFolder();
    delete g_shared;
    g_shared = nullptr;
}

void SharedReads::ReadAhead(const QString& folder, const QStringList& names) {
    constexpr qsizetype FewFiles = 512; // below this, starting threads costs more than it saves
    const int threads = std::min(std::max(1, QThread::idealThreadCount()), 8);
    if (!g_shared || !g_shared->KeepBytes || threads < 2 || names.size() < FewFiles) return;
    if (g_shared->ReadAheadFolder == folder) return;
    g_shared->ReadAheadFolder = folder;
    std::vector<SharedFile> files(static_cast<size_t>(names.size()));
    const QByteArray native = Native(folder);
    // Each thread reads its own stretch of the names through its own handle on the folder.
    const auto readStretch = [&](qsizetype from, qsizetype to) {
        const int fd = OpenFolder(native);
        for (qsizetype i = from; i < to; ++i) {
            SharedFile& file = files[static_cast<size_t>(i)];
            file.Ok = fd >= 0 && ReadAt(fd, EncodeName(names[i]), file.Bytes, SharedLimit + 1, &file.Error);
        }
        if (fd >= 0) ::close(fd);
    };
    const qsizetype stretch = (names.size() + threads - 1) / threads;
    std::vector<std::thread> helpers;
    for (int t = 1; t < threads; ++t)
        helpers.emplace_back(readStretch, std::min(names.size(), t * stretch),
                             std::min(names.size(), (t + 1) * stretch));
    readStretch(0, std::min(names.size(), stretch));
    for (std::thread& helper : helpers) helper.join();
    // What could not be read, or is too large to keep, is left to the reader that asks for it.
    for (qsizetype i = 0; i < names.size(); ++i) {
        SharedFile& file = files[static_cast<size_t>(i)];
        if (file.Ok && file.Bytes.size() <= SharedLimit) g_shared->Files.insert(folder + names[i], std::move(file));
    }
}

void SharedReads::Forget() {
    if (!g_shared) return;
    g_shared->Files.clear();
    g_shared->ReadAheadFolder.clear();
    g_shared->CloseFolder(); // the folder itself may be another one by the next read
}

bool WriteWhole(const QString& path, const QByteArray& bytes, QString* error) {
    if (QtCanName(path)) return FileIO::WriteWhole(path, bytes, error);
    const auto fail = [&](const QString& reason) {
        if (error) *error = reason;
        return false;
    };
    const qsizetype slash = path.lastIndexOf(u'/');
    const QString folder = path.left(slash + 1);
    if (!QtCanName(folder)) return fail(QStringLiteral("cannot write: the folder's name is not valid UTF-8"));
    struct stat old;
    const bool exists = ::stat(Native(path).constData(), &old) == 0;
    const QString refusal = exists ? FileIO::ReplaceRefusal(Native(path), old) : QString();
    if (!refusal.isEmpty()) return fail(refusal);
    // Named like the temporaries of every other write, so the same start-up cleaning removes a leftover.
    const QString temporary =
        folder + QStringLiteral(".note.pvl3-") + QString::number(::getpid(), 36).rightJustified(6, u'0').right(6);
    if (!FileIO::WriteWhole(temporary, bytes, error)) return false;
    if (exists) ::chmod(Native(temporary).constData(), old.st_mode & 07777);
    if (exists && ::geteuid() == 0) ::chown(Native(temporary).constData(), old.st_uid, old.st_gid);
    if (!Rename(temporary, path)) {
        const QString reason = QString::fromLocal8Bit(std::strerror(errno));
        Remove(temporary);
        return fail(QStringLiteral("cannot write: %1").arg(reason));
    }
    return true;
}

bool Remove(const QString& path) {
    SharedReads::Forget();
    return ::unlink(Native(path).constData()) == 0;
}

int CreateExclusive(const QString& path) {
    SharedReads::Forget();
    const int fd = ::open(Native(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return errno;
    ::close(fd);
    return 0;
}

bool Rename(const QString& from, const QString& to) {
    SharedReads::Forget();
    return ::rename(Native(from).constData(), Native(to).constData()) == 0;
}

bool WildcardMatch(QStringView pattern, QStringView name) {
    const auto same = [](QChar a, QChar b) {
        if (a == b) return true;
        // Two ASCII characters fold alike only as letters; any other pair takes Unicode's folding (the
        // Kelvin sign folds to "k").
        const auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c; };
        if (a.unicode() < 0x80 && b.unicode() < 0x80) return lower(a.unicode()) == lower(b.unicode());
        return a.toCaseFolded() == b.toCaseFolded();
    };
    qsizetype p = 0, n = 0;
    qsizetype star = -1, resume = 0; // the last * seen, and where in the name it will next take over
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == u'*') {
            star = p++;
            resume = n;
        } else if (p < pattern.size() && (pattern[p] == u'?' || same(pattern[p], name[n]))) {
            ++p;
            ++n;
        } else if (star >= 0) { // the * takes one more character
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*') ++p;
    return p == pattern.size();
}

QStringList ListFiles(const QString& folder, const QString& pattern, Hidden hidden) {
    QStringList names;
    const QString base = folder.endsWith(u'/') ? folder : folder + u'/';
    const QByteArray native = Native(base);
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(native.constData()), ::closedir);
    if (!dir) return names;
    while (const dirent* entry = ::readdir(dir.get())) {
        const QString name = DecodeName(QByteArray(entry->d_name));
        if (name == u"." || name == u".." || (hidden == Hidden::Skipped && name.startsWith(u'.'))) continue;
        if (!WildcardMatch(pattern, name)) continue;
        // The entry's own type where the file system gives it; a link, or a file system that does not say,
        // costs a status call.
        if (entry->d_type == DT_REG) {
            names.append(name);
            continue;
        }
        if (entry->d_type != DT_LNK && entry->d_type != DT_UNKNOWN) continue;
        struct stat st;
        if (::fstatat(::dirfd(dir.get()), entry->d_name, &st, 0) == 0 && S_ISREG(st.st_mode)) names.append(name);
    }
    return names;
}

} // namespace NativeFile
