// The tray menu and the list menu: the two launch toggles with their questions and the settings file
// after each answer, ShowNotes without the alarm, opening the manager, and deleting the selected note.
#include "app/frmStealth.h"
#include "core/NoteFile.h"
#include "core/NotesFolder.h"
#include "core/SettingsFile.h"
#include "fakes/FakeServices.h"
#include "manager/frmManager.h"
#include "notes/frmNotes.h"
#include "tray/frmTray.h"
#include <QApplication>
#include <QDir>
#include <QTest>

using namespace mdlCommonFunc;

namespace {

const QString ShowTitle = QStringLiteral("Do you want to disable ShowNotes when TrayNotes loads?");
const QString ShowText = QStringLiteral(
    "Disabling ShowNotes on TrayNotes load will prevent your notes from being shown the instant TrayNotes is loaded. "
    "If you don't want to see your notes as soon as TrayNotes loads say 'YES' here.");
const QString BootTitle = QStringLiteral("Do you want to disable TrayNotes at boot time?");
const QString BootText = QStringLiteral(
    "Disabling TrayNotes on system boot will stop 'PVL3: Quick Launch' from loading, because TrayNotes won't appear "
    "in the system tray. If you don't want the quick launch to work you should say 'YES' here.");

struct MenuTest {
    TestProgram T;
    Program& P = *T.P;

    MenuTest() {
        P.Settings = DefaultSettings(T.ProgramFolder());
        P.Settings.ShowOnTrayStart = 1;
        P.Settings.TrayOnSystemStart = 1;
        QDir().mkpath(P.Settings.NotesFolder);
    }
    ~MenuTest() {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<frmNotes*>(w)) delete w;
    }
    MenuTest(const MenuTest&) = delete;
    MenuTest& operator=(const MenuTest&) = delete;

    frmStealth& Host() { return P.Stealth(); }
    void OpenManager() {
        P.ManagerWindow = new frmManager(P);
        P.ManagerWindow->Form_Load();
    }
    QString WriteNote(const QString& name, const QString& text, int16_t enabled = 1) {
        NoteRecord note;
        note.Text = text;
        note.Enabled = enabled;
        note.ShowFrom = 20200101;
        note.ShowUntil = 20301231;
        note.FontName = QStringLiteral("DejaVu Sans");
        note.FontSize = 10;
        const QString path = P.Settings.NotesFolder + name;
        if (!NoteFile::WriteNote(path, note)) qFatal("no note written");
        return path;
    }
    QStringList ListedPaths() {
        QStringList paths;
        for (int row = 0; row < P.ManagerWindow->lstNotes->count(); ++row)
            paths << FileFromListEntry(P.ManagerWindow->lstNotes->item(row)->text());
        return paths;
    }
};

} // namespace

class tst_StealthMenus : public QObject {
    Q_OBJECT
private slots:
    void loadSetsTheMarks_data() {
        QTest::addColumn<int>("onBoot");
        QTest::addColumn<int>("onLoad");
        QTest::newRow("both on") << 1 << 1;
        QTest::newRow("boot only") << 1 << 0;
        QTest::newRow("load only") << 0 << 1;
        QTest::newRow("any value but 1 is off") << 2 << 0;
    }
    void loadSetsTheMarks() {
        QFETCH(int, onBoot);
        QFETCH(int, onLoad);
        MenuTest t;
        t.P.Settings.TrayOnSystemStart = static_cast<uint8_t>(onBoot);
        t.P.Settings.ShowOnTrayStart = static_cast<uint8_t>(onLoad);
        QCOMPARE(t.Host().mnuTonSys->isChecked(), onBoot == 1);
        QCOMPARE(t.Host().mnuShow->isChecked(), onLoad == 1);
        QCOMPARE(t.P.ListPos, int16_t(0));
        QCOMPARE(t.Host().flbNotes.Path(), t.P.Settings.NotesFolder);
        QVERIFY(t.Host().tmrMaster.isActive());
        QCOMPARE(t.Host().tmrMaster.interval(), 1000);
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
            row("off, manager open") << 1 << 1 << true << false << false << 0;
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
        MenuTest t;
        uint8_t& setting = boot ? t.P.Settings.TrayOnSystemStart : t.P.Settings.ShowOnTrayStart;
        setting = static_cast<uint8_t>(before);
        (boot ? t.P.Settings.PromptNoTrayOnBoot : t.P.Settings.PromptNoShowOnTray) = static_cast<uint8_t>(prompt);
        if (managerOpen) t.OpenManager();
        QAction* item = boot ? t.Host().mnuTonSys : t.Host().mnuShow;
        QVERIFY(item->isEnabled());
        const SettingsRecord untouched = t.P.Settings;
        t.T.Questions.Answers = {answer};

        item->trigger(); // as the user chooses it: the mark flips before the handler runs

        QCOMPARE(t.T.Questions.Questions.size(), size_t(asked ? 1 : 0));
        if (asked) {
            QCOMPARE(t.T.Questions.Questions[0].Title, boot ? BootTitle : ShowTitle);
            QCOMPARE(t.T.Questions.Questions[0].Text, boot ? BootText : ShowText);
        }
        QCOMPARE(int(setting), after);
        QCOMPARE(item->isChecked(), after == 1);
        // The file is written in every case and holds the answer; nothing else changed.
        SettingsRecord onDisk;
        QVERIFY(ReadSettingsFile(t.T.ProgramFolder() + SettingsFileName, onDisk));
        QVERIFY(onDisk == t.P.Settings);
        SettingsRecord expected = untouched;
        (boot ? expected.TrayOnSystemStart : expected.ShowOnTrayStart) = static_cast<uint8_t>(after);
        QVERIFY(onDisk == expected);
    }

    void toggleTwiceRoundTrips() {
        MenuTest t;
        t.P.Settings.PromptNoShowOnTray = 1;
        t.T.Questions.Answers = {true};
        t.Host().mnuShow->trigger();
        QCOMPARE(int(t.P.Settings.ShowOnTrayStart), 0);
        t.Host().mnuShow->trigger();
        QCOMPARE(int(t.P.Settings.ShowOnTrayStart), 1);
        QVERIFY(t.Host().mnuShow->isChecked());
        QCOMPARE(t.T.Questions.Questions.size(), size_t(1)); // turning it on asked nothing
        QCOMPARE(SettingsBytes(t.P.Settings), [&] {
            QFile f(t.T.ProgramFolder() + SettingsFileName);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }());
    }

    void unwritableSettingsAreReported() {
        MenuTest t;
        QVERIFY(QDir().mkpath(t.T.ProgramFolder() + SettingsFileName)); // a folder where the file should go
        t.P.Settings.PromptNoTrayOnBoot = 0;
        t.Host().mnuTonSys->trigger();
        QCOMPARE(int(t.P.Settings.TrayOnSystemStart), 0); // the choice holds for this run
        QCOMPARE(t.T.Questions.Messages.size(), size_t(1));
        QVERIFY(t.T.Questions.Messages[0].Text.contains(SettingsFileName));
    }

    void showNotesWithoutAlarm() {
        MenuTest t;
        t.WriteNote(QStringLiteral("a.nte"), QStringLiteral("on"));
        t.WriteNote(QStringLiteral("b.nte"), QStringLiteral("off"), 0);
        t.P.Settings.PlayAlarm = 1;
        t.P.Settings.TrayOnlyEnabled = 1;
        t.P.Settings.TrayWhich = 1; // all notes
        t.Host().mnuShowT->trigger();
        QCOMPARE(t.P.ShownCount(), 1); // only the enabled one
        QCOMPARE(t.P.Shown(1).FilePath, t.P.Settings.NotesFolder + "a.nte");
        t.P.Settings.TrayOnlyEnabled = 0;
        t.Host().mnuShowT->trigger();
        QCOMPARE(t.P.ShownCount(), 3);
        QVERIFY(t.T.Sound.Played.isEmpty());
        QVERIFY(!t.P.AlarmShowing);
    }

    void manageOpensOrRaisesOneManager() {
        MenuTest t;
        t.Host().mnuManage->trigger();
        QVERIFY(t.P.ManagerOpen);
        QPointer<frmManager> manager = t.P.ManagerWindow;
        QVERIFY(manager && manager->isVisible());
        manager->hide();
        t.Host().mnuManage->trigger();
        QCOMPARE(t.P.ManagerWindow, manager);
        QVERIFY(manager->isVisible());
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
        MenuTest t;
        t.P.Settings.PromptDeleteNote = 1; // the menu item asks nothing whatever this says
        for (const char* name : {"a.nte", "b.nte", "c.nte"}) t.WriteNote(name, name);
        t.Host();
        t.P.ListPos = -1;
        if (manager) t.OpenManager();
        if (manager) t.P.ManagerWindow->lstNotes->setCurrentRow(select);
        if (goneBefore) QVERIFY(QFile::remove(t.P.Settings.NotesFolder + "c.nte"));
        QVERIFY(t.Host().mnuDel->isEnabled());

        t.Host().mnuDel->trigger();

        QCOMPARE(QDir(t.P.Settings.NotesFolder).entryList(QDir::Files), left);
        QVERIFY(t.T.Questions.Questions.empty());
        if (!manager) return;
        QStringList paths;
        for (const QString& name : left) paths << t.P.Settings.NotesFolder + name;
        if (select >= 0) QCOMPARE(t.ListedPaths(), paths); // refilled from the folder
    }

    void itemsWithoutTheirWindowsAreDisabled() {
        MenuTest t;
        for (QAction* pending :
             {t.Host().mnuNewL, t.Host().mnuEditL, t.Host().mnuAboutL, t.Host().mnuNew, t.Host().mnuAbout})
            QVERIFY2(!pending->isEnabled(), qPrintable(pending->text()));
    }
};

QTEST_MAIN(tst_StealthMenus)
#include "tst_StealthMenus.moc"
