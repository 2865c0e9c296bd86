// The writers on a full disk, over a read-only note, a FIFO, a long name and another user's file, and the
// cleaning of temporaries left by a write that died.
#include "TestFiles.h"
#include "core/FileIO.h"
#include "core/NativeFile.h"
#include "core/NoteFile.h"
#include "core/SettingsFile.h"
#include <QDateTime>
#include <QDir>
#include <QTemporaryDir>
#include <QtTest>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

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
        const QStringList left = QDir(folder).entryList(QDir::Files | QDir::Hidden);
        QCOMPARE(QSet<QString>(left.begin(), left.end()), (QSet<QString>{QFileInfo(target).fileName(), "filler"}));
    }

    // A note its owner made read-only stays as it is, even for root; a writable one keeps its mode.
    void modeIsKeptAndReadOnlyIsRespected_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("written");
        QTest::newRow("read-only 444") << 0444 << false;
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

    // What a write may replace: never a FIFO, not even through a link; a name as long as names go; a user's
    // file that root rewrites stays the user's.
    void whatIsReplaced_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("written");
        QTest::newRow("FIFO") << "fifo" << false;
        QTest::newRow("link to a FIFO") << "link" << false;
        QTest::newRow("255-byte name") << "long" << true;
        QTest::newRow("another user's, by root") << "owned" << true;
    }
    void whatIsReplaced() {
        QFETCH(QString, kind);
        QFETCH(bool, written);
        const QString folder = m_dir.filePath("replaced-" + kind) + "/";
        QVERIFY(QDir().mkpath(folder));
        const QString path = folder + (kind == "long" ? QString(251, u'n') + ".nte" : QStringLiteral("PVL3.dat"));
        const QByteArray native = QFile::encodeName(path);
        if (kind == "fifo") QCOMPARE(::mkfifo(native.constData(), 0644), 0);
        if (kind == "link")
            QVERIFY(::mkfifo(QFile::encodeName(folder + "pipe").constData(), 0644) == 0 &&
                    QFile::link(folder + "pipe", path));
        if (kind == "long" || kind == "owned") QVERIFY(FileIO::WriteWhole(path, "old"));
        if (kind == "owned") {
            if (::geteuid() != 0) QSKIP("needs root");
            QCOMPARE(::chown(native.constData(), 1234, 1234), 0);
        }
        QString error;
        QCOMPARE(FileIO::WriteWhole(path, "new", &error), written);
        struct stat st {};
        QCOMPARE(::stat(native.constData(), &st), 0);
        if (!written) QVERIFY(S_ISFIFO(st.st_mode) && error == "not a regular file");
        if (written) QCOMPARE(FileBytes(path), QByteArray("new"));
        if (kind == "owned") QCOMPARE(int(st.st_uid), 1234);
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System).size(), kind == "link" ? 2 : 1);
    }

    // Only the program's own temporaries, and only once no write can still be going on, are removed.
    void staleTemporariesAreRemoved() {
        const QString folder = m_dir.filePath("temps") + "/";
        QVERIFY(QDir().mkpath(folder));
        const QDateTime now = QDateTime::currentDateTime();
        const QStringList stale{"a.nte.pvl3-AbC123", "PVL3.dat.pvl3-x1y2z3", "TrayLock.dat.pvl3-QWERTY",
                                ".note.pvl3-000abc"};
        const QStringList kept{"b.nte.pvl3-Fresh1", "c.nte", "d.nte.backup", "e.nte.AbC123", "f.nte.pvl3-AbC12",
                               "g.nte.PVL3-AbC123"};
        for (const QString& name : stale + kept) {
            QFile f(folder + name);
            QVERIFY(f.open(QIODevice::WriteOnly));
            const bool old = name != "b.nte.pvl3-Fresh1";
            QVERIFY(f.setFileTime(old ? now.addSecs(-16 * 60) : now.addSecs(-60), QFileDevice::FileModificationTime));
        }
        FileIO::RemoveStaleTemporaries(folder, now);
        const QStringList left = QDir(folder).entryList(QDir::Files | QDir::Hidden);
        QCOMPARE(QSet<QString>(left.begin(), left.end()), QSet<QString>(kept.begin(), kept.end()));
    }

    // Within one piece of work a file is read once; the program's own write, or the event loop going to
    // wait, makes the next read go to the disk again.
    void sharedReadsLastUntilAChangeOrAWait() {
        const QString path = m_dir.filePath("shared.nte");
        const auto read = [&] {
            QByteArray bytes;
            return NativeFile::ReadRegular(path, bytes, 3, nullptr) ? bytes : QByteArray("failed");
        };
        WriteBytes(path, "one");
        {
            NativeFile::SharedReads shared;
            QCOMPARE(read(), "one");
            WriteBytes(path, "two"); // behind the program's back
            QCOMPARE(read(), "one");
            QVERIFY(FileIO::WriteWhole(m_dir.filePath("other.dat"), "x"));
            QCOMPARE(read(), "two");
            WriteBytes(path, "six");
            QEventLoop wait;
            QTimer::singleShot(10, &wait, &QEventLoop::quit);
            wait.exec();
            QCOMPARE(read(), "six");
            WriteBytes(path, "ten");
        }
        QCOMPARE(read(), "ten");
        const NativeFile::SharedReads folderOnly(NativeFile::SharedReads::Keep::FolderOnly);
        QCOMPARE(read(), "ten");
        WriteBytes(path, "two"); // behind the program's back, and nothing was kept: the next read sees it
        QCOMPARE(read(), "two");
    }

    // Read ahead on several threads: every file lands under its own path; what is missing or too large
    // to keep is read when asked for.
    void readAheadFillsTheSharing() {
        const QString folder = m_dir.filePath("ahead") + "/";
        QVERIFY(QDir().mkpath(folder));
        QStringList names;
        for (int i = 0; i < 600; ++i) {
            names << QStringLiteral("n%1.nte").arg(i);
            WriteBytes(folder + names.last(), "note " + QByteArray::number(i));
        }
        WriteBytes(folder + "big.nte", QByteArray(70000, 'x'));
        names.append({"gone.nte", "big.nte"});
        NativeFile::SharedReads shared;
        NativeFile::SharedReads::ReadAhead(folder, names);
        for (const char* name : {"n0.nte", "n599.nte", "big.nte"}) WriteBytes(folder + name, "changed");
        QByteArray bytes;
        QString error;
        const bool ahead = QThread::idealThreadCount() > 1;
        for (const char* name : {"n0.nte", "n599.nte"}) {
            QVERIFY(NativeFile::ReadRegular(folder + name, bytes, 100, &error));
            QCOMPARE(bytes, ahead ? "note " + QByteArray(name).mid(1).chopped(4) : QByteArray("changed"));
        }
        QVERIFY(!NativeFile::ReadRegular(folder + "gone.nte", bytes, 100, &error));
        QCOMPARE(error, QStringLiteral("missing"));
        QVERIFY(NativeFile::ReadRegular(folder + "big.nte", bytes, 100, &error));
        QCOMPARE(bytes, "changed");
    }

    // Sizes around the reader's first buffer (16 KiB), read whole or up to a limit.
    void readsAnySizeWholeOrToItsLimit_data() {
        QTest::addColumn<int>("size");
        QTest::addColumn<qint64>("limit");
        const qint64 whole = std::numeric_limits<qint64>::max();
        QTest::newRow("empty") << 0 << whole;
        QTest::newRow("one short of the first read") << 16383 << whole;
        QTest::newRow("the first read exactly") << 16384 << whole;
        QTest::newRow("one past it") << 16385 << whole;
        QTest::newRow("a head of a large one") << 70000 << qint64(4096);
        QTest::newRow("limit at the first read") << 70000 << qint64(16384);
        QTest::newRow("limit one past it") << 70000 << qint64(16385);
    }
    void readsAnySizeWholeOrToItsLimit() {
        QFETCH(int, size);
        QFETCH(qint64, limit);
        QByteArray content(size, Qt::Uninitialized);
        for (int i = 0; i < size; ++i) content[i] = static_cast<char>(i % 251); // a byte out of place shows
        const QString path = m_dir.filePath("sized.nte");
        QVERIFY(FileIO::WriteWhole(path, content));
        QByteArray bytes("stale");
        QString error;
        QVERIFY(NativeFile::ReadRegular(path, bytes, limit, &error));
        QCOMPARE(bytes, content.left(limit));
    }

    void wildcards_data() {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("matches");
        const auto row = [](const char* name, const char* pattern, const QString& file, bool matches) {
            QTest::newRow(name) << QString(pattern) << file << matches;
        };
        row("case folded", "*.nte", "Milk.NTE", true);
        row("more after", "*.nte", "a.nte.bak", false);
        row("star backtracks", "*a*b", "xaybzb", true);
        row("question is one", "a?c", "ac", false);
        row("dot needed", "*.*", "README", false);
        row("raw byte", "*.nte", QString(QChar(0xDCE9)) + ".nte", true);
        row("only letters fold", "a@.nte", "a`.nte", false);
        row("kelvin sign folds to k", "*.k", QString("a.") + QChar(0x212A), true);
    }
    void wildcards() {
        QFETCH(QString, pattern);
        QFETCH(QString, name);
        QFETCH(bool, matches);
        QCOMPARE(NativeFile::WildcardMatch(pattern, name), matches);
    }
};

QTEST_GUILESS_MAIN(tst_FileIO)
#include "tst_FileIO.moc"
