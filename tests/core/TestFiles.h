#pragma once
// Small file helpers shared by the core tests.
#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QtTest>
#include <fcntl.h>
#include <unistd.h>

inline QByteArray FileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Writes a file under a raw byte name, past Qt and past the code under test.
inline bool WriteRaw(const QByteArray& path, const QByteArray& bytes, mode_t mode = 0644) {
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, mode);
    if (fd < 0) return false;
    const bool written = ::write(fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
    ::close(fd);
    return written;
}

inline void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// Makes a folder unwritable, even for root (which ignores permissions) through the immutable attribute.
inline bool LockFolder(const QString& folder, bool lock) {
    QFile::setPermissions(folder, lock ? QFileDevice::ReadOwner | QFileDevice::ExeOwner
                                       : QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (!lock) QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), folder});
    if (!lock) return true;
    QFile probe(folder + "/probe");
    if (!probe.open(QIODevice::WriteOnly)) return true;
    probe.remove();
    QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), folder});
    if (!probe.open(QIODevice::WriteOnly)) return true;
    probe.remove();
    return false;
}

// A 64 KiB file system of its own (root only: CI runs as root), filled to the last byte on request, so that
// the next write runs out of space. Unmounted when it goes.
class TinyDisk {
public:
    explicit TinyDisk(const QString& folder) : m_folder(folder) {
        m_mounted = QProcess::execute(QStringLiteral("mount"),
                                      {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                                       QStringLiteral("size=64k"), QStringLiteral("tmpfs"), folder}) == 0;
    }
    ~TinyDisk() {
        if (m_mounted) QProcess::execute(QStringLiteral("umount"), {m_folder});
    }
    TinyDisk(const TinyDisk&) = delete;
    TinyDisk& operator=(const TinyDisk&) = delete;
    bool Mounted() const { return m_mounted; }
    // Fills the disk with one file; true when it is full.
    bool Fill() const {
        QFile filler(m_folder + QStringLiteral("/filler"));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return false;
        const QByteArray block(512, 'x');
        while (filler.write(block) == block.size()) {
        }
        return filler.write("x", 1) != 1;
    }

private:
    QString m_folder;
    bool m_mounted = false;
};
