// Names of new notes, the manager's list lines, and the notes-folder file list.
#include "TestFiles.h"
#include "core/FileList.h"
#include "core/NoteFile.h"
#include "core/NotesFolder.h"
#include "core/ProgramFolder.h"
#include <QTemporaryDir>
#include <fcntl.h>
#include <sys/stat.h>

using namespace mdlCommonFunc;

class tst_NotesFolder : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_folder;

    void Touch(const QString& name) { WriteBytes(m_folder + name, "x"); }
    void Clear() {
        for (const QString& name : QDir(m_folder).entryList(QDir::Files)) QFile::remove(m_folder + name);
    }

private slots:
    void initTestCase() { m_folder = WithSeparator(m_dir.path()); }
    void init() { Clear(); }

    void noteFileName_data() {
        QTest::addColumn<QStringList>("existing");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("name");
        const auto row = [](const char* name, const QStringList& existing, const QString& text, const QString& file) {
            QTest::newRow(name) << existing << text << file;
        };
        row("shopping list", {}, "Shopping list", "Shopping.nte");
        row("next shopping list", {"Shopping.nte"}, "Shopping list", "Shoppi~0.nte");
        row("short name padded", {"Hi.nte"}, "Hi", "Hi    ~0.nte");
        row("empty", {}, "", "Note.nte");
        row("only blanks", {}, "    ", "Note.nte");
        row("only replaced", {}, "?*:", "Note.nte");
        row("note taken", {"Note.nte"}, "", "Note  ~0.nte");
        row("cut then trimmed", {}, "  Meeting at 10  ", "Meeting.nte");
        row("line break inside", {}, "ab\r\ncd", "ab  cd.nte");
        row("slash", {}, "1/2 cup", "1 2 cup.nte");
        QStringList taken{"Abcdefgh.nte"};
        for (int i = 0; i <= 9; ++i) taken << QStringLiteral("Abcdef~%1.nte").arg(i);
        row("counter past 9", taken, "Abcdefghijkl", "Abcdef~10.nte");
        // A leading dot would hide the file from the folder listing.
        row("leading dot", {}, ".net meeting", "net meet.nte");
        row("dots and blanks", {}, ". . .x.y", "x.y.nte");
        row("dot after a replaced character", {}, "?.hidden", "hidden.nte");
        row("only dots", {}, "...", "Note.nte");
        const QString face = QString::fromUtf8("😀");
        row("emoji count as one", {face.repeated(8) + ".nte"}, face.repeated(9), face.repeated(6) + "~0.nte");
    }
    void noteFileName() {
        QFETCH(QStringList, existing);
        QFETCH(QString, text);
        QFETCH(QString, name);
        for (const QString& file : existing) Touch(file);
        QCOMPARE(NoteFileName(m_folder, text), m_folder + name);
    }

    void dateText_data() {
        QTest::addColumn<int>("date");
        QTest::addColumn<QString>("text");
        QTest::newRow("1999") << 19991217 << "99/12/17 ";
        QTest::newRow("2000") << 20000105 << "00/01/05 ";
        QTest::newRow("zero") << 0 << "       0 ";
        QTest::newRow("negative") << -5 << "      -5 ";
        QTest::newRow("nine digits") << 123456789 << "45/67/89 ";
        QTest::newRow("four digits, one slash") << 1234 << "   12/34 ";
        QTest::newRow("sign among the digits") << -12345 << "-1/23/45 ";
    }
    void dateText() {
        QFETCH(int, date);
        QFETCH(QString, text);
        QCOMPARE(DateText(date), text);
    }

    void listLine_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        const auto row = [](const char* name, const QString& text, const QString& shown) {
            QTest::newRow(name) << text << shown;
        };
        row("buy milk", "Buy milk", "Buy milk             ");
        row("blanks trimmed", "  Buy milk  ", "Buy milk             ");
        row("cut to 21", "abcdefghijklmnopqrstuvwxyz", "abcdefghijklmnopqrstu");
        row("control characters one for one", "a\r\nb\tc", "a  b c               ");
        row("Unicode's line breaks too", QString::fromUtf8("a\u0085b\u2028c\u2029d\u009d"), "a b c d              ");
        row("empty", "", "                     ");
        row("cyrillic padded by characters", QString::fromUtf8("Купить молоко"),
            QString::fromUtf8("Купить молоко        "));
        row("emoji never cut in half", QString::fromUtf8("😀").repeated(25), QString::fromUtf8("😀").repeated(21));
    }
    void listLine() {
        QFETCH(QString, text);
        QFETCH(QString, shown);
        NoteRecord r;
        r.ShowFrom = 19991217;
        r.ShowUntil = 20000105;
        r.Text = text;
        const QString path = m_folder + "Buy milk.nte";
        const QString line = ListLine(r, path);
        QCOMPARE(line, "99/12/17 00/01/05 " + shown + " " + path);
        QCOMPARE(FileFromListEntry(line), path);
    }

    void buildNoteList() {
        NoteRecord on;
        on.Enabled = 1;
        on.ShowFrom = on.ShowUntil = 20261205;
        on.Text = QStringLiteral("on");
        NoteRecord odd = on;
        odd.Enabled = 2; // only exactly 1 ticks the line
        odd.Text = QStringLiteral("odd");
        QVERIFY(NoteFile::WriteNote(m_folder + "a.nte", on));
        QVERIFY(NoteFile::WriteNote(m_folder + "b.nte", odd));
        WriteBytes(m_folder + "c.nte", QByteArray::fromHex("0000000000000840010005"));
        WriteBytes(m_folder + "d.nte", NoteFile::NoteBytes(on).left(8 + 2 + 4 + 2 + 8)); // cut after the dates
        const auto entries = BuildNoteList(m_folder, {"a.nte", "b.nte", "c.nte", "d.nte"});
        QCOMPARE(entries.size(), size_t(4));
        QVERIFY(!entries[0].Damaged && !entries[1].Damaged);
        // Listed as it reads, ticked as its head says, but marked: no window could show it.
        QCOMPARE(entries[3].Line, ListLine(on, m_folder + "d.nte"));
        QVERIFY(entries[3].Damaged && entries[3].Checked);
        QVERIFY(entries[3].Error.startsWith("damaged: "));
        QVERIFY(entries[0].Checked && !entries[1].Checked);
        QVERIFY(entries[2].Damaged && !entries[2].Checked);
        for (const auto& entry : entries) QCOMPARE(entry.Line.mid(ListPrefixLength - 1, 1), QStringLiteral(" "));
        QCOMPARE(FileFromListEntry(entries[2].Line), m_folder + "c.nte");
    }

    // Files matching the pattern, in name order, as of the last read. Folders named like notes are left out
    // (tst_Faults::listing); changes show after each refresh (tst_Stealth::fileListEqualsAFullReRead).
    void fileList() {
        FileList list;
        list.SetPattern("*.nte");
        list.SetPath(m_folder);
        for (const char* name : {"b.nte", "A.nte", "C.nte", "a b.nte", "x.txt", "y.nte.123456"}) Touch(name);
        QCOMPARE(list.ListCount(), 0); // not re-read until refreshed
        list.Refresh();
        QCOMPARE(list.Names(), (QStringList{"a b.nte", "A.nte", "b.nte", "C.nte"}));
    }

    // A notes folder kept in step by a sync tool: the file arrives by rename (the test moves it in from a
    // folder of its own) after the list was read; the tool's temporaries are never listed, its conflict
    // copies are listed as the notes they are.
    void syncedFolder_data() {
        QTest::addColumn<QString>("arriving");
        QTest::addColumn<bool>("putTimeBack"); // the tool restores the folder's modification time
        QTest::addColumn<bool>("listed");
        QTest::newRow("arrival by rename") << "Arrived.nte" << false << true;
        QTest::newRow("arrival, folder time put back") << "Arrived.nte" << true << true;
        QTest::newRow("Syncthing conflict") << "Home.sync-conflict-20261206-101500-ABCDEF1.nte" << false << true;
        QTest::newRow("Dropbox conflict") << "Home (Ann's conflicted copy 2026-12-06).nte" << true << true;
        QTest::newRow("Syncthing temporary") << ".syncthing.Home.nte.tmp" << false << false;
        QTest::newRow("hidden .nte") << ".Home.nte" << false << false;
        QTest::newRow("Resilio temporary") << "Home.nte.!sync" << false << false;
    }
    void syncedFolder() {
        QFETCH(QString, arriving);
        QFETCH(bool, putTimeBack);
        QFETCH(bool, listed);
        QTemporaryDir notes, staging;
        const QString folder = WithSeparator(notes.path());
        NoteRecord note;
        note.ShowFrom = note.ShowUntil = 20261206;
        note.Text = QStringLiteral("from the other machine");
        QVERIFY(NoteFile::WriteNote(folder + "Home.nte", note));
        QVERIFY(NoteFile::WriteNote(staging.filePath(arriving), note));
        // The folder last changed an hour ago, so that its listing is trusted until it changes again.
        const timespec hourAgo[2] = {{time(nullptr) - 3600, 0}, {time(nullptr) - 3600, 0}};
        QCOMPARE(utimensat(AT_FDCWD, QFile::encodeName(notes.path()).constData(), hourAgo, 0), 0);
        FileList list;
        list.SetPattern("*.nte");
        list.SetPath(folder);
        QCOMPARE(list.Names(), QStringList{"Home.nte"});

        QVERIFY(QFile::rename(staging.filePath(arriving), folder + arriving));
        if (putTimeBack) QCOMPARE(utimensat(AT_FDCWD, QFile::encodeName(notes.path()).constData(), hourAgo, 0), 0);
        list.Refresh();
        QCOMPARE(list.Names().contains(arriving), listed);
        QCOMPARE(list.ListCount(), listed ? 2 : 1);
        for (const auto& entry : BuildNoteList(folder, list.Names())) QVERIFY(!entry.Damaged);
    }
};

QTEST_GUILESS_MAIN(tst_NotesFolder)
#include "tst_NotesFolder.moc"
