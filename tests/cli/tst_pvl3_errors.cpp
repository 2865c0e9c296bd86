// pvl3's failures: exit code 1 with one line naming the file, 2 with the usage, and nothing lost or created.
#include "Pvl3Run.h"
#include "core/FileIO.h"
#include "core/SettingsFile.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class tst_pvl3_errors : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_program; // ends in the separator
    QString m_notes;

    // "%P" stands for the program folder, "%N" for its notes folder.
    QString Expand(QString text) const { return text.replace("%P", m_program).replace("%N", m_notes); }
    QStringList Expand(const QStringList& list) const {
        QStringList out;
        for (const QString& item : list) out << Expand(item);
        return out;
    }
    // Every file below the program folder with its content, to prove that a failure changed nothing.
    QMap<QString, QByteArray> Snapshot() const {
        QMap<QString, QByteArray> files;
        QDir dir(m_program);
        for (const QString& name : dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot)) files[name] = "";
        QDir notes(m_notes);
        for (const QString& name : notes.entryList(QDir::Files)) {
            QByteArray bytes;
            FileIO::ReadWhole(m_notes + name, bytes);
            files["Notes/" + name] = bytes;
        }
        return files;
    }
    bool Setup(const QString& setup) {
        bool ok = true;
        if (setup.contains("notes")) ok &= QDir().mkpath(m_notes);
        if (setup.contains("goodNote"))
            ok &= NoteFile::WriteNote(m_notes + "n.nte", MakeNote("x", 20240101, 20240131, 1));
        if (setup.contains("damagedNote")) ok &= FileIO::WriteWhole(m_notes + "n.nte", DamagedNoteBytes());
        if (setup.contains("damagedSettings")) // AlarmSound claims 5 characters, 2 follow
            ok &= FileIO::WriteWhole(m_program + "PVL3.dat", QByteArray("\x05\0\0\0ab", 6));
        if (setup.contains("notesUnderFile")) {
            ok &= FileIO::WriteWhole(m_program + "afile", "plain file");
            ok &= SaveNotesFolder(m_program + "afile/Notes/");
        }
        // A folder that exists but takes no new file, whatever the rights of the user running the test.
        if (setup.contains("procNotes")) ok &= SaveNotesFolder("/proc/");
        return ok;
    }
    bool SaveNotesFolder(const QString& folder) {
        SettingsRecord s = mdlCommonFunc::DefaultSettings(m_program);
        s.NotesFolder = folder;
        return mdlCommonFunc::SaveSettings(m_program, s);
    }

private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_program = m_dir->path() + u'/';
        m_notes = m_program + "Notes/";
    }

    void fileProblem_data() {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message"); // the whole line on standard error
        QTest::newRow("show a missing note")
            << "notes" << QStringList{"show", "%Nmissing.nte"} << "pvl3: %Nmissing.nte: missing\n";
        QTest::newRow("enable a missing note, not created")
            << "notes" << QStringList{"enable", "%Nx.nte"} << "pvl3: %Nx.nte: missing\n";
        QTest::newRow("disable a damaged note, left alone")
            << "notes damagedNote" << QStringList{"disable", "%Nn.nte"}
            << "pvl3: %Nn.nte: damaged: a text at byte 14 runs past the end of the file\n";
        QTest::newRow("show a damaged note")
            << "notes damagedNote" << QStringList{"show", "%Nn.nte"}
            << "pvl3: %Nn.nte: damaged: a text at byte 14 runs past the end of the file\n";
        QTest::newRow("settings damaged")
            << "damagedSettings" << QStringList{"settings"}
            << "pvl3: %PPVL3.dat: damaged: a text at byte 4 runs past the end of the file\n";
        QTest::newRow("new: notes folder under a file")
            << "notesUnderFile" << QStringList{"new", "--text", "t"} << "pvl3: %Pafile/Notes/: notes folder missing\n";
        QTest::newRow("list: notes folder under a file")
            << "notesUnderFile" << QStringList{"list"} << "pvl3: %Pafile/Notes/: notes folder missing\n";
        QTest::newRow("due: no notes folder")
            << "" << QStringList{"due", "--date", "20240101"} << "pvl3: %PNotes/: notes folder missing\n";
    }
    // Given here after the command: --program-folder may stand anywhere.
    void fileProblem() {
        QFETCH(QString, setup);
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        QVERIFY(Setup(setup));
        const QMap<QString, QByteArray> before = Snapshot();
        const Pvl3Result r = RunPvl3(Expand(args) + QStringList{"--program-folder", m_program});
        QCOMPARE(r.Code, 1);
        QCOMPARE(r.Out, QByteArray());
        QCOMPARE(QString::fromUtf8(r.Err), Expand(message));
        QCOMPARE(Snapshot(), before);
    }

    // A folder where the note cannot be written: the message names the note's path.
    void newInUnwritableFolder() {
        QVERIFY(Setup("procNotes"));
        const Pvl3Result r = RunPvl3({"--program-folder", m_program, "new"});
        QCOMPARE(r.Code, 1);
        QCOMPARE(r.Out, QByteArray());
        QCOMPARE(r.Err.count('\n'), 1);
        QVERIFY2(r.Err.startsWith("pvl3: /proc/Note.nte: cannot write"), r.Err.constData());
        QVERIFY(!QFileInfo::exists("/proc/Note.nte"));
    }

    void missingProgramFolder() {
        const QString nowhere = m_program + "nowhere";
        const Pvl3Result r = RunPvl3({"list", "--program-folder", nowhere});
        QCOMPARE(r.Code, 1);
        QCOMPARE(QString::fromUtf8(r.Err), "pvl3: " + nowhere + ": program folder missing\n");
        QVERIFY(!QFileInfo::exists(nowhere));
    }

    // Reading commands and "new" go on with the defaults; the damaged file stays for the manager to replace.
    void damagedSettingsWarns_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("out");
        QTest::newRow("list") << QStringList{"list"} << "[x] 24/01/01 24/01/31 x" + QString(21, ' ') + "%Nn.nte\n";
        QTest::newRow("due") << QStringList{"due", "--date", "20240115"} << "%Nn.nte\n";
        QTest::newRow("new") << QStringList{"new", "--text", "t", "--from", "20240101", "--until", "20240101"}
                             << "%Nt.nte\n";
    }
    void damagedSettingsWarns() {
        QFETCH(QStringList, args);
        QFETCH(QString, out);
        QVERIFY(Setup("notes goodNote damagedSettings"));
        const Pvl3Result r = RunPvl3(QStringList{"--program-folder", m_program} + args);
        QCOMPARE(r.Code, 0);
        QCOMPARE(QString::fromUtf8(r.Out), Expand(out));
        QCOMPARE(r.Err.count('\n'), 1);
        QVERIFY(r.Err.startsWith(("pvl3: warning: " + m_program + "PVL3.dat: damaged").toUtf8()));
        QByteArray settings;
        FileIO::ReadWhole(m_program + "PVL3.dat", settings);
        QCOMPARE(settings, QByteArray("\x05\0\0\0ab", 6));
    }

    void usage_data() {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("no command") << QStringList{};
        QTest::newRow("unknown command") << QStringList{"frobnicate"};
        QTest::newRow("unknown option") << QStringList{"new", "--frm", "20240101"};
        QTest::newRow("30 February") << QStringList{"new", "--from", "20230230"};
        QTest::newRow("month 13") << QStringList{"due", "--date", "20241301"};
        QTest::newRow("7 digits") << QStringList{"due", "--date", "2024011"};
        QTest::newRow("9 digits") << QStringList{"new", "--until", "202401011"};
        QTest::newRow("not digits") << QStringList{"new", "--until", "2024-1-1"};
        QTest::newRow("signed") << QStringList{"due", "--date=+2024011"};
        QTest::newRow("year 0") << QStringList{"due", "--date", "00000101"};
        QTest::newRow("option of another command") << QStringList{"list", "--date", "20240101"};
        QTest::newRow("value missing") << QStringList{"new", "--text"};
        QTest::newRow("option twice") << QStringList{"new", "--text", "a", "--text", "b"};
        QTest::newRow("show without FILE") << QStringList{"show"};
        QTest::newRow("enable with two files") << QStringList{"enable", "a.nte", "b.nte"};
        QTest::newRow("list with a FILE") << QStringList{"list", "a.nte"};
        QTest::newRow("flag with a value") << QStringList{"due", "--enabled-only=1"};
    }
    void usage() {
        QFETCH(QStringList, args);
        QVERIFY(Setup("notes"));
        const Pvl3Result r = RunPvl3(QStringList{"--program-folder", m_program} + args);
        QCOMPARE(r.Code, 2);
        QCOMPARE(r.Out, QByteArray());
        QVERIFY(r.Err.startsWith("pvl3: "));
        QVERIFY(r.Err.contains("\nUsage: pvl3 "));
        QCOMPARE(QDir(m_notes).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
    }

    void help_data() {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("alone") << QStringList{"--help"};
        QTest::newRow("after a command") << QStringList{"new", "--text", "t", "-h"};
    }
    void help() {
        QFETCH(QStringList, args);
        QVERIFY(Setup("notes"));
        const Pvl3Result r = RunPvl3(QStringList{"--program-folder", m_program} + args);
        QCOMPARE(r.Code, 0);
        QVERIFY(r.Out.startsWith("Usage: pvl3 "));
        QVERIFY(r.Out.contains("CR LF"));
        QCOMPARE(r.Err, QByteArray());
        QCOMPARE(QDir(m_notes).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList()); // did nothing
    }
};

QTEST_GUILESS_MAIN(tst_pvl3_errors)
#include "tst_pvl3_errors.moc"
