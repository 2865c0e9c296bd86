#pragma once
// Small file helpers shared by the core tests.
#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QtTest>

inline QByteArray FileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
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
