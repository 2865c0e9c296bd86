#include "core/RunningMarker.h"

#include "core/SettingsFile.h"
#include <QLockFile>

namespace mdlCommonFunc {

MarkerClaim ClaimRunningMarker(const QString& programFolder, QLockFile& lock) {
    // Age proves nothing about a copy that runs for weeks: only a dead owner makes the lock stale.
    lock.setStaleLockTime(0);
    qint64 pid = 0;
    QString host;
    QString application;
    const bool earlierLock = lock.getLockInfo(&pid, &host, &application);
    // Fails while the owner lives, or when the owner is on another host and so cannot be checked.
    if (!lock.tryLock(0)) return MarkerClaim::Taken;
    if (!TrayLockIsSet(programFolder)) {
        SetTrayLock(programFolder);
        return MarkerClaim::Claimed;
    }
    // The lock was there and is ours now: its owner, the copy that set the 1, has died. Without a lock
    // nothing tells who set it, and a copy loaded after the question does not hold the lock, so that the
    // lock only ever names a copy that set the marker.
    if (earlierLock) return MarkerClaim::DeadCopy;
    lock.unlock();
    return MarkerClaim::Taken;
}

} // namespace mdlCommonFunc
