// Start-up with each command line and marker state, and the shutdown check that ends the program.
#include "../core/TestFiles.h"
#include "app/CheckShutdown.h"
#include "app/CommandLineInfo.h"
#include "app/frmStealth.h"
#include "app/mdlBoot.h"
#include "core/NoteFile.h"
#include "core/SettingsFile.h"
#include "fakes/FakeServices.h"
#include "manager/frmManager.h"
#include "notes/ShowNotes.h"
#include "platform/PlatformChoice.h"
#include "tray/frmTray.h"
#include <QtTest>
#include <optional>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace mdlCommonFunc;

namespace {

// Listens on the abstract socket of X display `number`; the socket, or -1 when the name is taken.
int ListenAsDisplay(int number) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = "/tmp/.X11-unix/X" + QByteArray::number(number);
    std::memcpy(address.sun_path + 1, name.constData(), static_cast<size_t>(name.size()));
    const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), length) == 0 && ::listen(fd, 4) == 0) return fd;
    ::close(fd);
    return -1;
}

// Whether the hourglass was up when the manager's window was shown: a window made under it loads the
// theme's animated hourglass, megabytes of pictures, for a pointer no one sees.
struct HourglassAtManagerShow : QObject {
    std::optional<bool> Up;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && qobject_cast<frmManager*>(watched))
            Up = QGuiApplication::overrideCursor() != nullptr;
        return false;
    }
};

} // namespace

Q_DECLARE_METATYPE(Platform::Session)

class tst_Startup : public QObject {
    Q_OBJECT

private slots:
    // A first start in an empty folder with each command line that loads: the tray always, the manager only
    // without "/QL", which counts anywhere in the line.
    void start_data() {
        QTest::addColumn<QString>("commandLine");
        QTest::addColumn<bool>("manager");
        QTest::newRow("nothing") << QString() << true;
        QTest::newRow("blanks") << "   " << true;
        QTest::newRow("/QL") << "/QL" << false;
        QTest::newRow("/QL inside") << "-x /QLauncher" << false;
    }
    void start() {
        QFETCH(QString, commandLine);
        QFETCH(bool, manager);
        TestProgram t;
        HourglassAtManagerShow hourglass;
        qApp->installEventFilter(&hourglass);
        QVERIFY(mdlBoot::Main(*t, commandLine));
        qApp->removeEventFilter(&hourglass);
        QCOMPARE(hourglass.Up, manager ? std::optional<bool>(false) : std::nullopt);
        QCOMPARE(t.Questions.Questions.size(), size_t(0));
        QCOMPARE(t.Marker(), QByteArray(1, '\1'));
        QCOMPARE(t.ProcessEnd.Calls, 0);
        QVERIFY(t->TrayActive && t.TrayFactory.Last && t.TrayFactory.Last->InTray);
        QCOMPARE(t.TrayFactory.Last->Tip, QStringLiteral("PVL 3: TrayNotes"));
        QVERIFY(t->StealthWindow && !t->StealthWindow->isVisible());
        // A tray host that draws the menu itself (StatusNotifierItem) is given the tray menu.
        QCOMPARE(t.TrayFactory.Last->HostMenu, &t->Stealth().mnuTray);
        QCOMPARE(t->ManagerOpen, manager);
        QCOMPARE(bool(t->ManagerWindow), manager);
        if (manager) QVERIFY(t->ManagerWindow->isVisible());
        QVERIFY(QFileInfo(t.ProgramFolder() + "Notes").isDir());
        QVERIFY(!QFile::exists(t.ProgramFolder() + SettingsFileName));
        QVERIFY(t.Random.Seeded.has_value());
        // The interval schedule: 10:30 on the 5th plus the default 3 hours.
        const NextShowTime& next = t->NextShow;
        QCOMPARE((QList<int>{next.NextHour, next.NextMinute, next.NextDay}), (QList<int>{13, 30, 5}));
    }

    // A marker that cannot be set: the user hears of it and why, and the program still runs.
    void unwritableMarker_data() {
        QTest::addColumn<bool>("fullDisk");
        QTest::addColumn<QString>("why");
        QTest::newRow("full disk") << true << "cannot write";
        QTest::newRow("read-only marker") << false << "the file is read-only";
    }
    void unwritableMarker() {
        QFETCH(bool, fullDisk);
        QFETCH(QString, why);
        TestProgram t;
        TinyDisk disk(t.ProgramFolder());
        if (fullDisk && !disk.Mounted()) QSKIP("mounting a small file system needs root");
        if (fullDisk) QVERIFY(disk.Fill());
        const QString marker = t.ProgramFolder() + "TrayLock.dat";
        if (!fullDisk) QVERIFY(ClearTrayLock(t.ProgramFolder()) && QFile::setPermissions(marker, QFile::ReadOwner));
        QVERIFY(mdlBoot::Main(*t, QString()));
        QCOMPARE(t.Questions.Messages.size(), size_t(1));
        QVERIFY(t.Questions.Messages[0].Text.startsWith("\"" + marker + "\" could not be written (" + why));
        QVERIFY(t->ManagerOpen);
    }

    // A copy started while the marker is set; declining it is left to tests/e2e/test_startup.sh.
    void secondCopy_data() {
        QTest::addColumn<int>("prompt");
        QTest::newRow("asked, yes") << 1;
        QTest::newRow("not asked") << 0;
    }
    void secondCopy() {
        QFETCH(int, prompt);
        TestProgram t;
        SettingsRecord s = DefaultSettings(t.ProgramFolder());
        s.PromptMultiCopies = static_cast<uint8_t>(prompt);
        QVERIFY(SaveSettings(t.ProgramFolder(), s));
        QVERIFY(SetTrayLock(t.ProgramFolder()));
        t.Questions.Answers = {true};
        QVERIFY(mdlBoot::Main(*t, QString()));
        QCOMPARE(int(t.Questions.Questions.size()), prompt);
        if (prompt)
            QCOMPARE(t.Questions.Questions[0].Title, QStringLiteral("Do you want to load multiple copies of PVL3?"));
        QCOMPARE(t.ProcessEnd.Calls, 0);
        QVERIFY(t->ManagerWindow);
        QCOMPARE(t.Marker(), QByteArray(1, '\1'));
    }

    // Only a lone --help, -h or --version prints instead of starting; every other line starts as before.
    void infoOptions_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("firstLine"); // empty: the program starts
        QTest::newRow("--help") << QStringList{"--help"} << "Usage: pinvale3 [/QL]";
        QTest::newRow("-h") << QStringList{"-h"} << "Usage: pinvale3 [/QL]";
        QTest::newRow("nothing") << QStringList{} << "";
        QTest::newRow("--help with /QL") << QStringList{"--help", "/QL"} << "";
        QTest::newRow("--Version") << QStringList{"--Version"} << "";
    }
    void infoOptions() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, firstLine);
        const std::optional<QString> text = mdlBoot::InfoText(arguments);
        QCOMPARE(text.value_or(QString()).section(u'\n', 0, 0), firstLine);
        if (text) QVERIFY(text->endsWith(u'\n'));
    }

    // X11 in a Wayland session when an X server is at hand; the user's own choice always stands.
    void platformChoice_data() {
        QTest::addColumn<Platform::Session>("session"); // QT_QPA_PLATFORM, WAYLAND_DISPLAY, XDG_SESSION_TYPE, X
        QTest::addColumn<QByteArray>("chosen");         // empty: Qt's own choice
        QTest::newRow("X11 session") << Platform::Session{{}, "", "x11", true} << QByteArray();
        QTest::newRow("Wayland display only") << Platform::Session{{}, "wayland-1", "", true} << QByteArray("xcb");
        QTest::newRow("session type only") << Platform::Session{{}, "", "wayland", true} << QByteArray("xcb");
        QTest::newRow("user set it empty")
            << Platform::Session{QByteArray(), "wayland-0", "wayland", true} << QByteArray();
        QTest::newRow("user chose wayland")
            << Platform::Session{QByteArray("wayland"), "wayland-0", "wayland", true} << QByteArray();
        QTest::newRow("Wayland, no X server") << Platform::Session{{}, "wayland-0", "wayland", false} << QByteArray();
    }
    void platformChoice() {
        QFETCH(Platform::Session, session);
        QFETCH(QByteArray, chosen);
        QCOMPARE(Platform::ChoosePlatform(session).value_or(QByteArray()), chosen);
    }

    // A stand-in X server listening on the abstract socket of a free display number (as Xvfb and XWayland
    // do); "%L" in a row is that display, "%F" another free one that nobody listens on.
    void xServerReachable_data() {
        QTest::addColumn<QByteArray>("display");
        QTest::addColumn<bool>("reachable");
        QTest::newRow("unix:N.0") << QByteArray("unix:%L.0") << true;
        QTest::newRow("nobody listening") << QByteArray(":%F") << false;
        QTest::newRow("no number") << QByteArray(":x") << false;
        QTest::newRow("remote, on trust") << QByteArray("host:0") << true;
    }
    void xServerReachable() {
        QFETCH(QByteArray, display);
        QFETCH(bool, reachable);
        int listening = -1, fd = -1;
        for (int number = 5000 + ::getpid() % 4000; listening < 0 && number < 9999; ++number) {
            fd = ListenAsDisplay(number);
            if (fd >= 0) listening = number;
        }
        QVERIFY(listening >= 0);
        int free = listening, probe = -1;
        while (probe < 0) probe = ListenAsDisplay(++free);
        ::close(probe); // a number nobody else had, and nobody listens on now
        display.replace("%L", QByteArray::number(listening)).replace("%F", QByteArray::number(free));
        QCOMPARE(Platform::XServerReachable(display), reachable);
        ::close(fd);
    }

    void managerReopenedBeforeTheOldOneIsGone() {
        TestProgram t;
        QVERIFY(mdlBoot::Main(*t, QString()));
        QPointer<frmManager> old = t->ManagerWindow;
        QVERIFY(old->close());
        t->ManagerWindow = new frmManager(*t);
        t->ManagerWindow->Form_Load();
        QTRY_VERIFY(!old); // the closed window is deleted later
        QVERIFY(t->ManagerOpen);
        QCOMPARE(t.ProcessEnd.Calls, 0);
    }

    // What is left open when the check runs; a manager or a note window is left to tst_Stealth's closeTrayNotes.
    void shutdownCheck_data() {
        QTest::addColumn<bool>("tray");
        QTest::addColumn<bool>("editor");
        QTest::newRow("nothing open") << false << false;
        QTest::newRow("tray") << true << false;
        QTest::newRow("editor") << false << true;
    }
    void shutdownCheck() {
        QFETCH(bool, tray);
        QFETCH(bool, editor);
        const bool ends = !tray && !editor;
        TestProgram t;
        LoadSettings(t.ProgramFolder(), t->Settings);
        SetTrayLock(t.ProgramFolder());
        t->TrayActive = tray;
        t->EditorOpen = editor;
        t->ShownNotes = {{"a.nte", false}}; // a closed window's entry does not count
        CheckShutdown(*t);
        QCOMPARE(t->OpenNoteCount, 0);
        QCOMPARE(t.ProcessEnd.Calls, ends ? 1 : 0);
        QCOMPARE(t.Marker(), QByteArray(1, ends ? '\0' : '\1'));
        CheckShutdown(*t); // once ended, nothing runs again
        QCOMPARE(t.ProcessEnd.Calls, ends ? 1 : 0);
    }

    // The notes folder removed while the program runs: the shutdown check, a showing and the list go on
    // with no notes, the program stays up, and closing the manager still saves the settings.
    void notesFolderVanishes() {
        TestProgram t;
        QVERIFY(mdlBoot::Main(*t, QString()));
        const QString notes = t->Settings.NotesFolder;
        QVERIFY(NoteFile::WriteNote(notes + "a.nte", NoteFile::NewNoteRecord("a", 20200101, 20301231)));
        FillNoteList(*t);
        QCOMPARE(t->ManagerWindow->lstNotes->count(), 1);
        QVERIFY(QDir(notes).removeRecursively());
        CheckShutdown(*t);
        ShowNotes(*t, 0, 2);
        FillNoteList(*t);
        QCOMPARE(t->ManagerWindow->lstNotes->count(), 0);
        QCOMPARE(t->ShownCount(), 0);
        QCOMPARE(t.ProcessEnd.Calls, 0);
        QVERIFY(t->ManagerWindow->close());
        QVERIFY(QFile::exists(t.ProgramFolder() + SettingsFileName));
        QVERIFY(!QFileInfo::exists(notes)); // nothing recreated it behind the user's back
    }

    void damagedSettingsAreReportedAndKept() {
        TestProgram t;
        WriteBytes(t.ProgramFolder() + SettingsFileName, QByteArray("\x05\x00\x00", 3));
        QVERIFY(mdlBoot::Main(*t, QString()));
        QCOMPARE(t.Questions.Messages.size(), size_t(1));
        QVERIFY(t.Questions.Messages[0].Text.contains(SettingsFileName));
        QCOMPARE(t->Settings.NoteWidth, int16_t(180));
        QCOMPARE(QFileInfo(t.ProgramFolder() + SettingsFileName).size(), qint64(3));
    }
};

QTEST_MAIN(tst_Startup)
#include "tst_Startup.moc"
