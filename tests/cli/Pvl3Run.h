#pragma once
// Runs the built pvl3 as a process and collects what it printed.
#include "core/NoteFile.h"
#include <QProcess>
#include <QTest>

struct Pvl3Result {
    int Code = -1; // -1 when it crashed
    QByteArray Out;
    QByteArray Err;
};

inline Pvl3Result RunPvl3(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(PVL3_TOOL), args);
    if (!p.waitForFinished(30000)) qFatal("pvl3 did not finish");
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

inline NoteRecord MakeNote(const QString& text, int32_t from, int32_t until, int16_t enabled) {
    NoteRecord n;
    n.Text = text;
    n.ShowFrom = from;
    n.ShowUntil = until;
    n.Enabled = enabled;
    n.FontName = QStringLiteral("Arial");
    return n;
}

// A note whose text claims 1000 characters but holds 3.
inline QByteArray DamagedNoteBytes() {
    return NoteFile::NoteBytes(MakeNote(QString(), 0, 0, 1)).left(10) + QByteArray("\xE8\x03\0\0abc", 7);
}
