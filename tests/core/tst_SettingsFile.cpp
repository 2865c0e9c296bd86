// The settings file's layout and defaults, and the running marker.
#include "TestFiles.h"
#include "core/ProgramFolder.h"
#include "core/SettingsFile.h"
#include <QDir>
#include <QTemporaryDir>
#include <optional>

using namespace mdlCommonFunc;

class tst_SettingsFile : public QObject {
    Q_OBJECT
    std::optional<QTemporaryDir> m_dir; // a new, empty program folder for each test
    QString m_folder;

    static SettingsRecord Changed(const QString& folder) {
        SettingsRecord s = DefaultSettings(folder);
        s.AlarmSound = QStringLiteral("ring.wav");
        s.PlayAlarm = 0;
        s.EveryHours = 2;
        s.EveryMinutes = 45;
        s.AtTimes[0] = {1, 7, 5, 0};
        s.AtTimes[4] = {1, 11, 59, 1};
        s.Arrangement = 2;
        s.NoteHeight = -3;
        s.NoteWidth = 300;
        s.TrayWhich = 0;
        s.PromptDeleteNote = 0;
        s.PromptApplyEdit = 1;
        return s;
    }

private slots:
    void init() {
        m_dir.emplace();
        m_folder = WithSeparator(m_dir->path());
    }

    void firstRunInAnEmptyFolder() {
        SettingsRecord s;
        QCOMPARE(LoadSettings(m_folder, s), SettingsSource::Defaults);
        QCOMPARE(s.PlayAlarm, uint8_t(0)); // no Alarm.wav
        WriteBytes(m_folder + "Alarm.wav", "RIFF");
        SettingsRecord withAlarm;
        LoadSettings(m_folder, withAlarm);
        QCOMPARE(withAlarm.PlayAlarm, uint8_t(1));
        QVERIFY(QFileInfo(m_folder + "Notes").isDir());
        QVERIFY(!QFile::exists(m_folder + SettingsFileName));
        QCOMPARE(s.NotesFolder, m_folder + "Notes" + QDir::separator());
        QCOMPARE(s.AlarmSound, m_folder + "Alarm.wav");
        for (const AtTime& t : s.AtTimes) QCOMPARE(t, (AtTime{0, 12, 30, 1}));
        QCOMPARE(s.EveryHours, uint8_t(3));
        QCOMPARE(s.NoteWidth, int16_t(180));
        const int L = static_cast<int>(m_folder.size()) - 1; // the folder without its separator
        QCOMPARE(SettingsBytes(s).size(), 48 + (L + 10) + (L + 7));
    }

    void layout() {
        SettingsRecord s = Changed(QStringLiteral("/p/"));
        s.AlarmSound = QStringLiteral("ab");
        s.NotesFolder = QStringLiteral("N/");
        const QByteArray b = SettingsBytes(s);
        QCOMPARE(b.size(), 48 + 2 + 2);
        QCOMPARE(b.left(6), QByteArray::fromHex("020000006162"));
        QCOMPARE(b.mid(6, 6), QByteArray::fromHex("0001010102"
                                                  "2D"));
        // Each row on disk: AmPm, Hour, Minute, Enabled.
        QCOMPARE(b.mid(12, 4), QByteArray::fromHex("00070501"));
        QCOMPARE(b.mid(28, 4), QByteArray::fromHex("010B3B01"));
        QCOMPARE(b.mid(32, 3), QByteArray::fromHex("010201")); // EveryEnabled, Arrangement, TrayOnlyEnabled
        QCOMPARE(b.mid(35, 6), QByteArray::fromHex("020000004E2F"));
        QCOMPARE(b.mid(41, 4), QByteArray::fromHex("FDFF2C01")); // height, then width
        // TrayWhich, PromptApplyEdit, PromptCloseNote, PromptNoShowOnTray, PromptNoTrayOnBoot,
        // PromptMultiCopies, PromptDeleteNote
        QCOMPARE(b.mid(45), QByteArray::fromHex("00010001010100"));
    }

    void roundTrip_data() {
        QTest::addColumn<QString>("programFolder");
        QTest::addColumn<QString>("notesFolder");
        QTest::newRow("western") << QString() << QString();
        QTest::newRow("any language") << QString::fromUtf8("Łódź/") << QString::fromUtf8("Документы 文件/");
    }
    void roundTrip() {
        QFETCH(QString, programFolder);
        QFETCH(QString, notesFolder);
        const QString folder = m_folder + programFolder;
        QVERIFY(QDir().mkpath(folder));
        SettingsRecord saved = Changed(folder);
        if (!notesFolder.isEmpty()) saved.NotesFolder = folder + notesFolder;
        QVERIFY(SaveSettings(folder, saved));
        SettingsRecord back;
        QCOMPARE(LoadSettings(folder, back), SettingsSource::File);
        QCOMPARE(back, saved);
    }

    void anotherCopysFileReadsBackIdentically() {
        QByteArray other = SettingsBytes(Changed(m_folder));
        other[4 + 8] = 7; // PlayAlarm after "ring.wav": a value no input check would let through
        WriteBytes(m_folder + SettingsFileName, other);
        SettingsRecord s;
        QCOMPARE(LoadSettings(m_folder, s), SettingsSource::File);
        QCOMPARE(s.PlayAlarm, uint8_t(7));
        QVERIFY(SaveSettings(m_folder, s));
        QCOMPARE(FileBytes(m_folder + SettingsFileName), other);
    }

    void damagedFileFallsBackAndIsLeftAlone_data() {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray good = SettingsBytes(DefaultSettings(QStringLiteral("/x/")));
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("short") << good.left(20);
        QTest::newRow("one byte short") << good.left(good.size() - 1);
        QByteArray negative = good;
        negative.replace(0, 4, QByteArray::fromHex("F6FFFFFF"));
        QTest::newRow("negative length") << negative;
        QByteArray huge = good;
        huge.replace(0, 4, QByteArray::fromHex("00000010"));
        QTest::newRow("length past the end") << huge;
    }
    void damagedFileFallsBackAndIsLeftAlone() {
        QFETCH(QByteArray, bytes);
        WriteBytes(m_folder + SettingsFileName, bytes);
        SettingsRecord s;
        QString error;
        QCOMPARE(LoadSettings(m_folder, s, &error), SettingsSource::DamagedFile);
        QVERIFY(error.startsWith("damaged"));
        SettingsRecord expected = DefaultSettings(m_folder);
        expected.PlayAlarm = 0;
        QCOMPARE(s, expected);
        QCOMPARE(FileBytes(m_folder + SettingsFileName), bytes);
    }

    void savedNotesFolderIsNotRecreated() {
        SettingsRecord s = DefaultSettings(m_folder);
        s.NotesFolder = m_folder + "Gone/";
        QVERIFY(SaveSettings(m_folder, s));
        LoadSettings(m_folder, s);
        QVERIFY(!QFileInfo::exists(m_folder + "Gone"));
        QVERIFY(!QFileInfo::exists(m_folder + "Notes"));
    }

    void trayLock() {
        const QString marker = m_folder + TrayLockFileName;
        QVERIFY(!TrayLockIsSet(m_folder));
        QVERIFY(QFileInfo(marker).isFile() && QFileInfo(marker).size() == 0); // made, empty, as any copy opens it
        QVERIFY(SetTrayLock(m_folder));
        QVERIFY(TrayLockIsSet(m_folder));
        QCOMPARE(FileBytes(marker), QByteArray(1, '\1'));
        QVERIFY(ClearTrayLock(m_folder));
        QVERIFY(!TrayLockIsSet(m_folder));
        QCOMPARE(FileBytes(marker), QByteArray(1, '\0'));
        WriteBytes(marker, QByteArray::fromHex("FF00"));
        QVERIFY(TrayLockIsSet(m_folder)); // the first byte counts, read as unsigned
    }
};

QTEST_GUILESS_MAIN(tst_SettingsFile)
#include "tst_SettingsFile.moc"
