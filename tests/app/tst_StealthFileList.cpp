// The host window's notes-folder list, refreshed by the once-a-second check: after any adds and removes,
// however quick, it equals a full re-read of the folder; an unchanged folder is not read again.
#include "app/CheckShutdown.h"
#include "app/frmStealth.h"
#include "core/SettingsFile.h"
#include "fakes/FakeServices.h"
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTest>
#include <sys/stat.h>
#include <utime.h>

using namespace mdlCommonFunc;

namespace {

struct Folder {
    TestProgram T;
    Program& P = *T.P;
    QString Notes;

    Folder() {
        P.Settings = DefaultSettings(T.ProgramFolder());
        Notes = P.Settings.NotesFolder;
        QDir().mkpath(Notes);
        P.TrayActive = true; // something keeps the program alive while the check runs
    }
    void Add(const QString& name) {
        QFile f(Notes + name);
        if (!f.open(QIODevice::WriteOnly)) qFatal("cannot create %s", qPrintable(name));
    }
    void Remove(const QString& name) {
        if (!QFile::remove(Notes + name)) qFatal("cannot remove %s", qPrintable(name));
    }
    // The folder's modification time, in whole seconds since the epoch.
    void SetFolderTime(qint64 seconds) {
        const utimbuf times{static_cast<time_t>(seconds), static_cast<time_t>(seconds)};
        if (::utime(QFile::encodeName(Notes).constData(), &times) != 0) qFatal("utime failed");
    }
    QStringList FullRead() {
        FileList fresh;
        fresh.SetPattern(QStringLiteral("*.nte"));
        fresh.SetPath(Notes);
        return fresh.Names();
    }
    void Check() { P.Stealth().tmrMaster_Timer(); }
};

} // namespace

class tst_StealthFileList : public QObject {
    Q_OBJECT
private slots:
    void equalsAFullReRead_data() {
        QTest::addColumn<bool>("coarseClock"); // a file system that keeps times in steps of 2 s (FAT)
        QTest::newRow("fine clock") << false;
        QTest::newRow("2 s clock") << true;
    }
    void equalsAFullReRead() {
        QFETCH(bool, coarseClock);
        Folder f;
        f.Add("b.nte");
        f.Add("readme.txt");
        f.Check();
        QCOMPARE(f.P.Stealth().flbNotes.Names(), QStringList{"b.nte"});
        // Changes in quick succession, each seen by the next check.
        const std::vector<std::pair<char, QString>> steps = {
            {'+', "a.nte"}, {'+', "C.nte"}, {'-', "b.nte"}, {'+', "b.nte"}, {'-', "a.nte"},
            {'+', "x.txt"}, {'+', "D.nte"}, {'-', "C.nte"}, {'-', "D.nte"}, {'-', "b.nte"}};
        for (const auto& [op, name] : steps) {
            op == '+' ? f.Add(name) : f.Remove(name);
            if (coarseClock) f.SetFolderTime(QDateTime::currentSecsSinceEpoch() & ~qint64(1));
            f.Check();
            QCOMPARE(f.P.Stealth().flbNotes.Names(), f.FullRead());
        }
        QVERIFY(f.P.Stealth().flbNotes.Names().isEmpty());
        QCOMPARE(f.T.ProcessEnd.Calls, 0);
    }

    void nameOrderIgnoresCase() {
        Folder f;
        for (const char* name : {"c.nte", "B.nte", "a.nte", "A2.nte"}) f.Add(name);
        f.Check();
        QCOMPARE(f.P.Stealth().flbNotes.Names(), (QStringList{"a.nte", "A2.nte", "B.nte", "c.nte"}));
    }

    void unchangedFolderIsNotReadAgain() {
        Folder f;
        f.Add("a.nte");
        f.SetFolderTime(QDateTime::currentSecsSinceEpoch() - 10); // last changed a while ago
        f.Check();
        const int reads = f.P.Stealth().flbNotes.ReadCount();
        for (int tick = 0; tick < 5; ++tick) f.Check();
        QCOMPARE(f.P.Stealth().flbNotes.ReadCount(), reads);
        f.Add("b.nte");
        f.Check();
        QCOMPARE(f.P.Stealth().flbNotes.Names(), (QStringList{"a.nte", "b.nte"}));
    }

    // 10,000 notes: the once-a-second refresh of an unchanged folder must stay cheap.
    void largeFolder() {
        Folder f;
        for (int i = 0; i < 10000; ++i) f.Add(QStringLiteral("note%1.nte").arg(i, 5, 10, QLatin1Char('0')));
        f.SetFolderTime(QDateTime::currentSecsSinceEpoch() - 10);
        QElapsedTimer clock;
        clock.start();
        f.Check();
        const qint64 fullNs = clock.nsecsElapsed();
        QCOMPARE(f.P.Stealth().flbNotes.ListCount(), 10000);
        const int reads = f.P.Stealth().flbNotes.ReadCount();
        constexpr int Ticks = 1000;
        clock.restart();
        for (int tick = 0; tick < Ticks; ++tick) f.Check();
        const qint64 perTickNs = clock.nsecsElapsed() / Ticks;
        QCOMPARE(f.P.Stealth().flbNotes.ReadCount(), reads);
        qInfo("10,000 files: full read %.1f ms, check of the unchanged folder %.1f us", fullNs / 1e6, perTickNs / 1e3);
    }
};

QTEST_MAIN(tst_StealthFileList)
#include "tst_StealthFileList.moc"
