// ShowNotes: which notes are selected, how many windows open for them and where (cascade, stack, scatter),
// the load sounds, and notes that cannot be read.
#include "app/frmStealth.h"
#include "core/NoteFile.h"
#include "fakes/FakeServices.h"
#include "manager/frmManager.h"
#include "notes/ShowNotes.h"
#include "notes/frmNotes.h"
#include <QApplication>
#include <QDir>
#include <QtTest>
#include <algorithm>

using mdlCommonFunc::ShowNotes;

namespace {

// By default a note that is enabled and due on the fake clock's day (5 December 2026).
NoteRecord DueNote(const QString& text, int enabled = 1, int32_t from = 20260101, int32_t until = 20271231) {
    NoteRecord note;
    note.Text = text;
    note.Enabled = static_cast<int16_t>(enabled);
    note.ShowFrom = from;
    note.ShowUntil = until;
    return note;
}

// The open note windows, in the order of their ShownNotes entries.
std::vector<frmNotes*> Windows() {
    std::vector<frmNotes*> found;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* note = qobject_cast<frmNotes*>(w)) found.push_back(note);
    std::sort(found.begin(), found.end(),
              [](frmNotes* a, frmNotes* b) { return a->lblIndex.trimmed().toInt() < b->lblIndex.trimmed().toInt(); });
    return found;
}

QPoint TwipsPos(const frmNotes* w) {
    return {w->x() * 15, w->y() * 15};
}

} // namespace

class tst_ShowNotes : public QObject {
    Q_OBJECT

    std::unique_ptr<TestProgram> tp;
    Program* P = nullptr;

    QString Path(const QString& name) const { return P->Settings.NotesFolder + name; }
    void Write(const QString& name, const NoteRecord& note) {
        QVERIFY2(NoteFile::WriteNote(Path(name), note), qPrintable(name));
    }
    // Notes "n1.nte" ... "nN.nte" with the texts "Note 1" ..., then the host's file list refreshed.
    void WriteMany(int count) {
        for (int i = 1; i <= count; ++i)
            Write(QStringLiteral("n%1.nte").arg(i), DueNote(QStringLiteral("Note %1").arg(i)));
        Refresh();
    }
    void Refresh() {
        P->Stealth().flbNotes.SetPath(P->Settings.NotesFolder);
        P->Stealth().flbNotes.Refresh();
    }
    int OpenEntries() {
        mdlCommonFunc::CountOpenNotes(*P);
        return P->OpenNoteCount;
    }

private slots:
    void init() {
        tp = std::make_unique<TestProgram>();
        P = tp->P.get();
        // A folder name that is not Western, so that every test reads notes through it.
        P->Settings.NotesFolder = tp->ProgramFolder() + QString::fromUtf8("Łódź Документы/");
        QVERIFY(QDir().mkpath(P->Settings.NotesFolder));
        P->Settings.Arrangement = 1;
    }
    void cleanup() {
        for (frmNotes* w : Windows()) delete w; // before the program they point at
        tp.reset();
    }

    // The first windows cascade from 120,120 twips, each playing its note's load sound in turn and showing its
    // text, in any script.
    void cascadeFirstWindows() {
        const QStringList sounds{"/s/one.wav", "", "/s/three.wav"};
        const QStringList texts{QString::fromUtf8("Купить молоко\r\n買牛奶 😀"), "two", "three"};
        for (int i = 0; i < sounds.size(); ++i) {
            NoteRecord note = DueNote(texts[i]);
            note.LoadSound = sounds[i];
            Write(QStringLiteral("n%1.nte").arg(i + 1), note);
        }
        Refresh();
        ShowNotes(*P, 0, 2);
        const auto windows = Windows();
        QCOMPARE(windows.size(), size_t(3));
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(TwipsPos(windows[i]), QPoint(120, 120) * (i + 1));
            QCOMPARE(windows[i]->lblFileNamePath, Path(QStringLiteral("n%1.nte").arg(i + 1)));
            QCOMPARE(windows[i]->NoteTextValue(), texts[i]);
            QVERIFY(P->Shown(i + 1).IsOpen);
        }
        QCOMPARE(P->CascadeStep, 3);
        QCOMPARE(tp->Sound.Played, QStringList({"/s/one.wav", "/s/three.wav"}));
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    // The fourth window passes the bottom (480 > 360; 360 itself is not past): it still goes there, the next
    // run starts at the top two steps right. Left 600 on a 600-twip screen is not past the edge; 720 is, back
    // to column 1.
    void cascadeWrapsToTheNextColumn() {
        tp->Screen.Width = 600;
        tp->Screen.Height = 360;
        const QList<QPoint> places{{120, 120}, {240, 240}, {360, 360}, {480, 480}, {360, 120},
                                   {480, 240}, {600, 360}, {720, 480}, {240, 120}};
        for (const QPoint& expected : places) {
            const mdlCommonFunc::NotePlace place = mdlCommonFunc::NextNotePlace(*P);
            QCOMPARE(QPoint(place.Left, place.Top), expected);
        }
        QCOMPARE(P->CascadeColumn, 1);
    }

    // Another screen to the left of the primary one: the cascade starts at the primary screen's corner.
    void cascadeOnThePrimaryScreen() {
        tp->Screen.Origin = QPoint(1280 * 15, 0);
        WriteMany(1);
        ShowNotes(*P, 0, 2);
        QCOMPARE(TwipsPos(Windows().at(0)), QPoint(1280 * 15 + 120, 120));
    }

    // A cascade step past the bottom, then one past the right edge: each window is placed where the step
    // puts it, off the screen, and the next run starts again near the top.
    void cascadeOffTheScreen() {
        P->Settings.NoteWidth = P->Settings.NoteHeight = 60; // 900 twips on the 15360 x 11520 screen
        WriteMany(3);
        P->CascadeStep = 99; // the next Top is 12000
        ShowNotes(*P, 0, 1);
        QCOMPARE(P->CascadeStep, 2);
        QCOMPARE(P->CascadeColumn, 2);
        P->CascadeColumn = 150; // the next Left is 18360
        ShowNotes(*P, 0, 2);
        const auto windows = Windows();
        QCOMPARE(windows.size(), size_t(6));
        QCOMPARE(TwipsPos(windows[0]), QPoint(12000, 12000));
        QCOMPARE(TwipsPos(windows[1]), QPoint(360, 120));
        QCOMPARE(TwipsPos(windows[3]), QPoint(18360, 360));
        QCOMPARE(P->CascadeColumn, 1);
        QCOMPARE(TwipsPos(windows[4]), QPoint(600, 480));
    }

    void stackOpensOneWindowAndReopensTheLast() {
        P->Settings.Arrangement = 0;
        WriteMany(3);
        ShowNotes(*P, 0, 2);
        auto windows = Windows();
        QCOMPARE(windows.size(), size_t(1));
        QCOMPARE(P->ShownCount(), 3);
        QCOMPARE(windows[0]->lblIndex, " 1");
        QCOMPARE(windows[0]->lblMode, "Single");

        // Which 0 without the manager selects nothing: the last entry is shown again, one cascade step on.
        ShowNotes(*P, 0, 0);
        windows = Windows();
        QCOMPARE(P->ShownCount(), 3);
        QCOMPARE(windows.size(), size_t(2));
        QCOMPARE(windows[1]->lblIndex, " 3");
        QCOMPARE(TwipsPos(windows[1]), QPoint(240, 240));
        QCOMPARE(OpenEntries(), 2);
    }

    // A 15360 x 11520 screen, 180 pixels are 2700 twips; the first draw gives Top, the second Left. Close
    // to 1 the window ends exactly on the right and bottom edges, never past them.
    void scatterStaysOnTheScreen() {
        tp->Screen.Width = 15360;
        tp->Screen.Height = 11520;
        P->Settings.Arrangement = 2;
        tp->Random.Sequence = {0.0, 0.0, 0.25, 0.5, 0.9999999, 0.9999999};
        for (const QPoint expected : {QPoint(0, 0), QPoint(6330, 2205), QPoint(12660, 8820)}) {
            const mdlCommonFunc::NotePlace next = mdlCommonFunc::NextNotePlace(*P);
            QCOMPARE(QPoint(next.Left, next.Top), expected);
        }
    }

    // Entries already open before the call (by earlier windows) against five new notes.
    void windowLimit_data() {
        QTest::addColumn<int>("arrangement");
        QTest::addColumn<int>("openBefore");
        QTest::addColumn<int>("newWindows");
        QTest::newRow("cascade, 30 open") << 1 << 30 << 1;
        QTest::newRow("cascade, 29 open") << 1 << 29 << 2;
        QTest::newRow("stack, 31 open") << 0 << 31 << 0;
    }
    void windowLimit() {
        QFETCH(int, arrangement);
        QFETCH(int, openBefore);
        QFETCH(int, newWindows);
        P->Settings.Arrangement = static_cast<uint8_t>(arrangement);
        for (int i = 0; i < openBefore; ++i) P->ShownNotes.push_back({QStringLiteral("/elsewhere/open.nte"), true});
        WriteMany(5);
        ShowNotes(*P, 0, 2);
        QCOMPARE(P->ShownCount(), openBefore + 5);
        QCOMPARE(int(Windows().size()), newWindows);
        QCOMPARE(OpenEntries(), openBefore + newWindows);
    }

    // One note against the fake clock's day, 5 December 2026, beside one that is always due.
    void selection_data() {
        QTest::addColumn<int>("which");
        QTest::addColumn<int>("onlyEnabled");
        QTest::addColumn<int>("enabled");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("until");
        QTest::addColumn<bool>("shown");
        QTest::newRow("today: from = until = today") << 1 << 0 << 1 << 20261205 << 20261205 << true;
        QTest::newRow("today: until yesterday") << 1 << 0 << 1 << 20261201 << 20261204 << false;
        QTest::newRow("today: from tomorrow") << 1 << 0 << 1 << 20261206 << 20261231 << false;
        QTest::newRow("today: disabled, enabled ignored") << 1 << 0 << 0 << 20261205 << 20261205 << true;
        QTest::newRow("today: Enabled 0, only enabled") << 1 << -1 << 0 << 20261205 << 20261205 << false;
        QTest::newRow("all: Enabled 2, only enabled") << 2 << -1 << 2 << 20261205 << 20261205 << false;
        QTest::newRow("all: out of its dates") << 2 << 0 << 1 << 20200101 << 20200102 << true;
        QTest::newRow("Which 3 selects nothing") << 3 << 0 << 1 << 20261205 << 20261205 << false;
    }
    void selection() {
        QFETCH(int, which);
        QFETCH(int, onlyEnabled);
        QFETCH(int, enabled);
        QFETCH(int, from);
        QFETCH(int, until);
        QFETCH(bool, shown);
        Write("dated.nte", DueNote("Dated", enabled, from, until));
        Write("other.nte", DueNote("Other"));
        Refresh();
        ShowNotes(*P, static_cast<int16_t>(onlyEnabled), static_cast<int16_t>(which));
        QStringList paths;
        for (const ShownNote& entry : P->ShownNotes) paths << entry.FilePath;
        QCOMPARE(paths.contains(Path("dated.nte")), shown);
        QCOMPARE(paths.contains(Path("other.nte")), which <= 2);
        QCOMPARE(int(Windows().size()), int(paths.size()));
    }

    // Which 0 takes the line selected in the manager's list, and nothing without one.
    void selectedNote_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("onlyEnabled");
        QTest::addColumn<QString>("expected"); // file name, empty for nothing
        QTest::newRow("manager, no selection") << -1 << 0 << QString();
        QTest::newRow("manager, second line") << 1 << 0 << "n2.nte";
        QTest::newRow("manager, disabled line, only enabled") << 2 << -1 << QString();
    }
    void selectedNote() {
        QFETCH(int, row);
        QFETCH(int, onlyEnabled);
        QFETCH(QString, expected);
        WriteMany(3);
        Write("n3.nte", DueNote("Note 3", 0));
        P->ListPos = static_cast<int16_t>(row);
        P->ManagerWindow = new frmManager(*P);
        P->ManagerWindow->Form_Load();
        if (row < 0) P->ManagerWindow->lstNotes->clearSelection();
        ShowNotes(*P, static_cast<int16_t>(onlyEnabled), 0);
        delete P->ManagerWindow.data();
        QCOMPARE(P->ShownCount(), expected.isEmpty() ? 0 : 1);
        if (!expected.isEmpty()) QCOMPARE(P->Shown(1).FilePath, Path(expected));
    }

    // A note damaged or gone by the time it is opened gets no window and takes no place in the cascade; the
    // notes around it show as usual, even one whose picture is missing. A note cut short after its dates is
    // selected (its head reads) and is told once per showing, by its path; the stack tells it too, as the
    // window would page to it.
    void unreadableNotes_data() {
        QTest::addColumn<int>("arrangement");
        QTest::addColumn<int>("windows");
        QTest::newRow("cascade") << 1 << 2;
        QTest::newRow("stack") << 0 << 1;
    }
    void unreadableNotes() {
        QFETCH(int, arrangement);
        QFETCH(int, windows);
        P->Settings.Arrangement = static_cast<uint8_t>(arrangement);
        WriteMany(4);
        NoteRecord pictured = DueNote("Note 1");
        pictured.ImagePath = tp->ProgramFolder() + "gone.bmp";
        Write("n1.nte", pictured);
        QVERIFY(QFile(Path("n2.nte")).resize(28)); // Version, Enabled, "Note 2", the two dates
        QVERIFY(QFile::remove(Path("n3.nte")));
        ShowNotes(*P, -1, 2);
        QCOMPARE(P->ShownCount(), 3);
        const auto open = Windows();
        QCOMPARE(int(open.size()), windows);
        if (windows == 2) QCOMPARE(open[1]->lblFileNamePath, Path("n4.nte"));
        if (windows == 2) QCOMPARE(TwipsPos(open[1]), QPoint(240, 240));
        QVERIFY(tp->Questions.Messages.empty()); // told once the showing is done
        QTRY_COMPARE(tp->Questions.Messages.size(), size_t(1));
        const QString told = tp->Questions.Messages[0].Text;
        QCOMPARE(told.count(Path("n2.nte")), 1);
        QVERIFY(!told.contains(Path("n4.nte")) && !told.contains(Path("n1.nte")));
        QCOMPARE(QFileInfo(Path("n2.nte")).size(), qint64(28)); // left as it was
        ShowNotes(*P, -1, 2);                                   // the next showing tells it again
        QTRY_COMPARE(tp->Questions.Messages.size(), size_t(2));
    }
};

QTEST_MAIN(tst_ShowNotes)
#include "tst_ShowNotes.moc"
