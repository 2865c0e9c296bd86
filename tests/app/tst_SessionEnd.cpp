// The end of the session or a signal ends the program as its windows would; without a tray the manager
// takes its place.
#include "app/SessionEnd.h"
#include "app/TrayWatch.h"
#include "app/mdlBoot.h"
#include "core/NoteFile.h"
#include "core/SettingsFile.h"
#include "editor/EditFlow.h"
#include "editor/frmEditor.h"
#include "fakes/FakeServices.h"
#include "manager/frmManager.h"
#include "notes/frmNotes.h"
#include "tray/frmTray.h"
#include <QtTest>
#include <csignal>

using namespace mdlCommonFunc;

namespace {

// Settings on disk with NoteWidth 222 and one note due every day, shown at the tray's start when asked; the
// program started on them holds NoteWidth 333, which only a save puts on disk.
bool Started(TestProgram& t, bool showNote, const QString& commandLine) {
    SettingsRecord s = DefaultSettings(t.ProgramFolder());
    s.ShowOnTrayStart = showNote ? 1 : 0;
    s.NoteWidth = 222;
    s.PromptCloseNote = 1;
    const bool started =
        SaveSettings(t.ProgramFolder(), s) && QDir().mkpath(s.NotesFolder) &&
        NoteFile::WriteNote(s.NotesFolder + "a.nte", NoteFile::NewNoteRecord("a", 19990101, 20991231)) &&
        mdlBoot::Main(*t, commandLine);
    t->Settings.NoteWidth = 333;
    return started;
}

int16_t SavedWidth(TestProgram& t) {
    SettingsRecord saved;
    return ReadSettingsFile(t.ProgramFolder() + SettingsFileName, saved) ? saved.NoteWidth : -1;
}

int OpenNotes() {
    int count = 0;
    for (QWidget* w : QApplication::topLevelWidgets()) count += qobject_cast<frmNotes*>(w) && w->isVisible();
    return count;
}
} // namespace

class tst_SessionEnd : public QObject {
    Q_OBJECT

private slots:
    void endsAsByItsWindows_data() {
        QTest::addColumn<QString>("commandLine");
        QTest::addColumn<bool>("showNote");
        QTest::addColumn<int>("savedWidth"); // 333 only when the open manager saved on its way out
        QTest::addColumn<bool>("editing");
        QTest::newRow("manager and tray") << "" << false << 333 << false;
        QTest::newRow("manager, tray and a note") << "" << true << 333 << false;
        QTest::newRow("/QL: tray and a note") << "/QL" << true << 222 << false;
        QTest::newRow("an edit open: dropped, nothing written") << "" << false << 333 << true;
    }
    void endsAsByItsWindows() {
        QFETCH(QString, commandLine);
        QFETCH(bool, showNote);
        QFETCH(int, savedWidth);
        QFETCH(bool, editing);
        TestProgram t;
        QVERIFY(Started(t, showNote, commandLine));
        QCOMPARE(OpenNotes(), showNote ? 1 : 0);
        if (editing) mdlEdit::StartNewEdit(*t);
        mdlBoot::EndAsByWindows(*t);
        QCOMPARE(t.ProcessEnd.Calls, 1);
        QCOMPARE(t.Marker(), QByteArray(1, '\0'));
        QCOMPARE(SavedWidth(t), int16_t(savedWidth));
        QCOMPARE(t.Questions.Questions.size(), size_t(0)); // PromptCloseNote is 1, yet nobody is asked
        QCOMPARE(OpenNotes(), 0);
        QVERIFY(!t->EditorOpen && !(t->EditorWindow && t->EditorWindow->isVisible()));
        QCOMPARE(QDir(t->Settings.NotesFolder).entryList(QDir::Files), QStringList{"a.nte"});
        mdlBoot::EndAsByWindows(*t); // a second signal finds nothing more to do
        QCOMPARE(t.ProcessEnd.Calls, 1);
    }

    // The signal handler only wakes the event loop; the end itself runs there. A quit that the session
    // manager asks for ends the same way.
    void signalsEndTheProgram_data() {
        QTest::addColumn<int>("number");
        QTest::newRow("TERM") << SIGTERM;
        QTest::newRow("HUP") << SIGHUP;
        QTest::newRow("INT") << SIGINT;
        QTest::newRow("quit asked by the session manager") << 0;
    }
    void signalsEndTheProgram() {
        QFETCH(int, number);
        TestProgram t;
        QVERIFY(Started(t, false, QString()));
        {
            const SessionEnd watch(*t);
            if (number) {
                std::raise(number);
                QCOMPARE(t.ProcessEnd.Calls, 0);
            } else {
                // What Qt does when the session manager says "die".
                QTimer::singleShot(0, [] {
                    QEvent quit(QEvent::Quit);
                    QCoreApplication::sendEvent(qApp, &quit);
                });
                QApplication::exec();
            }
            QTRY_COMPARE(t.ProcessEnd.Calls, 1);
        }
        QCOMPARE(t.Marker(), QByteArray(1, '\0'));
        QCOMPARE(SavedWidth(t), int16_t(333));
    }

    // The session manager's save step writes what the unloads would, and leaves the program running for
    // the quit that follows (or a log-off that is cancelled).
    void commitWritesWithoutEnding_data() {
        QTest::addColumn<QString>("commandLine");
        QTest::addColumn<QString>("typed"); // into the width box, not left
        QTest::addColumn<int>("savedWidth");
        QTest::newRow("manager open") << ""
                                      << "" << 333;
        QTest::newRow("manager open, a width being typed") << ""
                                                           << "444" << 444;
        QTest::newRow("/QL, no manager") << "/QL"
                                         << "" << 222;
    }
    void commitWritesWithoutEnding() {
        QFETCH(QString, commandLine);
        QFETCH(QString, typed);
        QFETCH(int, savedWidth);
        TestProgram t;
        QVERIFY(Started(t, false, commandLine));
        if (!typed.isEmpty()) {
            t->ManagerWindow->txtWidth->setFocus();
            t->ManagerWindow->txtWidth->setText(typed);
        }
        mdlBoot::CommitForSessionEnd(*t);
        QCOMPARE(SavedWidth(t), int16_t(savedWidth));
        QCOMPARE(t.Marker(), QByteArray(1, '\0'));
        QCOMPARE(t.ProcessEnd.Calls, 0);
        QVERIFY(t->TrayActive);
    }

    void noTray_data() {
        QTest::addColumn<QString>("commandLine");
        QTest::addColumn<int>("trayFromTick"); // -1: never
        QTest::addColumn<int>("trayGoneFromTick");
        QTest::addColumn<bool>("told");
        const int never = 1000;
        QTest::newRow("/QL, never a tray") << "/QL" << -1 << never << true;
        QTest::newRow("ordinary start, never a tray") << "" << -1 << never << true;
        QTest::newRow("/QL, tray just in time") << "/QL" << TrayWatch::GraceTicks - 1 << never << false;
        QTest::newRow("/QL, tray too late") << "/QL" << TrayWatch::GraceTicks + 3 << never << true;
        QTest::newRow("/QL, the panel restarts later") << "/QL" << 0 << TrayWatch::GraceTicks << false;
    }
    void noTray() {
        QFETCH(QString, commandLine);
        QFETCH(int, trayFromTick);
        QFETCH(int, trayGoneFromTick);
        QFETCH(bool, told);
        TestProgram t;
        QVERIFY(Started(t, false, commandLine));
        FakeSysTray* tray = t.TrayFactory.Last;
        auto* watch = t->TrayWindow->findChild<TrayWatch*>();
        QVERIFY(watch);
        for (int tick = 0; tick < TrayWatch::GraceTicks * 2; ++tick) {
            tray->TrayAvailable = trayFromTick >= 0 && tick >= trayFromTick && tick < trayGoneFromTick;
            watch->Tick();
        }
        QCOMPARE(t.Questions.Messages.size(), size_t(told ? 1 : 0)); // once, however long it lasts
        QVERIFY(!t->TrayUnreachable == (trayFromTick >= 0));
        if (told) QVERIFY(t->ManagerOpen && t->ManagerWindow->isVisible());
        if (!t->ManagerOpen) return;
        t->ManagerWindow->close();
        // With a tray the program stays in it; without one, nothing is left to reach it, so it ends.
        QCOMPARE(t.ProcessEnd.Calls, trayFromTick >= 0 ? 0 : 1);
    }
};

QTEST_MAIN(tst_SessionEnd)
#include "tst_SessionEnd.moc"
