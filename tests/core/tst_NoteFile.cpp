// Byte layout of the note file, its round trip, and what a damaged file does to the readers.
#include "TestFiles.h"
#include "core/NoteFile.h"
#include <QFile>
#include <QTemporaryDir>

namespace {
NoteRecord Sample() {
    NoteRecord r;
    r.Enabled = 1;
    r.Text = QStringLiteral("abc");
    r.ShowFrom = 19991217;
    r.ShowUntil = 20000105;
    r.LoadSound = QStringLiteral("C:\\load.wav");
    r.CloseSound = QStringLiteral("close.wav");
    r.ButtonSound = QStringLiteral("b.wav");
    r.BackColour = 0x0080FFFF;
    r.ImagePath = QStringLiteral("pic.bmp");
    r.BorderStyle = 2;
    r.ImageAlign = 1;
    r.FontBold = -1;
    r.FontItalic = 0;
    r.FontStrikethru = -1;
    r.FontUnderline = 0;
    r.FontName = QStringLiteral("MS Sans Serif");
    r.FontColour = 0x80000012;
    r.FontSize = 8;
    r.TextAlign = 3;
    return r;
}

} // namespace

Q_DECLARE_METATYPE(NoteRecord)

class tst_NoteFile : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString Path(const QString& name) { return m_dir.filePath(name); }
    static QByteArray Hex(const char* hex) { return QByteArray::fromHex(hex); }

private slots:
    void fieldOrderAndWidths() {
        NoteRecord empty;
        empty.Version = 1.5; // always written as 3.0
        QCOMPARE(NoteFile::NoteBytes(empty).size(), 66);
        QCOMPARE(NoteFile::NoteBytes(empty).left(8), Hex("0000000000000840"));
        const QByteArray b = NoteFile::NoteBytes(Sample());
        QCOMPARE(b.mid(0, 8), Hex("0000000000000840"));
        QCOMPARE(b.mid(8, 2), Hex("0100"));
        QCOMPARE(b.mid(10, 7), Hex("03000000616263"));
        QCOMPARE(b.mid(17, 4), Hex("B10A3101")); // 19991217
        int at = 25 + 4 + 11 + 4 + 9 + 4 + 5;    // past ShowUntil and the three sounds
        QCOMPARE(b.mid(at, 4), Hex("FFFF8000"));
        at += 4 + 4 + 7; // BackColour, ImagePath
        // BorderStyle before ImageAlign; flags in the order Bold, Italic, Strikethru, Underline.
        QCOMPARE(b.mid(at, 12), Hex("02000100FFFF0000FFFF0000"));
        QCOMPARE(b.right(8), Hex("1200008008000300"));
        QCOMPARE(b.size(), 66 + 3 + 11 + 9 + 5 + 7 + 13);
        NoteRecord wide;
        wide.Text = QString::fromUtf8("Ж😀"); // a UTF-8 length counts bytes: 3 for the mark, 2 + 4, not 3 UTF-16 units
        QCOMPARE(NoteFile::NoteBytes(wide).mid(10, 13), Hex("09000000EFBBBFD096F09F9880"));
    }

    void roundTrip_data() {
        QTest::addColumn<NoteRecord>("note");
        QTest::newRow("western") << Sample();
        NoteRecord any = Sample();
        any.Text = QString::fromUtf8("Купить молоко\r\n買牛奶 😀");
        any.LoadSound = QString::fromUtf8("/home/a/Łódź/load.wav");
        any.CloseSound = QString::fromUtf8("/home/a/Документы/c.wav");
        any.ImagePath = QString::fromUtf8("/home/a/Łódź/ï»¿.bmp");
        any.FontName = QString::fromUtf8("Noto Sans CJK 日本語");
        QTest::newRow("any language") << any;
    }
    void roundTrip() {
        QFETCH(NoteRecord, note);
        const QString path = Path("round.nte");
        QFile::remove(path);
        QVERIFY(NoteFile::WriteNote(path, note));
        NoteRecord back;
        QVERIFY(NoteFile::ReadNote(path, back));
        QCOMPARE(back, note);
    }

    void shorterRewriteKeepsLengthAndReadsNewRecord() {
        const QString path = Path("shrink.nte");
        NoteRecord longer = Sample();
        longer.Text = QString(50, u'x');
        QVERIFY(NoteFile::WriteNote(path, longer));
        const qint64 before = QFileInfo(path).size();
        NoteRecord shorter = Sample();
        shorter.Text = QStringLiteral("hi");
        QVERIFY(NoteFile::WriteNote(path, shorter));
        QCOMPARE(QFileInfo(path).size(), before);
        NoteRecord back;
        QVERIFY(NoteFile::ReadNote(path, back));
        QCOMPARE(back, shorter);
        QCOMPARE(FileBytes(path).right(10), NoteFile::NoteBytes(longer).right(10)); // the old tail stays
    }

    void enabledWriteTouchesOnlyTenBytes_data() {
        QTest::addColumn<int>("enabled");
        QTest::addColumn<QByteArray>("head");
        QTest::newRow("tick") << 1 << Hex("00000000000008400100");
        QTest::newRow("clear") << 0 << Hex("00000000000008400000");
    }
    void enabledWriteTouchesOnlyTenBytes() {
        QFETCH(int, enabled);
        QFETCH(QByteArray, head);
        const QString path = Path("enabled.nte");
        NoteRecord r = Sample();
        r.Version = 2.0;
        r.Enabled = 7;
        QByteArray original = NoteFile::NoteBytes(r);
        original.replace(0, 8, Hex("0000000000000040")); // an old writer's Version 2.0
        WriteBytes(path, original);
        QVERIFY(NoteFile::WriteEnabled(path, static_cast<int16_t>(enabled)));
        const QByteArray after = FileBytes(path);
        QCOMPARE(after.left(10), head);
        QCOMPARE(after.mid(10), original.mid(10));
    }

    // A missing note reads as missing, and ticking it never creates a file.
    void missingFile() {
        NoteRecord r;
        QString error;
        QVERIFY(!NoteFile::ReadNoteHead(Path("gone.nte"), r, NoteFile::Head::Enabled, &error));
        QCOMPARE(error, QStringLiteral("missing"));
        error.clear();
        QVERIFY(!NoteFile::WriteEnabled(Path("gone.nte"), 1, &error));
        QVERIFY(!QFile::exists(Path("gone.nte")));
        QCOMPARE(error, QStringLiteral("missing"));
    }

    void damagedFilesFailWithoutReadingPastTheEnd_data() {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray good = NoteFile::NoteBytes(Sample());
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("cut in the text") << good.left(12);
        QTest::newRow("cut before the last field") << good.left(good.size() - 1);
        QByteArray negative = good;
        negative.replace(10, 4, Hex("FFFFFFFF"));
        QTest::newRow("negative text length") << negative;
        QByteArray huge = good;
        huge.replace(10, 4, Hex("FFFFFF7F"));
        QTest::newRow("text length past the end") << huge;
        NoteRecord wide = Sample();
        wide.Text = QString::fromUtf8("Привет");
        QTest::newRow("cut in a UTF-8 text") << NoteFile::NoteBytes(wide).left(10 + 4 + 3 + 5);
    }
    void damagedFilesFailWithoutReadingPastTheEnd() {
        QFETCH(QByteArray, bytes);
        const QString path = Path("damaged.nte");
        WriteBytes(path, bytes);
        NoteRecord r;
        QString error;
        QVERIFY(!NoteFile::ReadNote(path, r, &error));
        QVERIFY(error.startsWith(QStringLiteral("damaged")) || error.startsWith(QStringLiteral("cannot")));
    }

    // The head is read from the file's first bytes; a text longer than those makes the reader go on.
    void headReadIgnoresDamageFurtherOn_data() {
        QTest::addColumn<int>("textLength");
        QTest::addColumn<bool>("cutInText"); // the file ends inside the text: the head is damaged too
        QTest::newRow("short text") << 3 << false;
        QTest::newRow("text beyond the first read") << 10000 << false;
        QTest::newRow("long text cut short") << 10000 << true;
    }
    void headReadIgnoresDamageFurtherOn() {
        QFETCH(int, textLength);
        QFETCH(bool, cutInText);
        const QString path = Path("tail.nte");
        NoteRecord note = Sample();
        note.Text = QString(textLength, QLatin1Char('a'));
        QByteArray bytes = NoteFile::NoteBytes(note);
        bytes.truncate(cutInText ? 5000 : 27 + textLength); // inside the text, or inside LoadSound
        WriteBytes(path, bytes);
        NoteRecord head;
        QString error;
        QCOMPARE(NoteFile::ReadNoteHead(path, head, NoteFile::Head::Dates, &error), !cutInText);
        if (cutInText) QVERIFY(error.startsWith(QStringLiteral("damaged")));
        if (!cutInText) QCOMPARE(head.Text, note.Text);
        if (!cutInText) QCOMPARE(head.ShowUntil, 20000105);
        NoteRecord whole;
        QVERIFY(!NoteFile::ReadNote(path, whole));
    }

    void failedWriteLeavesOldFile() {
        const QString folder = m_dir.filePath("locked");
        QVERIFY(QDir().mkpath(folder));
        const QString path = folder + "/n.nte";
        QVERIFY(NoteFile::WriteNote(path, Sample()));
        const QByteArray before = FileBytes(path);
        if (!LockFolder(folder, true)) QSKIP("cannot make a folder read-only here");
        NoteRecord other = Sample();
        other.Text = QStringLiteral("changed");
        QString error;
        const bool written = NoteFile::WriteNote(path, other, &error);
        LockFolder(folder, false);
        QVERIFY(!written);
        QVERIFY(error.startsWith(QStringLiteral("cannot write")));
        QCOMPARE(FileBytes(path), before);
        QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{"n.nte"}); // no temporary left behind
    }
};

QTEST_GUILESS_MAIN(tst_NoteFile)
#include "tst_NoteFile.moc"
