// pvl3 run as a process on a temporary program folder: what it prints, the bytes it writes, its exit codes.
#include "Pvl3Run.h"
#include "core/FileIO.h"
#include "core/NoteFile.h"
#include "core/NotesFolder.h"
#include "core/SettingsFile.h"
#include <QDate>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

namespace {

int32_t DateNumber(const QDate& d) {
    return d.year() * 10000 + d.month() * 100 + d.day();
}

} // namespace

class tst_pvl3 : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_program; // program folder, ending in the separator
    QString m_notes;   // its default notes folder

    Pvl3Result Run(const QStringList& args) { return RunPvl3(QStringList{"--program-folder", m_dir->path()} + args); }
    void Write(const QString& path, const QByteArray& bytes) { QVERIFY(FileIO::WriteWhole(path, bytes)); }
    QByteArray Read(const QString& path) {
        QByteArray bytes;
        FileIO::ReadWhole(path, bytes);
        return bytes;
    }
    QStringList Entries() { return QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot); }

private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_program = m_dir->path() + u'/';
        m_notes = m_program + QStringLiteral("Notes/");
    }

    void list_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("until");
        QTest::addColumn<int>("enabled");
        QTest::addColumn<QByteArray>("prefix"); // everything before the path
        QTest::newRow("known note") << "Buy milk" << 19991217 << 20000105 << 1
                                    << QByteArray("[x] 99/12/17 00/01/05 Buy milk" + QByteArray(13, ' ') + " ");
        QTest::newRow("CR LF and tab as blanks") << "Ab\r\ncd\tef" << 20240101 << 20241231 << 0
                                                 << QByteArray("[ ] 24/01/01 24/12/31 Ab  cd ef" + QByteArray(13, ' '));
        QTest::newRow("Enabled 2 is not ticked")
            << "x" << 20240229 << 20240301 << 2 << QByteArray("[ ] 24/02/29 24/03/01 x" + QByteArray(21, ' '));
        QTest::newRow("trimmed and cut to 21") << "  The quick brown fox jumps  " << 20250101 << 20250102 << 1
                                               << QByteArray("[x] 25/01/01 25/01/02 The quick brown fox j ");
        QTest::newRow("Windows-1252 shown as UTF-8")
            << QString::fromUtf8("Caf\u00e9 \u20ac5") << 20250101 << 20250102 << 1
            << QByteArray("[x] 25/01/01 25/01/02 Caf\xC3\xA9 \xE2\x82\xAC"
                          "5" +
                          QByteArray(15, ' '));
    }
    void list() {
        QFETCH(QString, text);
        QFETCH(int, from);
        QFETCH(int, until);
        QFETCH(int, enabled);
        QFETCH(QByteArray, prefix);
        QVERIFY(QDir().mkpath(m_notes));
        const QString path = m_notes + QStringLiteral("n.nte");
        QVERIFY(NoteFile::WriteNote(path, MakeNote(text, from, until, static_cast<int16_t>(enabled))));
        const Pvl3Result r = Run({"list"});
        QCOMPARE(r.Code, 0);
        QCOMPARE(r.Out, prefix + path.toUtf8() + '\n');
        QCOMPARE(r.Err, QByteArray());
    }

    // Name order as the manager's list, a damaged note listed with its path, other files left out, and the
    // notes folder taken from the saved settings.
    void list_orderDamagedAndSettingsFolder() {
        SettingsRecord s = mdlCommonFunc::DefaultSettings(m_program);
        const QString folder = m_program + QStringLiteral("Elsewhere/");
        s.NotesFolder = folder;
        QVERIFY(mdlCommonFunc::SaveSettings(m_program, s));
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(NoteFile::WriteNote(folder + "b.nte", MakeNote("bee", 20240101, 20240102, 1)));
        QVERIFY(NoteFile::WriteNote(folder + "A.nte", MakeNote("ant", 20240101, 20240102, 0)));
        Write(folder + "c.nte", DamagedNoteBytes());
        Write(folder + "d.txt", "not a note");
        const Pvl3Result r = Run({"list"});
        QCOMPARE(r.Code, 0);
        const QList<QByteArray> lines = r.Out.split('\n');
        QCOMPARE(lines.size(), 4); // three lines and the empty rest after the last line feed
        QVERIFY(lines[0].startsWith("[ ] 24/01/01 24/01/02 ant "));
        QVERIFY(lines[0].endsWith(" " + (folder + "A.nte").toUtf8()));
        QVERIFY(lines[1].startsWith("[x] 24/01/01 24/01/02 bee "));
        QCOMPARE(lines[2], ("[ ] " + mdlCommonFunc::DamagedListLine(folder + "c.nte")).toUtf8());
        QCOMPARE(mdlCommonFunc::FileFromListEntry(QString::fromUtf8(lines[2].mid(4))), folder + "c.nte");
    }

    void show_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QJsonValue>("expected");
        QTest::newRow("Version") << "Version" << QJsonValue(3.0);
        QTest::newRow("Enabled") << "Enabled" << QJsonValue(1);
        QTest::newRow("Text UTF-8, CR LF kept") << "Text" << QJsonValue(QString::fromUtf8("Gr\u00fc\u00dfe\r\n\"\\"));
        QTest::newRow("ShowFrom") << "ShowFrom" << QJsonValue(19991217);
        QTest::newRow("ShowUntil negative") << "ShowUntil" << QJsonValue(-20000105);
        QTest::newRow("LoadSound") << "LoadSound" << QJsonValue("C:\\load.wav");
        QTest::newRow("CloseSound") << "CloseSound" << QJsonValue("close.wav");
        QTest::newRow("ButtonSound") << "ButtonSound" << QJsonValue("");
        QTest::newRow("BackColour") << "BackColour" << QJsonValue("0x00C0FFEE");
        QTest::newRow("ImagePath") << "ImagePath" << QJsonValue("pic.bmp");
        QTest::newRow("BorderStyle negative") << "BorderStyle" << QJsonValue(-3);
        QTest::newRow("ImageAlign") << "ImageAlign" << QJsonValue(2);
        QTest::newRow("FontBold -1") << "FontBold" << QJsonValue(-1);
        QTest::newRow("FontItalic") << "FontItalic" << QJsonValue(0);
        QTest::newRow("FontStrikethru -1") << "FontStrikethru" << QJsonValue(-1);
        QTest::newRow("FontUnderline") << "FontUnderline" << QJsonValue(0);
        QTest::newRow("FontName") << "FontName" << QJsonValue("Courier New");
        QTest::newRow("FontColour system") << "FontColour" << QJsonValue("0x80000008");
        QTest::newRow("FontSize -32768") << "FontSize" << QJsonValue(-32768);
        QTest::newRow("TextAlign") << "TextAlign" << QJsonValue(3);
    }
    void show() {
        QFETCH(QString, field);
        QFETCH(QJsonValue, expected);
        NoteRecord n = MakeNote(QString::fromUtf8("Gr\u00fc\u00dfe\r\n\"\\"), 19991217, -20000105, 1);
        n.LoadSound = "C:\\load.wav";
        n.CloseSound = "close.wav";
        n.BackColour = 0x00C0FFEE;
        n.ImagePath = "pic.bmp";
        n.BorderStyle = -3;
        n.ImageAlign = 2;
        n.FontBold = -1;
        n.FontStrikethru = -1;
        n.FontName = "Courier New";
        n.FontColour = 0x80000008;
        n.FontSize = -32768;
        n.TextAlign = 3;
        const QString path = m_program + "some note.nte";
        QVERIFY(NoteFile::WriteNote(path, n));
        const Pvl3Result r = Run({"show", path});
        QCOMPARE(r.Code, 0);
        QJsonParseError error;
        const QJsonObject o = QJsonDocument::fromJson(r.Out, &error).object();
        QCOMPARE(error.error, QJsonParseError::NoError);
        QCOMPARE(o.size(), 20);
        QVERIFY2(o.contains(field), qPrintable(field));
        QCOMPARE(o.value(field), expected);
    }

    void newNote_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("until");
        QTest::addColumn<QString>("name");
        QTest::newRow("no text: Note.nte")
            << QStringList{"--from", "20240301", "--until", "20240315"} << "" << 20240301 << 20240315 << "Note.nte";
        QTest::newRow("name from the text")
            << QStringList{"--text", "Shopping list", "--from=19991217", "--until", "20000105"} << "Shopping list"
            << 19991217 << 20000105 << "Shopping.nte";
        QTest::newRow("line feed kept as given")
            << QStringList{"--text", "a\nb", "--from", "20240229", "--until", "20240229"} << "a\nb" << 20240229
            << 20240229 << "a b.nte";
        QTest::newRow("UTF-8 argument to Windows-1252")
            << QStringList{"--until", "20251231", "--text", QString::fromUtf8("\u20ac \u00e9t\u00e9"),
                           "--from",  "20250101"}
            << QString::fromUtf8("\u20ac \u00e9t\u00e9") << 20250101 << 20251231
            << QString::fromUtf8("\u20ac \u00e9t\u00e9.nte");
    }
    void newNote() {
        QFETCH(QStringList, args);
        QFETCH(QString, text);
        QFETCH(int, from);
        QFETCH(int, until);
        QFETCH(QString, name);
        QVERIFY(QDir().mkpath(m_notes));
        const Pvl3Result r = Run(QStringList{"new"} + args);
        QCOMPARE(r.Code, 0);
        QCOMPARE(r.Err, QByteArray());
        QCOMPARE(r.Out, (m_notes + name).toUtf8() + '\n');
        QCOMPARE(Read(m_notes + name), NoteFile::NoteBytes(EditorDefaults(text, from, until)));
    }

    // The fields of a new note saved untouched from the editor.
    static NoteRecord EditorDefaults(const QString& text, int32_t from, int32_t until) {
        NoteRecord n;
        n.Version = 3.0;
        n.Enabled = 1;
        n.Text = text;
        n.ShowFrom = from;
        n.ShowUntil = until;
        n.BackColour = 0x0080FFFF;
        n.FontName = "MS Sans Serif";
        n.FontSize = 8;
        n.FontColour = 0x80000012;
        n.TextAlign = 1;
        return n;
    }

    // Today from the real clock; a run across midnight may see either day.
    void newNote_defaultsToToday() {
        QVERIFY(QDir().mkpath(m_notes));
        const int32_t before = DateNumber(QDate::currentDate());
        const Pvl3Result r = Run({"new", "--text", "Hi"});
        const int32_t after = DateNumber(QDate::currentDate());
        QCOMPARE(r.Code, 0);
        const QByteArray bytes = Read(m_notes + "Hi.nte");
        QVERIFY(bytes == NoteFile::NoteBytes(EditorDefaults("Hi", before, before)) ||
                bytes == NoteFile::NoteBytes(EditorDefaults("Hi", after, after)));
    }

    // A first run makes the "Notes" folder as Pinvale 3 does; later notes of the same name count up.
    void newNote_namesCountUp() {
        QStringList paths;
        for (int i = 0; i < 3; ++i) {
            const Pvl3Result r = Run({"new", "--from", "20240101", "--until", "20240102"});
            QCOMPARE(r.Code, 0);
            paths << QString::fromUtf8(r.Out.trimmed());
        }
        QCOMPARE(paths, (QStringList{m_notes + "Note.nte", m_notes + "Note  ~0.nte", m_notes + "Note  ~1.nte"}));
        for (const QString& path : paths) QVERIFY(QFileInfo::exists(path));
        QVERIFY(!QFileInfo::exists(m_program + mdlCommonFunc::SettingsFileName));
    }

    void enable_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("before");
        QTest::addColumn<QByteArray>("head");
        const QByteArray version("\0\0\0\0\0\0\x08\x40", 8);
        QTest::newRow("enable a disabled note") << "enable" << 0 << version + QByteArray("\x01\0", 2);
        QTest::newRow("enable Enabled 2") << "enable" << 2 << version + QByteArray("\x01\0", 2);
        QTest::newRow("disable an enabled note") << "disable" << 1 << version + QByteArray("\0\0", 2);
        QTest::newRow("disable Enabled -1") << "disable" << -1 << version + QByteArray("\0\0", 2);
    }
    void enable() {
        QFETCH(QString, command);
        QFETCH(int, before);
        QFETCH(QByteArray, head);
        // Version 2.5 and a tail left by a longer earlier note: only the first 10 bytes may change.
        QByteArray old = NoteFile::NoteBytes(MakeNote("note", 20240101, 20240102, static_cast<int16_t>(before)));
        old.replace(0, 8, QByteArray("\0\0\0\0\0\0\x04\x40", 8)) += "old tail";
        const QString path = m_program + "n.nte";
        Write(path, old);
        const Pvl3Result r = Run({command, path});
        QCOMPARE(r.Code, 0);
        QCOMPARE(r.Err, QByteArray());
        const QByteArray now = Read(path);
        QCOMPARE(now.left(10), head);
        QCOMPARE(now.mid(10), old.mid(10));
    }

    void due_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("until");
        QTest::addColumn<int>("enabled");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<bool>("due");
        const QStringList on = {"--date", "20240315"};
        QTest::newRow("from is the date") << 20240315 << 20240320 << 1 << on << true;
        QTest::newRow("until is the date") << 20240310 << 20240315 << 1 << on << true;
        QTest::newRow("one day before from") << 20240316 << 20240320 << 1 << on << false;
        QTest::newRow("one day after until") << 20240310 << 20240314 << 1 << on << false;
        QTest::newRow("across a year end") << 20231231 << 20240101 << 0 << QStringList{"--date", "20240101"} << true;
        QTest::newRow("disabled, all notes") << 20240315 << 20240315 << 0 << on << true;
        QTest::newRow("disabled, enabled only")
            << 20240315 << 20240315 << 0 << on + QStringList{"--enabled-only"} << false;
        QTest::newRow("Enabled 2, enabled only")
            << 20240315 << 20240315 << 2 << QStringList{"--enabled-only"} + on << false;
        QTest::newRow("Enabled 1, enabled only")
            << 20240315 << 20240315 << 1 << on + QStringList{"--enabled-only"} << true;
    }
    void due() {
        QFETCH(int, from);
        QFETCH(int, until);
        QFETCH(int, enabled);
        QFETCH(QStringList, options);
        QFETCH(bool, due);
        QVERIFY(QDir().mkpath(m_notes));
        const QString path = m_notes + "n.nte";
        QVERIFY(NoteFile::WriteNote(path, MakeNote("x", from, until, static_cast<int16_t>(enabled))));
        const Pvl3Result r = Run(QStringList{"due"} + options);
        QCOMPARE(r.Code, 0);
        QCOMPARE(r.Out, due ? path.toUtf8() + '\n' : QByteArray());
    }

    // File list order, and a damaged note skipped with one warning while the others are still listed.
    void due_orderAndDamaged() {
        QVERIFY(QDir().mkpath(m_notes));
        QVERIFY(NoteFile::WriteNote(m_notes + "b.nte", MakeNote("b", 20240101, 20241231, 1)));
        QVERIFY(NoteFile::WriteNote(m_notes + "A.nte", MakeNote("a", 20240101, 20241231, 1)));
        QVERIFY(NoteFile::WriteNote(m_notes + "C.nte", MakeNote("c", 20250101, 20251231, 1)));
        Write(m_notes + "B2.nte", DamagedNoteBytes());
        const Pvl3Result r = Run({"due", "--date", "20240601"});
        QCOMPARE(r.Code, 0);
        QCOMPARE(r.Out, (m_notes + "A.nte\n" + m_notes + "b.nte\n").toUtf8());
        QCOMPARE(r.Err.count('\n'), 1);
        QVERIFY(r.Err.contains((m_notes + "B2.nte").toUtf8()));
    }

    void settings_data() {
        QTest::addColumn<bool>("saved");
        QTest::addColumn<bool>("alarmFile");
        QTest::newRow("defaults, no alarm file") << false << false;
        QTest::newRow("defaults with Alarm.wav") << false << true;
        QTest::newRow("saved file") << true << false;
    }
    void settings() {
        QFETCH(bool, saved);
        QFETCH(bool, alarmFile);
        if (alarmFile) Write(m_program + "Alarm.wav", "RIFF");
        SettingsRecord s = mdlCommonFunc::DefaultSettings(m_program);
        s.PlayAlarm = alarmFile ? 1 : 0;
        if (saved) {
            s.AlarmSound = QString::fromUtf8("/sounds/d\u00e9j\u00e0.wav");
            s.PlayAlarm = 1;
            s.AtTimes[3] = AtTime{1, 7, 45, 0};
            s.AtTimes[4] = AtTime{0, 13, 200, 2};
            s.Arrangement = 2;
            s.NoteWidth = -5;
            s.NoteHeight = 300;
            s.PromptDeleteNote = 0;
            s.TrayWhich = 0;
            QVERIFY(mdlCommonFunc::SaveSettings(m_program, s));
        }
        const QStringList before = Entries();
        const Pvl3Result r = Run({"settings"});
        QCOMPARE(r.Code, 0);
        QCOMPARE(Entries(), before); // nothing created, not even "Notes"
        const QJsonObject o = QJsonDocument::fromJson(r.Out).object();
        QCOMPARE(o.size(), 21);
        QCOMPARE(o["AlarmSound"].toString(), s.AlarmSound);
        QCOMPARE(o["NotesFolder"].toString(), s.NotesFolder);
        QCOMPARE(o["PlayAlarm"].toInt(), s.PlayAlarm);
        QCOMPARE(o["Arrangement"].toInt(), s.Arrangement);
        QCOMPARE(o["NoteWidth"].toInt(), s.NoteWidth);
        QCOMPARE(o["NoteHeight"].toInt(), s.NoteHeight);
        QCOMPARE(o["PromptDeleteNote"].toInt(), s.PromptDeleteNote);
        QCOMPARE(o["TrayWhich"].toInt(), s.TrayWhich);
        QCOMPARE(o["EveryHours"].toInt(), 3);
        const QJsonArray times = o["AtTimes"].toArray();
        QCOMPARE(times.size(), 5);
        for (int i = 0; i < 5; ++i) {
            const QJsonObject t = times[i].toObject();
            QCOMPARE(t.size(), 4);
            QCOMPARE(t["Enabled"].toInt(), s.AtTimes[i].Enabled);
            QCOMPARE(t["Hour"].toInt(), s.AtTimes[i].Hour);
            QCOMPARE(t["Minute"].toInt(), s.AtTimes[i].Minute);
            QCOMPARE(t["AmPm"].toInt(), s.AtTimes[i].AmPm);
        }
    }

    // Reading commands on a fresh program folder leave it as it was.
    void readingCreatesNothing() {
        for (const QStringList& args : {QStringList{"list"}, QStringList{"due", "--date", "20240101"}}) {
            const Pvl3Result r = Run(args);
            QCOMPARE(r.Code, 1); // no notes folder yet
            QCOMPARE(Entries(), QStringList());
        }
    }
};

QTEST_GUILESS_MAIN(tst_pvl3)
#include "tst_pvl3.moc"
