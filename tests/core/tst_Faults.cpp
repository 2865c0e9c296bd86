// What the file system can throw at the readers and the listing: FIFOs, devices and folders named like
// notes, names that are not UTF-8, a folder that vanishes, leftovers of a killed write. Every case must
// end at once, with the old bytes intact and a reason.
#include "TestFiles.h"
#include "core/FileList.h"
#include "core/NativeFile.h"
#include "core/NoteFile.h"
#include "core/ProgramFolder.h"
#include "core/SettingsFile.h"
#include <QDir>
#include <QTemporaryDir>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace mdlCommonFunc;

namespace {
NoteRecord Note(const QString& text) {
    return NoteFile::NewNoteRecord(text, 20240101, 20241231);
}

QByteArray ReadRaw(const QByteArray& path) {
    QFile file;
    const int fd = ::open(path.constData(), O_RDONLY);
    if (fd < 0 || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) return "unreadable";
    return file.readAll();
}

mode_t ModeOf(const QByteArray& path) {
    struct stat st;
    return ::stat(path.constData(), &st) == 0 ? st.st_mode & 07777 : 0;
}
} // namespace

class tst_Faults : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_folder; // ends in the separator

private slots:
    // A reader that blocks on a FIFO would hang here for ever: fail instead.
    void initTestCase() { alarm(60); }
    void init() {
        QDir(m_dir.path()).removeRecursively();
        QDir().mkpath(m_dir.path());
        m_folder = WithSeparator(m_dir.path());
    }

    // Each reader on something that is not a regular file: no wait, a reason, nothing changed.
    void readersRefuseWhatIsNoFile_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("FIFO") << "fifo";
        QTest::newRow("folder") << "folder";
        QTest::newRow("device") << "device";
    }
    void readersRefuseWhatIsNoFile() {
        QFETCH(QString, kind);
        const QString note = kind == "device" ? QStringLiteral("/dev/zero") : m_folder + "n.nte";
        if (kind == "fifo") QCOMPARE(::mkfifo(QFile::encodeName(note).constData(), 0644), 0);
        if (kind == "folder") QVERIFY(QDir().mkpath(note));
        NoteRecord record;
        QString error;
        QVERIFY(!NoteFile::ReadNote(note, record, &error));
        QCOMPARE(error, QStringLiteral("not a regular file"));
        QVERIFY(!NoteFile::ReadNoteHead(note, record, NoteFile::Head::Enabled, &error));
        QVERIFY(!NoteFile::WriteEnabled(note, 0, &error)); // nor is anything written over it
        if (kind != "device") QCOMPARE(NativeFile::KindOf(note) == NativeFile::Kind::Regular, false);
        SettingsRecord settings;
        QVERIFY(!ReadSettingsFile(note, settings, &error));
        if (kind == "fifo") {
            QCOMPARE(::mkfifo(QFile::encodeName(m_folder + TrayLockFileName).constData(), 0644), 0);
            QVERIFY(!TrayLockIsSet(m_folder));
        }
    }

    // Only regular files (and links to them) are listed, whatever their name's bytes.
    void listing() {
        const QByteArray folder = QFile::encodeName(m_folder);
        QVERIFY(WriteRaw(folder + "caf\xE9.nte", NoteFile::NoteBytes(Note("latin-1 name"))));
        QVERIFY(WriteRaw(folder + "ok.NTE", NoteFile::NoteBytes(Note("upper case"))));
        QVERIFY(WriteRaw(folder + ".hidden.nte", "x"));
        QVERIFY(WriteRaw(folder + "n.nte.Ab12Cd", "x")); // not a note, whatever wrote it
        QCOMPARE(::mkfifo(folder + "pipe.nte", 0644), 0);
        QVERIFY(QDir().mkpath(m_folder + "dir.nte"));
        QCOMPARE(::symlink("ok.NTE", folder + "link.nte"), 0);
        QCOMPARE(::symlink("gone", folder + "dangling.nte"), 0);

        FileList list;
        list.SetPattern("*.nte");
        list.SetPath(m_folder);
        const QStringList names = list.Names();
        QVERIFY2(names.size() == 3, qPrintable(names.join("|")));
        QCOMPARE(NativeFile::EncodeName(names[0]), QByteArray("caf\xE9.nte"));
        QCOMPARE(names.mid(1), (QStringList{"link.nte", "ok.NTE"}));
        NoteRecord read;
        QVERIFY(NoteFile::ReadNote(m_folder + names[0], read));
        QCOMPARE(read.Text, QStringLiteral("latin-1 name"));
    }

    // Names round-trip byte for byte; valid UTF-8 reads as the text it is.
    void names_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("ASCII") << QByteArray("note.nte");
        QTest::newRow("UTF-8") << QByteArray("\xC5\x81\xC3\xB3\x64\xC5\xBA.nte");
        QTest::newRow("Latin-1") << QByteArray("caf\xE9.nte");
        QTest::newRow("cut sequence") << QByteArray("a\xE2\x82");
        QTest::newRow("overlong slash") << QByteArray("\xC0\xAF");
        QTest::newRow("encoded surrogate") << QByteArray("\xED\xB3\xBF");
        QTest::newRow("beyond U+10FFFF") << QByteArray("\xF4\x90\x80\x80");
        // U+10B49A is the pair DBED DC9A, whose second half looks like the raw byte 9A (found by fuzzing).
        QTest::newRow("U+10B49A, then a raw byte") << QByteArray("\xF4\x8B\x92\x9A\x90");
    }
    void names() {
        QFETCH(QByteArray, bytes);
        const QString name = NativeFile::DecodeName(bytes);
        QCOMPARE(NativeFile::EncodeName(name), bytes);
        const bool utf8 = QString::fromUtf8(bytes).toUtf8() == bytes;
        QCOMPARE(NativeFile::QtCanName(name), utf8);
        if (utf8) QCOMPARE(name, QString::fromUtf8(bytes));
    }

    // Enabling a note whose name Qt cannot spell: the new bytes land, the mode stays, no temporary is
    // left; a note its mode makes read-only is not rewritten, even by root.
    void writeUnderARawName() {
        const QByteArray raw = QFile::encodeName(m_folder) + "caf\xE9.nte";
        const QByteArray old = NoteFile::NoteBytes(Note("x")) + "tail";
        QVERIFY(WriteRaw(raw, old, 0640));
        QCOMPARE(::chmod(raw.constData(), 0640), 0);
        const QString path = NativeFile::DecodeName(raw);
        QString error;
        QVERIFY2(NoteFile::WriteEnabled(path, 0, &error), qPrintable(error));
        QByteArray expected = old;
        expected[8] = 0;
        QCOMPARE(ReadRaw(raw), expected);
        QCOMPARE(ModeOf(raw), mode_t(0640));
        QCOMPARE(QDir(m_folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(), 0);
        QCOMPARE(::chmod(raw.constData(), 0444), 0);
        QVERIFY(!NoteFile::WriteEnabled(path, 1, &error));
        QVERIFY(error.contains("read-only"));
        QCOMPARE(ReadRaw(raw), expected);
        QVERIFY(NativeFile::Remove(path));
        QCOMPARE(NativeFile::KindOf(path), NativeFile::Kind::Missing);
    }

    // The notes folder removed while the program runs: the list empties, a read says missing, a write
    // fails with a reason, and nothing is created in its place.
    void folderVanishes() {
        const QString notes = m_folder + "Notes/";
        QVERIFY(QDir().mkpath(notes));
        QVERIFY(NoteFile::WriteNote(notes + "a.nte", Note("a")));
        FileList list;
        list.SetPattern("*.nte");
        list.SetPath(notes);
        QCOMPARE(list.ListCount(), 1);
        QVERIFY(QDir(notes).removeRecursively());
        list.Refresh();
        QCOMPARE(list.ListCount(), 0);
        NoteRecord read;
        QString error;
        QVERIFY(!NoteFile::ReadNote(notes + "a.nte", read, &error));
        QCOMPARE(error, QStringLiteral("missing"));
        QVERIFY(!NoteFile::WriteNote(notes + "b.nte", Note("b"), &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!QFileInfo::exists(notes));
    }
};

QTEST_GUILESS_MAIN(tst_Faults)
#include "tst_Faults.moc"
