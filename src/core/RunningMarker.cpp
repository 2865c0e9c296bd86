#include "core/RunningMarker.h"

#include "core/SettingsFile.h"
#include <QLockFile>

namespace mdlCommonFunc {

MarkerClaim ClaimRunningMarker(const QString& programFolder, QLockFile& lock, QString* error) {
    // Age proves nothing about a copy that runs for weeks: only a dead owner makes the lock stale.
    lock.setStaleLockTime(0);
    qint64 pid = 0;
    QString host;
    QString application;
    const bool earlierLock = lock.getLockInfo(&pid, &host, &application);
    const auto claimMarker = [&] {
        if (TrayLockIsSet(programFolder)) return false;
        SetTrayLock(programFolder, error);
        return true;
    };
    if (!lock.tryLock(0)) {
        // Held: its owner lives, or is on another host and so cannot be checked.
        if (lock.error() == QLockFile::LockFailedError) return MarkerClaim::Taken;
        // No lock can be made here (a full disk, a read-only folder): the marker alone decides, as it always did.
        return claimMarker() ? MarkerClaim::Claimed : MarkerClaim::Taken;
    }
    if (claimMarker()) return MarkerClaim::Claimed;
    // The lock was there and is ours now: its owner, the copy that set the 1, has died. Without a lock
    // nothing tells who set it, and a copy loaded after the question does not hold the lock, so that the
    // lock only ever names a copy that set the marker.
    if (earlierLock) return MarkerClaim::DeadCopy;
    lock.unlock();
    return MarkerClaim::Taken;
}

bool ReleaseRunningMarker(const QString& programFolder, QLockFile* lock) {
    if (!ClearTrayLock(programFolder)) return false;
    if (lock && lock->isLocked()) lock->unlock();
    return true;
}

} // namespace mdlCommonFunc
