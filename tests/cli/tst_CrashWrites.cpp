// Writes killed with SIGKILL at random moments, over a thousand times: the tool enabling and disabling a
// note, and the core rewriting a note and the settings in a loop. After every kill each file reads whole as
// the old or the new record, and the only leftovers are temporaries that the start-up cleaning removes.
#include "core/FileIO.h"
#include "core/NoteFile.h"
#include "core/SettingsFile.h"
#include <QDateTime>
#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int ToolTrials = 500;
constexpr int CoreTrials = 700;

NoteRecord Note(const QString& text, int16_t enabled) {
    NoteRecord note = NoteFile::NewNoteRecord(text, 20240101, 20241231);
    note.Enabled = enabled;
    return note;
}

// Files in the folder other than the given ones: each must be a temporary of a write.
QStringList Leftovers(const QString& folder, const QStringList& files) {
    QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    for (const QString& file : files) names.removeAll(file);
    return names;
}

// A child that rewrites the note and the settings until it is killed.
[[noreturn]] void WriteForEver(const QString& folder) {
    const NoteRecord long_ = Note(QStringLiteral("a much longer text than the other one"), 1);
    const NoteRecord short_ = Note(QStringLiteral("short"), 0);
    SettingsRecord settings = mdlCommonFunc::DefaultSettings(folder);
    for (uint8_t i = 0;; ++i) {
        NoteFile::WriteNote(folder + QStringLiteral("n.nte"), i % 2 ? long_ : short_);
        settings.EveryHours = i % 2;
        mdlCommonFunc::SaveSettings(folder, settings);
    }
}

} // namespace

class tst_CrashWrites : public QObject {
    Q_OBJECT

    QRandomGenerator m_random{20261206};
    const QRegularExpression m_temporary{QStringLiteral(R"(^(n\.nte|PVL3\.dat)\.pvl3-[A-Za-z0-9]{6}$)")};

    void CheckLeftoversAreCleaned(const QString& folder, const QStringList& files, int& seen) {
        const QStringList leftovers = Leftovers(folder, files);
        for (const QString& name : leftovers) QVERIFY2(m_temporary.match(name).hasMatch(), qPrintable(name));
        seen += int(leftovers.size());
        FileIO::RemoveStaleTemporaries(folder, QDateTime::currentDateTime().addSecs(3600));
        QCOMPARE(Leftovers(folder, files), QStringList());
    }

private slots:
    void toolKilledWhileEnabling() {
        QTemporaryDir dir;
        const QString program = dir.path() + u'/';
        const QString notes = program + QStringLiteral("Notes/");
        QVERIFY(QDir().mkpath(notes));
        const QString note = notes + QStringLiteral("n.nte");
        const QByteArray tail = QByteArrayLiteral("an older, longer note's last bytes");
        QVERIFY(FileIO::WriteWhole(note, NoteFile::NoteBytes(Note("keep", 1)) + tail));
        const QByteArray original = NoteFile::NoteBytes(Note("keep", 1)) + tail;

        // Kills fall anywhere from the start to a little past the end of a run. How long a run takes
        // changes with the machine's load, so the bound follows it: shorter after a run that finished
        // before its kill, longer after one that was killed (about two thirds are, the rest finish).
        double limitMicros = 50000;
        int killedMidway = 0;
        int leftovers = 0;
        for (int trial = 0; trial < ToolTrials; ++trial) {
            QProcess tool;
            tool.start(PVL3_TOOL, {"--program-folder", program, trial % 2 ? "enable" : "disable", note});
            QVERIFY(tool.waitForStarted());
            usleep(useconds_t(m_random.bounded(limitMicros)));
            ::kill(pid_t(tool.processId()), SIGKILL);
            tool.waitForFinished();
            const bool killed = tool.exitStatus() == QProcess::CrashExit;
            killedMidway += killed;
            limitMicros *= killed ? 1.05 : 0.9;
            QByteArray bytes;
            QVERIFY(FileIO::ReadWhole(note, bytes));
            QByteArray disabled = original;
            disabled[8] = 0;
            QVERIFY2(bytes == original || bytes == disabled, qPrintable(QString::number(trial)));
            if (trial % 50 == 49) CheckLeftoversAreCleaned(notes, {"n.nte"}, leftovers);
        }
        CheckLeftoversAreCleaned(notes, {"n.nte"}, leftovers);
        qInfo("tool: %d trials, %d killed while running, %d temporaries left and cleaned", ToolTrials, killedMidway,
              leftovers);
        QVERIFY(killedMidway > ToolTrials / 4); // kills must land while it runs, or this proves nothing
    }

    void coreKilledWhileWriting() {
        QTemporaryDir dir;
        const QString folder = dir.path() + u'/';
        QVERIFY(NoteFile::WriteNote(folder + "n.nte", Note("first", 1)));
        QVERIFY(mdlCommonFunc::SaveSettings(folder, mdlCommonFunc::DefaultSettings(folder)));
        int leftovers = 0;
        for (int trial = 0; trial < CoreTrials; ++trial) {
            const pid_t child = fork();
            if (child == 0) WriteForEver(folder);
            usleep(useconds_t(m_random.bounded(4000)));
            ::kill(child, SIGKILL);
            waitpid(child, nullptr, 0);
            NoteRecord note;
            QString error;
            QVERIFY2(NoteFile::ReadNote(folder + "n.nte", note, &error), qPrintable(error));
            QVERIFY(note.Text == "first" || note.Text == "short" || note.Text.startsWith("a much longer"));
            SettingsRecord settings;
            QVERIFY2(mdlCommonFunc::ReadSettingsFile(folder + "PVL3.dat", settings, &error), qPrintable(error));
            QVERIFY(settings.EveryHours <= 3);
            if (trial % 50 == 49) CheckLeftoversAreCleaned(folder, {"n.nte", "PVL3.dat"}, leftovers);
        }
        CheckLeftoversAreCleaned(folder, {"n.nte", "PVL3.dat"}, leftovers);
        qInfo("core: %d trials, %d temporaries left and cleaned", CoreTrials, leftovers);
    }
};

QTEST_GUILESS_MAIN(tst_CrashWrites)
#include "tst_CrashWrites.moc"
