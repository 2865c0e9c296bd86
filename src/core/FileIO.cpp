#include "core/FileIO.h"

#include "core/NativeFile.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <algorithm>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace FileIO {

namespace {
// The temporaries of this program's writes, named so that nothing else in a folder can be taken for one.
constexpr char TemporaryMark[] = ".pvl3-";

bool Fail(QString* error, const QString& reason) {
    if (error) *error = reason;
    return false;
}

bool CannotWrite(QString* error, const QString& why) {
    return Fail(error, QStringLiteral("cannot write: %1").arg(why));
}

// A temporary's name: the target's with the mark, or, where that would be too long a name, a short one
// in the same folder with the same mark.
QString TemporaryTemplate(const QString& real) {
    const QString name = QFileInfo(real).fileName();
    const qsizetype room = NAME_MAX - static_cast<qsizetype>(sizeof(TemporaryMark) - 1) - 6;
    const QString base =
        QFile::encodeName(name).size() <= room ? real : real.left(real.size() - name.size()) + QStringLiteral(".note");
    return base + QLatin1String(TemporaryMark) + QStringLiteral("XXXXXX");
}

mode_t NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Everything on disk before the rename: a full disk shows as a failed write or flush here, and a power cut
// after the rename finds the new bytes. Empty when all went well, else why not.
QString WriteTemporary(QTemporaryFile& temp, const QByteArray& bytes, mode_t mode) {
    if (temp.write(bytes) != bytes.size() || !temp.flush() || temp.error() != QFileDevice::NoError)
        return temp.errorString();
    if (::fchmod(temp.handle(), mode) != 0 || ::fsync(temp.handle()) != 0) return qt_error_string();
    return {};
}
} // namespace

QString ReplaceRefusal(const QByteArray& target, const struct stat& old) {
    if (!S_ISREG(old.st_mode)) return QStringLiteral("not a regular file");
    const bool mayWrite = (old.st_mode & S_IWUSR) &&
                          (::geteuid() == 0 || ::faccessat(AT_FDCWD, target.constData(), W_OK, AT_EACCESS) == 0);
    return mayWrite ? QString() : QStringLiteral("the file is read-only");
}

bool WriteWhole(const QString& path, const QByteArray& bytes, QString* error) {
    NativeFile::SharedReads::Forget();
    const QFileInfo info(path);
    const QString real = info.isSymLink() ? info.symLinkTarget() : path; // a link stays a link
    const QByteArray target = QFile::encodeName(real);
    struct stat old {};
    const bool exists = ::stat(target.constData(), &old) == 0;
    const QString refusal = exists ? ReplaceRefusal(target, old) : QString();
    if (!refusal.isEmpty()) return Fail(error, refusal);
    QTemporaryFile temp(TemporaryTemplate(real));
    if (!temp.open()) return CannotWrite(error, temp.errorString());
    const QString failure = WriteTemporary(temp, bytes, exists ? (old.st_mode & 07777) : NewFileMode());
    if (!failure.isEmpty()) return CannotWrite(error, failure); // the temporary goes with `temp`
    if (exists && ::geteuid() == 0 && ::fchown(temp.handle(), old.st_uid, old.st_gid) != 0)
        return CannotWrite(error, qt_error_string()); // root keeps a user's file the user's
    temp.close();
    if (::rename(QFile::encodeName(temp.fileName()).constData(), target.constData()) != 0)
        return CannotWrite(error, qt_error_string());
    temp.setAutoRemove(false); // it is the file now
    return true;
}

void RemoveStaleTemporaries(const QString& folder, const QDateTime& now) {
    constexpr qint64 StaleSeconds = 15 * 60; // far longer than any write takes
    const QLatin1String mark(TemporaryMark);
    const QString base = folder.endsWith(u'/') ? folder : folder + u'/';
    // The name filter goes first, so a folder of ten thousand notes costs one listing, not a stat each.
    const QString filter = QStringLiteral("*") + mark + QStringLiteral("??????");
    for (const QString& name : NativeFile::ListFiles(base, filter, NativeFile::Hidden::Listed)) {
        const QStringView ending = QStringView(name).right(mark.size() + 6);
        if (!ending.startsWith(mark)) continue; // the listing folds case; the mark does not
        const auto letterOrDigit = [](QChar c) { return c.unicode() < 0x80 && c.isLetterOrNumber(); };
        if (!std::all_of(ending.begin() + mark.size(), ending.end(), letterOrDigit)) continue;
        const QFileInfo entry(base + name);
        if (entry.lastModified().secsTo(now) < StaleSeconds) continue; // a write that may still be going on
        QFile::remove(entry.filePath());
    }
}

bool ReadWhole(const QString& path, QByteArray& bytes, QString* error) {
    return NativeFile::ReadRegular(path, bytes, std::numeric_limits<qint64>::max(), error);
}

} // namespace FileIO
