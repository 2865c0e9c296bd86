// Claiming the running marker: one winner among copies started together, a dead copy told apart from a
// live one or one that cannot be checked, and what an ending copy leaves.
#include "TestFiles.h"
#include "core/ProgramFolder.h"
#include "core/RunningMarker.h"
#include "core/SettingsFile.h"
#include <QLockFile>
#include <QTemporaryDir>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using namespace mdlCommonFunc;

namespace {
// A copy that takes the lock and the marker, then dies without clearing either (a SIGKILL, a power cut).
void DieHoldingTheMarker(const QString& folder) {
    const pid_t child = fork();
    if (child == 0) {
        QLockFile lock(folder + RunningLockFileName);
        _exit(ClaimRunningMarker(folder, lock) == MarkerClaim::Claimed ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}
} // namespace

class tst_RunningMarker : public QObject {
    Q_OBJECT

private slots:
    void claims_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("claim");
        QTest::addColumn<bool>("markerAfter");
        QTest::newRow("no marker") << "" << int(MarkerClaim::Claimed) << true;
        QTest::newRow("marker 0") << "0" << int(MarkerClaim::Claimed) << true;
        QTest::newRow("marker 1, no lock: another host or an older copy") << "1" << int(MarkerClaim::Taken) << true;
        QTest::newRow("marker 1, its copy died here") << "1 dead" << int(MarkerClaim::DeadCopy) << true;
        QTest::newRow("marker 1, its copy runs here") << "1 live" << int(MarkerClaim::Taken) << true;
        QTest::newRow("marker 1, lock from another host") << "1 elsewhere" << int(MarkerClaim::Taken) << true;
        QTest::newRow("marker 0, its copy died here") << "0 dead" << int(MarkerClaim::Claimed) << true;
        QTest::newRow("marker 0 but a live lock: a copy mid-claim") << "0 live" << int(MarkerClaim::Taken) << false;
    }
    void claims() {
        QFETCH(QString, before);
        QFETCH(int, claim);
        QFETCH(bool, markerAfter);
        QTemporaryDir dir;
        const QString folder = WithSeparator(dir.path());
        const QString lockPath = folder + RunningLockFileName;
        QLockFile live(lockPath);
        if (before.contains("dead")) DieHoldingTheMarker(folder);
        if (before.contains("live")) QVERIFY(live.tryLock(0));
        if (before.contains("elsewhere")) {
            DieHoldingTheMarker(folder);
            QList<QByteArray> lines = FileBytes(lockPath).split('\n');
            lines[2] = "another-host"; // and its machine id: a program folder shared over the network
            lines[3] = "0123456789abcdef0123456789abcdef";
            QFile::remove(lockPath);
            WriteBytes(lockPath, lines.join('\n'));
        }
        if (before.startsWith('1')) QVERIFY(SetTrayLock(folder));
        if (before.startsWith('0')) QVERIFY(ClearTrayLock(folder));

        QLockFile lock(lockPath);
        QCOMPARE(int(ClaimRunningMarker(folder, lock)), claim);
        QCOMPARE(TrayLockIsSet(folder), markerAfter);
        // Only a copy that set or took over the marker holds the lock.
        QCOMPARE(lock.isLocked(), claim != int(MarkerClaim::Taken));
    }

    // A copy that ends as it should (without unwinding, as the program ends) leaves neither the 1 nor its
    // lock, so a portable copy on another machine finds nothing to ask about; one that could not clear
    // the 1 keeps the lock, which tells the next start here that it is gone.
    void endingReleases_data() {
        QTest::addColumn<bool>("markerWritable");
        QTest::newRow("marker cleared") << true;
        QTest::newRow("marker read-only") << false;
    }
    void endingReleases() {
        QFETCH(bool, markerWritable);
        QTemporaryDir dir;
        const QString folder = WithSeparator(dir.path());
        const pid_t child = fork();
        if (child == 0) {
            QLockFile lock(folder + RunningLockFileName);
            const bool claimed = ClaimRunningMarker(folder, lock) == MarkerClaim::Claimed;
            if (!markerWritable) QFile::setPermissions(folder + TrayLockFileName, QFileDevice::ReadOwner);
            _exit(claimed && ReleaseRunningMarker(folder, &lock) == markerWritable ? 0 : 1);
        }
        int status = 0;
        waitpid(child, &status, 0);
        QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        QCOMPARE(QFile::exists(folder + RunningLockFileName), !markerWritable);
        QCOMPARE(TrayLockIsSet(folder), !markerWritable);
    }

    // Copies started together, released at the same instant: exactly one claims the marker each time.
    void copiesStartedTogether() {
        for (int round = 0; round < 25; ++round) {
            QTemporaryDir dir;
            const QString folder = WithSeparator(dir.path());
            int gate[2], results[2];
            QVERIFY(pipe(gate) == 0 && pipe(results) == 0);
            std::vector<pid_t> copies;
            for (int copy = 0; copy < 3; ++copy) {
                const pid_t child = fork();
                if (child == 0) {
                    close(gate[1]);
                    char go;
                    (void)!read(gate[0], &go, 1); // returns when the parent closes the gate
                    QLockFile lock(folder + RunningLockFileName);
                    const char claimed = ClaimRunningMarker(folder, lock) == MarkerClaim::Taken ? 'q' : 'c';
                    (void)!write(results[1], &claimed, 1);
                    pause(); // stays running, holding what it claimed
                    _exit(0);
                }
                copies.push_back(child);
            }
            close(gate[0]);
            close(gate[1]);
            QByteArray outcome;
            for (int i = 0; i < 3; ++i) {
                char c;
                QVERIFY(read(results[0], &c, 1) == 1);
                outcome.append(c);
            }
            for (pid_t child : copies) {
                kill(child, SIGKILL);
                waitpid(child, nullptr, 0);
            }
            close(results[0]);
            close(results[1]);
            QCOMPARE(outcome.count('c'), 1);
        }
    }
};

QTEST_GUILESS_MAIN(tst_RunningMarker)
#include "tst_RunningMarker.moc"
