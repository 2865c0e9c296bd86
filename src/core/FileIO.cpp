#include "core/FileIO.h"

#include <QFile>
#include <QSaveFile>

namespace FileIO {

bool WriteWhole(const QString& path, const QByteArray& bytes, QString* error) {
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error) *error = QStringLiteral("cannot write: %1").arg(file.errorString());
        return false;
    }
    if (file.write(bytes) != bytes.size()) {
        if (error) *error = QStringLiteral("cannot write: %1").arg(file.errorString());
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        if (error) *error = QStringLiteral("cannot write: %1").arg(file.errorString());
        return false;
    }
    return true;
}

bool ReadWhole(const QString& path, QByteArray& bytes, QString* error, qint64 maxBytes) {
    QFile file(path);
    if (!file.exists()) {
        if (error) *error = QStringLiteral("missing");
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        if (error) *error = QStringLiteral("cannot read: %1").arg(file.errorString());
        return false;
    }
    bytes = maxBytes < 0 ? file.readAll() : file.read(maxBytes);
    return true;
}

} // namespace FileIO
