// The writers on a full disk, over a read-only note, and the cleaning of temporaries left by a write that died.
#include "TestFiles.h"
#include "core/FileIO.h"
#include "core/NoteFile.h"
#include "core/SettingsFile.h"
#include <QDateTime>
#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

namespace {
NoteRecord LongNote() {
    NoteRecord r;
    r.Enabled = 1;
    r.Text = QString(2000, QLatin1Char('n'));
    return r;
}
} // namespace

class tst_FileIO : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    // Each writer on a disk with no byte left: it says so, and the old file is byte for byte what it was.
    void fullDiskKeepsTheOldFile_data() {
        QTest::addColumn<QString>("writer");
        QTest::newRow("whole note") << "note";
        QTest::newRow("enabled flag") << "enabled";
        QTest::newRow("settings") << "settings";
        QTest::newRow("running marker") << "marker";
    }
    void fullDiskKeepsTheOldFile() {
        QFETCH(QString, writer);
        const QString folder = m_dir.filePath(writer) + "/";
        QVERIFY(QDir().mkpath(folder));
        TinyDisk disk(folder);
        if (!disk.Mounted()) QSKIP("mounting a small file system needs root");
        const QString target = folder + (writer == "settings" ? "PVL3.dat"
                                         : writer == "marker" ? "TrayLock.dat"
                                                              : "a.nte");
        QVERIFY(NoteFile::WriteNote(target, LongNote()));
        const QByteArray before = FileBytes(target);
        QVERIFY(disk.Fill());

        QString error;
        bool written = true;
        if (writer == "note") written = NoteFile::WriteNote(target, NoteRecord(), &error);
        if (writer == "enabled") written = NoteFile::WriteEnabled(target, 0, &error);
        if (writer == "settings")
            written = mdlCommonFunc::SaveSettings(folder, mdlCommonFunc::DefaultSettings(folder), &error);
        if (writer == "marker") written = mdlCommonFunc::SetTrayLock(folder);
        QVERIFY(!written);
        QVERIFY(writer == "marker" || error.startsWith("cannot write"));
        QCOMPARE(FileBytes(target), before);
        const QStringList left = QDir(folder).entryList(QDir::Files);
        QCOMPARE(QSet<QString>(left.begin(), left.end()), (QSet<QString>{QFileInfo(target).fileName(), "filler"}));
    }

    // A note its owner made read-only stays as it is, even for root; a writable one keeps its mode.
    void modeIsKeptAndReadOnlyIsRespected_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("written");
        QTest::newRow("read-only 444") << 0444 << false;
        QTest::newRow("owner only 600") << 0600 << true;
        QTest::newRow("group reads 640") << 0640 << true;
    }
    void modeIsKeptAndReadOnlyIsRespected() {
        QFETCH(int, mode);
        QFETCH(bool, written);
        const QString path = m_dir.filePath(QString::number(mode, 8) + ".nte");
        QVERIFY(NoteFile::WriteNote(path, LongNote()));
        const QByteArray before = FileBytes(path);
        const auto perms = QFileDevice::Permissions::fromInt(((mode & 0700) << 6) | ((mode & 0700) << 2) |
                                                             ((mode & 070) << 1) | (mode & 07));
        QVERIFY(QFile::setPermissions(path, perms));
        QString error;
        QCOMPARE(NoteFile::WriteEnabled(path, 0, &error), written);
        QCOMPARE(FileBytes(path) == before, !written);
        const auto userBits = QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser;
        QCOMPARE(QFileInfo(path).permissions() & ~userBits, perms & ~userBits);
        if (!written) QCOMPARE(error, QStringLiteral("the file is read-only"));
    }

    // Only the program's own temporaries, and only once no write can still be going on, are removed.
    void staleTemporariesAreRemoved() {
        const QString folder = m_dir.filePath("temps") + "/";
        QVERIFY(QDir().mkpath(folder));
        const QDateTime now = QDateTime::currentDateTime();
        const QStringList stale{"a.nte.pvl3-AbC123", "PVL3.dat.pvl3-x1y2z3", "TrayLock.dat.pvl3-QWERTY"};
        const QStringList kept{"b.nte.pvl3-Fresh1", "c.nte", "d.nte.backup", "e.nte.AbC123", "f.nte.pvl3-AbC12"};
        for (const QString& name : stale + kept) {
            QFile f(folder + name);
            QVERIFY(f.open(QIODevice::WriteOnly));
            const bool old = name != "b.nte.pvl3-Fresh1";
            QVERIFY(f.setFileTime(old ? now.addSecs(-16 * 60) : now.addSecs(-60), QFileDevice::FileModificationTime));
        }
        FileIO::RemoveStaleTemporaries(folder, now);
        const QStringList left = QDir(folder).entryList(QDir::Files);
        QCOMPARE(QSet<QString>(left.begin(), left.end()), QSet<QString>(kept.begin(), kept.end()));
    }
};

QTEST_GUILESS_MAIN(tst_FileIO)
#include "tst_FileIO.moc"
