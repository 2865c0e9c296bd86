// pvl3 run as a process on a temporary program folder: what it prints, the bytes it writes, its exit codes, and
// that a failure changes nothing.
#include "../core/TestFiles.h"
#include "core/FileIO.h"
#include "core/NoteFile.h"
#include "core/SettingsFile.h"
#include "core/Version.h"
#include <QDate>
#include <QDir>
#include <QDirIterator>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

namespace {

struct Result {
    int Code = -1; // -1 when it crashed
    QByteArray Out;
    QByteArray Err;
};

// In field order: Version, Text, Enabled, ShowFrom, ShowUntil, 3 sounds, BackColour, ImagePath, ImageAlign,
// BorderStyle, FontName, FontColour, FontSize, FontItalic, FontBold, FontUnderline, FontStrikethru, TextAlign.
NoteRecord Note(const QString& text, int32_t from, int32_t until, int enabled) {
    return {3.0, text, int16_t(enabled), from, until, "", "", "", 0, "", 0, 0, "Arial", 0, 0, 0, 0, 0, 0, 1};
}

// A note whose text claims 1000 characters but holds 3.
QByteArray DamagedNote() {
    return NoteFile::NoteBytes(Note("", 0, 0, 1)).left(10) + QByteArray("\xE8\x03\0\0abc", 7);
}

// A new note saved untouched from the editor, written out here rather than taken from the code under test.
QByteArray EditorDefaults(const QString& text, int32_t from, int32_t until) {
    return NoteFile::NoteBytes(
        {3.0, text, 1, from, until, "", "", "", 0x0080FFFF, "", 0, 0, "MS Sans Serif", 0x80000012, 8, 0, 0, 0, 0, 1});
}

QByteArray Read(const QString& path) {
    QByteArray bytes;
    FileIO::ReadWhole(path, bytes);
    return bytes;
}

} // namespace

class tst_pvl3 : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_program; // ends in the separator
    QString m_notes;

    // "%P" in an argument stands for the program folder, "%N" for its notes folder.
    QString Expand(QString text) const { return text.replace("%P", m_program).replace("%N", m_notes); }
    // The program folder goes first unless the test places one itself.
    Result Run(const QStringList& args) {
        QStringList all =
            args.contains("--program-folder") ? QStringList() : QStringList{"--program-folder", m_program};
        for (const QString& arg : args) all << Expand(arg);
        QProcess p;
        p.start(QStringLiteral(PVL3_TOOL), all);
        if (!p.waitForFinished(30000)) qFatal("pvl3 did not finish");
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
                p.readAllStandardError()};
    }
    // Every path below the program folder with its content, to prove that a run changed nothing.
    QMap<QString, QByteArray> Snapshot() const {
        QMap<QString, QByteArray> files;
        QDirIterator it(m_program, QDir::AllEntries | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        while (it.hasNext()) files[it.next()] = Read(it.filePath());
        return files;
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

    // Both in the manager's order from the saved notes folder, other files left out; list prints a Windows-1252
    // text as UTF-8 and a damaged note with its path, due skips it with one warning.
    void listAndDue() {
        const QString folder = m_program + "Elsewhere/";
        QVERIFY(SaveNotesFolder(folder) && QDir().mkpath(folder));
        QVERIFY(
            NoteFile::WriteNote(folder + "b.nte", Note(QString::fromUtf8("Caf\u00e9 \u20acs"), 20240101, 20240102, 1)));
        QVERIFY(NoteFile::WriteNote(folder + "A.nte", Note("ant", 20240101, 20240102, 0)));
        QVERIFY(FileIO::WriteWhole(folder + "c.nte", DamagedNote()));
        QVERIFY(FileIO::WriteWhole(folder + "d.txt", "not a note"));
        const Result list = Run({"list"});
        QCOMPARE(list.Code, 0);
        QVERIFY(list.Err.count('\n') == 1 && list.Err.startsWith(("pvl3: warning: " + folder + "c.nte: ").toUtf8()));
        const QList<QByteArray> lines = list.Out.split('\n');
        QCOMPARE(lines.size(), 4); // three lines and the empty rest after the last line feed
        QCOMPARE(lines[0], "[ ] 24/01/01 24/01/02 ant" + QByteArray(19, ' ') + (folder + "A.nte").toUtf8());
        QCOMPARE(lines[1],
                 "[x] 24/01/01 24/01/02 Caf\xC3\xA9 \xE2\x82\xACs" + QByteArray(15, ' ') + (folder + "b.nte").toUtf8());
        QCOMPARE(lines[2], "[ ] ?? damaged note file" + QByteArray(20, ' ') + (folder + "c.nte").toUtf8());
        const Result due = Run({"due", "--date", "20240102"});
        QCOMPARE(due.Code, 0);
        QCOMPARE(due.Out, (folder + "A.nte\n" + folder + "b.nte\n").toUtf8());
        QCOMPARE(due.Err.count('\n'), 1);
        QVERIFY(due.Err.contains((folder + "c.nte").toUtf8()));
    }

    void show() {
        const QString text = QString::fromUtf8("Gr\u00fc\u00dfe\r\n\"\\");
        const NoteRecord n{3.0,        text,      1,  19991217, -20000105,     "C:\\load.wav", "close.wav", "",
                           0x00C0FFEE, "pic.bmp", 2,  -3,       "Courier New", 0x80000008,     -32768,      0,
                           -1,         0,         -1, 3};
        QVERIFY(NoteFile::WriteNote(m_program + "some note.nte", n));
        const Result r = Run({"show", "%Psome note.nte"});
        QCOMPARE(r.Code, 0);
        // The quote and backslash spelt as \u escapes, which moc reads safely inside a raw string.
        const QJsonObject expected =
            QJsonDocument::fromJson(R"({"Version": 3.0, "Enabled": 1, "Text": "Gr\u00fc\u00dfe\r\n\u0022\u005c",
            "ShowFrom": 19991217, "ShowUntil": -20000105, "LoadSound": "C:\\load.wav", "CloseSound": "close.wav",
            "ButtonSound": "", "BackColour": "0x00C0FFEE", "ImagePath": "pic.bmp", "BorderStyle": -3, "ImageAlign": 2,
            "FontBold": -1, "FontItalic": 0, "FontStrikethru": -1, "FontUnderline": 0, "FontName": "Courier New",
            "FontColour": "0x80000008", "FontSize": -32768, "TextAlign": 3})")
                .object();
        QCOMPARE(QJsonDocument::fromJson(r.Out).object(), expected); // the 20 fields
    }

    // A text Windows-1252 cannot hold is stored in the marked UTF-8 form, read back by the program's own
    // reader, and listed and shown as typed.
    void anyLanguage() {
        const QString text = QString::fromUtf8("Купить молоко");
        const QString path = m_notes + QString::fromUtf8("Купить м.nte");
        const Result created = Run({"new", "--text", text, "--from", "20240101", "--until", "20240102"});
        QCOMPARE(created.Out, (path + "\n").toUtf8());
        const QByteArray utf8 = text.toUtf8();
        QCOMPARE(Read(path).mid(10, 4 + 3 + utf8.size()), QByteArray("\x1C\0\0\0\xEF\xBB\xBF", 7) + utf8);
        NoteRecord back;
        QVERIFY(NoteFile::ReadNote(path, back));
        QCOMPARE(back.Text, text);
        QCOMPARE(Run({"list"}).Out, ("[x] 24/01/01 24/01/02 " + text + "         " + path + "\n").toUtf8());
        QCOMPARE(QJsonDocument::fromJson(Run({"show", path}).Out).object()["Text"].toString(), text);
    }

    // New notes with the same text written at the same moment each get a name of their own.
    void newNotesAtOnce() {
        std::vector<std::unique_ptr<QProcess>> runs;
        for (int i = 0; i < 8; ++i) {
            runs.push_back(std::make_unique<QProcess>());
            runs.back()->start(QStringLiteral(PVL3_TOOL), {"--program-folder", m_program, "new", "--text", "same"});
        }
        QSet<QByteArray> paths;
        for (const auto& run : runs) {
            QVERIFY(run->waitForFinished(30000));
            QCOMPARE(run->exitCode(), 0);
            paths.insert(run->readAllStandardOutput());
        }
        QCOMPARE(paths.size(), 8);
        QCOMPARE(QDir(m_notes).entryList({"*.nte"}).size(), 8);
    }

    // Without a program folder of its own, reading makes nothing; a new note makes the per-user folder.
    void readingMakesNoFolder() {
        QTemporaryDir data;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_DATA_HOME", data.path());
        const QString perUser = data.path() + "/Pinvale/Pinvale 3";
        for (const QStringList& args : {QStringList{"list"}, QStringList{"settings"}, QStringList{"new"}}) {
            QProcess p;
            p.setProcessEnvironment(env);
            p.start(QStringLiteral(PVL3_TOOL), args);
            QVERIFY(p.waitForFinished(30000));
            QCOMPARE(QFileInfo(perUser).isDir(), args.first() == "new");
        }
    }

    // An answer that cannot reach its reader (here a full disk) is a failure, said on standard error.
    void outputThatCannotBeWritten() {
        QProcess p;
        p.setStandardOutputFile(QStringLiteral("/dev/full"));
        p.start(QStringLiteral(PVL3_TOOL), {"--program-folder", m_program, "settings"});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitCode(), 1);
        QCOMPARE(p.readAllStandardError(), QByteArray("pvl3: standard output: cannot write\n"));
    }

    // A first run makes "Notes" but no settings file; dates default to today (a run across midnight may see
    // either day); names count up; a UTF-8 argument is stored as Windows-1252.
    void newNote() {
        const auto today = [] { return QDate::currentDate().toString("yyyyMMdd").toInt(); };
        const int32_t before = today();
        const Result first = Run({"new"});
        const int32_t after = today();
        QCOMPARE(first.Code, 0);
        QCOMPARE(first.Out, (m_notes + "Note.nte\n").toUtf8());
        const QByteArray bytes = Read(m_notes + "Note.nte");
        QVERIFY(bytes == EditorDefaults("", before, before) || bytes == EditorDefaults("", after, after));
        QVERIFY(!QFileInfo::exists(m_program + mdlCommonFunc::SettingsFileName));
        QCOMPARE(Run({"new"}).Out, (m_notes + "Note  ~0.nte\n").toUtf8());
        const QString text = QString::fromUtf8("\u20ac \u00e9t\u00e9");
        const Result r = Run({"new", "--until", "20000105", "--text", text, "--from=19991217"});
        QCOMPARE(r.Out, (m_notes + text + ".nte\n").toUtf8());
        QCOMPARE(r.Err, QByteArray());
        QCOMPARE(Read(m_notes + text + ".nte"), EditorDefaults(text, 19991217, 20000105));
    }

    // Help and version answer on standard output and touch no file, whatever else the line holds.
    void helpAndVersion_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("first"); // the first line printed
        const QString general = "Usage: pvl3 [--program-folder DIR] COMMAND [OPTIONS]";
        const QString version = "pvl3 (Pinvale 3) " + mdlCommonFunc::ProgramVersion();
        QTest::newRow("--help") << QStringList{"--help"} << general;
        QTest::newRow("unknown command --help") << QStringList{"frob", "--help"} << general;
        QTest::newRow("list --help") << QStringList{"list", "--help"} << "Usage: pvl3 [--program-folder DIR] list";
        QTest::newRow("-h before due") << QStringList{"-h", "due", "--date", "x"}
                                       << "Usage: pvl3 [--program-folder DIR] due [--date YYYYMMDD] [--enabled-only]";
        QTest::newRow("--version") << QStringList{"--version"} << version;
        QTest::newRow("enable FILE --version") << QStringList{"enable", "%Pn.nte", "--version"} << version;
    }
    void helpAndVersion() {
        QFETCH(QStringList, args);
        QFETCH(QString, first);
        QVERIFY(NoteFile::WriteNote(m_program + "n.nte", Note("note", 20240101, 20240102, 0)));
        const auto before = Snapshot();
        const Result r = Run(args);
        QCOMPARE(r.Code, 0);
        QCOMPARE(r.Err, QByteArray());
        QCOMPARE(QString::fromUtf8(r.Out).section(u'\n', 0, 0), first);
        QCOMPARE(Snapshot(), before);
    }

    // Version 2.5, Enabled 2 and a tail left by a longer earlier note: only the first 10 bytes may change.
    void enableDisable() {
        QByteArray old = NoteFile::NoteBytes(Note("note", 20240101, 20240102, 2));
        old.replace(0, 8, QByteArray("\0\0\0\0\0\0\x04\x40", 8)) += "old tail";
        QVERIFY(FileIO::WriteWhole(m_program + "n.nte", old));
        const QByteArray version("\0\0\0\0\0\0\x08\x40", 8); // 3.0
        QCOMPARE(Run({"enable", "%Pn.nte"}).Code, 0);
        QCOMPARE(Read(m_program + "n.nte"), version + QByteArray("\x01\0", 2) + old.mid(10));
        QCOMPARE(Run({"disable", "%Pn.nte"}).Code, 0);
        QCOMPARE(Read(m_program + "n.nte"), version + QByteArray("\0\0", 2) + old.mid(10));
    }

    void due_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("until");
        QTest::addColumn<int>("enabled");
        QTest::addColumn<bool>("enabledOnly");
        QTest::addColumn<bool>("due"); // on 2024-03-15
        QTest::newRow("from is the date, disabled") << 20240315 << 20240320 << 0 << false << true;
        QTest::newRow("until is the date") << 20240310 << 20240315 << 1 << false << true;
        QTest::newRow("one day before from") << 20240316 << 20240320 << 1 << false << false;
        QTest::newRow("one day after until") << 20240310 << 20240314 << 1 << false << false;
        QTest::newRow("Enabled 0, enabled only") << 20240315 << 20240315 << 0 << true << false;
        QTest::newRow("Enabled 2, enabled only") << 20240315 << 20240315 << 2 << true << false;
        QTest::newRow("Enabled 1, enabled only") << 20240315 << 20240315 << 1 << true << true;
    }
    void due() {
        QFETCH(int, from);
        QFETCH(int, until);
        QFETCH(int, enabled);
        QFETCH(bool, enabledOnly);
        QFETCH(bool, due);
        QVERIFY(QDir().mkpath(m_notes));
        QVERIFY(NoteFile::WriteNote(m_notes + "n.nte", Note("x", from, until, enabled)));
        const Result r = Run(QStringList{"due", "--date", "20240315"} +
                             (enabledOnly ? QStringList{"--enabled-only"} : QStringList()));
        QCOMPARE(r.Code, 0);
        QCOMPARE(r.Out, due ? (m_notes + "n.nte\n").toUtf8() : QByteArray());
    }

    void settings_data() {
        QTest::addColumn<bool>("saved");
        QTest::newRow("no file: the defaults") << false;
        QTest::newRow("saved file") << true;
    }
    void settings() {
        QFETCH(bool, saved);
        SettingsRecord s = mdlCommonFunc::DefaultSettings(m_program);
        s.PlayAlarm = 0; // the default with no Alarm.wav
        if (saved) {
            s = {1, 7, 59, 0, 1, 0, 1, QString::fromUtf8("/d\u00e9j\u00e0.wav"), {}, 2, -5, 300, "/n/", 0,
                 1, 0, 1,  1, 1, 1, 0};
            s.AtTimes[3] = AtTime{1, 7, 45, 0};
            QVERIFY(mdlCommonFunc::SaveSettings(m_program, s));
        }
        const QMap<QString, QByteArray> before = Snapshot();
        const Result r = Run({"settings"});
        QCOMPARE(r.Code, 0);
        QCOMPARE(Snapshot(), before); // nothing created, not even "Notes"
        const QJsonObject o = QJsonDocument::fromJson(r.Out).object();
        QCOMPARE(o.size(), 21);
        QCOMPARE(o["AlarmSound"].toString(), s.AlarmSound);
        QCOMPARE(o["NotesFolder"].toString(), s.NotesFolder);
        const QJsonObject t = o["AtTimes"][3].toObject();
        const AtTime& a = s.AtTimes[3];
        QCOMPARE((QList<int>{o["PlayAlarm"].toInt(), o["NoteWidth"].toInt(), t["Enabled"].toInt(), t["Hour"].toInt(),
                             t["Minute"].toInt(), t["AmPm"].toInt()}),
                 (QList<int>{s.PlayAlarm, s.NoteWidth, a.Enabled, a.Hour, a.Minute, a.AmPm}));
    }

    // Exit 1 with one line naming the file, exit 2 with a line and the usage; either way nothing changes.
    void failure_data() {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message"); // how standard error starts
        const auto row = [](const char* name, const char* setup, const QStringList& args, int code,
                            const QString& message) {
            QTest::newRow(name) << QString(setup) << args << code << message;
        };
        const QString damaged = "damaged: a text at byte 14 runs past the end of the file\n";
        row("enable a missing note, not created", "", {"enable", "%Nx.nte"}, 1, "pvl3: %Nx.nte: missing\n");
        row("disable a damaged note, left alone", "damagedNote", {"disable", "%Nn.nte"}, 1,
            "pvl3: %Nn.nte: " + damaged);
        row("damaged settings", "damagedSettings", {"settings"}, 1,
            "pvl3: %PPVL3.dat: damaged: a text at byte 4 runs past the end of the file\n");
        row("no notes folder", "noNotes", {"due", "--date", "20240101"}, 1, "pvl3: %PNotes/: notes folder missing\n");
        row("program folder missing, given after the command", "noNotes", {"list", "--program-folder", "%Pnowhere"}, 1,
            "pvl3: %Pnowhere: program folder missing\n");
        // A folder that exists but takes no new file, whatever the rights of the user running the test.
        row("unwritable notes folder", "procNotes", {"new"}, 1, "pvl3: /proc/Note.nte: cannot write");
        row("FIFO named like a note, show", "fifo", {"show", "%Nn.nte"}, 1, "pvl3: %Nn.nte: not a regular file\n");
        row("disable on a full disk", "fullDisk", {"disable", "%Nn.nte"}, 1, "pvl3: %Nn.nte: cannot write");
        row("unknown command", "", {"frobnicate"}, 2, "pvl3: ");
        row("unknown option", "", {"new", "--frm", "20240101"}, 2, "pvl3: ");
        row("30 February", "", {"new", "--from", "20230230"}, 2, "pvl3: ");
        row("7 digits", "", {"due", "--date", "2024011"}, 2, "pvl3: ");
        row("option of another command", "", {"list", "--date", "20240101"}, 2, "pvl3: ");
        row("value missing", "", {"new", "--text"}, 2, "pvl3: ");
        row("show without FILE", "", {"show"}, 2, "pvl3: ");
    }
    void failure() {
        QFETCH(QString, setup);
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QFETCH(QString, message);
        if (setup != "noNotes") QVERIFY(QDir().mkpath(m_notes));
        if (setup == "damagedNote") QVERIFY(FileIO::WriteWhole(m_notes + "n.nte", DamagedNote()));
        if (setup == "damagedSettings") // AlarmSound claims 5 characters, 2 follow
            QVERIFY(FileIO::WriteWhole(m_program + "PVL3.dat", QByteArray("\x05\0\0\0ab", 6)));
        if (setup == "procNotes") QVERIFY(SaveNotesFolder("/proc/"));
        if (setup == "fifo") QCOMPARE(mkfifo(QFile::encodeName(m_notes + "n.nte").constData(), 0644), 0);
        std::unique_ptr<TinyDisk> disk;
        if (setup == "fullDisk") {
            disk = std::make_unique<TinyDisk>(m_notes);
            if (!disk->Mounted()) QSKIP("mounting a small file system needs root");
            QVERIFY(NoteFile::WriteNote(m_notes + "n.nte", Note("full", 0, 0, 1)) && disk->Fill());
        }
        const QMap<QString, QByteArray> before = Snapshot();
        const Result r = Run(args);
        QCOMPARE(r.Code, code);
        QCOMPARE(r.Out, QByteArray());
        QVERIFY2(r.Err.startsWith(Expand(message).toUtf8()), r.Err.constData());
        QVERIFY(code == 1 ? r.Err.count('\n') == 1 : r.Err.contains("\nUsage: pvl3 "));
        QCOMPARE(Snapshot(), before);
    }

    // A note whose name is not UTF-8 (Latin-1 "caf\xE9") is listed with its name's bytes, and those bytes,
    // given back, show and disable it.
    void nameThatIsNotUtf8() {
        QVERIFY(QDir().mkpath(m_notes));
        const QByteArray raw = QFile::encodeName(m_notes) + "caf\xE9.nte";
        QVERIFY(WriteRaw(raw, NoteFile::NoteBytes(Note("latin", 20240101, 20240102, 1))));
        const Result list = Run({"list"});
        QCOMPARE(list.Code, 0);
        QVERIFY2(list.Out.startsWith("[x] 24/01/01 24/01/02 latin") && list.Out.endsWith(raw + "\n"), list.Out);
        // The shell passes the raw byte, which QProcess could not.
        const auto RunRaw = [&](const char* command) {
            QProcess p;
            p.start("/bin/sh", {"-c", "exec \"$0\" --program-folder \"$1\" \"$2\" \"$3$(printf '\\351').nte\"",
                                PVL3_TOOL, m_program, command, m_notes + "caf"});
            p.waitForFinished(30000);
            return Result{p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
        };
        const Result show = RunRaw("show");
        QCOMPARE(show.Code, 0);
        QCOMPARE(QJsonDocument::fromJson(show.Out).object()["Text"].toString(), QStringLiteral("latin"));
        QCOMPARE(RunRaw("disable").Code, 0);
        QVERIFY(Run({"list"}).Out.startsWith("[ ] "));
    }

    // new and due go on with the defaults and one warning; the damaged file stays for the manager to replace.
    void damagedSettingsWarns() {
        const QByteArray settings("\x05\0\0\0ab", 6);
        QVERIFY(FileIO::WriteWhole(m_program + "PVL3.dat", settings));
        const QByteArray warning = ("pvl3: warning: " + m_program + "PVL3.dat: damaged").toUtf8();
        const Result created = Run({"new", "--text", "t", "--from", "20240101", "--until", "20240101"});
        const Result due = Run({"due", "--date", "20240101"});
        for (const Result& r : {created, due}) {
            QCOMPARE(r.Out, (m_notes + "t.nte\n").toUtf8());
            QVERIFY(r.Code == 0 && r.Err.count('\n') == 1 && r.Err.startsWith(warning));
        }
        QCOMPARE(Read(m_program + "PVL3.dat"), settings);
    }
};

QTEST_GUILESS_MAIN(tst_pvl3)
#include "tst_pvl3.moc"
