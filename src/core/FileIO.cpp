#include "core/FileIO.h"

#include "core/NativeFile.h"

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

bool OpenForReading(QFile& file, QString* error) {
    return NativeFile::OpenRegular(file, file.fileName(), error);
}

bool ReadWhole(const QString& path, QByteArray& bytes, QString* error) {
    QFile file(path);
    if (!OpenForReading(file, error)) return false;
    bytes = file.readAll();
    return true;
}

} // namespace FileIO
