// How the program ends: Close TrayNotes ends it at once when nothing else is open, and otherwise the
// once-a-second check ends it within about a second after the last window, always leaving the marker 0.
#include "app/frmStealth.h"
#include "app/mdlBoot.h"
#include "core/NoteFile.h"
#include "core/SettingsFile.h"
#include "fakes/FakeServices.h"
#include "manager/frmManager.h"
#include "notes/frmNotes.h"
#include "tray/frmTray.h"
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTest>

using namespace mdlCommonFunc;

namespace {

struct Running {
    TestProgram T;
    Program& P = *T.P;

    Running() {
        P.Settings = DefaultSettings(T.ProgramFolder());
        P.Settings.ShowOnTrayStart = 0;
        P.Settings.Arrangement = 1;
        QDir().mkpath(P.Settings.NotesFolder);
        SetTrayLock(T.ProgramFolder());
        P.Stealth();
        mdlBoot::LoadTray(P);
    }
    ~Running() {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<frmNotes*>(w)) delete w;
    }
    Running(const Running&) = delete;
    Running& operator=(const Running&) = delete;

    QByteArray Marker() {
        QFile f(T.ProgramFolder() + TrayLockFileName);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("absent");
    }
    void CloseTrayNotes() { P.Stealth().mnuClose->trigger(); }
    frmNotes* OpenOneNote() {
        NoteRecord note;
        note.Text = QStringLiteral("Keep me");
        note.Enabled = 1;
        note.FontName = QStringLiteral("DejaVu Sans");
        note.FontSize = 10;
        if (!NoteFile::WriteNote(P.Settings.NotesFolder + "keep.nte", note)) qFatal("no note written");
        P.Stealth().flbNotes.Refresh();
        P.Settings.TrayWhich = 1;
        P.Stealth().mnuShowT->trigger();
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* note = qobject_cast<frmNotes*>(w); note && note->isVisible()) return note;
        return nullptr;
    }
};

} // namespace

class tst_StealthLifetime : public QObject {
    Q_OBJECT
private slots:
    void closeTrayNotes_data() {
        QTest::addColumn<bool>("manager");
        QTest::addColumn<bool>("note");
        QTest::addColumn<bool>("editor");
        QTest::addColumn<bool>("ends");
        QTest::newRow("nothing else open") << false << false << false << true;
        QTest::newRow("manager open") << true << false << false << false;
        QTest::newRow("a note window open") << false << true << false << false;
        QTest::newRow("editor open") << false << false << true << false;
    }
    void closeTrayNotes() {
        QFETCH(bool, manager);
        QFETCH(bool, note);
        QFETCH(bool, editor);
        QFETCH(bool, ends);
        Running r;
        if (manager) {
            r.P.ManagerWindow = new frmManager(r.P);
            r.P.ManagerWindow->Form_Load();
        }
        if (note) r.P.ShownNotes.push_back({r.P.Settings.NotesFolder + "x.nte", true});
        r.P.EditorOpen = editor;
        FakeSysTray* icon = r.T.TrayFactory.Last;
        QVERIFY(icon->InTray);
        QVERIFY(r.P.Stealth().mnuClose->isEnabled());

        r.CloseTrayNotes();

        QVERIFY(!icon->InTray); // still there: the window is deleted later
        QVERIFY(!r.P.TrayActive);
        QCOMPARE(r.T.ProcessEnd.Calls, ends ? 1 : 0);
        QCOMPARE(r.Marker(), QByteArray(1, ends ? '\0' : '\1'));
        QTRY_VERIFY(r.P.TrayWindow.isNull());
        QCOMPARE(r.T.ProcessEnd.Calls, ends ? 1 : 0); // deleting the window ends nothing twice
    }

    void endsWithinASecondOfTheLastWindow_data() {
        QTest::addColumn<QString>("last");
        QTest::newRow("note window") << "note";
        QTest::newRow("editor") << "editor";
        QTest::newRow("manager") << "manager";
    }
    void endsWithinASecondOfTheLastWindow() {
        QFETCH(QString, last);
        Running r;
        frmNotes* note = nullptr;
        if (last == "note") QVERIFY((note = r.OpenOneNote()));
        if (last == "editor") r.P.EditorOpen = true;
        if (last == "manager") {
            r.P.ManagerWindow = new frmManager(r.P);
            r.P.ManagerWindow->Form_Load();
        }
        r.CloseTrayNotes();
        QVERIFY(QTest::qWaitFor([&] { return r.P.TrayWindow.isNull(); }));
        QTest::qWait(1200); // the timer runs its check meanwhile
        QCOMPARE(r.T.ProcessEnd.Calls, 0);
        QCOMPARE(r.Marker(), QByteArray(1, '\1'));

        QElapsedTimer clock;
        clock.start();
        if (note) note->close();
        if (last == "editor") r.P.EditorOpen = false; // the editor is not built yet: its flag stands in
        if (last == "manager") r.P.ManagerWindow->close();
        QTRY_COMPARE_WITH_TIMEOUT(r.T.ProcessEnd.Calls, 1, 3000);
        QVERIFY2(clock.elapsed() < 1500, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(r.Marker(), QByteArray(1, '\0'));
        QVERIFY(r.P.StealthWindow.isNull() || !r.P.StealthWindow->tmrMaster.isActive());
    }
};

QTEST_MAIN(tst_StealthLifetime)
#include "tst_StealthLifetime.moc"
