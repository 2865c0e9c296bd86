// Start-up with each command line and marker state, and the shutdown check that ends the program.
#include "../core/TestFiles.h"
#include "app/CheckShutdown.h"
#include "app/CommandLineInfo.h"
#include "app/frmStealth.h"
#include "app/mdlBoot.h"
#include "core/NoteFile.h"
#include "core/SettingsFile.h"
#include "core/Version.h"
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

void SaveWith(TestProgram& t, void (*change)(SettingsRecord&)) {
    SettingsRecord s = DefaultSettings(t.ProgramFolder());
    s.ShowOnTrayStart = 0;
    change(s);
    QVERIFY(SaveSettings(t.ProgramFolder(), s));
}
} // namespace

class tst_Startup : public QObject {
    Q_OBJECT

private slots:
    void firstStartEver() {
        TestProgram t;
        HourglassAtManagerShow hourglass;
        qApp->installEventFilter(&hourglass);
        QVERIFY(mdlBoot::Main(*t, QString()));
        qApp->removeEventFilter(&hourglass);
        QCOMPARE(hourglass.Up, std::optional<bool>(false));
        QCOMPARE(t.Questions.Questions.size(), size_t(0));
        QCOMPARE(t.Marker(), QByteArray(1, '\1'));
        QVERIFY(t->TrayActive);
        QVERIFY(t.TrayFactory.Last && t.TrayFactory.Last->InTray);
        QCOMPARE(t.TrayFactory.Last->Tip, QStringLiteral("PVL 3: TrayNotes"));
        QVERIFY(t->ManagerOpen);
        QVERIFY(t->ManagerWindow->isVisible());
        QCOMPARE(t->ManagerWindow->windowTitle(), QStringLiteral("Pinvale 3: ManageNotes"));
        QVERIFY(t->StealthWindow);
        QVERIFY(!t->StealthWindow->isVisible());
        QVERIFY(QFileInfo(t.ProgramFolder() + "Notes").isDir());
        QVERIFY(!QFile::exists(t.ProgramFolder() + SettingsFileName));
        QVERIFY(t.Random.Seeded.has_value());
        // The interval schedule: 10:30 on the 5th plus the default 3 hours.
        QCOMPARE(t->NextShow.NextHour, int16_t(13));
        QCOMPARE(t->NextShow.NextMinute, int16_t(30));
        QCOMPARE(t->NextShow.NextDay, int16_t(5));
        QCOMPARE(t.ProcessEnd.Calls, 0);
    }

    // On a full disk the marker cannot be set: the user hears of it and the program still runs.
    void fullDiskMarker() {
        TestProgram t;
        TinyDisk disk(t.ProgramFolder());
        if (!disk.Mounted()) QSKIP("mounting a small file system needs root");
        QVERIFY(disk.Fill());
        QVERIFY(mdlBoot::Main(*t, QString()));
        QCOMPARE(t.Questions.Messages.size(), size_t(1));
        QVERIFY(t.Questions.Messages[0].Text.startsWith("\"" + t.ProgramFolder() + "TrayLock.dat\" could not be"));
        QVERIFY(t->ManagerOpen);
    }

    void secondCopy_data() {
        QTest::addColumn<int>("prompt");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<bool>("runs");
        QTest::addColumn<int>("questions");
        QTest::newRow("asked, no") << 1 << false << false << 1;
        QTest::newRow("asked, yes") << 1 << true << true << 1;
        QTest::newRow("not asked") << 0 << false << true << 0;
    }
    void secondCopy() {
        QFETCH(int, prompt);
        QFETCH(bool, answer);
        QFETCH(bool, runs);
        QFETCH(int, questions);
        TestProgram t;
        static int promptValue;
        promptValue = prompt;
        SaveWith(t, [](SettingsRecord& s) { s.PromptMultiCopies = static_cast<uint8_t>(promptValue); });
        QVERIFY(SetTrayLock(t.ProgramFolder()));
        t.Questions.Answers = {answer};
        QCOMPARE(mdlBoot::Main(*t, QString()), runs);
        QCOMPARE(int(t.Questions.Questions.size()), questions);
        if (questions)
            QCOMPARE(t.Questions.Questions[0].Title, QStringLiteral("Do you want to load multiple copies of PVL3?"));
        QCOMPARE(t.ProcessEnd.Calls, runs ? 0 : 1);
        QCOMPARE(bool(t->ManagerWindow), runs);
        QCOMPARE(t.Marker(), QByteArray(1, '\1'));
    }

    // Only a lone --help, -h or --version prints instead of starting; every other line starts as before.
    void infoOptions_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("firstLine"); // empty: the program starts
        QTest::newRow("--help") << QStringList{"--help"} << "Usage: pinvale3 [/QL]";
        QTest::newRow("-h") << QStringList{"-h"} << "Usage: pinvale3 [/QL]";
        QTest::newRow("--version") << QStringList{"--version"} << "Pinvale 3 " + ProgramVersion();
        QTest::newRow("nothing") << QStringList{} << "";
        QTest::newRow("/QL") << QStringList{"/QL"} << "";
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
        QTest::addColumn<QVariant>("qtPlatform"); // null: QT_QPA_PLATFORM not set
        QTest::addColumn<QByteArray>("waylandDisplay");
        QTest::addColumn<QByteArray>("sessionType");
        QTest::addColumn<bool>("xServer");
        QTest::addColumn<QByteArray>("chosen"); // empty: Qt's own choice
        const QVariant unset;
        QTest::newRow("X11 session") << unset << QByteArray() << QByteArray("x11") << true << QByteArray();
        QTest::newRow("Wayland, XWayland")
            << unset << QByteArray("wayland-0") << QByteArray("wayland") << true << QByteArray("xcb");
        QTest::newRow("Wayland display only")
            << unset << QByteArray("wayland-1") << QByteArray() << true << QByteArray("xcb");
        QTest::newRow("session type only")
            << unset << QByteArray() << QByteArray("wayland") << true << QByteArray("xcb");
        QTest::newRow("Wayland, no X server")
            << unset << QByteArray("wayland-0") << QByteArray("wayland") << false << QByteArray();
        QTest::newRow("user chose wayland") << QVariant(QByteArray("wayland")) << QByteArray("wayland-0")
                                            << QByteArray("wayland") << true << QByteArray();
        QTest::newRow("user set it empty")
            << QVariant(QByteArray()) << QByteArray("wayland-0") << QByteArray("wayland") << true << QByteArray();
        QTest::newRow("console") << unset << QByteArray() << QByteArray("tty") << false << QByteArray();
    }
    void platformChoice() {
        QFETCH(QVariant, qtPlatform);
        QFETCH(QByteArray, waylandDisplay);
        QFETCH(QByteArray, sessionType);
        QFETCH(bool, xServer);
        QFETCH(QByteArray, chosen);
        Platform::Session session;
        if (!qtPlatform.isNull()) session.QtPlatform = qtPlatform.toByteArray();
        session.WaylandDisplay = waylandDisplay;
        session.SessionType = sessionType;
        session.XServerReachable = xServer;
        QCOMPARE(Platform::ChoosePlatform(session).value_or(QByteArray()), chosen);
    }

    // A stand-in X server listening on the abstract socket of a free display number (as Xvfb and XWayland
    // do); "%L" in a row is that display, "%F" another free one that nobody listens on.
    void xServerReachable_data() {
        QTest::addColumn<QByteArray>("display");
        QTest::addColumn<bool>("reachable");
        QTest::newRow(":N") << QByteArray(":%L") << true;
        QTest::newRow("unix:N.0") << QByteArray("unix:%L.0") << true;
        QTest::newRow("nobody listening") << QByteArray(":%F") << false;
        QTest::newRow("empty") << QByteArray() << false;
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

    void commandLines_data() {
        QTest::addColumn<QString>("commandLine");
        QTest::addColumn<int>("onSystemStart");
        QTest::addColumn<bool>("runs");
        QTest::addColumn<bool>("manager");
        QTest::addColumn<int>("ends");
        QTest::addColumn<QByteArray>("marker");
        QTest::newRow("blanks") << "   " << 1 << true << true << 0 << QByteArray(1, '\1');
        QTest::newRow("/QL") << "/QL" << 1 << true << false << 0 << QByteArray(1, '\1');
        QTest::newRow("/QL inside") << "-x /QLauncher" << 1 << true << false << 0 << QByteArray(1, '\1');
        QTest::newRow("/QL switched off") << "/QL" << 0 << false << false << 1 << QByteArray(1, '\0');
        QTest::newRow("lower case /ql") << "/ql" << 1 << false << false << 0 << QByteArray(1, '\1');
    }
    void commandLines() {
        QFETCH(QString, commandLine);
        QFETCH(int, onSystemStart);
        QFETCH(bool, runs);
        QFETCH(bool, manager);
        QFETCH(int, ends);
        QFETCH(QByteArray, marker);
        TestProgram t;
        static int startValue;
        startValue = onSystemStart;
        SaveWith(t, [](SettingsRecord& s) { s.TrayOnSystemStart = static_cast<uint8_t>(startValue); });
        QCOMPARE(mdlBoot::Main(*t, commandLine), runs);
        QCOMPARE(bool(t->ManagerWindow), manager);
        QCOMPARE(t->TrayActive, runs);
        QCOMPARE(bool(t->StealthWindow), runs);
        QCOMPARE(t.ProcessEnd.Calls, ends);
        QCOMPARE(t.Marker(), marker);
        // A tray host that draws the menu itself (StatusNotifierItem) is given the tray menu.
        if (runs) QCOMPARE(t.TrayFactory.Last->HostMenu, &t->Stealth().mnuTray);
    }

    void closingManagerKeepsTrayRunningThenClosingTrayEnds() {
        TestProgram t;
        SaveWith(t, [](SettingsRecord& s) { s.NoteWidth = 222; });
        QVERIFY(mdlBoot::Main(*t, QString()));
        t->Settings.NoteHeight = 333; // changed while the manager is open
        QVERIFY(t->ManagerWindow->close());
        QVERIFY(!t->ManagerOpen);
        QCOMPARE(t.ProcessEnd.Calls, 0);
        SettingsRecord saved;
        QVERIFY(ReadSettingsFile(t.ProgramFolder() + SettingsFileName, saved));
        QCOMPARE(saved.NoteHeight, int16_t(333));
        QCOMPARE(saved.NoteWidth, int16_t(222));
        QVERIFY(t->TrayWindow->close());
        QCOMPARE(t.ProcessEnd.Calls, 1);
        QCOMPARE(t.Marker(), QByteArray(1, '\0'));
        QVERIFY(t->Ending());
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

    void shutdownCheck_data() {
        QTest::addColumn<bool>("manager");
        QTest::addColumn<bool>("tray");
        QTest::addColumn<bool>("editor");
        QTest::addColumn<bool>("openNote");
        QTest::addColumn<bool>("ends");
        QTest::newRow("nothing open") << false << false << false << false << true;
        QTest::newRow("manager") << true << false << false << false << false;
        QTest::newRow("tray") << false << true << false << false << false;
        QTest::newRow("editor") << false << false << true << false << false;
        QTest::newRow("a note window") << false << false << false << true << false;
    }
    void shutdownCheck() {
        QFETCH(bool, manager);
        QFETCH(bool, tray);
        QFETCH(bool, editor);
        QFETCH(bool, openNote);
        QFETCH(bool, ends);
        TestProgram t;
        LoadSettings(t.ProgramFolder(), t->Settings);
        SetTrayLock(t.ProgramFolder());
        t->ManagerOpen = manager;
        t->TrayActive = tray;
        t->EditorOpen = editor;
        t->ShownNotes = {{"a.nte", false}, {"b.nte", openNote}};
        CheckShutdown(*t);
        QCOMPARE(t->OpenNoteCount, openNote ? 1 : 0);
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
        QFile f(t.ProgramFolder() + SettingsFileName);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray("\x05\x00\x00", 3));
        f.close();
        QVERIFY(mdlBoot::Main(*t, QString()));
        QCOMPARE(t.Questions.Messages.size(), size_t(1));
        QVERIFY(t.Questions.Messages[0].Text.contains(SettingsFileName));
        QCOMPARE(t->Settings.NoteWidth, int16_t(180));
        QCOMPARE(QFileInfo(f.fileName()).size(), qint64(3));
    }
};

QTEST_MAIN(tst_Startup)
#include "tst_Startup.moc"
