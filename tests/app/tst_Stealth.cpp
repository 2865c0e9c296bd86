// The hidden host window: its notes-folder list against a full re-read, Close TrayNotes ending the program
// or not, the two launch toggles with their questions and the settings file, ShowNotes without the alarm,
// and deleting the selected note.
#include "app/frmStealth.h"
#include "app/mdlBoot.h"
#include "core/NativeFile.h"
#include "core/NotesFolder.h"
#include "manager/ManagerFixture.h"
#include "tray/frmTray.h"
#include <QApplication>
#include <QDir>
#include <QTest>
#include <unistd.h>
#include <utime.h>

using namespace mdlCommonFunc;

namespace {

// The manager's fixture with both launch options on.
struct StealthTest : ManagerTest {
    StealthTest() { P.Settings.ShowOnTrayStart = P.Settings.TrayOnSystemStart = 1; }
    frmStealth& Host() { return P.Stealth(); }
};

} // namespace

class tst_Stealth : public QObject {
    Q_OBJECT
private slots:
    void fileListEqualsAFullReRead_data() {
        QTest::addColumn<bool>("coarseClock"); // a file system that keeps times in steps of 2 s (FAT)
        QTest::newRow("fine clock") << false;
        QTest::newRow("2 s clock") << true;
    }
    void fileListEqualsAFullReRead() {
        QFETCH(bool, coarseClock);
        StealthTest t;
        t.P.TrayActive = true; // keeps the program alive while the check runs
        const auto setFolderTime = [&](qint64 seconds) {
            const utimbuf times{static_cast<time_t>(seconds), static_cast<time_t>(seconds)};
            QVERIFY(::utime(QFile::encodeName(t.Notes).constData(), &times) == 0);
        };
        const FileList& list = t.Host().flbNotes;
        // Changes in quick succession, each seen by the next once-a-second check; names sort ignoring case.
        for (const QString step : {"+b.nte", "+x.txt", "+a.nte", "+C.nte", "-b.nte", "+b.nte", "-a.nte", "+D.nte",
                                   "-C.nte", "-D.nte", "-b.nte"}) {
            QFile file(t.Notes + step.mid(1));
            QVERIFY(step[0] == '+' ? file.open(QIODevice::WriteOnly) : file.remove());
            file.close();
            if (coarseClock) setFolderTime(QDateTime::currentSecsSinceEpoch() & ~qint64(1));
            t.Host().tmrMaster_Timer();
            QCOMPARE(list.Names(), QDir(t.Notes).entryList({"*.nte"}, QDir::Files, QDir::Name | QDir::IgnoreCase));
        }
        QVERIFY(list.Names().isEmpty());
    }

    void closeTrayNotes_data() {
        QTest::addColumn<bool>("manager");
        QTest::addColumn<bool>("note");
        QTest::addColumn<bool>("ends");
        QTest::newRow("nothing else open") << false << false << true;
        QTest::newRow("manager open") << true << false << false;
        QTest::newRow("a note window open") << false << true << false;
    }
    void closeTrayNotes() {
        QFETCH(bool, manager);
        QFETCH(bool, note);
        QFETCH(bool, ends);
        StealthTest t;
        t.P.Settings.ShowOnTrayStart = 0;
        QVERIFY(SetTrayLock(t.T.ProgramFolder()));
        t.Host();
        mdlBoot::LoadTray(t.P);
        if (manager) t.Open();
        if (note) t.P.ShownNotes.push_back({t.Notes + "x.nte", true});
        FakeSysTray* icon = t.T.TrayFactory.Last;
        QVERIFY(icon->InTray);

        t.Host().mnuClose->trigger();

        QVERIFY(!icon->InTray); // still there: the window is deleted later
        QVERIFY(!t.P.TrayActive);
        QCOMPARE(t.T.ProcessEnd.Calls, ends ? 1 : 0);
        QCOMPARE(t.T.Marker(), QByteArray(1, ends ? '\0' : '\1'));
        QTRY_VERIFY(t.P.TrayWindow.isNull());
        QCOMPARE(t.T.ProcessEnd.Calls, ends ? 1 : 0); // deleting the window ends nothing twice
    }

    void toggles_data() {
        QTest::addColumn<bool>("boot"); // mnuTonSys, else mnuShow
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("prompt");
        QTest::addColumn<bool>("managerOpen");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<int>("after");
        for (bool boot : {false, true}) {
            const char* item = boot ? "mnuTonSys" : "mnuShow";
            auto row = [&](const char* what) -> QTestData& { return QTest::addRow("%s: %s", item, what) << boot; };
            row("off, Yes") << 1 << 1 << false << true << true << 0;
            row("off, No") << 1 << 1 << false << false << true << 1;
            row("off without prompt") << 1 << 0 << false << false << false << 0;
            // With the manager open its box asks, once; No turns box, setting and item back on.
            row("off, manager open, Yes") << 1 << 1 << true << true << true << 0;
            row("off, manager open, No") << 1 << 1 << true << false << true << 1;
            row("on never asks") << 0 << 1 << false << false << false << 1;
            row("on, manager open") << 0 << 1 << true << false << false << 1;
        }
    }
    void toggles() {
        QFETCH(bool, boot);
        QFETCH(int, before);
        QFETCH(int, prompt);
        QFETCH(bool, managerOpen);
        QFETCH(bool, answer);
        QFETCH(bool, asked);
        QFETCH(int, after);
        StealthTest t;
        uint8_t& setting = boot ? t.P.Settings.TrayOnSystemStart : t.P.Settings.ShowOnTrayStart;
        setting = static_cast<uint8_t>(before);
        (boot ? t.P.Settings.PromptNoTrayOnBoot : t.P.Settings.PromptNoShowOnTray) = static_cast<uint8_t>(prompt);
        if (managerOpen) t.Open();
        QAction* item = boot ? t.Host().mnuTonSys : t.Host().mnuShow;
        QCOMPARE(item->isChecked(), before == 1); // the mark follows the setting from the load on
        SettingsRecord expected = t.P.Settings;
        t.T.Questions.Answers = {answer};

        item->trigger(); // as the user chooses it: the mark flips before the handler runs

        QCOMPARE(t.T.Questions.Questions.size(), size_t(asked ? 1 : 0));
        if (asked)
            QCOMPARE(t.T.Questions.Questions[0].Title, boot ? "Do you want to disable TrayNotes at boot time?"
                                                            : "Do you want to disable ShowNotes when TrayNotes loads?");
        QCOMPARE(int(setting), after);
        QCOMPARE(item->isChecked(), after == 1);
        if (managerOpen)
            QCOMPARE((boot ? t.P.ManagerWindow->chkOnSys : t.P.ManagerWindow->chkOnProg)->isChecked(), after == 1);
        // The file is written in every case, after the answer, and nothing else in it changed.
        SettingsRecord onDisk;
        QVERIFY(ReadSettingsFile(t.T.ProgramFolder() + SettingsFileName, onDisk));
        (boot ? expected.TrayOnSystemStart : expected.ShowOnTrayStart) = static_cast<uint8_t>(after);
        QVERIFY(onDisk == expected);
    }

    void unwritableSettingsAreReported() {
        StealthTest t;
        QVERIFY(QDir().mkpath(t.T.ProgramFolder() + SettingsFileName)); // a folder where the file should go
        t.P.Settings.PromptNoTrayOnBoot = 0;
        t.Host().mnuTonSys->trigger();
        QCOMPARE(int(t.P.Settings.TrayOnSystemStart), 0); // the choice holds for this run
        QCOMPARE(t.T.Questions.Messages.size(), size_t(1));
        QVERIFY(t.T.Questions.Messages[0].Text.contains(SettingsFileName));
    }

    void showNotesWithoutAlarm() {
        StealthTest t;
        t.WriteNote(QStringLiteral("a.nte"));
        t.WriteNote(QStringLiteral("b.nte"), 0);
        t.P.Settings.PlayAlarm = 1;
        t.P.Settings.TrayOnlyEnabled = 1;
        t.P.Settings.TrayWhich = 1; // all notes
        t.Host().mnuShowT->trigger();
        QCOMPARE(t.P.ShownCount(), 1); // only the enabled one
        QVERIFY(t.T.Sound.Played.isEmpty());
        QVERIFY(!t.P.AlarmShowing);
    }

    void deleteSelected_data() {
        QTest::addColumn<bool>("manager");
        QTest::addColumn<int>("select"); // row, -1 none
        QTest::addColumn<bool>("goneBefore");
        QTest::addColumn<QStringList>("left");
        QTest::newRow("no manager") << false << -1 << false << QStringList{"a.nte", "b.nte", "c.nte"};
        QTest::newRow("nothing selected") << true << -1 << false << QStringList{"a.nte", "b.nte", "c.nte"};
        QTest::newRow("second line") << true << 1 << false << QStringList{"a.nte", "c.nte"};
        QTest::newRow("already gone") << true << 2 << true << QStringList{"a.nte", "b.nte"};
    }
    void deleteSelected() {
        QFETCH(bool, manager);
        QFETCH(int, select);
        QFETCH(bool, goneBefore);
        QFETCH(QStringList, left);
        StealthTest t;
        t.P.Settings.PromptDeleteNote = 1; // the menu item asks nothing whatever this says
        for (const char* name : {"a.nte", "b.nte", "c.nte"}) t.WriteNote(name);
        t.Host();
        t.P.ListPos = -1;
        if (manager) t.Open().lstNotes->setCurrentRow(select);
        if (goneBefore) QVERIFY(QFile::remove(t.Notes + "c.nte"));

        t.Host().mnuDel->trigger();

        QCOMPARE(QDir(t.Notes).entryList(QDir::Files), left);
        QVERIFY(t.T.Questions.Questions.empty());
        if (manager) QCOMPARE(t.P.ManagerWindow->lstNotes->count(), left.size()); // refilled from the folder
    }

    // A note whose name is not UTF-8 is listed and deleted like any other.
    void deleteANameThatIsNotUtf8() {
        StealthTest t;
        const QByteArray raw = QFile::encodeName(t.Notes) + "caf\xE9.nte";
        QVERIFY(NoteFile::WriteNote(NativeFile::DecodeName(raw), NoteFile::NewNoteRecord("x", 20200101, 20301231)));
        QVERIFY(::access(raw.constData(), F_OK) == 0);
        QListWidget* list = t.Open().lstNotes;
        QCOMPARE(list->count(), 1);
        list->setCurrentRow(0);
        t.Host().mnuDel->trigger();
        QVERIFY(::access(raw.constData(), F_OK) != 0);
        QCOMPARE(list->count(), 0);
    }
};

QTEST_MAIN(tst_Stealth)
#include "tst_Stealth.moc"
