#pragma once
// Claiming "TrayLock.dat" at start-up. The one-byte marker stays as every copy of the program knows it;
// beside it "TrayLock.lock" (a QLockFile: process id, program and host) tells a copy that died on this
// machine from one that still runs, and makes the claim atomic between two copies started together.
#include <QString>

class QLockFile;

namespace mdlCommonFunc {

inline const QString RunningLockFileName = QStringLiteral("TrayLock.lock");

enum class MarkerClaim {
    Claimed,  // the marker was 0 and is now 1
    DeadCopy, // the marker says 1, but the copy that set it has died on this machine: start as if 0
    Taken,    // a copy runs, or nothing proves it does not: the second-copy question is due
};

// Takes the lock when it is free (held by `lock` until the process ends) and sets the marker when it
// was 0. Without the lock the marker is left alone, so at most one copy claims it at once. A claim whose
// 1 could not be written says why in `error`.
MarkerClaim ClaimRunningMarker(const QString& programFolder, QLockFile& lock, QString* error = nullptr);

// Puts the marker back to 0 as the program ends. Once it is 0 the lock goes too (the process ends without
// unwinding, which would have removed it), so that a portable copy started on another machine finds no
// lock it cannot check. A marker that could not be cleared keeps its lock, which tells the next start on
// this machine that this copy is gone.
bool ReleaseRunningMarker(const QString& programFolder, QLockFile* lock);

} // namespace mdlCommonFunc
